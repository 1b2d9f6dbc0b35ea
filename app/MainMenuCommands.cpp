#include "app/MainMenuCommands.h"

#include "app/MenuItems.h"
#include "app/WindowTiling.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>

MainMenuCommands::MainMenuCommands(AppState& state, QMainWindow& main, QMdiArea& area, frmWindow::Host host)
    : QObject(&main), m_state(state), m_main(main), m_area(area), m_host(std::move(host))
{
}

QMenu& MainMenuCommands::addFileMenu(QMenuBar& bar)
{
    QMenu& file = *MenuItems::addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    connect(MenuItems::addItem(file, QStringLiteral("mnuNew"), QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, [this] { mnuNew_Click(); });
    addCommand(file, "mnuOpen", QStringLiteral("&Open"), &MainMenuCommands::mnuOpen_Click,
               QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(file, "mnuSave", QStringLiteral("&Save"), &MainMenuCommands::mnuSave_Click,
               QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(file, "mnuSaveAs", QStringLiteral("Sa&ve As"), &MainMenuCommands::mnuSaveAs_Click);
    MenuItems::addSeparator(file, QStringLiteral("mnuDivs"));
    addCommand(file, "mnuPrint", QStringLiteral("&Print"), &MainMenuCommands::mnuPrint_Click,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    MenuItems::addSeparator(file, QStringLiteral("mnuDiv"));
    addCommand(file, "mnuExit", QStringLiteral("E&xit"), &MainMenuCommands::mnuExit_Click);
    return file;
}

void MainMenuCommands::addWindowMenu(QMenuBar& bar)
{
    m_windowsMenu = MenuItems::addMenu(bar, QStringLiteral("mnuWindows"), QStringLiteral("&Window"));
    addCommand(*m_windowsMenu, "mnuCascade", QStringLiteral("Cascade"), &MainMenuCommands::mnuCascade_Click);
    addCommand(*m_windowsMenu, "mnuTileVertically", QStringLiteral("Tile Vertically"),
               &MainMenuCommands::mnuTileVertically_Click);
    addCommand(*m_windowsMenu, "mnuTileHorizontally", QStringLiteral("Tile Horizontally"),
               &MainMenuCommands::mnuTileHorizontally_Click);
    addCommand(*m_windowsMenu, "mnuMinAll", QStringLiteral("Minimize All"), &MainMenuCommands::mnuMinAll_Click);
    addCommand(*m_windowsMenu, "mnuMaxAll", QStringLiteral("Maxmimize All"), &MainMenuCommands::mnuMaxAll_Click);
    // Ctrl+Tab is the child-window area's own; Ctrl+F6 is the key Windows players know.
    connect(MenuItems::addItem(*m_windowsMenu, QStringLiteral("mnuNextWindow"), QStringLiteral("&Next Window"),
                               QKeySequence(Qt::CTRL | Qt::Key_F6)),
            &QAction::triggered, &m_area, &QMdiArea::activateNextSubWindow);
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &MainMenuCommands::mnuWindows_List);
}

void MainMenuCommands::addCommand(QMenu& menu, const char* name, const QString& caption,
                                  void (MainMenuCommands::*handler)(), const QKeySequence& shortcut)
{
    connect(MenuItems::addItem(menu, QString::fromLatin1(name), caption, shortcut), &QAction::triggered, this, handler);
}

frmWindow* MainMenuCommands::activeScriptWindow() const
{
    // currentSubWindow() still answers while a modal dialog has the focus, where
    // activeSubWindow() would report none.
    return qobject_cast<frmWindow*>(m_area.currentSubWindow());
}

frmWindow* MainMenuCommands::mnuNew_Click()
{
    auto* window = new frmWindow(m_state, m_host);
    m_area.addSubWindow(window);
    window->show();
    m_area.setActiveSubWindow(window);
    return window;
}

void MainMenuCommands::mnuOpen_Click()
{
    frmWindow* window = activeScriptWindow();
    if (!window)
        window = mnuNew_Click();
    if (window)
        window->tmOpen->start();
}

void MainMenuCommands::mnuSave_Click()
{
    if (frmWindow* window = activeScriptWindow())
        window->tmSave->start();
}

void MainMenuCommands::mnuSaveAs_Click()
{
    if (frmWindow* window = activeScriptWindow())
        window->tmSaveAs->start();
}

void MainMenuCommands::mnuPrint_Click()
{
    if (frmWindow* window = activeScriptWindow())
        window->tmprint->start();
}

void MainMenuCommands::mnuExit_Click()
{
    if (closeScriptWindows())
        m_main.close();
}

bool MainMenuCommands::closeScriptWindows()
{
    // One at a time, oldest first: a window the player keeps (a save cancelled or
    // failed) ends the exit there, before the windows after it are asked anything.
    for (QMdiSubWindow* child : m_area.subWindowList(QMdiArea::CreationOrder)) {
        if (!child->close())
            return false;
    }
    return true;
}

void MainMenuCommands::mnuCascade_Click()
{
    m_area.cascadeSubWindows();
}

QList<frmWindow*> MainMenuCommands::tileableWindows() const
{
    QList<frmWindow*> windows;
    // The active window first, then the others from the front to the back, as the
    // player last saw them; minimised windows stay where they are.
    const QList<QMdiSubWindow*> stack = m_area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        auto* window = qobject_cast<frmWindow*>(*it);
        if (window && window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    return windows;
}

namespace {
void placeWindows(const QList<frmWindow*>& windows, const QList<QRect>& rects)
{
    for (qsizetype i = 0; i < windows.size() && i < rects.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}
}

void MainMenuCommands::mnuTileHorizontally_Click()
{
    const QList<frmWindow*> windows = tileableWindows();
    if (windows.isEmpty())
        return;
    placeWindows(windows, WindowTiling::horizontal(m_area.viewport()->rect(), int(windows.size())));
}

void MainMenuCommands::mnuTileVertically_Click()
{
    const QList<frmWindow*> windows = tileableWindows();
    if (windows.isEmpty())
        return;
    placeWindows(windows, WindowTiling::vertical(m_area.viewport()->rect(), int(windows.size())));
}

void MainMenuCommands::setAllWindowStates(bool maximise)
{
    QPointer<QMdiSubWindow> active = m_area.currentSubWindow();
    for (QMdiSubWindow* child : m_area.subWindowList()) {
        if (auto* window = qobject_cast<frmWindow*>(child))
            maximise ? window->showMaximized() : window->showMinimized();
    }
    // Changing a window's state brings it forward; the player's window stays the
    // active one. (Qt keeps the maximised state with the active window: each window
    // shows maximised when it is brought forward.)
    if (active)
        m_area.setActiveSubWindow(active);
}

void MainMenuCommands::mnuMinAll_Click()
{
    setAllWindowStates(false);
}

void MainMenuCommands::mnuMaxAll_Click()
{
    setAllWindowStates(true);
}

void MainMenuCommands::mnuWindows_List()
{
    for (QAction* entry : std::as_const(m_windowEntries)) {
        if (m_windowsMenu)
            m_windowsMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_windowEntries.clear();
    if (!m_windowsMenu)
        return;
    const QList<QMdiSubWindow*> children = m_area.subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    m_windowEntries.append(m_windowsMenu->addSeparator());
    QMdiSubWindow* current = m_area.currentSubWindow();
    int number = 0;
    for (QMdiSubWindow* child : children) {
        ++number;
        QString title = MenuItems::shownTitle(*child);
        title.replace(u'&', QStringLiteral("&&"));
        const QString text = number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                         : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* entry = m_windowsMenu->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(child == current);
        QPointer<QMdiSubWindow> target(child);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_area.setActiveSubWindow(target);
        });
        m_windowEntries.append(entry);
    }
}
