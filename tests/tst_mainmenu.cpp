#include "ScriptedPrompt.h"
#include "TestFiles.h"

#include "app/AppState.h"
#include "app/MainMenuCommands.h"
#include "app/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
// The menus MainMenuCommands expects of the main window, and the main window's
// part of shutting down: close every script window, and stay open while one
// refused (its text could not be written).
class TestMainWindow : public QMainWindow {
public:
    TestMainWindow()
    {
        mdiArea = new QMdiArea;
        setCentralWidget(mdiArea);
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        for (const char* name : {"mnuNew", "mnuOpen", "mnuSave", "mnuSaveAs", "mnuPrint", "mnuExit"})
            add(file, name);
        QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
        add(edit, "mnuClear");
        windows = menuBar()->addMenu(QStringLiteral("&Window"));
        windows->setObjectName(QStringLiteral("mnuWindows"));
        for (const char* name : {"mnuCascade", "mnuTileVertically", "mnuTileHorizontally", "mnuMinAll", "mnuMaxAll"})
            add(windows, name);
    }

    QAction* action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

    QMdiArea* mdiArea = nullptr;
    QMenu* windows = nullptr;
    int ownWindowEntries = 5;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        mdiArea->closeAllSubWindows();
        if (!mdiArea->subWindowList().isEmpty())
            event->ignore();
    }

private:
    void add(QMenu* menu, const char* name)
    {
        QAction* a = menu->addAction(QString::fromLatin1(name));
        a->setObjectName(QString::fromLatin1(name));
    }
};
}

class tst_mainmenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newTwiceGivesTwoWindows();
    void commandsWithoutWindowDoNothing_data();
    void commandsWithoutWindowDoNothing();
    void open_data();
    void open();
    void fileCommandsArmTheActiveWindowsTimer_data();
    void fileCommandsArmTheActiveWindowsTimer();
    void clearEmptiesAndMarksChanged();
    void minimizeAllThenMaximizeAll();
    void tiling_data();
    void tiling();
    void cascadeSpreadsWindows();
    void windowList();
    void exit_data();
    void exit();

