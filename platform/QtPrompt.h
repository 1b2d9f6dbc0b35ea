#pragma once

#include "platform/Prompt.h"

class QWidget;

// The real prompts: QMessageBox and QFileDialog, owned by the given window.
class QtPrompt : public Prompt {
public:
    explicit QtPrompt(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    PromptAnswer message(const MessageBoxRequest& box) override;
    QString chooseFile(const FileDialogRequest& dialog) override;

private:
    QWidget* m_owner;
};
