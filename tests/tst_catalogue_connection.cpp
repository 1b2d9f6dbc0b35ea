#include "support/Child.h"
#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/InserterMenu.h"
#include "app/MainWindow.h"
#include "catalogue/Catalogue.h"
#include "tree/CommandTreePanel.h"

#include <QFile>
#include <QMdiArea>
#include <QRandomGenerator>
#include <QTreeWidget>
#include <QtTest>

class tst_catalogue_connection : public QObject {
    Q_OBJECT
private slots:
    void badCatalogue_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("details");  // the number and the system's words, under Show Details
        QTest::newRow("missing file") << "missing" << "Error number: 14";
        QTest::newRow("not a database") << "text" << "Error number: 26";
        QTest::newRow("a table missing") << "DROP TABLE tblnames" << "Error number: 1\nSystem message: no such table: tblnames";
        QTest::newRow("pages overwritten") << "pages" << "Error number: 11";
        QTest::newRow("a column missing") << "ALTER TABLE tblCommand DROP COLUMN CommandBook"
                                          << "Error number: 1\nSystem message: no such column: CommandBook";
        // The second command of the first group cannot be read: the tree is half read when
        // the failure comes.
        QTest::newRow("a row fails part-way through")
            << "ALTER TABLE tblCommand RENAME TO tblRows; CREATE VIEW tblCommand AS SELECT CommandID, CommandGroupID, "
               "CASE WHEN CommandID = 102 THEN abs(-9223372036854775807 - CommandGroupID) ELSE CommandText END "
               "AS CommandText, CommandDescription, CommandType, [Add], CommandBook, CommandValues FROM tblRows"
            << "Error number: 1\nSystem message: integer overflow";
    }

    void badCatalogue()
    {
        QFETCH(QString, kind);
        QFETCH(QString, details);
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
            if (kind == QLatin1String("text"))
                writeFile(path, QByteArray("/tell Bob hi\r\n").repeated(80));
        }
        f.main = std::make_unique<MainWindow>(f.prompt, path);
        QVERIFY(f.main->start());

        QCOMPARE(f.prompt.boxes.size(), 1);
        const MessageBoxRequest box = f.prompt.boxes.constFirst();
        QCOMPARE(box.title, QStringLiteral("Could not read the command catalogue"));
        QVERIFY2(box.text.contains(path) && box.details.contains(details), qPrintable(box.details));

        // The editor goes on as a plain editor.
        QCOMPARE(f.main->treePanel().tree()->topLevelItemCount(), 0);
        QCOMPARE(f.main->specialMenu().breedItems.size(), 1);
        QCOMPARE(f.main->specialMenu().professionItems.size(), 1);
        QCOMPARE(f.main->scriptArea().subWindowList().size(), 1);
        QVERIFY(!f.main->state().catalogue.isOpen());
        // A missing file is never created by the attempt to open it.
        if (kind == QLatin1String("missing"))
            QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(tst_catalogue_connection)
#include "tst_catalogue_connection.moc"
