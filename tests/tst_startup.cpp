#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "platform/Settings.h"

#include <QDir>
#include <QScreen>
#include <QFile>
#include <QSplitter>
#include <QtTest>

#include <sys/stat.h>

class tst_startup : public QObject {
    Q_OBJECT
private slots:
    void gameFolder_data();
    void gameFolder();
    void windowOpensWhereItWasLeft_data();
    void windowOpensWhereItWasLeft();
    void settingsFileNotOrdinary_data();
    void settingsFileNotOrdinary();
};

void tst_startup::gameFolder_data()
{
    QTest::addColumn<QString>("exeName");      // "" for no executable in the folder
    QTest::addColumn<QString>("scriptsName");  // "" for no scripts folder
    QTest::addColumn<QString>("stored");       // "<game>" the game folder with a slash, "" no setting
    QTest::addColumn<int>("answer");           // 1 Yes, 0 No, -1 no question expected
    QTest::addColumn<bool>("gamePathKept");
    QTest::addColumn<bool>("scriptsAfter");
    QTest::newRow("exe and scripts") << "anarchy.exe" << "scripts" << "<game>/" << -1 << true << true;
    QTest::newRow("exe, no scripts, Yes") << "anarchy.exe" << "" << "<game>/" << 1 << true << true;
    QTest::newRow("exe, no scripts, No") << "anarchy.exe" << "" << "<game>/" << 0 << true << false;
    QTest::newRow("Wine letter case") << "Anarchy.exe" << "Scripts" << "<game>/" << -1 << true << true;
    QTest::newRow("no exe") << "" << "scripts" << "<game>/" << -1 << false << true;
    QTest::newRow("path without trailing slash") << "anarchy.exe" << "scripts" << "<game>" << -1 << false << true;
    // Started from the game's own folder with no setting: the names are relative.
    QTest::newRow("working folder, Yes") << "anarchy.exe" << "" << "" << 1 << true << true;
}

void tst_startup::gameFolder()
{
    QFETCH(QString, exeName);
    QFETCH(QString, scriptsName);
    QFETCH(QString, stored);
    QFETCH(int, answer);
    QFETCH(bool, gamePathKept);
    QFETCH(bool, scriptsAfter);
    MainWindowFixture f;
    QTemporaryDir other;
    const QString game = stored.isEmpty() ? f.dir.path() : other.path();
    QFile exe(game + u'/' + exeName);
    QVERIFY(exeName.isEmpty() || exe.open(QIODevice::WriteOnly));
    if (!scriptsName.isEmpty())
        QVERIFY(QDir(game).mkdir(scriptsName));
    stored.replace(QStringLiteral("<game>"), game);
    if (!stored.isEmpty())
        MainWindowFixture::writeSetting(QStringLiteral("AOPath"), stored);
    if (answer >= 0)
        f.prompt.answer(answer == 1 ? PromptAnswer::Yes : PromptAnswer::No);

    QVERIFY(f.start());

    QVERIFY(f.prompt.allAnswersUsed());
    QCOMPARE(f.prompt.boxes.size(), answer < 0 ? 0 : 1);
    QCOMPARE(f.main->state().gamePath(), gamePathKept ? stored : QString());
    QCOMPARE(QDir(game).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), scriptsAfter ? 1 : 0);
    QCOMPARE(Settings().read(QStringLiteral("AOPath"), {}), stored);  // start-up never rewrites it
}

void tst_startup::windowOpensWhereItWasLeft_data()
{
    QTest::addColumn<QRect>("left");  // null: maximised
    QTest::newRow("moved and resized") << QRect(60, 40, 700, 500);
    QTest::newRow("maximised") << QRect();
}

void tst_startup::windowOpensWhereItWasLeft()
{
    QFETCH(QRect, left);
    MainWindowFixture f;
    QVERIFY(f.startShown());
    // The first start takes a good share of the screen, all of it on the screen.
    const QRect screen = f.main->screen()->availableGeometry();
    QVERIFY(screen.contains(f.main->frameGeometry()) && f.main->width() * 2 > screen.width());
    QVERIFY(f.main->height() * 2 > screen.height());
    const int treeWidth = child<QSplitter>(*f.main, "treeSplitter")->sizes().value(1) + 40;  // the player drags the tree wider
    child<QSplitter>(*f.main, "treeSplitter")->setSizes({1, treeWidth});
    left.isNull() ? f.main->showMaximized() : f.main->setGeometry(left);
    QTRY_COMPARE(f.main->isMaximized(), left.isNull());
    // A maximised window comes back maximised, and un-maximises to where it was.
    const QRect leftAt = f.main->normalGeometry();
    QVERIFY(f.main->close());

    QVERIFY(f.start());
    QCOMPARE(f.main->isMaximized(), left.isNull());
    QCOMPARE(f.main->normalGeometry(), leftAt);
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    QCOMPARE(child<QSplitter>(*f.main, "treeSplitter")->sizes().value(1), treeWidth);
}

void tst_startup::settingsFileNotOrdinary_data()
{
    QTest::addColumn<bool>("pipe");  // a named pipe, else a folder
    QTest::newRow("named pipe") << true;
    QTest::newRow("folder") << false;
}

// A settings file that is no ordinary file would hang the start (a pipe waits for
// a writer): the program says so once, starts with its defaults and runs to the end.
void tst_startup::settingsFileNotOrdinary()
{
    QFETCH(bool, pipe);
    MainWindowFixture f;
    const QString store = Settings::storeFile();
    QFile::remove(store);
    QVERIFY(pipe ? ::mkfifo(QFile::encodeName(store).constData(), 0600) == 0 : QDir().mkpath(store));
    QVERIFY(f.start());
    QCOMPARE(f.prompt.boxes.size(), 1);
    QCOMPARE(f.prompt.boxes[0].title, QStringLiteral("Settings Not Read"));
    QVERIFY(!f.main->state().freeType());
    QVERIFY(f.main->close());
    f.main.reset();
    QCOMPARE(f.prompt.boxes.size(), 1);
    QVERIFY(pipe ? QFile::remove(store) : QDir(store).removeRecursively());
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
