#include "app/frmMain.h"

#include "app/MainMenuCommands.h"
#include "app/WindowPlacement.h"
#include "catalogue/CommandTreeBuilder.h"
#include "catalogue/TreeInsertion.h"
#include "catalogue/TreeNode.h"
#include "dialogs/CommandBook.h"
#include "dialogs/EditMenuCommands.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmHelp.h"
#include "editor/frmWindow.h"
#include "inserters/InserterMenu.h"
#include "platform/DesignScale.h"
#include "platform/PathLookup.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
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
    : QMainWindow(parent), m_catalogue(prompt, catalogueFile), m_state{prompt, m_catalogue, m_settings}
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Zandrel"));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    layout->addWidget(mdiArea, 1);
    setCentralWidget(central);
    createSidePanel();
    layout->addWidget(picBar);

    sbStatusBar1 = new QLabel(this);
    sbStatusBar1->setObjectName(QStringLiteral("sbStatusBar1"));
    statusBar()->addWidget(sbStatusBar1, 1);
    // The designed strip, but never lower than its text needs.
    statusBar()->setFixedHeight(std::max(DesignScale(font()).y(255), statusBar()->sizeHint().height()));
    statusBar()->setSizeGripEnabled(true);

    tmHelp.setInterval(100);
    tmHelp.setSingleShot(false);
    connect(&tmHelp, &QTimer::timeout, this, &frmMain::tmHelp_Timer);

    m_state.mainWindow = this;
    m_state.mdiArea = mdiArea;
    m_state.helpTimer = &tmHelp;
    createMenus();
    m_mainMenu = std::make_unique<MainMenuCommands>(m_state, *this);
    new InserterMenu(m_state, *this);       // a child: lives as long as the window
    new EditMenuCommands(m_state, *this);  // a child: lives as long as the window
    restoreWindowLayout();
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

