#pragma once

#include "platform/Prompt.h"

#include <QList>
#include <QQueue>
#include <QString>

// A prompt that answers from a script and records every box and dialog shown.
// A box with no scripted answer gets No (Cancel, OK) and a dialog gets "cancelled";
// such unplanned prompts are counted so a test can insist there were none.
class ScriptedPrompt : public Prompt {
public:
    PromptAnswer message(const MessageBoxRequest& box) override;
    QString chooseFile(const FileDialogRequest& dialog) override;

    void answer(PromptAnswer a) { m_answers.enqueue(a); }
    void choose(const QString& path) { m_paths.enqueue(path); }
    void cancelDialog() { m_paths.enqueue(QString()); }

    QList<MessageBoxRequest> boxes;
    QList<FileDialogRequest> dialogs;
    int unplannedBoxes = 0;
    int unplannedDialogs = 0;

    void clear();
    bool allAnswersUsed() const { return m_answers.isEmpty() && m_paths.isEmpty(); }

private:
    QQueue<PromptAnswer> m_answers;
    QQueue<QString> m_paths;
};
