#include "ScriptedPrompt.h"

PromptAnswer ScriptedPrompt::message(const MessageBoxRequest& box)
{
    boxes.append(box);
    if (m_answers.isEmpty()) {
        ++unplannedBoxes;
        switch (box.buttons) {
        case PromptButtons::YesNo: return PromptAnswer::No;
        // What Escape gives: the safe answer, nothing lost.
        case PromptButtons::SaveDiscardCancel:
        case PromptButtons::RestoreDiscard: return PromptAnswer::Cancel;
        case PromptButtons::ReloadKeepMine: return PromptAnswer::Keep;
        case PromptButtons::Ok: break;
        }
        return PromptAnswer::Ok;
    }
    return m_answers.dequeue();
}

QString ScriptedPrompt::chooseFile(const FileDialogRequest& dialog)
{
    dialogs.append(dialog);
    if (m_paths.isEmpty()) {
        ++unplannedDialogs;
        return {};
    }
    return m_paths.dequeue();
}

void ScriptedPrompt::clear()
{
    boxes.clear();
    dialogs.clear();
    unplannedBoxes = 0;
    unplannedDialogs = 0;
    m_answers.clear();
    m_paths.clear();
}
