#include "app/RunPreviewCommand.h"

#include "app/MenuItems.h"
#include "app/ScriptOpener.h"
#include "editor/RunPreview.h"
#include "editor/RunPreviewPanel.h"
#include "editor/ScriptArea.h"
#include "editor/ScriptWindow.h"
#include "platform/PathLookup.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptFile.h"
#include "platform/Settings.h"
#include "state/AppState.h"
#include "tree/CommandTreeBuilder.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QMainWindow>
#include <QTimer>

namespace {
const QString kTargetKey = QStringLiteral("PreviewTarget");
const QString kFightingTargetKey = QStringLiteral("PreviewFightingTarget");
const QString kOwnNameKey = QStringLiteral("PreviewOwnName");
const QString kArgumentsKey = QStringLiteral("PreviewArguments");
}

RunPreviewCommand::RunPreviewCommand(AppState& state, ScriptArea& area, QMainWindow& main)
    : QObject(&main), m_state(state), m_area(area), m_main(main), m_pause(new QTimer(this))
{
    setObjectName(QStringLiteral("RunPreviewCommand"));
    m_pause->setObjectName(QStringLiteral("previewPause"));
    m_pause->setSingleShot(true);
    m_pause->setInterval(kPauseMs);
    connect(m_pause, &QTimer::timeout, this, &RunPreviewCommand::refresh);
    connect(&m_area, &QMdiArea::subWindowActivated, this, &RunPreviewCommand::followActiveScript);
    connect(&m_state, &AppState::gamePathChanged, m_pause, qOverload<>(&QTimer::start));
}

void RunPreviewCommand::createPanel()
{
    m_dock = new QDockWidget(QStringLiteral("Run Preview"), &m_main);
    m_dock->setObjectName(QStringLiteral("dockRunPreview"));
    m_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_panel = new RunPreviewPanel(m_dock);
    m_dock->setWidget(m_panel);
    const Settings& settings = m_state.settings;
    m_panel->setFields({settings.read(kTargetKey, QString()), settings.read(kFightingTargetKey, QString()),
                        settings.read(kOwnNameKey, QString())},
                       settings.read(kArgumentsKey, QString()));
    // Kept once the typing pauses, not at every key: each write rewrites the settings file.
    connect(m_panel, &RunPreviewPanel::fieldsEdited, this, [this] {
        m_fieldsEdited = true;
        m_pause->start();
    });
    // One tab beside Check Script's findings rather than a second strip of rows.
    auto* check = m_main.findChild<QDockWidget*>(QStringLiteral("dockScriptCheck"));
    if (check && m_main.dockWidgetArea(check) != Qt::NoDockWidgetArea)
        m_main.tabifyDockWidget(check, m_dock);
    else
        m_main.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    // A dozen rows, but never more than a third of the window: the scripts stay in view.
    const int rows = m_panel->sizeHint().height() + 8 * m_panel->fontMetrics().height();
    m_main.resizeDocks({m_dock}, {std::min(rows, m_main.height() / 3)}, Qt::Vertical);
}

void RunPreviewCommand::showPreview()
{
    if (!m_area.activeScriptWindow())
        return;
    if (!m_dock)
        createPanel();
    m_dock->show();
    m_dock->raise();
    followActiveScript();
    refresh();
}

void RunPreviewCommand::followActiveScript()
{
    disconnect(m_edits);
    if (!m_dock)
        return;
    if (RichTextControl* editor = m_area.activeEditor())
        m_edits = connect(editor, &RichTextControl::contentChanged, m_pause, qOverload<>(&QTimer::start));
    // Not at once: the click or key that changed the window is handled first.
    m_pause->start();
}

void RunPreviewCommand::saveFields()
{
    if (!m_fieldsEdited)
        return;
    m_fieldsEdited = false;
    const RunPreview::Names names = m_panel->names();
    m_state.settings.write(kTargetKey, names.target);
    m_state.settings.write(kFightingTargetKey, names.fightingTarget);
    m_state.settings.write(kOwnNameKey, names.own);
    m_state.settings.write(kArgumentsKey, m_panel->argumentText());
}

QString RunPreviewCommand::scriptsFolder() const
{
    return PathLookup::findDirectory(m_state.gamePath(), QStringLiteral("scripts"));
}

void RunPreviewCommand::refresh()
{
    m_pause->stop();
    if (!m_dock)
        return;
    saveFields();
    ScriptWindow* window = m_area.activeScriptWindow();
    if (!m_dock->isVisible())
        return;
    if (!window) {
        m_panel->showNoScript();
        m_dock->setWindowTitle(QStringLiteral("Run Preview"));
        return;
    }
    if (!m_knowledge)
        m_knowledge = ScriptKnowledge::fromCatalogue(m_state.catalogue);
    // Read afresh each time: scripts saved since the last preview count.
    const QString folder = scriptsFolder();
    RunPreview::ScriptsFolder scripts;
    if (!folder.isEmpty()) {
        scripts.files = CommandTreeBuilder::scriptFiles(folder);
        scripts.read = [folder](const QString& name) -> std::optional<QString> {
            const QString path = PathLookup::findFile(folder + u'/', name);
            if (path.isEmpty())
                return std::nullopt;
            ScriptFile::ReadResult read = ScriptFile::read(path);
            return read.result.ok() ? std::optional(read.text) : std::nullopt;
        };
    }
    const RunPreview::Run run =
        RunPreview::preview(window->editor()->Text(), QFileInfo(window->fileName()).fileName(), *m_knowledge, scripts,
                            m_panel->names(), m_panel->arguments());
    m_panel->showRun(run, window->editor(), [this](const QString& name) { return openScript(name); });
    m_dock->setWindowTitle(QStringLiteral("Run Preview: ") + MenuItems::shownTitle(*window));
}

RichTextControl* RunPreviewCommand::openScript(const QString& name)
{
    const QString folder = scriptsFolder();
    const QString path = folder.isEmpty() ? QString() : PathLookup::findFile(folder + u'/', name);
    if (path.isEmpty() || !ScriptOpener(m_area).open(path))
        return nullptr;
    return m_area.activeEditor();
}
