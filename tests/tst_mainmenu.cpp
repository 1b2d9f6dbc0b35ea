#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/MainMenuCommands.h"
#include "app/frmMain.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>
#include <QtTest>

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
    void tiling_data();
    void tiling();
    void windowList();
    void exit_data();
    void exit();

private:
    void trigger(const char* item) { m_f->main->findChild<QAction*>(QString::fromLatin1(item))->trigger(); }
    // A window from File > New: it must be the active one.
    frmWindow* addWindow()
    {
        trigger("mnuNew");
        return m_f->main->activeScriptWindow();
    }
    frmWindow* openWindow(const QString& file)
    {
        frmWindow* w = addWindow();
        m_f->prompt.choose(file);
        w->tmOpen_Timer();
        m_f->prompt.clear();
        return w;
    }
    void closeAll()
    {
        m_f->main->mdiArea->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString path(const QString& name) const { return m_f->dir.filePath(name); }
    QMdiArea& area() const { return *m_f->main->mdiArea; }

    std::unique_ptr<MainWindowFixture> m_f;
};

// The main window as the player gets it, with its one empty script window.
void tst_mainmenu::init()
{
    m_f = std::make_unique<MainWindowFixture>();
    QVERIFY(m_f->startShown());
    m_f->prompt.clear();
}

