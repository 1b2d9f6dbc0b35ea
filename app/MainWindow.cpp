#include "app/MainWindow.h"

#include "app/CommandBook.h"
#include "app/EditMenuCommands.h"
#include "app/InserterMenu.h"
#include "app/MainMenuCommands.h"
#include "app/MenuItems.h"
#include "app/RecentScriptsMenu.h"
#include "app/RunPreviewCommand.h"
#include "app/RecoveryOffer.h"
#include "app/ScriptCheckCommand.h"
#include "app/ScriptDrops.h"
#include "app/ScriptOpener.h"
#include "app/TerminationSignals.h"
#include "app/WindowPlacement.h"
#include "dialogs/AboutDialog.h"
#include "editor/ScriptArea.h"
#include "editor/ScriptTitle.h"
#include "editor/ScriptWindow.h"
#include "platform/DesignScale.h"
#include "platform/PathLookup.h"
#include "platform/Prompt.h"
#include "tree/CommandTreeBuilder.h"
#include "tree/CommandTreePanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

MainWindow::MainWindow(Prompt& prompt, const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_settings(prompt), m_catalogue(prompt, catalogueFile), m_state{prompt, m_catalogue, m_settings}
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Zandrel"));

    // The scripts take what the window gains or loses; the tree keeps the width the
    // player dragged it to.
    m_treeSplitter = new QSplitter(Qt::Horizontal, this);
    m_treeSplitter->setObjectName(QStringLiteral("treeSplitter"));
    m_treeSplitter->setChildrenCollapsible(false);
    m_scriptArea = new ScriptArea(m_state, m_treeSplitter);
    m_treePanel = new CommandTreePanel(m_state, *m_scriptArea, m_treeSplitter);
    m_treeSplitter->addWidget(m_scriptArea);
    m_treeSplitter->addWidget(m_treePanel);
    m_treeSplitter->setStretchFactor(0, 1);
    m_treeSplitter->setStretchFactor(1, 0);
    setCentralWidget(m_treeSplitter);

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusBar()->addWidget(m_statusLabel, 1);
    // The designed strip, but never lower than its text needs.
    statusBar()->setFixedHeight(std::max(DesignScale(font()).y(255), statusBar()->sizeHint().height()));
    statusBar()->setSizeGripEnabled(true);
    connect(m_treePanel, &CommandTreePanel::nodeTagShown, m_statusLabel, &QLabel::setText);
    connect(m_scriptArea, &ScriptArea::statusNote, m_statusLabel, &QLabel::setText);
    // Queued, so the key or click that asked for the book is handled first.
    connect(m_scriptArea, &ScriptArea::commandBookRequested, this, &MainWindow::openCommandBook, Qt::QueuedConnection);

    m_mainMenu = std::make_unique<MainMenuCommands>(*this, *m_scriptArea);
    m_editMenu = new EditMenuCommands(m_state, *m_scriptArea, this);
    connect(m_editMenu, &EditMenuCommands::statusMessage, m_statusLabel, &QLabel::setText);
    m_specialMenu = new InserterMenu(m_catalogue, *m_scriptArea, this);
    m_checkScript = new ScriptCheckCommand(m_state, *m_scriptArea, *this);  // a child: lives as long as the window
    m_runPreview = new RunPreviewCommand(m_state, *m_scriptArea, *this);
    createMenus();
    connect(m_scriptArea, &ScriptArea::subWindowActivated, m_editMenu, &EditMenuCommands::followActiveScript);
    connect(m_scriptArea, &ScriptArea::subWindowActivated, this, &MainWindow::showActiveScript);
    connect(m_scriptArea, &ScriptArea::scriptTitleChanged, this, &MainWindow::showActiveScript);
    m_state.scriptFileUsed = &RecentScriptsMenu::noteScript;
    new ScriptDrops(*this, [this](const QStringList& paths) { openScripts(paths); });
    restoreWindowLayout();
}

