#include "platform/ScriptPrinter.h"

#include "platform/RichTextControl.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

ScriptPrinter::ScriptPrinter()
    : m_choose([](QPrinter& printer, QWidget* owner) {
          QPrintDialog dialog(&printer, owner);
          dialog.setWindowTitle(QStringLiteral("Print Script"));
          return dialog.exec() == QDialog::Accepted;
      }),
      m_preview([](QPrinter& printer, QWidget* owner, const std::function<void(QPrinter*)>& paint) {
          QPrintPreviewDialog dialog(&printer, owner);
          dialog.setWindowTitle(QStringLiteral("Print Preview"));
          QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
          dialog.exec();
      })
{
}

std::optional<IoResult> ScriptPrinter::print(const RichTextControl& control, QWidget* owner) const
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_choose(printer, owner))
        return std::nullopt;
    return control.print(&printer);
}

std::optional<IoResult> ScriptPrinter::preview(const RichTextControl& control, QWidget* owner) const
{
    QPrinter printer(QPrinter::HighResolution);
    std::optional<IoResult> failure;
    m_preview(printer, owner, [&control, &failure](QPrinter* target) {
        if (IoResult r = control.print(target); !r.ok() && !failure)
            failure = std::move(r);
    });
    return failure;
}
