#pragma once

#include "editor/ToolbarKey.h"
#include "platform/IoResult.h"
#include "platform/ScriptFile.h"
#include "platform/ScriptPrinter.h"

#include <QMdiSubWindow>
#include <QString>

#include <memory>

class QAction;
class QTimer;
class QToolBar;
class RichTextControl;
class ScriptToolbarActions;
class AppState;

// One script in a child window of the main window: its text in the editor, the
// file it belongs to, and whether it holds changes not yet written. The window owns
// the script's loading and saving: every file command runs here, from its own
// toolbar or from the main menu, and says whether it went through.
class ScriptWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ScriptWindow(AppState& app, QWidget* parent = nullptr);
    ~ScriptWindow() override;

    // The filter of the open and save dialogs.
    static QString fileFilter();

    RichTextControl* editor() const { return m_editor; }

    bool isChanged() const { return m_changed; }
    // Also shows or clears the title's mark for unsaved changes.
    void setChanged(bool changed);
    void markChanged() { setChanged(true); }
    // Full path of the script file; empty for a script never opened or saved.
    QString fileName() const { return m_fileName; }
    // Text length at the last colouring pass.
    int colouredLength() const { return m_colouredLength; }

    // Where Print sends the script (tests print to PDF through it).
    ScriptPrinter& printer() { return m_printer; }
    // How scripts reach the disk (tests hand it a failing device).
    ScriptFile& scriptFile() { return m_scriptFile; }

    // The toolbar button for this key, or null (SaveAs has none).
    QAction* toolbarAction(ToolbarKey key) const;

    // The file commands. A failure shows the "Error in tlbasxToolbar1_ButtonClick" box;
    // each returns whether it went through (a question answered No or a dialog left
    // counts as not).
    // Empties the window for a new script, offering to save a changed one first.
    bool newScript();
    // Asks for a file and loads it, offering to save a changed script first.
    bool open();
    // Opens a script named outside this window's own dialog (command line, a drop,
    // the recent list) as Open does once its dialog is answered.
    bool openFile(const QString& path);
    // Writes a changed script to its file, asking for a name when it has none.
    bool save();
    bool saveAs();
    bool print();

    // Colours what the edits since the last pass touched; runs as soon as each edit
    // is over.
    void colourEdits();
    // The window shows no script lines (the command book): nothing to colour.
    void stopColouring();
    bool colours() const;
    // The window holds a book to read (the command book): read-only, titled `title`,
    // uncoloured, never marked changed, so it closes without asking to save.
    void setReadOnlyBook(const QString& title);
    bool isReadOnlyBook() const { return m_book; }

public slots:
    // A toolbar key: a file command or one of the editing actions.
    void runToolbarKey(ToolbarKey key);
    // Opens the caret's line in the properties dialog (a "/script" line is only
    // selected); OK marks the window changed through the line it writes.
    void editLineInDialog();

signals:
    // F1 in a locked script asks for the command book.
    void commandBookRequested();

protected:
    // The closing prompt. A save the player cancels, or one that fails, keeps the
    // window open with its text: closing would lose it.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolbar();
    IoResult loadScript(const QString& path);
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
    RichTextControl* const m_editor;
    QToolBar* const m_toolbar;
    QTimer* const m_colouringTimer;
    ScriptPrinter m_printer;
    ScriptFile m_scriptFile;
    QString m_fileName;
    bool m_changed = false;
    int m_colouredLength = 0;
    bool m_colouringOff = false;
    bool m_book = false;
    // The variable buttons, Delete and the double-click on a line.
    std::unique_ptr<ScriptToolbarActions> m_editActions;
};