MainWindow::~MainWindow()
{
    // The child windows close in QWidget's destructor, after this window's own parts
    // are gone: the Edit menu must not hear of the active script changing then.
    disconnect(m_scriptArea, nullptr, m_editMenu, nullptr);
    disconnect(m_scriptArea, nullptr, m_runPreview, nullptr);
    // Nor this window, which by then is a plain widget: its title must not follow them.
    disconnect(m_scriptArea, nullptr, this, nullptr);
}

QString MainWindow::defaultCatalogueFile()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString beside = dir.filePath(QStringLiteral("zandrel.db"));
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(dir.filePath(QStringLiteral("../share/zandrel/zandrel.db")));
}

void MainWindow::createMenus()
{
    QMenuBar& bar = *menuBar();
    QMenu& file = m_mainMenu->addFileMenu(bar);
    // The recent scripts sit between the file items and Exit, the menu's last item.
    new RecentScriptsMenu(m_state.prompt, file, *file.actions().constLast(),
                          [this](const QString& path) { openScripts({path}); }, this);
    m_editMenu->addEditMenu(bar, [this] { m_checkScript->checkActiveScript(); });
    m_editMenu->addRunPreview([this] { m_runPreview->showPreview(); });
    m_specialMenu->addSpecialMenu(bar);
    m_mainMenu->addWindowMenu(bar);
    QMenu& help = *MenuItems::addMenu(bar, QStringLiteral("mnuHelp2"), QStringLiteral("&Help"));
    connect(MenuItems::addItem(help, QStringLiteral("mnuAllC"), QStringLiteral("&All Commands"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &MainWindow::openCommandBook);
    connect(MenuItems::addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("A&bout")), &QAction::triggered, this,
            &MainWindow::showAbout);
}

bool MainWindow::start()
{
    if (m_catalogue.OpenCatalogue() == Catalogue::OpenResult::DriverMissing)
        return false;

    m_state.setFreeType(m_settings.read(QStringLiteral("FreeType"), QStringLiteral("0")) == QLatin1String("1"));

    m_state.setGamePath(m_settings.read(QStringLiteral("AOPath"), QString()));
    if (!PathLookup::findFile(m_state.gamePath(), QStringLiteral("anarchy.exe")).isEmpty())
        checkScriptsFolder();
    else
        m_state.setGamePath(QString());  // for this run only; the stored setting stays

    m_treePanel->fill();
    // A game folder chosen later (Options) lists its scripts at once.
    connect(&m_state, &AppState::gamePathChanged, m_treePanel, &CommandTreePanel::fill);
    newScriptWindow();
    placeTree();
    RecoveryOffer::offer(m_state.prompt, *m_scriptArea);
    // From here on, unsaved text outlives a logout or a kill.
    new TerminationSignals([this] { m_scriptArea->keepAllForRecovery(); }, this);
    m_specialMenu->addArgumentItems();
    for (const QString& breed : m_catalogue.breeds())
        m_specialMenu->addBreed(breed);
    for (const QString& profession : m_catalogue.professions())
        m_specialMenu->addProfession(profession);
    return true;
}

void MainWindow::checkScriptsFolder()
{
    if (!PathLookup::findDirectory(m_state.gamePath(), QStringLiteral("scripts")).isEmpty())
        return;
    const PromptAnswer answer = m_state.prompt.ask(
        QStringLiteral("Create Scripts Directory"),
        QStringLiteral("Zandrel has detected that you do not currently have the correct scripts directory. "
                       "Zandrel can create this for you now, is this ok?"),
        PromptIcon::Question);
    if (answer != PromptAnswer::Yes)
        return;
    const QString folder = m_state.gamePath() + QStringLiteral("scripts");
    if (!QDir().mkpath(folder)) {
        // The player asked for the folder, so a failure must not pass in silence.
        m_state.prompt.notify(QStringLiteral("Create Scripts Directory"),
                              QStringLiteral("Zandrel could not create the folder '") + folder +
                                  QStringLiteral("'. Check that you may write to the game folder."),
                              PromptIcon::Warning);
    }
}

ScriptWindow* MainWindow::activeScriptWindow() const
{
    return m_scriptArea->activeScriptWindow();
}

ScriptWindow* MainWindow::newScriptWindow()
{
    return m_scriptArea->newScriptWindow();
}

void MainWindow::openScripts(const QStringList& paths)
{
    ScriptOpener(*m_scriptArea).open(paths);
}

void MainWindow::showActiveScript()
{
    const ScriptWindow* script = activeScriptWindow();
    // A maximised script window has Qt add its title to the main window's own, which
    // then has to stay the program's name alone.
    const bool qtNamesIt = script && script->isMaximized();
    setWindowTitle(script && !qtNamesIt ? ScriptTitle::mainWindowTitle(script->shownName(), script->isChanged())
                                        : ScriptTitle::mainWindowTitle(QString(), false));
    if (script)
        m_statusLabel->setText(ScriptTitle::statusText(script->fileName()));
}

void MainWindow::restoreWindowLayout()
{
    const QByteArray geometry = m_settings.readWindowLayout(QStringLiteral("Geometry"));
    m_firstStart = geometry.isEmpty() || !restoreGeometry(geometry);
    if (m_firstStart) {
        // At least the designed client area, grown as the font has grown.
        const QSize designed = DesignScale(font()).size(7890, 5265) + QSize(0, menuBar()->sizeHint().height());
        setGeometry(WindowPlacement::firstStart(screen()->availableGeometry(), designed));
    }
    restoreState(m_settings.readWindowLayout(QStringLiteral("State")));
    if (!m_firstStart && !isMaximized() && !isFullScreen()) {
        // Stored at another screen size or scale, the window could reach past the
        // screen; the frame's own size counts, so the title bar stays reachable too.
        const QRect frame = frameGeometry();
        const QRect fit = WindowPlacement::fitted(frame, screen()->availableGeometry());
        if (fit != frame) {
            resize(size() - (frame.size() - fit.size()));
            move(fit.topLeft());
        }
    }
}

void MainWindow::placeTree()
{
    bool stored = false;
    int width = m_settings.readWindowLayout(QStringLiteral("TreeWidth")).toInt(&stored);
    if (!stored || width <= 0) {
        // The first time: the group names whole beside a script window with its
        // whole toolbar; a first-start window too narrow for both grows, as far as
        // the screen lets it.
        const ScriptWindow* script = activeScriptWindow();
        const int scriptsNeed = (script ? script->sizeHint().width() : 0) + 2 * m_scriptArea->frameWidth() +
                                m_treeSplitter->handleWidth();
        width = m_treePanel->fittingWidth();
        if (m_firstStart && this->width() < scriptsNeed + width)
            setGeometry(WindowPlacement::firstStart(screen()->availableGeometry(), QSize(scriptsNeed + width, height())));
        width = std::max(1, std::min(width, this->width() - scriptsNeed));
    }
    // The scripts' share is only a weight: they take whatever the tree leaves.
    m_treeSplitter->setSizes({std::max(1, this->width() - width), width});
    // A script window opened into a narrower area was cut to it; now it has room.
    if (ScriptWindow* script = activeScriptWindow(); script && script->width() < script->sizeHint().width())
        script->resize(script->sizeHint().width(), script->height());
}

void MainWindow::saveWindowLayout()
{
    m_settings.writeWindowLayout(QStringLiteral("Geometry"), saveGeometry());
    m_settings.writeWindowLayout(QStringLiteral("State"), saveState());
    // A window never shown has not laid its panel out; the stored width then stays.
    if (m_treePanel->isVisible())
        m_settings.writeWindowLayout(QStringLiteral("TreeWidth"), QByteArray::number(m_treePanel->width()));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A script window whose save was cancelled or failed stays open with its text;
    // ending the program now would lose that script.
    if (!m_scriptArea->closeAll()) {
        event->ignore();
        return;
    }
    saveWindowLayout();
    shutDown();
    event->accept();
}

void MainWindow::shutDown()
{
    m_catalogue.close();
    QCoreApplication::quit();
}

void MainWindow::openCommandBook()
{
    CommandBook(m_catalogue, *m_scriptArea).build();
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}
