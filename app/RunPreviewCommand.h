#pragma once

#include "editor/ScriptKnowledge.h"

#include <QObject>

#include <optional>

class AppState;
class QDockWidget;
class QMainWindow;
class QTimer;
class RichTextControl;
class RunPreviewPanel;
class ScriptArea;

// Edit > Run Preview: the active script as the game would run it, in a panel along
// the bottom of the main window beside Check Script's. While the panel is shown it
// follows the active window and, a moment after the typing stops, its edits. The
// names and words the player types into it are kept in the settings. A child of the
// main window.
class RunPreviewCommand : public QObject {
    Q_OBJECT
public:
    RunPreviewCommand(AppState& state, ScriptArea& area, QMainWindow& main);

    RunPreviewPanel* panel() const { return m_panel; }
    // How long the panel waits after an edit before it previews again.
    static constexpr int kPauseMs = 400;

public slots:
    // Shows the panel (its tab in front) on the active script; nothing without one.
    void showPreview();
    // Previews the active script again, when the panel is shown.
    void refresh();

private:
    void createPanel();
    void followActiveScript();
    void saveFields();
    // The editor of a script of the scripts folder, opened when it is not yet.
    RichTextControl* openScript(const QString& name);
    QString scriptsFolder() const;

    AppState& m_state;
    ScriptArea& m_area;
    QMainWindow& m_main;
    QDockWidget* m_dock = nullptr;
    RunPreviewPanel* m_panel = nullptr;
    QTimer* m_pause = nullptr;
    QMetaObject::Connection m_edits;
    bool m_fieldsEdited = false;
    std::optional<ScriptKnowledge> m_knowledge;  // the catalogue does not change while the program runs
};