private:
    frmWindow* addWindow() { return m_menu->mnuNew_Click(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<TestMainWindow> m_main;
    MainMenuCommands* m_menu = nullptr;
};

void tst_mainmenu::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_catalogue = std::make_unique<Catalogue>(*m_prompt, QString());
    m_settings = std::make_unique<Settings>();
    m_state = std::make_unique<AppState>(AppState{*m_prompt, *m_catalogue, *m_settings});
    m_state->gamePath = m_dir->path() + u'/';
    m_main = std::make_unique<TestMainWindow>();
    m_main->resize(800, 600);
    m_state->mainWindow = m_main.get();
    m_state->mdiArea = m_main->mdiArea;
    m_menu = new MainMenuCommands(*m_state, *m_main);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void tst_mainmenu::cleanup()
{
    if (m_main) {
        for (QMdiSubWindow* w : m_main->mdiArea->subWindowList()) {
            if (auto* f = qobject_cast<frmWindow*>(w))
                f->setChanged(false);
        }
    }
    m_main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_mainmenu::newTwiceGivesTwoWindows()
{
    m_main->action("mnuNew")->trigger();
    frmWindow* second = addWindow();
    const QList<QMdiSubWindow*> windows = m_main->mdiArea->subWindowList();
    QCOMPARE(windows.size(), 2);
    QVERIFY(windows[0] != windows[1]);
    for (QMdiSubWindow* w : windows)
        QCOMPARE(w->windowTitle(), QStringLiteral("New File"));
    QCOMPARE(m_state->activeScriptWindow(), second);
    QVERIFY(second->isVisible());
    QVERIFY(m_prompt->boxes.isEmpty());
}

void tst_mainmenu::commandsWithoutWindowDoNothing_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"mnuSave", "mnuSaveAs", "mnuPrint", "mnuClear", "mnuCascade", "mnuTileHorizontally",
                             "mnuTileVertically", "mnuMinAll", "mnuMaxAll"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_mainmenu::commandsWithoutWindowDoNothing()
{
    QFETCH(QString, name);
    m_main->action(name.toLatin1().constData())->trigger();
    QCoreApplication::processEvents();
    QVERIFY(m_main->mdiArea->subWindowList().isEmpty());
    QVERIFY(m_prompt->boxes.isEmpty());
    QVERIFY(m_prompt->dialogs.isEmpty());
}

void tst_mainmenu::open_data()
{
    QTest::addColumn<bool>("withWindow");
    QTest::newRow("no window: one is made for it") << false;
    QTest::newRow("loads into the active window") << true;
}

void tst_mainmenu::open()
{
    QFETCH(bool, withWindow);
    const QString script = m_dir->filePath(QStringLiteral("s"));
    writeFile(script, "/afk\r\n");
    if (withWindow) {
        addWindow()->rtfrypAO->setText(QStringLiteral("typed"));
        m_prompt->answer(PromptAnswer::No);
    }
    m_main->action("mnuOpen")->trigger();
    QCOMPARE(m_main->mdiArea->subWindowList().size(), 1);
    frmWindow* w = m_state->activeScriptWindow();
    QVERIFY(w);
    QVERIFY(w->tmOpen->isActive());
    QVERIFY(m_prompt->dialogs.isEmpty());  // the dialog waits for the tick
    m_prompt->choose(script);
    w->tmOpen_Timer();
    QCOMPARE(m_prompt->dialogs.size(), 1);
    QCOMPARE(m_prompt->dialogs.first().title, QStringLiteral("Open a Script File"));
    QCOMPARE(m_prompt->boxes.size(), withWindow ? 1 : 0);
    if (withWindow)
        QCOMPARE(m_prompt->boxes.first().text, QStringLiteral("Save to a new file?"));
    QCOMPARE(m_main->mdiArea->subWindowList().size(), 1);
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/afk\n"));
    QCOMPARE(w->windowTitle(), script);
}

void tst_mainmenu::fileCommandsArmTheActiveWindowsTimer_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("timer");
    QTest::newRow("open") << "mnuOpen" << "tmOpen";
    QTest::newRow("save") << "mnuSave" << "tmSave";
    QTest::newRow("save as") << "mnuSaveAs" << "tmSaveAs";
    QTest::newRow("print") << "mnuPrint" << "tmprint";
}

void tst_mainmenu::fileCommandsArmTheActiveWindowsTimer()
{
    QFETCH(QString, name);
    QFETCH(QString, timer);
    frmWindow* first = addWindow();
    frmWindow* second = addWindow();
    m_main->mdiArea->setActiveSubWindow(first);
    m_main->action(name.toLatin1().constData())->trigger();
    m_main->action(name.toLatin1().constData())->trigger();
    QVERIFY(first->findChild<QTimer*>(timer)->isActive());
    QVERIFY(!second->findChild<QTimer*>(timer)->isActive());
    QVERIFY(m_prompt->boxes.isEmpty());
    QVERIFY(m_prompt->dialogs.isEmpty());
    first->findChild<QTimer*>(timer)->stop();
}

void tst_mainmenu::clearEmptiesAndMarksChanged()
{
    const QString script = m_dir->filePath(QStringLiteral("s"));
    writeFile(script, "/tell a b\r\n");
    frmWindow* w = addWindow();
    m_prompt->choose(script);
    w->tmOpen_Timer();
    QVERIFY(!w->Changed());
    m_main->action("mnuClear")->trigger();
    QVERIFY(w->rtfrypAO->Text().isEmpty());
    QVERIFY(w->Changed());
    QCOMPARE(w->FileName(), script);
    QCOMPARE(w->rtfrypAO->SelColor(), RichTextControl::white());
    QVERIFY(m_prompt->boxes.isEmpty());
    QCOMPARE(readFile(script), QByteArray("/tell a b\r\n"));
    // The next Save writes the empty script to its file.
    w->tmSave_Timer();
    QCOMPARE(readFile(script), QByteArray());
}

void tst_mainmenu::minimizeAllThenMaximizeAll()
{
    QList<frmWindow*> windows{addWindow(), addWindow(), addWindow()};
    m_main->mdiArea->setActiveSubWindow(windows[1]);
    m_main->action("mnuMinAll")->trigger();
    for (frmWindow* w : windows)
        QVERIFY(w->isMinimized());
    m_main->action("mnuMaxAll")->trigger();
    // The window that was active stays so; Qt keeps the maximised state with the
    // active window, so each one shows maximised as it is brought forward.
    QCOMPARE(m_main->mdiArea->currentSubWindow(), windows[1]);
    for (frmWindow* w : {windows[1], windows[0], windows[2], windows[1]}) {
        m_main->mdiArea->setActiveSubWindow(w);
        QVERIFY(w->isMaximized());
        QVERIFY(!w->isMinimized());
    }
}

// The band arithmetic has its own tests; here the menu lays the open windows
// into the area, the active one first, restores a maximised one and leaves a
// minimised one where it is.
void tst_mainmenu::tiling_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("count");
    for (int count : {1, 3}) {
        QTest::addRow("horizontal %d", count) << true << count;
        QTest::addRow("vertical %d", count) << false << count;
    }
}

void tst_mainmenu::tiling()
{
    QFETCH(bool, horizontal);
    QFETCH(int, count);
    frmWindow* minimised = addWindow();
    minimised->showMinimized();
    for (int i = 0; i < count; ++i)
        addWindow();
    QMdiSubWindow* active = m_main->mdiArea->currentSubWindow();
    active->showMaximized();
    m_main->action(horizontal ? "mnuTileHorizontally" : "mnuTileVertically")->trigger();
    QVERIFY(minimised->isMinimized());
    QVERIFY(!active->isMaximized());
    QCOMPARE(m_main->mdiArea->currentSubWindow(), active);
    const QRect area = m_main->mdiArea->viewport()->rect();
    QList<QRect> rects;
    for (QMdiSubWindow* w : m_main->mdiArea->subWindowList())
        if (w != minimised)
            rects << w->geometry();
    std::sort(rects.begin(), rects.end(), [horizontal](const QRect& a, const QRect& b) {
        return horizontal ? a.top() < b.top() : a.left() < b.left();
    });
    int next = horizontal ? area.top() : area.left();
    for (const QRect& r : rects) {
        QCOMPARE(horizontal ? std::pair(r.left(), r.width()) : std::pair(r.top(), r.height()),
                 horizontal ? std::pair(area.left(), area.width()) : std::pair(area.top(), area.height()));
        QCOMPARE(horizontal ? r.top() : r.left(), next);
        next += horizontal ? r.height() : r.width();
    }
    QCOMPARE(next, horizontal ? area.bottom() + 1 : area.right() + 1);
    QCOMPARE(active->geometry(), rects.first());
}

