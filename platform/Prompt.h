#pragma once

#include "platform/ErrorReport.h"

#include <QString>

// Every message box and file dialog of the program goes through this interface, so
// tests can answer it and check exactly what the player would have been shown.

enum class PromptIcon { None, Information, Question, Warning, Critical };
// SaveDiscardCancel: the question before a script's unsaved text would be dropped,
// with the desktop's own buttons and order; Escape is Cancel.
// ReloadKeepMine: a script changed by another program while it has changes here;
// answers Reload or Keep (Escape keeps).
// RestoreDiscard: a script's text kept from a run that ended before it was saved;
// answers Restore or Discard, Escape is Cancel (asked again at the next start).
enum class PromptButtons { Ok, YesNo, SaveDiscardCancel, ReloadKeepMine, RestoreDiscard };
enum class PromptAnswer { Ok, Yes, No, Save, Discard, Cancel, Reload, Keep, Restore };

struct MessageBoxRequest {
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    // Kept under the box's Show Details: what a player needs only to report a fault.
    QString details;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    // The filter in the "Description|pattern|Description|pattern" form the windows
    // describe themselves with; the real dialog translates it.
    QString filter;
    // Empty: the dialog starts in its own default folder.
    QString startFolder;
    // Lists hidden folders too: a game under Wine lies below "~/.wine".
    bool showHidden = false;
};

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer message(const MessageBoxRequest& box) = 0;
    // The chosen full path, or an empty string when the player cancels.
    virtual QString chooseFile(const FileDialogRequest& dialog) = 0;

    PromptAnswer ask(const QString& title, const QString& text, PromptIcon icon)
    {
        return message({title, text, icon, PromptButtons::YesNo, {}});
    }
    // Save, Discard or Cancel, with the question icon.
    PromptAnswer askToSave(const QString& title, const QString& text)
    {
        return message({title, text, PromptIcon::Question, PromptButtons::SaveDiscardCancel, {}});
    }
    void notify(const QString& title, const QString& text, PromptIcon icon)
    {
        message({title, text, icon, PromptButtons::Ok, {}});
    }
    // Every error box: critical icon, OK only, the report's words in the box and its
    // numbers under Show Details.
    void showError(const ErrorReport& report)
    {
        message({report.title, report.text, PromptIcon::Critical, PromptButtons::Ok, report.details});
    }
    // A failure reported only by number and description: the box still speaks in
    // words, and the code name of the step that failed goes under Show Details.
    void showError(const QString& step, qint64 number, const QString& description)
    {
        ErrorReport report = ErrorReports::forStep(QStringLiteral("finish the command"), int(number), description, {});
        report.details += QStringLiteral("\nStep: ") + step;
        showError(report);
    }
};
