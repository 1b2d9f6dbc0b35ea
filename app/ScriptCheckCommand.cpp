#include "app/ScriptCheckCommand.h"

#include "app/MenuItems.h"
#include "state/AppState.h"
#include "tree/CommandTreeBuilder.h"
#include "editor/ScriptCheck.h"
#include "editor/ScriptCheckPanel.h"
#include "editor/ScriptWorkspace.h"
#include "editor/ScriptWindow.h"
#include "platform/PathLookup.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QMainWindow>

ScriptCheckCommand::ScriptCheckCommand(AppState& state, ScriptWorkspace& windows, QMainWindow& main)
    : QObject(&main), m_state(state), m_windows(windows), m_main(main)
{
    setObjectName(QStringLiteral("ScriptCheckCommand"));
}

void ScriptCheckCommand::checkActiveScript()
{
    ScriptWindow* window = m_windows.activeScriptWindow();
    if (!window)
        return;
    if (!m_dock) {
        m_dock = new QDockWidget(&m_main);
        m_dock->setObjectName(QStringLiteral("dockScriptCheck"));
        m_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
        m_panel = new ScriptCheckPanel(m_dock);
        m_dock->setWidget(m_panel);
        // One tab beside the run preview rather than a second strip of rows.
        auto* preview = m_main.findChild<QDockWidget*>(QStringLiteral("dockRunPreview"));
        if (preview && m_main.dockWidgetArea(preview) != Qt::NoDockWidgetArea)
            m_main.tabifyDockWidget(preview, m_dock);
        else
            m_main.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    }
    // The same folder the command tree lists, read afresh: scripts saved since
    // start-up count.
    const QString folder = PathLookup::findDirectory(m_state.gamePath(), QStringLiteral("scripts"));
    std::optional<QStringList> files;
    if (!folder.isEmpty())
        files = CommandTreeBuilder::scriptFiles(folder);
    const QString ownName = QFileInfo(window->fileName()).fileName();
    const ScriptKnowledge knowledge = ScriptKnowledge::fromCatalogue(m_state.catalogue);
    m_panel->showFindings(ScriptCheck::check(window->editor()->Text(), knowledge, files, ownName), window->editor());
    m_dock->setWindowTitle(QStringLiteral("Check Script: ") + MenuItems::shownTitle(*window));
    m_dock->show();
    m_dock->raise();
}
