#include "ScriptedPrompt.h"
#include "TestFiles.h"

#include "app/AppState.h"
#include "app/MainMenuCommands.h"
#include "app/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
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
// The menus MainMenuCommands expects of the main window.
class TestMainWindow : public QMainWindow {
public:
    TestMainWindow()
    {
        mdiArea = new QMdiArea;
        setCentralWidget(mdiArea);
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        windows = menuBar()->addMenu(QStringLiteral("&Window"));
        windows->setObjectName(QStringLiteral("mnuWindows"));
        for (const char* name : {"mnuNew", "mnuOpen", "mnuSave", "mnuSaveAs", "mnuPrint", "mnuExit", "mnuClear",
                                 "mnuCascade", "mnuTileVertically", "mnuTileHorizontally", "mnuMinAll", "mnuMaxAll"})
            file->addAction(QString::fromLatin1(name))->setObjectName(QString::fromLatin1(name));
    }

    QAction* action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

    QMdiArea* mdiArea = nullptr;
    QMenu* windows = nullptr;
};
}

class tst_mainmenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void commandsWithoutWindowDoNothing_data();
    void commandsWithoutWindowDoNothing();
    void openWithoutWindow();
    void fileCommandsArmTheActiveWindowsTimer_data();
    void fileCommandsArmTheActiveWindowsTimer();
    void clearEmptiesAndMarksChanged();
    void tiling_data();
    void tiling();
    void windowList();
    void exit_data();
    void exit();

private:
    // A window from File > New: it must be the active one.
    frmWindow* addWindow()
    {
        m_main->action("mnuNew")->trigger();
        return m_state->activeScriptWindow();
    }
    frmWindow* openWindow(const QString& file)
    {
        frmWindow* w = addWindow();
        m_prompt->choose(file);
        w->tmOpen_Timer();
        m_prompt->clear();
        return w;
    }

    struct Env {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        Catalogue catalogue{prompt, QString()};
        Settings settings;
        AppState state{prompt, catalogue, settings};
        TestMainWindow main;
    };
    std::unique_ptr<Env> m_env;
    ScriptedPrompt* m_prompt = nullptr;
    AppState* m_state = nullptr;
    TestMainWindow* m_main = nullptr;
    MainMenuCommands* m_menu = nullptr;
};

