#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/MainWindow.h"
#include "editor/ScriptWindow.h"
#include "platform/RecoveryStore.h"
#include "platform/Settings.h"
#include "platform/RichTextControl.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

// A script's unsaved text outlives the program: a real run is ended by a signal and
// the next start offers its text back.
class tst_recovery : public QObject {
    Q_OBJECT
private slots:
    void killedRunIsRestored_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("answer");  // to the start-up offer
        QTest::newRow("logout (SIGHUP), Restore") << int(SIGHUP) << "restore";
        QTest::newRow("kill -9, Restore") << int(SIGKILL) << "restore";
        QTest::newRow("SIGTERM, Discard") << int(SIGTERM) << "discard";
    }
    // The run opens pull.txt from its command line; another program deletes it, which
    // leaves the window changed. Once the window's text is kept, the run is ended.
    void killedRunIsRestored()
    {
        QFETCH(int, signal);
        QFETCH(QString, answer);
        MainWindowFixture f;
        const QString script = f.dir.filePath(QStringLiteral("pull.txt"));
        writeFile(script, "/afk\r\n/sit\r\n");
        QProcess run;  // with this test's settings and state folders
        run.start(qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR") + QStringLiteral("/zandrel"), {script});
        QVERIFY(run.waitForStarted());
        // The recent list names the script once the run has read it (and watches it).
        QTRY_VERIFY_WITH_TIMEOUT(readFile(Settings::storeFile()).contains("pull.txt"), 60000);
        QVERIFY(QFile::remove(script));
        QTRY_COMPARE_WITH_TIMEOUT(QDir(RecoveryStore::folder()).entryList(QDir::Files).size(), 1, 60000);
        ::kill(pid_t(run.processId()), signal);
        QVERIFY(run.waitForFinished());
        QCOMPARE(run.exitStatus(), QProcess::CrashExit);  // ended by the signal, asking nothing

        f.prompt.answer(answer == "restore" ? PromptAnswer::Restore : PromptAnswer::Discard);
        QVERIFY(f.start());
        QVERIFY(f.prompt.allAnswersUsed());
        QVERIFY(f.prompt.boxes[0].text.contains(QStringLiteral("'pull.txt'")));
        ScriptWindow* w = f.main->activeScriptWindow();
        const bool restored = answer == "restore";
        QCOMPARE(w->editor()->Text(), restored ? QStringLiteral("/afk\n/sit\n") : QString());
        QCOMPARE(w->fileName(), restored ? script : QString());
        QCOMPARE(w->isChanged() && w->isGoneFromDisk(), restored);
        QVERIFY(!QFile::exists(script));  // written only when the player saves
        // Kept under this run now (no longer offered), or gone.
        QCOMPARE(QDir(RecoveryStore::folder()).entryList(QDir::Files).size() - RecoveryStore::leftBehind().size(), restored ? 1 : 0);
    }
};

QTEST_MAIN(tst_recovery)
#include "tst_recovery.moc"
