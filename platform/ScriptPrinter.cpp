#include "platform/ScriptPrinter.h"

#include "platform/ErrorNumbers.h"
#include "platform/RichTextControl.h"

#include <QCoreApplication>
#include <QPrinter>

IoResult ScriptPrinter::print(const RichTextControl& control) const
{
    if (!m_pdfTarget.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfTarget);
        return control.print(&printer);
    }
    const QPrinterInfo info = m_lookup ? m_lookup() : QPrinterInfo();
    if (info.isNull())
        return IoResult::failure(ErrorNumbers::NoDefaultPrinter,
                                 QCoreApplication::translate("ScriptPrinter", "No default printer is set up."));
    QPrinter printer(info, QPrinter::HighResolution);
    return control.print(&printer);
}
