#include "app/frmMain.h"

#include "app/CommandBook.h"
#include "app/EditMenuCommands.h"
#include "app/InserterMenu.h"
#include "app/MainMenuCommands.h"
#include "app/MenuItems.h"
#include "app/RecentScriptsMenu.h"
#include "app/ScriptCheckCommand.h"
#include "app/ScriptDrops.h"
#include "app/ScriptOpener.h"
#include "app/WindowPlacement.h"
#include "dialogs/frmAbout.h"
#include "editor/frmWindow.h"
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
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

frmMain::frmMain(Prompt& prompt, const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_settings(prompt), m_catalogue(prompt, catalogueFile), m_state{prompt, m_catalogue, m_settings}
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Zandrel"));

    // The scripts take what the window gains or loses; the tree keeps the width the
    // player dragged it to.
    treeSplitter = new QSplitter(Qt::Horizontal, this);
    treeSplitter->setObjectName(QStringLiteral("treeSplitter"));
    treeSplitter->setChildrenCollapsible(false);
    mdiArea = new QMdiArea(treeSplitter);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    picBar = new CommandTreePanel(m_state, *this, treeSplitter);
    treeSplitter->addWidget(mdiArea);
    treeSplitter->addWidget(picBar);
    treeSplitter->setStretchFactor(0, 1);
    treeSplitter->setStretchFactor(1, 0);
    setCentralWidget(treeSplitter);

    sbStatusBar1 = new QLabel(this);
    sbStatusBar1->setObjectName(QStringLiteral("sbStatusBar1"));
    statusBar()->addWidget(sbStatusBar1, 1);
    // The designed strip, but never lower than its text needs.
    statusBar()->setFixedHeight(std::max(DesignScale(font()).y(255), statusBar()->sizeHint().height()));
    statusBar()->setSizeGripEnabled(true);
    connect(picBar, &CommandTreePanel::nodeTagShown, sbStatusBar1, &QLabel::setText);

    tmHelp.setInterval(100);
    tmHelp.setSingleShot(false);
    connect(&tmHelp, &QTimer::timeout, this, &frmMain::tmHelp_Timer);

    const frmWindow::Host host{[this] { requestCommandBook(); }, [this] { return dialogOwner(); }};
    m_mainMenu = std::make_unique<MainMenuCommands>(m_state, *this, *mdiArea, host);
    m_editMenu = new EditMenuCommands(m_state, *this, this);
    m_specialMenu = new InserterMenu(m_state, *this, this);
    m_checkScript = new ScriptCheckCommand(m_state, *this, *this);  // a child: lives as long as the window
    createMenus();
    connect(mdiArea, &QMdiArea::subWindowActivated, m_editMenu, &EditMenuCommands::followActiveScript);
    m_state.scriptFileUsed = &RecentScriptsMenu::noteScript;
    new ScriptDrops(*this, [this](const QStringList& paths) { openScripts(paths); });
    restoreWindowLayout();
}

frmMain::~frmMain()
{
    // The child windows close in QWidget's destructor, after this window's own parts
    // are gone: the Edit menu must not hear of the active script changing then.
    disconnect(mdiArea, nullptr, m_editMenu, nullptr);
}

QString frmMain::defaultCatalogueFile()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString beside = dir.filePath(QStringLiteral("zandrel.db"));
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(dir.filePath(QStringLiteral("../share/zandrel/zandrel.db")));
}

