#include "ScriptedPrompt.h"

PromptAnswer ScriptedPrompt::message(const MessageBoxRequest& box)
{
    boxes.append(box);
    if (m_answers.isEmpty()) {
        ++unplannedBoxes;
        return box.buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
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
