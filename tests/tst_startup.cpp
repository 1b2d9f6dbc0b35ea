#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "dialogs/frmAbout.h"
#include "editor/frmWindow.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kScriptsQuestion = QStringLiteral(
    "Zandrel has detected that you do not currently have the correct scripts directory. "
    "Zandrel can create this for you now, is this ok?");

void touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList captions(const QList<QAction*>& items)
{
    QStringList out;
    for (const QAction* a : items)
        out << (a ? a->text() : QString());
    return out;
}

}

class tst_startup : public QObject {
    Q_OBJECT
private slots:
    void freeTypeSetting_data();
    void freeTypeSetting();
    void gameFolder_data();
    void gameFolder();
    void scriptsFolderInWorkingFolder();
    void menusAsListed_data();
    void menusAsListed();
    void argumentItems();
    void breedAndProfessionItems();
    void emptyBreedAndProfessionTables();
    void firstScriptWindowOpenAndActive();
    void aboutCaption();
    void closingEndsInOrder();
    void windowOpensWhereItWasLeft_data();
    void windowOpensWhereItWasLeft();
};

void tst_startup::freeTypeSetting_data()
{
    QTest::addColumn<QString>("stored");  // "<none>" for no stored value
    QTest::addColumn<bool>("freeType");
    QTest::newRow("first run") << "<none>" << false;
    QTest::newRow("one") << "1" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("a word for yes") << "yes" << false;
    QTest::newRow("true") << "true" << false;
    QTest::newRow("another number") << "2" << false;
    QTest::newRow("one with a space") << "1 " << false;
}

void tst_startup::freeTypeSetting()
{
    QFETCH(QString, stored);
    QFETCH(bool, freeType);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    if (stored != QLatin1String("<none>"))
        MainWindowFixture::writeSetting(QStringLiteral("FreeType"), stored);
    QVERIFY(f.start());
    QCOMPARE(f.main->state().freeType, freeType);
    QCOMPARE(f.main->mnuFreeType->isChecked(), freeType);
    QVERIFY(f.prompt.boxes.isEmpty());
}

void tst_startup::gameFolder_data()
{
    QTest::addColumn<QString>("exeName");      // "" for no executable in the folder
    QTest::addColumn<QString>("scriptsName");  // "" for no scripts folder
    QTest::addColumn<bool>("trailingSlash");
    QTest::addColumn<int>("answer");           // 1 Yes, 0 No, -1 no question expected
    QTest::addColumn<bool>("gamePathKept");
    QTest::addColumn<bool>("scriptsAfter");

    QTest::newRow("exe and scripts") << "anarchy.exe" << "scripts" << true << -1 << true << true;
    QTest::newRow("exe, no scripts, Yes") << "anarchy.exe" << "" << true << 1 << true << true;
    QTest::newRow("exe, no scripts, No") << "anarchy.exe" << "" << true << 0 << true << false;
    QTest::newRow("Wine letter case") << "Anarchy.exe" << "Scripts" << true << -1 << true << true;
    QTest::newRow("upper-case exe, no scripts, Yes") << "ANARCHY.EXE" << "" << true << 1 << true << true;
    QTest::newRow("no exe") << "" << "scripts" << true << -1 << false << true;
    QTest::newRow("path without trailing slash") << "anarchy.exe" << "scripts" << false << -1 << false << true;
}

void tst_startup::gameFolder()
{
    QFETCH(QString, exeName);
    QFETCH(QString, scriptsName);
    QFETCH(bool, trailingSlash);
    QFETCH(int, answer);
    QFETCH(bool, gamePathKept);
    QFETCH(bool, scriptsAfter);

    MainWindowFixture f;
    f.fillStandardCatalogue();
    QTemporaryDir game;
    if (!exeName.isEmpty())
        touch(game.filePath(exeName));
    if (!scriptsName.isEmpty())
        QVERIFY(QDir(game.path()).mkdir(scriptsName));
    const QString stored = game.path() + (trailingSlash ? QStringLiteral("/") : QString());
    MainWindowFixture::writeSetting(QStringLiteral("AOPath"), stored);
    if (answer >= 0)
        f.prompt.answer(answer == 1 ? PromptAnswer::Yes : PromptAnswer::No);

    QVERIFY(f.start());

    if (answer < 0) {
        QVERIFY(f.prompt.boxes.isEmpty());
    } else {
        QCOMPARE(f.prompt.boxes.size(), 1);
        QCOMPARE(f.prompt.boxes[0].title, QStringLiteral("Create Scripts Directory"));
        QCOMPARE(f.prompt.boxes[0].text, kScriptsQuestion);
        QCOMPARE(f.prompt.boxes[0].icon, PromptIcon::Question);
        QCOMPARE(f.prompt.boxes[0].buttons, PromptButtons::YesNo);
    }
    QCOMPARE(f.main->state().gamePath, gamePathKept ? stored : QString());
    const QStringList dirs = QDir(game.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(dirs.size(), scriptsAfter ? 1 : 0);
    // The stored setting is never rewritten by start-up.
    QCOMPARE(Settings().read(QStringLiteral("AOPath"), {}), stored);
}

void tst_startup::scriptsFolderInWorkingFolder()
{
    // Started from the game's own folder with no settings: the names are relative.
    MainWindowFixture f;
    f.fillStandardCatalogue();
    touch(f.dir.filePath(QStringLiteral("anarchy.exe")));
    f.prompt.answer(PromptAnswer::Yes);
    QVERIFY(f.start());
    QCOMPARE(f.prompt.boxes.size(), 1);
    QVERIFY(QFileInfo(f.dir.filePath(QStringLiteral("scripts"))).isDir());
    QCOMPARE(f.main->state().gamePath, QString());
}

void tst_startup::menusAsListed_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");  // caption, with "|shortcut" where there is one
    QTest::newRow("file") << "mnuFile"
                          << QStringList{"&New|Ctrl+N", "&Open|Ctrl+O", "&Save|Ctrl+S", "Sa&ve As", "-", "&Print|Ctrl+P",
                                         "-", "E&xit"};
    QTest::newRow("edit") << "mnuEditor" << QStringList{"&Find", "-", "Clear", "-", "Free Type", "&Options"};
    QTest::newRow("special") << "mnuSpecial" << QStringList{"&Breed", "&Profession", "&Variables", "&Pet"};
    QTest::newRow("window") << "mnuWindows"
                            << QStringList{"Cascade", "Tile Vertically", "Tile Horizontally", "Minimize All",
                                           "Maxmimize All"};
    QTest::newRow("help") << "mnuHelp2" << QStringList{"All Commands|F1", "About"};
    QTest::newRow("pet") << "mnuPet"
                         << QStringList{"Rename (random)", "Rename (male)", "Rename (female)", "Rename (unisex)",
                                        "Rename (surname)", "Rename (fantasy)"};
    QTest::newRow("popup") << "mnuPopup" << QStringList{"Insert", "Help"};
}