void frmMain::createSidePanel()
{
    picBar = new QWidget(this);
    picBar->setObjectName(QStringLiteral("picBar"));
    picBar->setFixedWidth(twipsToPixels(2085));

    tvwTreeView1 = new QTreeWidget(picBar);
    tvwTreeView1->setObjectName(QStringLiteral("tvwTreeView1"));
    tvwTreeView1->setHeaderHidden(true);
    tvwTreeView1->setColumnCount(1);
    tvwTreeView1->setIconSize(QSize(16, 16));
    tvwTreeView1->move(0, 0);
    tvwTreeView1->resize(twipsToPixels(2055), height());
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    tvwTreeView1->setFont(font);
    tvwTreeView1->installEventFilter(this);
    tvwTreeView1->viewport()->installEventFilter(this);

    connect(tvwTreeView1, &QTreeWidget::itemCollapsed, this, &frmMain::tvwTreeView1_Collapse);
    connect(tvwTreeView1, &QTreeWidget::itemExpanded, this, &frmMain::tvwTreeView1_Expand);
    connect(tvwTreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { tvwTreeView1_NodeClick(node); });
    connect(tvwTreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { tvwTreeView1_DblClick(); });
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

    // The tree's context menu never shows in the menu bar.
    mnuPopup = new QMenu(QStringLiteral("Popup"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuInsert = addItem(mnuPopup, QStringLiteral("mnuInsert"), QStringLiteral("Insert"));
    mnuHelp = addItem(mnuPopup, QStringLiteral("mnuHelp"), QStringLiteral("Help"));
    mnuPopup->setDefaultAction(mnuInsert);
    connect(mnuInsert, &QAction::triggered, this, &frmMain::mnuInsert_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
}

bool frmMain::Form_Load()
{
    if (m_catalogue.OpenCatalogue() == Catalogue::OpenResult::DriverMissing)
        return false;

    m_state.freeType = m_settings.read(QStringLiteral("FreeType"), QStringLiteral("0")) == QLatin1String("1");
    mnuFreeType->setChecked(m_state.freeType);

    m_state.gamePath = m_settings.read(QStringLiteral("AOPath"), QString());
    if (!PathLookup::findFile(m_state.gamePath, QStringLiteral("anarchy.exe")).isEmpty())
        checkScriptsFolder();
    else
        m_state.gamePath.clear();  // for this run only; the stored setting stays

    CommandTreeBuilder(m_catalogue, m_imgSmall).FillCommandTree(*tvwTreeView1, m_state.gamePath);
    createScriptWindow();
    fillArgumentItems();
    fillListItems(QStringLiteral("SELECT * FROM tblBreed"), QStringLiteral("Breed"), m_breedMenu, mnuBreeds);
    fillListItems(QStringLiteral("SELECT * FROM tblProfession"), QStringLiteral("Profession"), m_professionMenu,
                  mnuProfessions);
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

void frmMain::fillListItems(const QString& sql, const QString& field, QMenu* menu, QList<QAction*>& items)
{
    const QString arrayName = items.constFirst()->objectName().section(QLatin1Char('_'), 0, 0);
    for (RowSet rows = m_catalogue.query(sql); !rows.atEnd(); rows.moveNext()) {
        const int n = static_cast<int>(items.size());
        items.append(addItem(menu, arrayName + QLatin1Char('_') + QString::number(n), rows.text(field)));
    }
}

frmWindow* frmMain::createScriptWindow()
{
    return m_mainMenu->mnuNew_Click();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A window lower than the reserved strip would ask for a negative height.
    tvwTreeView1->resize(tvwTreeView1->width(), std::max(0, frameGeometry().height() - twipsToPixels(950)));
}

void frmMain::restoreWindowLayout()
{
    const QByteArray geometry = m_settings.readWindowLayout(QStringLiteral("Geometry"));
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // At least the designed client area, grown as the font has grown.
        const QSize designed = DesignScale(font()).size(7890, 5265) + QSize(0, menuBar()->sizeHint().height());
        setGeometry(WindowPlacement::firstStart(screen()->availableGeometry(), designed));
    }
    restoreState(m_settings.readWindowLayout(QStringLiteral("State")));
}

void frmMain::saveWindowLayout()
{
    m_settings.writeWindowLayout(QStringLiteral("Geometry"), saveGeometry());
    m_settings.writeWindowLayout(QStringLiteral("State"), saveState());
}

void frmMain::closeEvent(QCloseEvent* event)
{
    mdiArea->closeAllSubWindows();
    // A script window whose last save failed stays open with its text; ending the
    // program now would lose that script.
    if (!mdiArea->subWindowList().isEmpty()) {
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

void frmMain::tvwTreeView1_Collapse(QTreeWidgetItem* node)
{
    if (TreeNode::image(node) == TreeNode::GroupExpanded)
        TreeNode::setImages(node, TreeNode::GroupCollapsed, TreeNode::GroupCollapsed, m_imgSmall);
    else
        TreeNode::setImages(node, TreeNode::image(node), TreeNode::GroupCollapsed, m_imgSmall);
}

void frmMain::tvwTreeView1_Expand(QTreeWidgetItem* node)
{
    if (TreeNode::image(node) == TreeNode::GroupCollapsed)
        TreeNode::setImages(node, TreeNode::GroupExpanded, TreeNode::GroupExpanded, m_imgSmall);
    else
        TreeNode::setImages(node, TreeNode::image(node), TreeNode::GroupExpanded, m_imgSmall);
}

void frmMain::tvwTreeView1_NodeClick(QTreeWidgetItem* node)
{
    sbStatusBar1->setText(TreeNode::tag(node));
}

bool frmMain::tvwTreeView1_KeyDown(int key)
{
    if (key != Qt::Key_F1)
        return false;
    QTreeWidgetItem* node = tvwTreeView1->currentItem();
    // With nothing selected there is no command to explain.
    if (node && !TreeNode::isGroupImage(TreeNode::image(node)))
        mnuHelp_Click();
    return true;
}

bool frmMain::tvwTreeView1_MouseDown(Qt::MouseButton button, const QPoint& at)
{
    if (button != Qt::RightButton)
        return false;
    QTreeWidgetItem* node = tvwTreeView1->itemAt(at);
    if (!node || TreeNode::isGroupImage(TreeNode::image(node)))
        return true;
    tvwTreeView1->setCurrentItem(node);
    mnuPopup->popup(tvwTreeView1->viewport()->mapToGlobal(at));
    return true;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tvwTreeView1) {
        // F1 belongs to the tree while it has the focus, not to the Help menu.
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress)
            return tvwTreeView1_KeyDown(static_cast<QKeyEvent*>(event)->key());
    } else if (watched == tvwTreeView1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return tvwTreeView1_MouseDown(mouse->button(), mouse->position().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::tvwTreeView1_DblClick()
{
    const QList<QTreeWidgetItem*> selected = tvwTreeView1->selectedItems();
    TreeInsertion(m_state, [this] { return createScriptWindow(); })
        .tvwTreeView1_DblClick(selected.isEmpty() ? nullptr : selected.constFirst());
}

void frmMain::mnuInsert_Click()
{
    tvwTreeView1_DblClick();
}

void frmMain::mnuHelp_Click()
{
    frmHelp help(m_state, tvwTreeView1->currentItem(), this);
    help.exec();
}

void frmMain::mnuAllC_Click()
{
    CommandBook(m_state, *m_mainMenu).build();
}

void frmMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}