void tst_mainmenu::init()
{
    m_env = std::make_unique<Env>();
    m_prompt = &m_env->prompt;
    m_state = &m_env->state;
    m_main = &m_env->main;
    m_state->mainWindow = m_main;
    m_state->mdiArea = m_main->mdiArea;
    m_menu = new MainMenuCommands(*m_state, *m_main);
    m_main->resize(800, 600);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void tst_mainmenu::cleanup()
{
    for (QMdiSubWindow* w : m_main->mdiArea->subWindowList())
        static_cast<frmWindow*>(w)->setChanged(false);
    m_env.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    QVERIFY(m_prompt->boxes.isEmpty() && m_prompt->dialogs.isEmpty());
}

// With no script window open, File > Open makes one for the script.
void tst_mainmenu::openWithoutWindow()
{
    const QString script = m_env->dir.filePath(QStringLiteral("s"));
    writeFile(script, "/afk\r\n");
    m_prompt->choose(script);
    m_main->action("mnuOpen")->trigger();
    frmWindow* w = m_state->activeScriptWindow();
    QVERIFY(w);
    QTRY_VERIFY(m_prompt->allAnswersUsed());  // the window's timer runs the Open
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/afk\n"));
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
    QVERIFY(first->findChild<QTimer*>(timer)->isActive());
    QVERIFY(!second->findChild<QTimer*>(timer)->isActive());
    first->findChild<QTimer*>(timer)->stop();
}

void tst_mainmenu::clearEmptiesAndMarksChanged()
{
    const QString script = m_env->dir.filePath(QStringLiteral("s"));
    writeFile(script, "/tell a b\r\n");
    frmWindow* w = openWindow(script);
    m_main->action("mnuClear")->trigger();
    QVERIFY(w->rtfrypAO->Text().isEmpty());
    QVERIFY(w->Changed());
    QCOMPARE(readFile(script), QByteArray("/tell a b\r\n"));
    // The next Save writes the empty script to its file.
    w->tmSave_Timer();
    QCOMPARE(readFile(script), QByteArray());
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
    QRect covered;
    int total = 0;
    for (QMdiSubWindow* w : m_main->mdiArea->subWindowList()) {
        if (w == minimised)
            continue;
        covered |= w->geometry();
        total += w->width() * w->height();
    }
    // The bands fill the area with no gap or overlap, the active window's first.
    QCOMPARE(covered, area);
    QCOMPARE(total, area.width() * area.height());
    QCOMPARE(active->geometry().topLeft(), area.topLeft());
}

void tst_mainmenu::windowList()
{
    const QString script = m_env->dir.filePath(QStringLiteral("R&D"));
    writeFile(script, "/afk\r\n");
    frmWindow* first = addWindow();
    openWindow(script);
    m_menu->mnuWindows_List();
    m_menu->mnuWindows_List();  // listing again replaces, never repeats
    QList<QAction*> entries = m_menu->windowListEntries();
    QCOMPARE(entries.size(), 3);  // a separator, then the windows
    QCOMPARE(entries.at(1)->text(), QStringLiteral("&1 New File"));
    QCOMPARE(entries.at(2)->text(), QStringLiteral("&2 ") + QString(script).replace(u'&', QStringLiteral("&&")));
    QVERIFY(entries.at(2)->isChecked() && !entries.at(1)->isChecked());
    QCOMPARE(m_main->windows->actions(), entries);

    first->showMinimized();
    entries.at(1)->trigger();
    QCOMPARE(m_main->mdiArea->currentSubWindow(), first);
    QVERIFY(!first->isMinimized());

    m_main->mdiArea->closeAllSubWindows();
    m_menu->mnuWindows_List();
    QVERIFY(m_main->windows->actions().isEmpty());
}

void tst_mainmenu::exit_data()
{
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<bool>("dialogLeft");  // Yes to "Save to a new file?", then no name
    QTest::newRow("closes every window after its question") << false << false;
    QTest::newRow("a failed write stops the exit there") << true << false;
    QTest::newRow("a save dialog left without a name stops the exit there") << false << true;
}

void tst_mainmenu::exit()
{
    QFETCH(bool, writeFails);
    QFETCH(bool, dialogLeft);
    const QString a = m_env->dir.filePath(QStringLiteral("a"));
    writeFile(a, "old a\r\n");
    frmWindow* named = openWindow(a);
    named->rtfrypAO->setText(QStringLiteral("new a"));
    if (writeFails) {
        QVERIFY(QFile::remove(a));
        QVERIFY(QDir(m_env->dir.path()).mkdir(QStringLiteral("a")));
    }
    QPointer<frmWindow> unnamed = addWindow();
    unnamed->rtfrypAO->setText(QStringLiteral("lost"));
    QPointer<frmWindow> unchanged = addWindow();  // asks nothing
    m_prompt->answer(PromptAnswer::Yes);
    if (writeFails)
        m_prompt->answer(PromptAnswer::Ok);  // the failed write's box
    else
        m_prompt->answer(dialogLeft ? PromptAnswer::Yes : PromptAnswer::No);
    if (dialogLeft)
        m_prompt->cancelDialog();

    m_main->action("mnuExit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->unplannedBoxes, 0);
    // The window kept and those after it stay open with their text, unasked.
    QCOMPARE(!unnamed && !unchanged, !writeFails && !dialogLeft);
    QCOMPARE(m_main->isVisible(), writeFails || dialogLeft);
    QCOMPARE(m_prompt->boxes.size(), 2);
    if (!writeFails) {
        QCOMPARE(readFile(a), QByteArray("new a"));
        QCOMPARE(QDir(m_env->dir.path()).entryList(QDir::Files), QStringList{"a"});
        return;
    }
    QCOMPARE(m_main->mdiArea->subWindowList().size(), 3);
    QCOMPARE(named->rtfrypAO->Text(), QStringLiteral("new a"));
}

QTEST_MAIN(tst_mainmenu)
#include "tst_mainmenu.moc"