void tst_mainmenu::cascadeSpreadsWindows()
{
    QList<frmWindow*> windows{addWindow(), addWindow(), addWindow()};
    m_main->action("mnuTileHorizontally")->trigger();
    m_main->action("mnuCascade")->trigger();
    QSet<int> lefts;
    QSet<int> tops;
    for (frmWindow* w : windows) {
        lefts.insert(w->x());
        tops.insert(w->y());
    }
    QCOMPARE(lefts.size(), 3);
    QCOMPARE(tops.size(), 3);
}

void tst_mainmenu::windowList()
{
    const QString script = m_dir->filePath(QStringLiteral("R&D"));
    writeFile(script, "/afk\r\n");
    frmWindow* first = addWindow();
    frmWindow* second = addWindow();
    m_prompt->choose(script);
    second->tmOpen_Timer();
    m_menu->mnuWindows_List();
    m_menu->mnuWindows_List();  // listing again replaces, never repeats
    const QList<QAction*> actions = m_main->windows->actions();
    QCOMPARE(actions.size(), m_main->ownWindowEntries + 3);
    QVERIFY(actions.at(m_main->ownWindowEntries)->isSeparator());
    QCOMPARE(actions.at(m_main->ownWindowEntries + 1)->text(), QStringLiteral("&1 New File"));
    QString escaped = script;
    escaped.replace(u'&', QStringLiteral("&&"));
    QCOMPARE(actions.at(m_main->ownWindowEntries + 2)->text(), QStringLiteral("&2 ") + escaped);
    QVERIFY(actions.at(m_main->ownWindowEntries + 2)->isChecked());
    QVERIFY(!actions.at(m_main->ownWindowEntries + 1)->isChecked());

    first->showMinimized();
    actions.at(m_main->ownWindowEntries + 1)->trigger();
    QCOMPARE(m_main->mdiArea->currentSubWindow(), first);
    QVERIFY(!first->isMinimized());

    second->setChanged(false);
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_menu->mnuWindows_List();
    QCOMPARE(m_main->windows->actions().size(), m_main->ownWindowEntries + 2);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_menu->mnuWindows_List();
    QCOMPARE(m_main->windows->actions().size(), m_main->ownWindowEntries);
}

void tst_mainmenu::exit_data()
{
    QTest::addColumn<bool>("writeFails");
    QTest::newRow("closes every window after its question") << false;
    QTest::newRow("keeps the window whose write failed") << true;
}

void tst_mainmenu::exit()
{
    QFETCH(bool, writeFails);
    const QString a = m_dir->filePath(QStringLiteral("a"));
    writeFile(a, "old a\r\n");
    frmWindow* named = addWindow();
    m_prompt->choose(a);
    named->tmOpen_Timer();
    named->rtfrypAO->setText(QStringLiteral("new a"));
    if (writeFails) {
        QVERIFY(QFile::remove(a));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("a")));
    }
    QPointer<frmWindow> unnamed = addWindow();
    unnamed->rtfrypAO->setText(QStringLiteral("lost"));
    QPointer<frmWindow> unchanged = addWindow();  // asks nothing
    m_prompt->clear();
    m_prompt->answer(PromptAnswer::Yes);
    if (writeFails)
        m_prompt->answer(PromptAnswer::Ok);  // the failed write's box
    m_prompt->answer(PromptAnswer::No);

    m_main->action("mnuExit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->unplannedBoxes, 0);
    QVERIFY(!unnamed && !unchanged);
    QCOMPARE(m_main->isVisible(), writeFails);
    if (!writeFails) {
        QCOMPARE(m_prompt->boxes.size(), 2);
        QVERIFY(m_main->mdiArea->subWindowList().isEmpty());
        QCOMPARE(readFile(a), QByteArray("new a"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"a"});
        return;
    }
    // The question, the failed write, then the next window's question.
    QCOMPARE(m_prompt->boxes.size(), 3);
    QCOMPARE(m_prompt->boxes.at(1).icon, PromptIcon::Critical);
    QCOMPARE(m_main->mdiArea->subWindowList(), QList<QMdiSubWindow*>{named});
    QCOMPARE(named->rtfrypAO->Text(), QStringLiteral("new a"));
}

QTEST_MAIN(tst_mainmenu)
#include "tst_mainmenu.moc"