void tst_mainmenu::cleanup()
{
    for (QMdiSubWindow* w : area().subWindowList())
        static_cast<frmWindow*>(w)->setChanged(false);
    m_f.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_mainmenu::commandsWithoutWindowDoNothing_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"mnuSave", "mnuSaveAs", "mnuPrint", "mnuClear", "mnuTileHorizontally", "mnuMaxAll"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_mainmenu::commandsWithoutWindowDoNothing()
{
    QFETCH(QString, name);
    closeAll();
    trigger(name.toLatin1().constData());
    QCoreApplication::processEvents();
    QVERIFY(area().subWindowList().isEmpty());
    QVERIFY(m_f->prompt.boxes.isEmpty() && m_f->prompt.dialogs.isEmpty());
}

// With no script window open, File > Open makes one for the script.
void tst_mainmenu::openWithoutWindow()
{
    const QString script = path(QStringLiteral("s"));
    writeFile(script, "/afk\r\n");
    closeAll();
    m_f->prompt.choose(script);
    trigger("mnuOpen");
    frmWindow* w = m_f->main->activeScriptWindow();
    QVERIFY(w);
    QTRY_VERIFY(m_f->prompt.allAnswersUsed());  // the window's timer runs the Open
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
    frmWindow* first = m_f->main->activeScriptWindow();
    frmWindow* second = addWindow();
    area().setActiveSubWindow(first);
    trigger(name.toLatin1().constData());
    QVERIFY(first->findChild<QTimer*>(timer)->isActive());
    QVERIFY(!second->findChild<QTimer*>(timer)->isActive());
    first->findChild<QTimer*>(timer)->stop();
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
    frmWindow* minimised = m_f->main->activeScriptWindow();
    minimised->showMinimized();
    for (int i = 0; i < count; ++i)
        addWindow();
    QMdiSubWindow* active = area().currentSubWindow();
    active->showMaximized();
    trigger(horizontal ? "mnuTileHorizontally" : "mnuTileVertically");
    QVERIFY(minimised->isMinimized());
    QVERIFY(!active->isMaximized());
    QCOMPARE(area().currentSubWindow(), active);
    const QRect viewport = area().viewport()->rect();
    QRect covered;
    int total = 0;
    for (QMdiSubWindow* w : area().subWindowList()) {
        if (w == minimised)
            continue;
        covered |= w->geometry();
        total += w->width() * w->height();
    }
    // The bands fill the area with no gap or overlap, the active window's first.
    QCOMPARE(covered, viewport);
    QCOMPARE(total, viewport.width() * viewport.height());
    QCOMPARE(active->geometry().topLeft(), viewport.topLeft());
}

void tst_mainmenu::windowList()
{
    const QString script = path(QStringLiteral("R&D"));
    writeFile(script, "/afk\r\n");
    frmWindow* first = m_f->main->activeScriptWindow();
    openWindow(script);
    MainMenuCommands& menu = m_f->main->mainMenu();
    menu.mnuWindows_List();
    menu.mnuWindows_List();  // listing again replaces, never repeats
    QList<QAction*> entries = menu.windowListEntries();
    QCOMPARE(entries.size(), 3);  // a separator, then the windows
    QCOMPARE(entries.at(1)->text(), QStringLiteral("&1 New File"));
    QCOMPARE(entries.at(2)->text(), QStringLiteral("&2 ") + QString(script).replace(u'&', QStringLiteral("&&")));
    QVERIFY(entries.at(2)->isChecked() && !entries.at(1)->isChecked());

    first->showMinimized();
    entries.at(1)->trigger();
    QCOMPARE(area().currentSubWindow(), first);
    QVERIFY(!first->isMinimized());

    closeAll();
    menu.mnuWindows_List();
    QVERIFY(menu.windowListEntries().isEmpty());
}

void tst_mainmenu::exit_data()
{
    QTest::addColumn<bool>("closeBox");    // the main window's close box rather than File > Exit
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<bool>("dialogLeft");  // Yes to "Save to a new file?", then no name
    for (const bool closeBox : {false, true}) {
        const char* via = closeBox ? "close box" : "Exit";
        QTest::addRow("%s closes every window after its question", via) << closeBox << false << false;
        QTest::addRow("%s: a failed write stops there", via) << closeBox << true << false;
        QTest::addRow("%s: a save dialog left without a name stops there", via) << closeBox << false << true;
    }
}

// Windows are asked oldest first; the first one the player keeps ends the exit
// there, and the windows after it stay open with their text, unasked.
void tst_mainmenu::exit()
{
    QFETCH(bool, closeBox);
    QFETCH(bool, writeFails);
    QFETCH(bool, dialogLeft);
    const bool kept = writeFails || dialogLeft;
    const QString a = path(QStringLiteral("a"));
    writeFile(a, "old a\r\n");
    frmWindow* named = openWindow(a);
    named->rtfrypAO->setText(QStringLiteral("new a"));
    if (writeFails) {
        QVERIFY(QFile::remove(a));
        QVERIFY(QDir(m_f->dir.path()).mkdir(QStringLiteral("a")));
    }
    QPointer<frmWindow> unnamed = addWindow();
    unnamed->rtfrypAO->setText(QStringLiteral("lost"));
    QPointer<frmWindow> unchanged = addWindow();  // asks nothing
    m_f->prompt.answer(PromptAnswer::Yes);
    if (writeFails)
        m_f->prompt.answer(PromptAnswer::Ok);  // the failed write's box
    else
        m_f->prompt.answer(dialogLeft ? PromptAnswer::Yes : PromptAnswer::No);
    if (dialogLeft)
        m_f->prompt.cancelDialog();

    if (closeBox)
        QCOMPARE(m_f->main->close(), !kept);
    else
        trigger("mnuExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(m_f->prompt.allAnswersUsed());
    QCOMPARE(m_f->prompt.unplannedBoxes, 0);
    QCOMPARE(m_f->prompt.boxes.size(), 2);
    QCOMPARE(!unnamed && !unchanged, !kept);
    QCOMPARE(m_f->main->isVisible(), kept);
    QCOMPARE(m_f->main->state().catalogue.isOpen(), kept);
    QCOMPARE(readFile(a), writeFails ? QByteArray("<missing>") : QByteArray("new a"));
    if (writeFails)
        QCOMPARE(named->rtfrypAO->Text(), QStringLiteral("new a"));
    else if (dialogLeft)
        QCOMPARE(unnamed->rtfrypAO->Text(), QStringLiteral("lost"));
}

QTEST_MAIN(tst_mainmenu)
#include "tst_mainmenu.moc"
