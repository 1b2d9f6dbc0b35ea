#pragma once

#include "editor/ToolbarKey.h"
#include "platform/IoResult.h"
#include "platform/ScriptFile.h"
#include "platform/ScriptPrinter.h"

#include <QMdiSubWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QTimer;
class QToolBar;
class RichTextControl;
class ScriptToolbarActions;
class AppState;

// One script in a child window of the main window: its text in rtfrypAO, the file
// it belongs to, and whether it holds changes not yet written.
//
// Other windows ask for a file action by starting one of the one-shot timers
// (tmOpen, tmSave, tmSaveAs, tmprint, tmChanged: 100 ms, started twice before the
// tick = run once); the action then runs inside this window as a toolbar click.
class frmWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    // What the window asks of the program around it; either may be left empty.
    struct Host {
        // F1 in a locked script: the command book.
        std::function<void()> requestCommandBook;
        // The window that owns the properties dialog.
        std::function<QWidget*()> dialogOwner;
    };

    explicit frmWindow(AppState& app, Host host = {}, QWidget* parent = nullptr);
    ~frmWindow() override;

    // The filter of the open and save dialogs.
    static QString fileFilter();

    RichTextControl* const rtfrypAO;
    QToolBar* const tlbasxToolbar1;
    QTimer* const tmOpen;
    QTimer* const tmSave;
    QTimer* const tmSaveAs;
    QTimer* const tmprint;
    QTimer* const tmChanged;
    QTimer* const tmHighlight;  // the colouring pass, every 10 s, on from creation

    bool Changed() const { return m_changed; }
    // Also shows or clears the title's mark for unsaved changes.
    void setChanged(bool changed);
    // Full path of the script file; empty for a script never opened or saved.
    QString FileName() const { return m_fileName; }
    // Text length at the last periodic colouring pass.
    int HighlightedLength() const { return m_highlightedLength; }

    // Where Print sends the script (tests print to PDF through it).
    ScriptPrinter& printer() { return m_printer; }
    // How scripts reach the disk (tests hand it a failing device).
    ScriptFile& scriptFile() { return m_scriptFile; }

    // The toolbar button for this key, or null (SaveAs has none).
    QAction* toolbarAction(ToolbarKey key) const;

    // Opens a script named outside this window's own dialog (command line, a drop,
    // the recent list) as Open does once its dialog is answered, with Open's error
    // box; false when it did not open.
    bool openFile(const QString& path);

public slots:
    // Every key first whitens the current colour; New, Open, Save, SaveAs and Print
    // are the file actions. A failing action shows the "Error in
    // tlbasxToolbar1_ButtonClick" box and ends, keeping what it had done.
    void tlbasxToolbar1_ButtonClick(ToolbarKey key);

    void tmOpen_Timer();
    void tmSave_Timer();
    void tmSaveAs_Timer();
    void tmprint_Timer();
    void tmChanged_Timer();
    void tmHighlight_Timer();
    void rtfrypAO_Change();
    // Opens the caret's line in the properties dialog (a "/script" line is only
    // selected) and marks the window changed.
    void rtfrypAO_DblClick();

protected:
    // The closing prompt. A save the player cancels, or one that fails, keeps the
    // window open with its text: closing would lose it.
    void closeEvent(QCloseEvent* event) override;

private:
    // A one-shot timer's tick: the timer goes off, then the toolbar action runs.
    void runOnce(QTimer& timer, ToolbarKey key);
    void buildToolbar();
    void newScript();
    IoResult openScript();
    IoResult loadScript(const QString& path);
    void saveScript();
    void saveScriptAs();
    // "Save changes to ...?" / "Save to a new file?" before the text is replaced or
    // dropped. False when the player chose to save and then cancelled, or the write
    // failed: the action that asked must not go on.
    bool offerToSave(const QString& handler);
    // The one way the script reaches a file, for every action: warns first of
    // characters the file cannot hold, writes, and on failure shows the error box
    // titled after `handler`. True once the text is in the file.
    bool saveTo(const QString& path, const QString& handler);
    QString chooseSaveFile(const QString& startFolder);
    // The file the next Save writes to, shown in the title.
    void setFileName(const QString& path);

    AppState& m_app;
    ScriptPrinter m_printer;
    ScriptFile m_scriptFile;
    QString m_fileName;
    bool m_changed = false;
    int m_highlightedLength = 0;
    // The variable buttons, Delete and the double-click on a line.
    std::unique_ptr<ScriptToolbarActions> m_editActions;
};
