#pragma once

#include "platform/IoResult.h"

#include <QPrinterInfo>
#include <QString>

#include <functional>

class RichTextControl;

// Sends a script (its selection, or all of it) to the system's default printer,
// without a dialog. With no default printer set up the result is
// ErrorNumbers::NoDefaultPrinter.
class ScriptPrinter {
public:
    IoResult print(const RichTextControl& control) const;

    // Print into a PDF file instead of a printer (tests; empty: the printer again).
    void setPdfTarget(const QString& path) { m_pdfTarget = path; }
    // Where the default printer comes from; QPrinterInfo::defaultPrinter normally.
    void setDefaultPrinterLookup(std::function<QPrinterInfo()> lookup) { m_lookup = std::move(lookup); }

private:
    QString m_pdfTarget;
    std::function<QPrinterInfo()> m_lookup = &QPrinterInfo::defaultPrinter;
};
