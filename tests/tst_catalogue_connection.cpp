#include "MainWindowFixture.h"

#include "app/InserterMenu.h"
#include "app/frmMain.h"
#include "catalogue/Catalogue.h"
#include "tree/CommandTreePanel.h"

#include <QFile>
#include <QMdiArea>
#include <QTreeWidget>
#include <QtTest>

class tst_catalogue_connection : public QObject {
    Q_OBJECT
private slots:
    void badCatalogue_data();
    void badCatalogue();
    void reopeningIsSilent();
    void missingDriver();
    void readOnly();
    void boundValuesAreLoggedAsLiterals_data();
    void boundValuesAreLoggedAsLiterals();
    void quoteInAValueFindsItsRow();
    void rowSetCursor();
    void nullFieldsReadAsEmpty();
};

void tst_catalogue_connection::badCatalogue_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("missing file") << "missing" << "Err - 14";
    QTest::newRow("not a database") << "text" << "Err - 26";
    QTest::newRow("a table missing") << "notable" << "Err - 1no such table: tblnames";
    QTest::newRow("empty file") << "empty" << "Err - 1no such table";
}

void tst_catalogue_connection::badCatalogue()
{
    QFETCH(QString, kind);
    QFETCH(QString, textStart);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    const QString path = f.catalogue->path();
    if (kind == QLatin1String("notable")) {
        f.catalogue->exec(QStringLiteral("DROP TABLE tblnames"));
    } else {
        f.catalogue.reset();
        QFile::remove(path);
        if (kind != QLatin1String("missing")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("text"))
                file.write(QByteArray("/tell Bob this is a script, not a catalogue\r\n").repeated(50));
        }
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

void tst_catalogue_connection::reopeningIsSilent()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    QVERIFY(catalogue.isOpen());
    QVERIFY(f.prompt.boxes.isEmpty());
    QCOMPARE(catalogue.query(QStringLiteral("SELECT * FROM tblBreed")).count(), 4);
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
    QCOMPARE(box.buttons, PromptButtons::Ok);
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith(QStringLiteral("This application requires something called mdac")));
    QCOMPARE(lines[1], QStringLiteral("You can get these files from the following location(s):"));
    QVERIFY(lines[2].isEmpty());
    QVERIFY2(lines[3].contains(QStringLiteral("libqt6sql6-sqlite")), qPrintable(lines[3]));
    QVERIFY(!catalogue.isOpen());
}

void tst_catalogue_connection::readOnly()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    catalogue.query(QStringLiteral("DELETE FROM tblBreed"));
    QVERIFY(!catalogue.lastError().isEmpty());
    QCOMPARE(catalogue.query(QStringLiteral("SELECT * FROM tblBreed")).count(), 4);
}

void tst_catalogue_connection::boundValuesAreLoggedAsLiterals_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("binds");
    QTest::addColumn<QString>("logged");
    QTest::newRow("number") << "SELECT * FROM tblCommand WHERE CommandGroupID = ?" << QVariantList{5}
                            << "SELECT * FROM tblCommand WHERE CommandGroupID = 5";
    QTest::newRow("number and text") << "SELECT * FROM tblnames WHERE Type = ? and Sex = ?"
                                     << QVariantList{0, QStringLiteral("M")}
                                     << "SELECT * FROM tblnames WHERE Type = 0 and Sex = 'M'";
    QTest::newRow("quote doubled") << "SELECT * FROM tblCommand WHERE CommandText = ?"
                                   << QVariantList{QStringLiteral("it's")}
                                   << "SELECT * FROM tblCommand WHERE CommandText = 'it''s'";
    QTest::newRow("no binds") << "SELECT * FROM tblBreed" << QVariantList{} << "SELECT * FROM tblBreed";
}

void tst_catalogue_connection::boundValuesAreLoggedAsLiterals()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, binds);
    QFETCH(QString, logged);
    QCOMPARE(expandBinds(sql, binds), logged);
}

void tst_catalogue_connection::quoteInAValueFindsItsRow()
{
    MainWindowFixture f;
    f.catalogue->addGroup(1, QStringLiteral("Communication"));
    f.catalogue->addCommand(1, 1, QStringLiteral("o'neil"), QStringLiteral("odd"), 1);
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    RowSet rows = catalogue.query(QStringLiteral("SELECT * FROM tblCommand WHERE CommandText = ?"),
                                  {QStringLiteral("O'NEIL")});
    QCOMPARE(rows.count(), 1);  // word columns ignore letter case
    QCOMPARE(rows.text(QStringLiteral("CommandDescription")), QStringLiteral("odd"));
}

void tst_catalogue_connection::rowSetCursor()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    RowSet rows = catalogue.table(QStringLiteral("tblBreed"));
    QVERIFY(rows.atStart());
    QCOMPARE(rows.text(QStringLiteral("Breed")), QStringLiteral("Solitus"));
    rows.move(3);
    QCOMPARE(rows.text(QStringLiteral("Breed")), QStringLiteral("Atrox"));
    rows.move(10);
    QVERIFY(rows.atEnd());
    QCOMPARE(rows.text(QStringLiteral("Breed")), QString());
    RowSet none = catalogue.query(QStringLiteral("SELECT * FROM tblBreed WHERE Breed = ?"), {QStringLiteral("x")});
    QVERIFY(none.atStart() && none.atEnd());
}

void tst_catalogue_connection::nullFieldsReadAsEmpty()
{
    MainWindowFixture f;
    f.catalogue->exec(QStringLiteral("INSERT INTO tblCommandGroup VALUES (1, 'Communication', NULL)"));
    f.catalogue->exec(QStringLiteral("INSERT INTO tblCommand VALUES (1, 1, 'tell', NULL, 1, NULL, NULL)"));
    Catalogue catalogue(f.prompt, f.catalogue->path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    RowSet rows = catalogue.table(QStringLiteral("tblCommand"));
    QCOMPARE(rows.text(QStringLiteral("CommandDescription")), QString());
    QCOMPARE(rows.text(QStringLiteral("Add")), QString());
}

QTEST_MAIN(tst_catalogue_connection)
#include "tst_catalogue_connection.moc"