void frmMain::createMenus()
{
    QMenuBar& bar = *menuBar();
    QMenu& file = m_mainMenu->addFileMenu(bar);
    // The recent scripts sit between the file items and Exit, the menu's last item.
    new RecentScriptsMenu(m_state.prompt, file, *file.actions().constLast(),
                          [this](const QString& path) { openScripts({path}); }, this);
    m_editMenu->addEditMenu(bar, [this] { m_checkScript->mnuCheckScript_Click(); });
    m_specialMenu->addSpecialMenu(bar);
    m_mainMenu->addWindowMenu(bar);
    QMenu& help = *MenuItems::addMenu(bar, QStringLiteral("mnuHelp2"), QStringLiteral("&Help"));
    connect(MenuItems::addItem(help, QStringLiteral("mnuAllC"), QStringLiteral("All Commands"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &frmMain::mnuAllC_Click);
    connect(MenuItems::addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("About")), &QAction::triggered, this,
            &frmMain::mnuAbout_Click);
}

bool frmMain::Form_Load()
{
    if (m_catalogue.OpenCatalogue() == Catalogue::OpenResult::DriverMissing)
        return false;

    m_state.setFreeType(m_settings.read(QStringLiteral("FreeType"), QStringLiteral("0")) == QLatin1String("1"));

    m_state.gamePath = m_settings.read(QStringLiteral("AOPath"), QString());
    if (!PathLookup::findFile(m_state.gamePath, QStringLiteral("anarchy.exe")).isEmpty())
        checkScriptsFolder();
    else
        m_state.gamePath.clear();  // for this run only; the stored setting stays

    CommandTreeBuilder(m_catalogue, picBar->imgSmall()).FillCommandTree(*picBar->tvwTreeView1, m_state.gamePath);
    newScriptWindow();
    placeTree();
    m_specialMenu->addArgumentItems();
    for (const QString& breed : m_catalogue.breeds())
        m_specialMenu->addBreed(breed);
    for (const QString& profession : m_catalogue.professions())
        m_specialMenu->addProfession(profession);
    return true;
}

void frmMain::checkScriptsFolder()
{
    if (!PathLookup::findDirectory(m_state.gamePath, QStringLiteral("scripts")).isEmpty())
        return;
    const PromptAnswer answer = m_state.prompt.ask(
        QStringLiteral("Create Scripts Directory"),
        QStringLiteral("Zandrel has detected that you do not currently have the correct scripts directory. "
                       "Zandrel can create this for you now, is this ok?"),
        PromptIcon::Question);
    if (answer != PromptAnswer::Yes)
        return;
    const QString folder = m_state.gamePath + QStringLiteral("scripts");
    if (!QDir().mkpath(folder)) {
        // The player asked for the folder, so a failure must not pass in silence.
        m_state.prompt.notify(QStringLiteral("Create Scripts Directory"),
                              QStringLiteral("Zandrel could not create the folder '") + folder +
                                  QStringLiteral("'. Check that you may write to the game folder."),
                              PromptIcon::Warning);
    }
}

frmWindow* frmMain::activeScriptWindow() const
{
    return m_mainMenu->activeScriptWindow();
}

frmWindow* frmMain::newScriptWindow()
{
    return m_mainMenu->mnuNew_Click();
}

void frmMain::requestCommandBook()
{
    tmHelp.start();
}

void frmMain::openScripts(const QStringList& paths)
{
    ScriptOpener(*this, *mdiArea).open(paths);
}

void frmMain::restoreWindowLayout()
{
    const QByteArray geometry = m_settings.readWindowLayout(QStringLiteral("Geometry"));
    m_firstStart = geometry.isEmpty() || !restoreGeometry(geometry);
    if (m_firstStart) {
        // At least the designed client area, grown as the font has grown.
        const QSize designed = DesignScale(font()).size(7890, 5265) + QSize(0, menuBar()->sizeHint().height());
        setGeometry(WindowPlacement::firstStart(screen()->availableGeometry(), designed));
    }
    restoreState(m_settings.readWindowLayout(QStringLiteral("State")));
}

void frmMain::placeTree()
{
    bool stored = false;
    int width = m_settings.readWindowLayout(QStringLiteral("TreeWidth")).toInt(&stored);
    if (!stored || width <= 0) {
        // The first time: the group names whole beside a script window with its
        // whole toolbar; a first-start window too narrow for both grows, as far as
        // the screen lets it.
        const frmWindow* script = activeScriptWindow();
        const int scriptsNeed = (script ? script->sizeHint().width() : 0) + 2 * mdiArea->frameWidth() +
                                treeSplitter->handleWidth();
        width = picBar->fittingWidth();
        if (m_firstStart && this->width() < scriptsNeed + width)
            setGeometry(WindowPlacement::firstStart(screen()->availableGeometry(), QSize(scriptsNeed + width, height())));
        width = std::max(1, std::min(width, this->width() - scriptsNeed));
    }
    // The scripts' share is only a weight: they take whatever the tree leaves.
    treeSplitter->setSizes({std::max(1, this->width() - width), width});
    // A script window opened into a narrower area was cut to it; now it has room.
    if (frmWindow* script = activeScriptWindow(); script && script->width() < script->sizeHint().width())
        script->resize(script->sizeHint().width(), script->height());
}

void frmMain::saveWindowLayout()
{
    m_settings.writeWindowLayout(QStringLiteral("Geometry"), saveGeometry());
    m_settings.writeWindowLayout(QStringLiteral("State"), saveState());
    // A window never shown has not laid its panel out; the stored width then stays.
    if (picBar->isVisible())
        m_settings.writeWindowLayout(QStringLiteral("TreeWidth"), QByteArray::number(picBar->width()));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A script window whose save was cancelled or failed stays open with its text;
    // ending the program now would lose that script.
    if (!m_mainMenu->closeScriptWindows()) {
        event->ignore();
        return;
    }
    saveWindowLayout();
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    m_catalogue.close();
    QCoreApplication::quit();
}

void frmMain::tmHelp_Timer()
{
    tmHelp.stop();
    mnuAllC_Click();
}

void frmMain::mnuAllC_Click()
{
    CommandBook(m_state, *this, *this).build();
}

void frmMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}
