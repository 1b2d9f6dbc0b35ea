#include "platform/QtPrompt.h"

#include "platform/FileDialogFilter.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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

namespace {
// Save is the default; Escape and the close box answer Cancel, as the desktop's
// own "unsaved changes" questions do.
PromptAnswer saveDiscardCancel(const MessageBoxRequest& box, QWidget* owner)
{
    QMessageBox mb(toQtIcon(box.icon), box.title, box.text,
                   QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    mb.setDefaultButton(QMessageBox::Save);
    mb.setEscapeButton(QMessageBox::Cancel);
    mb.setWindowModality(Qt::ApplicationModal);
    switch (mb.exec()) {
    case QMessageBox::Save: return PromptAnswer::Save;
    case QMessageBox::Discard: return PromptAnswer::Discard;
    default: return PromptAnswer::Cancel;
    }
}

// Two answers in the player's words; Escape gives `escape`.
PromptAnswer twoWords(const MessageBoxRequest& box, QWidget* owner, const QString& first, PromptAnswer firstAnswer,
                      const QString& second, PromptAnswer secondAnswer, PromptAnswer escape)
{
    QMessageBox mb(toQtIcon(box.icon), box.title, box.text, QMessageBox::NoButton, owner);
    QPushButton* one = mb.addButton(first, QMessageBox::AcceptRole);
    QPushButton* two = mb.addButton(second, secondAnswer == PromptAnswer::Discard ? QMessageBox::DestructiveRole
                                                                                   : QMessageBox::RejectRole);
    mb.setDefaultButton(one);
    mb.setWindowModality(Qt::ApplicationModal);
    mb.exec();
    if (mb.clickedButton() == one)
        return firstAnswer;
    return mb.clickedButton() == two ? secondAnswer : escape;
}
}

PromptAnswer QtPrompt::message(const MessageBoxRequest& box)
{
    switch (box.buttons) {
    case PromptButtons::SaveDiscardCancel:
        return saveDiscardCancel(box, m_owner);
    case PromptButtons::ReloadKeepMine:
        return twoWords(box, m_owner, QStringLiteral("&Reload"), PromptAnswer::Reload, QStringLiteral("&Keep Mine"),
                        PromptAnswer::Keep, PromptAnswer::Keep);
    case PromptButtons::RestoreDiscard:
        return twoWords(box, m_owner, QStringLiteral("&Restore"), PromptAnswer::Restore, QStringLiteral("&Discard"),
                        PromptAnswer::Discard, PromptAnswer::Cancel);
    default:
        break;
    }
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

QString QtPrompt::chooseFile(const FileDialogRequest& request)
{
    QFileDialog dialog(m_owner, request.title, request.startFolder);
    // Qt's own dialog matches the filter's patterns in any letter case; a desktop's
    // native one may not, and would then hide a game's "Anarchy.exe".
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(qtNameFilters(request.filter));
    if (request.showHidden)
        dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (request.kind == FileDialogKind::Save) {
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
