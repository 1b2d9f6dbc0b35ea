#include "app/frmMain.h"

#include "app/CommandBook.h"
#include "app/EditMenuCommands.h"
#include "app/InserterMenu.h"
#include "app/MainMenuCommands.h"
#include "app/ScriptCheckCommand.h"
#include "app/RecentScriptsMenu.h"
#include "app/ScriptDrops.h"
#include "app/ScriptOpener.h"
#include "dialogs/frmAbout.h"
#include "editor/frmWindow.h"
#include "platform/PathLookup.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "tree/CommandTreeBuilder.h"
#include "tree/CommandTreePanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QMenu* addSubMenu(QMenu* parent, const QString& name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

}

frmMain::frmMain(Prompt& prompt, const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_settings(prompt), m_catalogue(prompt, catalogueFile), m_state{prompt, m_catalogue, m_settings}
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Zandrel"));
    resize(twipsToPixels(7890), twipsToPixels(5265) + 60);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    layout->addWidget(mdiArea, 1);
    setCentralWidget(central);
    picBar = new CommandTreePanel(m_state, *this, this);
    layout->addWidget(picBar);

    sbStatusBar1 = new QLabel(this);
    sbStatusBar1->setObjectName(QStringLiteral("sbStatusBar1"));
    statusBar()->addWidget(sbStatusBar1, 1);
    statusBar()->setFixedHeight(twipsToPixels(255));
    statusBar()->setSizeGripEnabled(true);
    connect(picBar, &CommandTreePanel::nodeTagShown, sbStatusBar1, &QLabel::setText);

    tmHelp.setInterval(100);
    tmHelp.setSingleShot(false);
    connect(&tmHelp, &QTimer::timeout, this, &frmMain::tmHelp_Timer);

    createMenus();
    const frmWindow::Host host{[this] { requestCommandBook(); }, [this] { return dialogOwner(); }};
    m_mainMenu = std::make_unique<MainMenuCommands>(m_state, *this, *mdiArea, host);
    new InserterMenu(m_state, *this, *this);      // a child: lives as long as the window
    new EditMenuCommands(m_state, *this, *this);  // a child: lives as long as the window
    new ScriptCheckCommand(m_state, *this, *this);  // a child: lives as long as the window
    new RecentScriptsMenu(m_state.prompt, *this, [this](const QString& path) { openScripts({path}); });
    m_state.scriptFileUsed = &RecentScriptsMenu::noteScript;
    new ScriptDrops(*this, [this](const QStringList& paths) { openScripts(paths); });
}

