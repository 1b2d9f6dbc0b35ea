#pragma once

#include <QObject>

#include <functional>

class AppState;
class QAction;
class QMenuBar;
class ScriptWorkspace;

// The Edit menu: Undo and Redo, Find, Check Script, Clear, the Free Type switch and
// Options, acting on the active script window. A child of the main window.
class EditMenuCommands : public QObject {
    Q_OBJECT
public:
    EditMenuCommands(AppState& state, ScriptWorkspace& windows, QObject* parent = nullptr);

    // The Edit menu, each item connected to its command. The Free Type item's mark
    // follows the free-typing flag from then on.
    void addEditMenu(QMenuBar& bar, const std::function<void()>& checkScript);
    // Run Preview (F5), after Check Script.
    void addRunPreview(const std::function<void()>& runPreview);

    // Undo and Redo follow the active script's history; called whenever another
    // script window becomes the active one (or none is left).
    void followActiveScript();

public slots:
    // One step back or forward in the active script's history, free typing on or off.
    void undo();
    void redo();
    // The find dialog on the active script, modal; nothing without a script window.
    void find();
    // The last search again, from the selection on (F3); the dialog when there is none.
    void findNext();
    // Empties the active script, which marks it changed; its file stays its own.
    void clear();
    // Flips free typing: the setting ("1"/"0"), the check mark and the flag at once.
    void toggleFreeType();
    void showOptions();

signals:
    // A line for the main window's status bar.
    void statusMessage(const QString& text);

private:
    AppState& m_state;
    QString m_findText;
    int m_findOptions = 0;
    ScriptWorkspace& m_windows;
    QAction* m_freeType = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_checkScript = nullptr;
    QMetaObject::Connection m_undoFollows;
    QMetaObject::Connection m_redoFollows;
};
