#include "platform/QtPrompt.h"

#include "platform/FileDialogFilter.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {
QMessageBox::Icon toQtIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
}

PromptAnswer QtPrompt::message(const MessageBoxRequest& box)
{
    const bool yesNo = box.buttons == PromptButtons::YesNo;
    QMessageBox mb(toQtIcon(box.icon), box.title, box.text,
                   yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, m_owner);
    mb.setWindowModality(Qt::ApplicationModal);
    if (!box.details.isEmpty())
        mb.setDetailedText(box.details);
    const int result = mb.exec();
    if (!yesNo)
        return PromptAnswer::Ok;
    return result == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

QString QtPrompt::chooseFile(const FileDialogRequest& spec)
{
    QFileDialog dialog(m_owner, spec.title, spec.startFolder);
    // Qt's own dialog matches the filter's patterns in any letter case; a desktop's
    // native one may not, and would then hide a game's "Anarchy.exe".
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(qtNameFilters(spec.filter));
    if (spec.showHidden)
        dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (spec.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // Overwriting is asked by the script window itself where it should be.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