frmMain::~frmMain() = default;

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
    QMenuBar* bar = menuBar();

    QMenu* file = addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addItem(file, QStringLiteral("mnuNew"), QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    addItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Sa&ve As"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuDivs"));
    addItem(file, QStringLiteral("mnuPrint"), QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator()->setObjectName(QStringLiteral("mnuDiv"));
    addItem(file, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));

    QMenu* edit = addMenu(bar, QStringLiteral("mnuEditor"), QStringLiteral("&Edit"));
    addItem(edit, QStringLiteral("mnuFind"), QStringLiteral("&Find"));
    addItem(edit, QStringLiteral("mnuCheckScript"), QStringLiteral("&Check Script"),
            QKeySequence(Qt::Key_F7));
    edit->addSeparator()->setObjectName(QStringLiteral("mnudivit"));
    addItem(edit, QStringLiteral("mnuClear"), QStringLiteral("Clear"));
    edit->addSeparator()->setObjectName(QStringLiteral("mnuDiv2"));
    mnuFreeType = addItem(edit, QStringLiteral("mnuFreeType"), QStringLiteral("Free Type"));
    mnuFreeType->setCheckable(true);
    addItem(edit, QStringLiteral("mnuOptions"), QStringLiteral("&Options"));

    QMenu* special = addMenu(bar, QStringLiteral("mnuSpecial"), QStringLiteral("&Special"));
    m_breedMenu = addSubMenu(special, QStringLiteral("mnuBreed"), QStringLiteral("&Breed"));
    mnuBreeds.append(addItem(m_breedMenu, QStringLiteral("mnuBreeds_0"), QStringLiteral("Random")));
    m_professionMenu = addSubMenu(special, QStringLiteral("mnuProfession"), QStringLiteral("&Profession"));
    mnuProfessions.append(addItem(m_professionMenu, QStringLiteral("mnuProfessions_0"), QStringLiteral("Random")));
    m_variablesMenu = addSubMenu(special, QStringLiteral("mnuVariables"), QStringLiteral("&Variables"));
    addItem(m_variablesMenu, QStringLiteral("mnuCurrentF"), QStringLiteral("Current Fighting"));
    addItem(m_variablesMenu, QStringLiteral("mnuSelectTarget"), QStringLiteral("Current Target"));
    addItem(m_variablesMenu, QStringLiteral("mnuMe"), QStringLiteral("Me"));
    m_variablesMenu->addSeparator()->setObjectName(QStringLiteral("mnuDivvies"));
    mnuArgs.append(nullptr);
    mnuArgs.append(addItem(m_variablesMenu, QStringLiteral("mnuArgs_1"), QStringLiteral("Argument")));
    QMenu* pet = addSubMenu(special, QStringLiteral("mnuPet"), QStringLiteral("&Pet"));
    const QStringList renames{QStringLiteral("Rename (random)"), QStringLiteral("Rename (male)"),
                              QStringLiteral("Rename (female)"), QStringLiteral("Rename (unisex)"),
                              QStringLiteral("Rename (surname)"), QStringLiteral("Rename (fantasy)")};
    for (qsizetype i = 0; i < renames.size(); ++i)
        mnuRename.append(addItem(pet, QStringLiteral("mnuRename_%1").arg(i), renames.at(i)));

    QMenu* windows = addMenu(bar, QStringLiteral("mnuWindows"), QStringLiteral("&Window"));
    addItem(windows, QStringLiteral("mnuCascade"), QStringLiteral("Cascade"));
    addItem(windows, QStringLiteral("mnuTileVertically"), QStringLiteral("Tile Vertically"));
    addItem(windows, QStringLiteral("mnuTileHorizontally"), QStringLiteral("Tile Horizontally"));
    addItem(windows, QStringLiteral("mnuMinAll"), QStringLiteral("Minimize All"));
    addItem(windows, QStringLiteral("mnuMaxAll"), QStringLiteral("Maxmimize All"));

    QMenu* help = addMenu(bar, QStringLiteral("mnuHelp2"), QStringLiteral("&Help"));
    QAction* allCommands = addItem(help, QStringLiteral("mnuAllC"), QStringLiteral("All Commands"), QKeySequence(Qt::Key_F1));
    QAction* about = addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("About"));
    connect(allCommands, &QAction::triggered, this, &frmMain::mnuAllC_Click);
    connect(about, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

bool frmMain::Form_Load()
{
    if (m_catalogue.OpenCatalogue() == Catalogue::OpenResult::DriverMissing)
        return false;

    m_state.setFreeType(m_settings.read(QStringLiteral("FreeType"), QStringLiteral("0")) == QLatin1String("1"));
    mnuFreeType->setChecked(m_state.freeType());

    m_state.gamePath = m_settings.read(QStringLiteral("AOPath"), QString());
    if (!PathLookup::findFile(m_state.gamePath, QStringLiteral("anarchy.exe")).isEmpty())
        checkScriptsFolder();
    else
        m_state.gamePath.clear();  // for this run only; the stored setting stays

    CommandTreeBuilder(m_catalogue, picBar->imgSmall()).FillCommandTree(*picBar->tvwTreeView1, m_state.gamePath);
    newScriptWindow();
    fillArgumentItems();
    fillListItems(m_catalogue.breeds(), m_breedMenu, mnuBreeds);
    fillListItems(m_catalogue.professions(), m_professionMenu, mnuProfessions);
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

void frmMain::fillArgumentItems()
{
    mnuArgs[1]->setText(QStringLiteral("Argument 1"));
    for (int i = 2; i <= 9; ++i) {
        QAction* item = addItem(m_variablesMenu, QStringLiteral("mnuArgs_%1").arg(i),
                                QStringLiteral("Argument ") + QString::number(i));
        item->setVisible(true);
        mnuArgs.append(item);
    }
}

void frmMain::fillListItems(const QStringList& captions, QMenu* menu, QList<QAction*>& items)
{
    const QString arrayName = items.constFirst()->objectName().section(QLatin1Char('_'), 0, 0);
    for (const QString& caption : captions) {
        const int n = static_cast<int>(items.size());
        items.append(addItem(menu, arrayName + QLatin1Char('_') + QString::number(n), caption));
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

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A window lower than the reserved strip would ask for a negative height.
    QTreeWidget* tree = picBar->tvwTreeView1;
    tree->resize(tree->width(), std::max(0, frameGeometry().height() - twipsToPixels(950) - tree->y()));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A script window whose save was cancelled or failed stays open with its text;
    // ending the program now would lose that script.
    if (!m_mainMenu->closeScriptWindows()) {
        event->ignore();
        return;
    }
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
