#include "app/MainMenuCommands.h"

#include "app/MenuItems.h"
#include "app/WindowTiling.h"
#include "editor/ScriptArea.h"
#include "editor/ScriptWindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

MainMenuCommands::MainMenuCommands(QMainWindow& main, ScriptArea& area) : QObject(&main), m_main(main), m_area(area) {}

QMenu& MainMenuCommands::addFileMenu(QMenuBar& bar)
{
    QMenu& file = *MenuItems::addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    connect(MenuItems::addItem(file, QStringLiteral("mnuNew"), QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, [this] { newWindow(); });
    addCommand(file, "mnuOpen", QStringLiteral("&Open"), &MainMenuCommands::open,
               QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(file, "mnuSave", QStringLiteral("&Save"), &MainMenuCommands::save,
               QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(file, "mnuSaveAs", QStringLiteral("Sa&ve As"), &MainMenuCommands::saveAs);
    MenuItems::addSeparator(file, QStringLiteral("mnuDivs"));
    addCommand(file, "mnuPrint", QStringLiteral("&Print..."), &MainMenuCommands::print,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(file, "mnuPrintPreview", QStringLiteral("Print P&review"), &MainMenuCommands::printPreview);
    MenuItems::addSeparator(file, QStringLiteral("mnuDiv"));
    addCommand(file, "mnuExit", QStringLiteral("E&xit"), &MainMenuCommands::exit);
    return file;
}

void MainMenuCommands::addWindowMenu(QMenuBar& bar)
{
    m_windowsMenu = MenuItems::addMenu(bar, QStringLiteral("mnuWindows"), QStringLiteral("&Window"));
    addCommand(*m_windowsMenu, "mnuCascade", QStringLiteral("&Cascade"), &MainMenuCommands::cascade);
    addCommand(*m_windowsMenu, "mnuTileVertically", QStringLiteral("&Tile Vertically"),
               &MainMenuCommands::tileVertically);
    addCommand(*m_windowsMenu, "mnuTileHorizontally", QStringLiteral("Tile &Horizontally"),
               &MainMenuCommands::tileHorizontally);
    addCommand(*m_windowsMenu, "mnuMinAll", QStringLiteral("&Minimize All"), &MainMenuCommands::minimizeAll);
    addCommand(*m_windowsMenu, "mnuMaxAll", QStringLiteral("Ma&ximize All"), &MainMenuCommands::maximizeAll);
    // Ctrl+Tab is the child-window area's own; Ctrl+F6 is the key Windows players know.
    connect(MenuItems::addItem(*m_windowsMenu, QStringLiteral("mnuNextWindow"), QStringLiteral("&Next Window"),
                               QKeySequence(Qt::CTRL | Qt::Key_F6)),
            &QAction::triggered, &m_area, &ScriptArea::activateNextSubWindow);
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &MainMenuCommands::listWindows);
}

void MainMenuCommands::addCommand(QMenu& menu, const char* name, const QString& caption,
                                  void (MainMenuCommands::*handler)(), const QKeySequence& shortcut)
{
    connect(MenuItems::addItem(menu, QString::fromLatin1(name), caption, shortcut), &QAction::triggered, this, handler);
}

void MainMenuCommands::newWindow()
{
    m_area.newScriptWindow();
}

void MainMenuCommands::open()
{
    ScriptWindow* window = m_area.activeScriptWindow();
    // A script never opens into the command book.
    if (!window || window->isReadOnlyBook())
        window = m_area.newScriptWindow();
    if (window)
        window->open();
}

void MainMenuCommands::save()
{
    if (ScriptWindow* window = m_area.activeScriptWindow())
        window->save();
}

void MainMenuCommands::saveAs()
{
    if (ScriptWindow* window = m_area.activeScriptWindow())
        window->saveAs();
}

void MainMenuCommands::print()
{
    if (ScriptWindow* window = m_area.activeScriptWindow())
        window->print();
}

void MainMenuCommands::printPreview()
{
    if (ScriptWindow* window = m_area.activeScriptWindow())
        window->printPreview();
}

void MainMenuCommands::exit()
{
    if (m_area.closeAll())
        m_main.close();
}

QList<ScriptWindow*> MainMenuCommands::tileableWindows() const
{
    QList<ScriptWindow*> windows;
    // The active window first, then the others from the front to the back, as the
    // player last saw them; minimised windows stay where they are.
    const QList<QMdiSubWindow*> stack = m_area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        auto* window = qobject_cast<ScriptWindow*>(*it);
        if (window && window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    return windows;
}

namespace {
void placeWindows(const QList<ScriptWindow*>& windows, const QList<QRect>& rects)
{
    for (qsizetype i = 0; i < windows.size() && i < rects.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}
}

void MainMenuCommands::cascade()
{
    QList<ScriptWindow*> windows = tileableWindows();
    if (windows.isEmpty())
        return;
    // Back to front, so the player's window ends in front, its title bar the lowest.
    std::reverse(windows.begin(), windows.end());
    QStyleOptionTitleBar bar;
    bar.initFrom(windows.constFirst());
    const int step = windows.constFirst()->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, windows.constFirst());
    placeWindows(windows, WindowTiling::cascade(m_area.viewport()->rect(), int(windows.size()), std::max(step, 1)));
    for (ScriptWindow* window : std::as_const(windows))
        window->raise();
    m_area.setActiveSubWindow(windows.constLast());
}

void MainMenuCommands::tileHorizontally()
{
    const QList<ScriptWindow*> windows = tileableWindows();
    if (windows.isEmpty())
        return;
    placeWindows(windows, WindowTiling::horizontal(m_area.viewport()->rect(), int(windows.size())));
}

void MainMenuCommands::tileVertically()
{
    const QList<ScriptWindow*> windows = tileableWindows();
    if (windows.isEmpty())
        return;
    placeWindows(windows, WindowTiling::vertical(m_area.viewport()->rect(), int(windows.size())));
}

void MainMenuCommands::setAllWindowStates(bool maximise)
{
    QPointer<QMdiSubWindow> active = m_area.currentSubWindow();
    for (QMdiSubWindow* child : m_area.subWindowList()) {
        if (auto* window = qobject_cast<ScriptWindow*>(child))
            maximise ? window->showMaximized() : window->showMinimized();
    }
    // Changing a window's state brings it forward; the player's window stays the
    // active one. (Qt keeps the maximised state with the active window: each window
    // shows maximised when it is brought forward.)
    if (active)
        m_area.setActiveSubWindow(active);
}

void MainMenuCommands::minimizeAll()
{
    setAllWindowStates(false);
}

void MainMenuCommands::maximizeAll()
{
    setAllWindowStates(true);
}

void MainMenuCommands::listWindows()
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
