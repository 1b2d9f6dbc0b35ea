#pragma once

#include "platform/IoResult.h"

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;
class RichTextControl;

// Prints a script (its selection, or all of it) where the player chooses: the
// platform's print dialog offers the printers, the pages, the copies and printing to
// a PDF file, which works without any printer set up. Print Preview shows the pages
// first, with the same choices.
class ScriptPrinter {
public:
    // Shows the print dialog for `printer`; true once the player chose to print.
    using ChoosePrinter = std::function<bool(QPrinter& printer, QWidget* owner)>;
    // Shows the pages, each drawn by `paint`, with a way to print them.
    using Preview = std::function<void(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter*)>& paint)>;

    ScriptPrinter();

    // No value when the player left the dialog; else the outcome of printing.
    std::optional<IoResult> print(const RichTextControl& control, QWidget* owner) const;
    // The first failure to draw the pages (for the screen or a printer), if any.
    std::optional<IoResult> preview(const RichTextControl& control, QWidget* owner) const;

    // The dialogs, the platform's own unless replaced (tests answer them without a window).
    void setChoosePrinter(ChoosePrinter choose) { m_choose = std::move(choose); }
    void setPreview(Preview preview) { m_preview = std::move(preview); }

private:
    ChoosePrinter m_choose;
    Preview m_preview;
};
