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
class DiskWatch;
class RecoveryKeeper;

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
    // The name in the title: the file's name, or "New File", "New File 2", ...
    QString shownName() const;
    // Which "New File" this window is while it has no file: the lowest number no
    // other unsaved window of its area holds, so two never share a title.
    int untitledNumber() const { return m_untitledNumber; }
    // Takes that number anew, once the window is in its area.
    void takeUntitledNumber();
    // How questions name the script: its file name, or the title of a new script.
    QString scriptName() const;
    // Text length at the last colouring pass.
    int colouredLength() const { return m_colouredLength; }

    // Where Print sends the script (tests answer its dialogs through it).
    ScriptPrinter& printer() { return m_printer; }
    // How scripts reach the disk (tests hand it a failing device).
    ScriptFile& scriptFile() { return m_scriptFile; }

    // Asked before this window takes a file by Open or a save dialog: brings
    // forward another window that holds the file and returns true, so one file
    // lives in one window. Unset, every file is taken here.
    using HolderFinder = std::function<bool(const QString& path, const ScriptWindow* asking)>;
    void setHolderFinder(HolderFinder finder) { m_holderFinder = std::move(finder); }

    // The toolbar button for this key, or null (SaveAs has none).
    QAction* toolbarAction(ToolbarKey key) const;

    // The file commands. A failure shows an error box that names the file and why;
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
    // Through the print dialog; false when the player left it or printing failed.
    bool print();
    // The pages as they would print, with the print dialog's choices beside them.
    void printPreview();
    // Takes the text kept in a recovery file by a run that ended before it was
    // saved: marked changed, tied to its own file again (never written by itself).
    void restore(const QString& recoveryFile, const QString& scriptFile, const QString& text);
    // Writes the unsaved text to its recovery file now (the program is being ended).
    void keepForRecovery();
    QString recoveryFile() const;
    // The file was deleted or moved away by another program; Save writes it again.
    bool isGoneFromDisk() const { return m_goneFromDisk; }

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
    // The file changed on disk: read again when nothing here is unsaved, else the
    // player chooses between the two. The watcher calls it; tests call it directly.
    void followDiskChange();
    // The file is gone from disk: the title says so and the window counts as changed.
    void noteGoneFromDisk();
    // A toolbar key: a file command or one of the editing actions.
    void runToolbarKey(ToolbarKey key);
    // Opens the caret's line in the properties dialog (a "/script" line is only
    // selected); OK marks the window changed through the line it writes.
    void editLineInDialog();

signals:
    // F1 in a locked script asks for the command book.
    void commandBookRequested();
    // The name or the mark of unsaved changes in the title changed.
    void titleChanged();
    // A line for the status bar (a script read again after another program's change).
    void statusNote(const QString& text);

protected:
    // The closing prompt. A save the player cancels, or one that fails, keeps the
    // window open with its text: closing would lose it.
    void closeEvent(QCloseEvent* event) override;
    // The full path shows as the title bar's tooltip, and only there: over the
    // script it would cover the lines being read.
    bool event(QEvent* event) override;

private:
    void buildToolbar();
    // What of a paste or a drop goes in; the player is told of anything left out.
    QString takePaste(const QString& pasted);
    IoResult loadScript(const QString& path);
    // "Save changes to ...?" (Save / Discard / Cancel) before the text is replaced or
    // dropped. False when the player cancelled, chose to save and then left the
    // dialog, or the write failed: the action that asked must not go on.
    bool offerToSave();
    // The one way the script reaches a file, for every action: warns first of
    // characters the file cannot hold, writes, and on failure says why in an error
    // box that names the file. True once the text is in the file.
    bool saveTo(const QString& path);
    // Starts in `startFolder`, or in the scripts folder when that is empty.
    QString chooseSaveFile(const QString& startFolder);
    // Where Open and the first Save of a script start: the game's scripts folder.
    QString scriptsFolder() const;
    // True when another window holds `path` and was brought forward instead.
    bool heldElsewhere(const QString& path);
    // The file the next Save writes to, shown in the title.
    void setFileName(const QString& path);
    void showTitle();

    AppState& m_app;
    RichTextControl* const m_editor;
    QToolBar* const m_toolbar;
    QTimer* const m_colouringTimer;
    ScriptPrinter m_printer;
    ScriptFile m_scriptFile;
    QString m_fileName;
    int m_untitledNumber = 1;
    bool m_changed = false;
    int m_colouredLength = 0;
    HolderFinder m_holderFinder;
    bool m_goneFromDisk = false;
    // Written at every line end: the file's own, so its unedited lines keep theirs.
    QByteArray m_lineBreak = QByteArrayLiteral("\r\n");
    DiskWatch* const m_diskWatch;
    RecoveryKeeper* const m_recovery;
    bool m_colouringOff = false;
    bool m_book = false;
    // The variable buttons, Delete and the double-click on a line.
    std::unique_ptr<ScriptToolbarActions> m_editActions;
};
