#include "MainWindowFixture.h"

#include "app/InserterMenu.h"
#include "app/frmMain.h"
#include "catalogue/Catalogue.h"
#include "tree/CommandTreePanel.h"

#include <QFile>
#include <QMdiArea>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <map>

class tst_catalogue_connection : public QObject {
    Q_OBJECT
private slots:
    void badCatalogue_data();
    void badCatalogue();
    void missingDriver();
    void openCatalogueIsReadOnly();
    void queryTexts_data();
    void queryTexts();
    void oddRowsRead();
};

void tst_catalogue_connection::badCatalogue_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("missing file") << "missing" << "Err - 14";
    QTest::newRow("not a database") << "text" << "Err - 26";
    QTest::newRow("a table missing") << "DROP TABLE tblnames" << "Err - 1no such table: tblnames";
    QTest::newRow("pages overwritten") << "pages" << "Err - 11";
    QTest::newRow("a column missing") << "ALTER TABLE tblCommand DROP COLUMN CommandBook"
                                      << "Err - 1no such column: CommandBook";
    // The second command of the first group cannot be read: the tree is half read when
    // the failure comes.
    QTest::newRow("a row fails part-way through")
        << "ALTER TABLE tblCommand RENAME TO tblRows; CREATE VIEW tblCommand AS SELECT CommandID, CommandGroupID, "
           "CASE WHEN CommandID = 102 THEN abs(-9223372036854775807 - CommandGroupID) ELSE CommandText END "
           "AS CommandText, CommandDescription, CommandType, [Add], CommandBook FROM tblRows"
        << "Err - 1integer overflow";
}

void tst_catalogue_connection::badCatalogue()
{
    QFETCH(QString, kind);
    QFETCH(QString, textStart);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    const QString path = f.catalogue->path();
    if (kind.contains(QLatin1Char(' '))) {
        for (const QString& statement : kind.split(QLatin1Char(';')))
            f.catalogue->exec(statement);
    } else if (kind == QLatin1String("pages")) {
        // Everything after the first page overwritten with noise.
        constexpr qint64 pageSize = 4096;
        f.catalogue.reset();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.size() > 4 * pageSize);
        QByteArray bytes(file.size() - pageSize, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        QVERIFY(file.seek(pageSize) && file.write(bytes) == bytes.size());
    } else {
        f.catalogue.reset();
        QFile::remove(path);
        QFile file(path);
        if (kind == QLatin1String("text"))
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray("/tell Bob hi\r\n").repeated(80)) > 0);
    }
    f.main = std::make_unique<frmMain>(f.prompt, path);
    QVERIFY(f.main->Form_Load());

    QCOMPARE(f.prompt.boxes.size(), 1);
    const MessageBoxSpec box = f.prompt.boxes.constFirst();
    QCOMPARE(box.title, QStringLiteral("Error in globs"));
    QVERIFY2(box.text.startsWith(textStart), qPrintable(box.text));
    QCOMPARE(box.icon, PromptIcon::Critical);
    QCOMPARE(box.buttons, PromptButtons::Ok);

    // The editor goes on as a plain editor.
    QCOMPARE(f.main->picBar->tvwTreeView1->topLevelItemCount(), 0);
    QCOMPARE(f.main->specialMenu().mnuBreeds.size(), 1);
    QCOMPARE(f.main->specialMenu().mnuProfessions.size(), 1);
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 1);
    QVERIFY(!f.main->state().catalogue.isOpen());
    // A missing file is never created by the attempt to open it.
    if (kind == QLatin1String("missing"))
        QVERIFY(!QFile::exists(path));
}

void tst_catalogue_connection::missingDriver()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    Catalogue catalogue(f.prompt, f.catalogue->path(), QStringLiteral("QNO_SUCH_DRIVER"));
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::DriverMissing);
    QCOMPARE(f.prompt.boxes.size(), 1);
    const MessageBoxSpec box = f.prompt.boxes.constFirst();
    QCOMPARE(box.title, QStringLiteral("Warning"));
    QCOMPARE(box.icon, PromptIcon::Critical);
    // The box names the package that brings the driver.
    QVERIFY2(box.text.contains(QStringLiteral("libqt6sql6-sqlite")), qPrintable(box.text));
    QVERIFY(!catalogue.isOpen());
}