void tst_startup::menusAsListed()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    auto* m = f.main->findChild<QMenu*>(menu);
    QVERIFY(m);
    QStringList actual;
    for (const QAction* a : m->actions()) {
        QString entry = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (!a->shortcut().isEmpty())
            entry += QLatin1Char('|') + a->shortcut().toString();
        actual << entry;
    }
    // The Window menu lists the open windows after its own entries.
    QCOMPARE(actual.mid(0, items.size()), items);
    const QStringList bar = [&] {
        QStringList titles;
        for (const QAction* a : f.main->menuBar()->actions())
            titles << a->text();
        return titles;
    }();
    QCOMPARE(bar, (QStringList{"&File", "&Edit", "&Special", "&Window", "&Help"}));
}

void tst_startup::argumentItems()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    auto* variables = f.main->findChild<QMenu*>(QStringLiteral("mnuVariables"));
    QStringList visible;
    for (const QAction* a : variables->actions())
        if (a->isVisible())
            visible << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(visible, (QStringList{"Current Fighting", "Current Target", "Me", "-", "Argument 1", "Argument 2",
                                   "Argument 3", "Argument 4", "Argument 5", "Argument 6", "Argument 7",
                                   "Argument 8", "Argument 9"}));
    QCOMPARE(f.main->mnuArgs.size(), 10);
}

void tst_startup::breedAndProfessionItems()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    QCOMPARE(captions(f.main->mnuBreeds), (QStringList{"Random", "Solitus", "Opifex", "Nanomage", "Atrox"}));
    QCOMPARE(captions(f.main->mnuProfessions), (QStringList{"Random", "Adventurer", "Agent", "Meta-Physicist"}));
    QCOMPARE(f.main->findChild<QMenu*>(QStringLiteral("mnuBreed"))->actions().size(), 5);
}

void tst_startup::emptyBreedAndProfessionTables()
{
    MainWindowFixture f;
    f.catalogue->addGroup(1, QStringLiteral("Communication"));
    f.catalogue->exec(QStringLiteral("INSERT INTO tblBreed VALUES (NULL)"));
    QVERIFY(f.start());
    // A breed without a value still gets its item, captioned with the empty text.
    QCOMPARE(captions(f.main->mnuBreeds), (QStringList{"Random", ""}));
    QCOMPARE(captions(f.main->mnuProfessions), QStringList{"Random"});
}

void tst_startup::firstScriptWindowOpenAndActive()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 1);
    frmWindow* active = f.main->state().activeScriptWindow();
    QVERIFY(active);
    QCOMPARE(active->windowTitle(), QStringLiteral("New File"));
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Zandrel"));
}

void tst_startup::aboutCaption()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Zandrel (1.1.1)"));
    const QStringList lines = about.lblAbout->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Zandrel is a small Macro/Script editing tool for Anarchy Online. It has a simple "
                                      "interface with buttons and quick links to insert common commands."));
    QVERIFY(lines[1].isEmpty() && lines[3].isEmpty());
    QCOMPARE(about.cmdOk->text(), QStringLiteral("&OK"));
}

void tst_startup::closingEndsInOrder()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    QVERIFY(f.main->state().catalogue.isOpen());
    QVERIFY(f.main->close());
    QVERIFY(f.main->mdiArea->subWindowList().isEmpty());
    QVERIFY(!f.main->state().catalogue.isOpen());
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
    if (left.isNull())
        f.main->showMaximized();
    else
        f.main->setGeometry(left);
    QTRY_COMPARE(f.main->isMaximized(), left.isNull());
    // A maximised window comes back maximised, and un-maximises to where it was.
    const QRect leftAt = f.main->normalGeometry();
    QVERIFY(f.main->close());

    QVERIFY(f.start());
    QCOMPARE(f.main->isMaximized(), left.isNull());
    QCOMPARE(f.main->normalGeometry(), leftAt);
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