// Opening again is silent, and nothing can be written through the connection.
void tst_catalogue_connection::openCatalogueIsReadOnly()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    QVERIFY(f.prompt.boxes.isEmpty());
    QSqlQuery write(QSqlDatabase::database(Catalogue::connectionName()));
    QVERIFY(!write.exec(QStringLiteral("DELETE FROM tblBreed")));
    QCOMPARE(catalogue.breeds().size(), 4);
}

// What the program asks of the catalogue, word for word; values go in bound, so a
// quote in one stays inside it.
void tst_catalogue_connection::queryTexts_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("queries");
    const QString command = QStringLiteral("SELECT * FROM tblCommand");
    QTest::newRow("tree, without the help pages")
        << "tree"
        << QStringList{"SELECT * FROM tblCommandGroup",
                       "SELECT CommandID, CommandText, CommandDescription FROM tblCommand WHERE CommandGroupID = 7"};
    QTest::newRow("all commands") << "all" << QStringList{command + " ORDER BY rowid"};
    QTest::newRow("by word") << "it's" << QStringList{command + " WHERE CommandText = 'it''s'"};
    QTest::newRow("help page") << "help" << QStringList{command + " WHERE CommandID = 701"};
    QTest::newRow("book") << "book"
                          << QStringList{command + " WHERE COmmandGroupID <> 9 ORDER BY CommandGroupID, CommandText"};
    QTest::newRow("breeds") << "breeds" << QStringList{"SELECT * FROM tblBreed"};
    QTest::newRow("professions") << "professions" << QStringList{"SELECT * FROM tblProfession"};
    QTest::newRow("male names") << "M" << QStringList{"SELECT * FROM tblnames WHERE Type = 0 and Sex = 'M'"};
    QTest::newRow("names of any sex") << "" << QStringList{"SELECT * FROM tblnames WHERE Type = 0"};
    QTest::newRow("a table name that is no plain word") << "tblBreed;" << QStringList{};
}

void tst_catalogue_connection::queryTexts()
{
    QFETCH(QString, question);
    QFETCH(QStringList, queries);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    Catalogue c(f.prompt, f.catalogue->path());
    QCOMPARE(c.OpenCatalogue(), Catalogue::OpenResult::Open);
    const std::map<QString, std::function<void()>> ask{
        {"tree", [&] { c.commandTree([](int group) { return group == 7; }); }},
        {"all", [&] { c.allCommands(); }},
        {"it's", [&] { c.commandsNamed(question); }},
        {"help", [&] { c.helpPage(701); }},
        {"book", [&] { c.bookPages(); }},
        {"breeds", [&] { c.breeds(); }},
        {"professions", [&] { c.professions(); }},
        {"tblBreed;", [&] { c.wordList(question); }},
    };
    const auto it = ask.find(question);
    if (it != ask.end())
        it->second();
    else
        c.names(0, question);
    QCOMPARE(c.queryLog(), queries);
    QVERIFY(f.prompt.boxes.isEmpty());
}

// A quote in a word finds its row, whatever its letter case; fields without a value
// read as empty.
void tst_catalogue_connection::oddRowsRead()
{
    MainWindowFixture f;
    f.catalogue->exec(QStringLiteral("INSERT INTO tblCommandGroup VALUES (1, 'Communication', NULL)"));
    f.catalogue->addCommand(1, 1, QStringLiteral("o'neil"), QStringLiteral("odd"), 1);
    f.catalogue->exec(QStringLiteral("INSERT INTO tblCommand VALUES (2, 1, 'tell', NULL, 1, NULL, NULL)"));
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    const std::vector<CatalogueCommand> found = catalogue.commandsNamed(QStringLiteral("O'NEIL"));
    QCOMPARE(found.size(), 1u);
    QCOMPARE(found.front().description, QStringLiteral("odd"));
    const std::vector<CatalogueCommand> all = catalogue.allCommands();
    QCOMPARE(all.size(), 2u);
    QCOMPARE(all.back().description, QString());
    QCOMPARE(all.back().add, QString());
    QCOMPARE(catalogue.commandTree([](int) { return true; }).front().prefix, QString());
}

QTEST_MAIN(tst_catalogue_connection)
#include "tst_catalogue_connection.moc"
