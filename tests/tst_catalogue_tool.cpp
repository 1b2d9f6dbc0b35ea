// The catalogue tool: reading the text sources, the checks that keep a broken catalogue
// from being built, the help markup's RTF, and the all-or-nothing output.

#include "TestFiles.h"

#include "catalogue/CatalogueBuilder.h"
#include "catalogue/CatalogueSource.h"
#include "catalogue/HelpMarkup.h"
#include "platform/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QFont>
#include <QTextCharFormat>
#include <QUuid>
#include <QtTest>

namespace {

// Where the build put the catalogue and the tool: the test runner says so, and a test
// started by hand finds them beside itself.
QString buildDir()
{
    const QString dir = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

using Files = QMap<QString, QByteArray>;

// The smallest source set the tool accepts. Line numbers in the rows below refer to it.
Files minimalSources()
{
    Files files;
    files[QStringLiteral("groups.tsv")] = "CommandGroupID\tCommandGroupText\tPrefix\n"
                                          "1\tCommunication\t\n"
                                          "7\tPet Commands\tpet\n"
                                          "9\tExample Scripts\t\n";
    files[QStringLiteral("breeds.txt")] = "Solitus\nAtrox\n";
    files[QStringLiteral("professions.txt")] = "Doctor\nMeta-Physicist\n";
    files[QStringLiteral("names.tsv")] = "Names\tType\tSex\n"
                                         "Rexo\t0\tM\n"
                                         "Mira\t0\tF\n"
                                         "Bolt\t0\tU\n"
                                         "Unbroken\t1\tU\n";
    files[QStringLiteral("commands/01-talk.txt")] = "group: 1\n"                       // 1
                                                    "\n"                               // 2
                                                    "[tell]\n"                         // 3
                                                    "id: 1001\n"                       // 4
                                                    "type: 1\n"                        // 5
                                                    "add:\n"                           // 6
                                                    "desc: Send a private message.\n"  // 7
                                                    "help:\n"                          // 8
                                                    "Sends a **private** message.\n"   // 9
                                                    "\n"                               // 10
                                                    "> /tell Bob hi\n";                // 11
    files[QStringLiteral("commands/07-pet.txt")] = "group: 7\n"                       // 1
                                                   "\n"                               // 2
                                                   "[rename]\n"                       // 3
                                                   "id: 7001\n"                       // 4
                                                   "type: 1\n"                        // 5
                                                   "add: \"\n"                        // 6
                                                   "desc: Rename your pet.\n"         // 7
                                                   "help:\n"                          // 8
                                                   "Gives the pet a new name.\n"      // 9
                                                   "\n"                               // 10
                                                   "[attack]\n"                       // 11
                                                   "id: 7002\n"                       // 12
                                                   "type: 0\n"                        // 13
                                                   "add:\n"                           // 14
                                                   "desc: Send pets at the target.\n" // 15
                                                   "help:\n"                          // 16
                                                   "Pets attack.\n";                  // 17
    files[QStringLiteral("commands/09-examples.txt")] = "# finished lines\n"
                                                        "group: 9\n"
                                                        "\n"
                                                        "[/t Help on %t!]\n"
                                                        "id: 9001\n"
                                                        "type: 0\n"
                                                        "add:\n"
                                                        "desc: Ask for help.\n"
                                                        "help:\n";
    return files;
}

void writeSources(const QString& folder, const Files& files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
        file.write(it.value());
    }
}

// `before` replaced by `after` in `file`; an empty `before` appends (or creates the file).
bool edit(Files& files, const QString& file, const QByteArray& before, const QByteArray& after)
{
    QByteArray& content = files[file];
    if (before.isEmpty()) {
        content += after;
        return true;
    }
    if (!content.contains(before))
        return false;
    content.replace(before, after);
    return true;
}

QStringList texts(const QList<CatalogueSource::Problem>& problems)
{
    QStringList out;
    for (const auto& p : problems)
        out << p.text();
    return out;
}

// A throw-away folder with the sources under data/ and the catalogue built beside them.
struct Build {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString output = dir.filePath(QStringLiteral("zandrel.db"));
    QList<CatalogueBuilder::Problem> problems;

    bool run(const Files& files)
    {
        writeSources(data, files);
        return CatalogueBuilder::build(data, output, problems);
    }
    QString problemText() const { return texts(problems).join(QLatin1Char('\n')); }
};

// Reads a whole table of a built database, each row as its fields joined by "|".
QStringList tableRows(const QString& dbPath, const QString& sql)
{
    QStringList rows;
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(dbPath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(sql);
            while (q.next()) {
                QStringList fields;
                for (int i = 0; i < q.record().count(); ++i)
                    fields << q.value(i).toString();
                rows << fields.join(QLatin1Char('|'));
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

// The plain text and the document a page turns into through the program's reader.
QString readBack(const QString& rtf, QTextDocument& doc)
{
    QTextCursor cursor(&doc);
    const RtfResult result = RtfReader::insert(cursor, rtf.toLatin1());
    if (!result.ok)
        return QStringLiteral("<unreadable: %1>").arg(result.error);
    return doc.toPlainText();
}

} // namespace

class TstCatalogueTool : public QObject {
    Q_OBJECT

private slots:
    void rejectsBrokenSources_data();
    void rejectsBrokenSources();
    void acceptsValidSources_data();
    void acceptsValidSources();
    void writesTablesInSourceOrder();
    void reportsHelpPageTheReaderRejects();
    void buildOverAnOldCatalogue_data();
    void buildOverAnOldCatalogue();
    void toolReportsFileAndLine();
    void markupToRtf_data();
    void markupToRtf();
    void markupReadsBackAsWritten_data();
    void markupReadsBackAsWritten();
    void markupKeepsItsLook();
    void markupFaults_data();
    void markupFaults();
    void anyMarkupGivesWellFormedRtf();
};

void TstCatalogueTool::rejectsBrokenSources_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("where"); // "file:line" or "file" for the whole file
    QTest::addColumn<QString>("fragment");

    const QString talk = QStringLiteral("commands/01-talk.txt");
    const QString pet = QStringLiteral("commands/07-pet.txt");
    const QString examples = QStringLiteral("commands/09-examples.txt");
    const QString names = QStringLiteral("names.tsv");
    const QString groups = QStringLiteral("groups.tsv");

    // Keys and references.
    QTest::newRow("duplicate id in a file") << pet << QByteArray("id: 7002") << QByteArray("id: 7001")
                                            << pet + ":11" << "id 7001 is already used at";
    QTest::newRow("duplicate id across files") << talk << QByteArray("id: 1001") << QByteArray("id: 7001")
                                               << pet + ":3" << "01-talk.txt:3";
    QTest::newRow("ids falling in file order") << pet << QByteArray("id: 7001") << QByteArray("id: 7003")
                                               << pet + ":11" << "ids must rise";
    QTest::newRow("unknown group") << groups << QByteArray("1\tCommunication\t\n") << QByteArray()
                                   << talk + ":3" << "which groups.tsv does not list";
    QTest::newRow("duplicate group id") << groups << QByteArray() << QByteArray("7\tMore Pets\t\n")
                                        << groups + ":5" << "group id 7 is already used";
    QTest::newRow("duplicate group text") << groups << QByteArray() << QByteArray("2\tpet commands\t\n")
                                          << groups + ":5" << "group text";
    QTest::newRow("pet group without its prefix") << groups << QByteArray("Pet Commands\tpet")
                                                  << QByteArray("Pet Commands\t") << groups + ":3" << "\"pet\"";
    QTest::newRow("prefix of two words") << groups << QByteArray("Communication\t\n")
                                         << QByteArray("Communication\tsay it\n") << groups + ":2" << "one lower-case word";
    QTest::newRow("groups header") << groups << QByteArray("CommandGroupText") << QByteArray("Text")
                                   << groups + ":1" << "header";
    QTest::newRow("group id not a number") << groups << QByteArray("9\tExample") << QByteArray("nine\tExample")
                                           << groups + ":4" << "not a whole number";

    // Value codes.
    QTest::newRow("type 2") << talk << QByteArray("type: 1") << QByteArray("type: 2") << talk + ":3" << "has type 2";
    QTest::newRow("type 4") << talk << QByteArray("type: 1") << QByteArray("type: 4") << talk + ":3" << "has type 4";
    QTest::newRow("type -1") << talk << QByteArray("type: 1") << QByteArray("type: -1") << talk + ":3" << "has type -1";
    QTest::newRow("type not a number") << talk << QByteArray("type: 1") << QByteArray("type: one") << talk + ":5"
                                       << "not a whole number";
    QTest::newRow("add of two characters") << pet << QByteArray("add: \"") << QByteArray("add: ''") << pet + ":3"
                                           << "one character";

    // Command texts.
    QTest::newRow("two words") << talk << QByteArray("[tell]") << QByteArray("[tell bob]") << talk + ":3"
                               << "must be one word";
    QTest::newRow("upper case") << talk << QByteArray("[tell]") << QByteArray("[Tell]") << talk + ":3" << "lower case";
    QTest::newRow("with its slash") << talk << QByteArray("[tell]") << QByteArray("[/tell]") << talk + ":3"
                                    << "without its slash";
    QTest::newRow("empty text") << talk << QByteArray("[tell]") << QByteArray("[]") << talk + ":3"
                                << "without command text";
    QTest::newRow("example line with outer space") << examples << QByteArray("[/t Help on %t!]")
                                                   << QByteArray("[/t Help on %t! ]") << examples + ":4"
                                                   << "spaces around";
    QTest::newRow("same text twice in a group") << pet << QByteArray("[attack]") << QByteArray("[rename]")
                                                << pet + ":11" << "already in group 7";

    // Descriptions.
    QTest::newRow("description of 81 characters")
        << talk << QByteArray("desc: Send a private message.") << QByteArray("desc: ") + QByteArray(81, 'x')
        << talk + ":3" << "81 characters";
    QTest::newRow("empty description") << talk << QByteArray("desc: Send a private message.") << QByteArray("desc:")
                                       << talk + ":3" << "has no description";
    QTest::newRow("tab in a description") << talk << QByteArray("a private") << QByteArray("a\tprivate")
                                          << talk + ":3" << "control character";

    // Help pages.
    QTest::newRow("empty help page") << talk << QByteArray("Sends a **private** message.\n\n> /tell Bob hi\n")
                                     << QByteArray() << talk + ":9" << "has no help page";
    QTest::newRow("no help line") << pet << QByteArray("help:\nPets attack.\n") << QByteArray() << pet + ":11"
                                  << "no \"help:\" line";
    QTest::newRow("help page on an example line") << examples << QByteArray() << QByteArray("Some words.\n")
                                                  << examples + ":10" << "leave \"help:\" empty";
    QTest::newRow("unclosed bold") << talk << QByteArray("**private** message") << QByteArray("**private message")
                                   << talk + ":9" << "not closed";

    // Layout of the command files.
    QTest::newRow("stray text before the records") << talk << QByteArray("group: 1\n") << QByteArray("group: 1\nstray\n")
                                                   << talk + ":2" << "only comments";
    QTest::newRow("unknown key") << talk << QByteArray("add:\n") << QByteArray("value:\n") << talk + ":6"
                                 << "unknown key \"value\"";
    QTest::newRow("key twice") << talk << QByteArray("add:\n") << QByteArray("add:\nadd:\n") << talk + ":7"
                               << "a second \"add:\"";
    QTest::newRow("no group line") << talk << QByteArray("group: 1\n") << QByteArray() << talk << "no \"group:\"";
    QTest::newRow("file named for another group") << talk << QByteArray("group: 1") << QByteArray("group: 3") << talk + ":1"
                                                  << "starts with 01";
    QTest::newRow("two files for one group") << QStringLiteral("commands/07-more.txt") << QByteArray()
                                             << QByteArray("group: 7\n") << QStringLiteral("commands/07-pet.txt:1")
                                             << "already has its commands in";
    QTest::newRow("stray file among the commands") << QStringLiteral("commands/notes.md") << QByteArray()
                                                   << QByteArray("notes") << QStringLiteral("commands/notes.md")
                                                   << "not a command file";
    QTest::newRow("not UTF-8") << talk << QByteArray("private") << QByteArray("priv\xff\xfete") << talk
                               << "not valid UTF-8";

    // Lists.
    QTest::newRow("no breeds") << QStringLiteral("breeds.txt") << QByteArray("Solitus\nAtrox\n")
                               << QByteArray("# none yet\n\n") << QStringLiteral("breeds.txt") << "breeds is empty";
    QTest::newRow("profession twice") << QStringLiteral("professions.txt") << QByteArray() << QByteArray("doctor\n")
                                      << QStringLiteral("professions.txt:3") << "already listed";

    // Names.
    QTest::newRow("name Type 2") << names << QByteArray("Rexo\t0\tM") << QByteArray("Rexo\t2\tM") << names + ":2"
                                 << "has Type 2";
    QTest::newRow("name Type not a number") << names << QByteArray("Rexo\t0\tM") << QByteArray("Rexo\tzero\tM")
                                            << names + ":2" << "not a whole number";
    QTest::newRow("name Sex X") << names << QByteArray("Mira\t0\tF") << QByteArray("Mira\t0\tX") << names + ":3"
                                << "Sex \"X\"";
    QTest::newRow("name Sex in lower case") << names << QByteArray("Mira\t0\tF") << QByteArray("Mira\t0\tf")
                                            << names + ":3" << "Sex \"f\"";
    QTest::newRow("epithet with a sex") << names << QByteArray("Unbroken\t1\tU") << QByteArray("Unbroken\t1\tM")
                                        << names + ":5" << "must have Sex U";
    QTest::newRow("name with a double quote") << names << QByteArray("Bolt\t0") << QByteArray("Bo\"lt\t0")
                                              << names + ":4" << "double quote";
    QTest::newRow("name of two fields") << names << QByteArray("Bolt\t0\tU") << QByteArray("Bolt\t0") << names + ":4"
                                        << "expected 3";
    QTest::newRow("same name twice") << names << QByteArray() << QByteArray("rexo\t0\tU\n") << names + ":6"
                                     << "already listed";
    QTest::newRow("no female name") << names << QByteArray("Mira\t0\tF\n") << QByteArray() << names
                                    << "no female pet name";
    QTest::newRow("no epithet") << names << QByteArray("Unbroken\t1\tU\n") << QByteArray() << names << "no epithet";
}

void TstCatalogueTool::rejectsBrokenSources()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, where);
    QFETCH(QString, fragment);

    Files files = minimalSources();
    QVERIFY2(edit(files, file, before, after), "the row's text is not in the minimal sources");
    Build b;
    QVERIFY(!b.run(files));
    QVERIFY(!QFileInfo::exists(b.output));

    // The fault is reported where it is, with the place first.
    const QString expectedStart = QDir(b.data).filePath(where) + QStringLiteral(": ");
    const QStringList all = texts(b.problems);
    QVERIFY2(std::any_of(all.cbegin(), all.cend(),
                         [&](const QString& text) { return text.startsWith(expectedStart) && text.contains(fragment); }),
             qPrintable(QStringLiteral("expected \"%1...%2\" among:\n%3").arg(expectedStart, fragment, b.problemText())));
}

void TstCatalogueTool::acceptsValidSources_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("as it is") << QStringLiteral("names.tsv") << QByteArray() << QByteArray();
    QTest::newRow("description of exactly 80")
        << QStringLiteral("commands/01-talk.txt") << QByteArray("desc: Send a private message.")
        << QByteArray("desc: ") + QByteArray(80, 'x');
    QTest::newRow("the whole-catalogue node All") << QStringLiteral("commands/01-talk.txt") << QByteArray("[tell]")
                                                  << QByteArray("[All]");
    QTest::newRow("group row whose empty prefix lost its tab")
        << QStringLiteral("groups.tsv") << QByteArray("1\tCommunication\t\n") << QByteArray("1\tCommunication\n");
    QTest::newRow("comments and blank lines in a list") << QStringLiteral("breeds.txt") << QByteArray("Solitus\n")
                                                        << QByteArray("# the breeds\n\nSolitus\n\n");
    QTest::newRow("byte-order mark") << QStringLiteral("commands/01-talk.txt") << QByteArray("group: 1")
                                     << QByteArray("\xef\xbb\xbfgroup: 1");
    QTest::newRow("help text on the help line") << QStringLiteral("commands/07-pet.txt")
                                                << QByteArray("help:\nPets attack.") << QByteArray("help: Pets attack.");
    QTest::newRow("blank lines between the keys") << QStringLiteral("commands/01-talk.txt") << QByteArray("add:\n")
                                                  << QByteArray("\nadd:\n\n");
    QTest::newRow("commands of a group without a file") << QStringLiteral("groups.tsv") << QByteArray()
                                                        << QByteArray("5\tScripts\t\n");
    QTest::newRow("accented description") << QStringLiteral("commands/01-talk.txt") << QByteArray("a private")
                                          << QByteArray("a priv\xc3\xa9 caf\xc3\xa9");
}

void TstCatalogueTool::acceptsValidSources()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    Files files = minimalSources();
    QVERIFY(edit(files, file, before, after));
    Build b;
    QVERIFY2(b.run(files), qPrintable(b.problemText()));
    QVERIFY(b.problems.isEmpty());
    QCOMPARE(tableRows(b.output, QStringLiteral("SELECT COUNT(*) FROM tblCommand")), QStringList{QStringLiteral("4")});
}

void TstCatalogueTool::writesTablesInSourceOrder()
{
    Files files = minimalSources();
    // Saved with Windows line ends, the sources read the same.
    for (auto it = files.begin(); it != files.end(); ++it)
        it.value().replace("\n", "\r\n");
    Build b;
    QVERIFY2(b.run(files), qPrintable(b.problemText()));
    const QString& output = b.output;

    QCOMPARE(tableRows(output, QStringLiteral("SELECT * FROM tblCommandGroup")),
             (QStringList{"1|Communication|", "7|Pet Commands|pet", "9|Example Scripts|"}));
    QCOMPARE(tableRows(output, QStringLiteral("SELECT CommandID, CommandGroupID, CommandText, CommandDescription, "
                                              "CommandType, \"Add\" FROM tblCommand")),
             (QStringList{"1001|1|tell|Send a private message.|1|", "7001|7|rename|Rename your pet.|1|\"",
                          "7002|7|attack|Send pets at the target.|0|", "9001|9|/t Help on %t!|Ask for help.|0|"}));
    QCOMPARE(tableRows(output, QStringLiteral("SELECT * FROM tblBreed")), (QStringList{"Solitus", "Atrox"}));
    QCOMPARE(tableRows(output, QStringLiteral("SELECT * FROM tblProfession")),
             (QStringList{"Doctor", "Meta-Physicist"}));
    QCOMPARE(tableRows(output, QStringLiteral("SELECT * FROM tblnames")),
             (QStringList{"Rexo|0|M", "Mira|0|F", "Bolt|0|U", "Unbroken|1|U"}));

    // Help pages are stored as whole RTF documents that read back as their text; an
    // example line has none.
    const QStringList books = tableRows(output, QStringLiteral("SELECT CommandBook FROM tblCommand"));
    QCOMPARE(books.size(), 4);
    QVERIFY(books.at(0).startsWith(QLatin1String("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl")));
    QTextDocument doc;
    QCOMPARE(readBack(books.at(0), doc), QStringLiteral("Sends a private message.\n\n/tell Bob hi\n"));
    QCOMPARE(books.at(3), QString());
}

void TstCatalogueTool::reportsHelpPageTheReaderRejects()
{
    QTemporaryDir dir;
    writeSources(dir.path(), minimalSources());
    QList<CatalogueSource::Problem> problems;
    const CatalogueSource source = CatalogueSource::read(dir.path(), problems);
    QVERIFY(problems.isEmpty());

    // Every page goes through the check, each fault at its page's first line; the
    // example line, without a page, is not checked.
    QStringList checked;
    CatalogueBuilder::validate(source, problems, [&](const QByteArray& rtf) {
        checked << QString::fromLatin1(rtf);
        return QStringLiteral("group not closed");
    });
    QCOMPARE(checked.size(), 3);
    QCOMPARE(problems.size(), 3);
    QCOMPARE(problems.at(0).text(), QDir(dir.path()).filePath(QStringLiteral("commands/01-talk.txt"))
                                         + QStringLiteral(":9: the help page of [tell] does not parse as RTF: group not closed"));

    // The program's reader accepts the pages the markup produces.
    problems.clear();
    CatalogueBuilder::validate(source, problems);
    QVERIFY2(problems.isEmpty(), qPrintable(texts(problems).join(QLatin1Char('\n'))));
    QVERIFY(CatalogueBuilder::defaultRtfCheck());
    QVERIFY(!CatalogueBuilder::defaultRtfCheck()("{\\rtf1 {\\b cut short}").isEmpty());
}

void TstCatalogueTool::buildOverAnOldCatalogue_data()
{
    QTest::addColumn<bool>("broken");
    QTest::newRow("failed build leaves no catalogue") << true;
    QTest::newRow("successful build replaces it") << false;
}

void TstCatalogueTool::buildOverAnOldCatalogue()
{
    QFETCH(bool, broken);
    Files files = minimalSources();
    if (broken)
        QVERIFY(edit(files, QStringLiteral("commands/01-talk.txt"), "type: 1", "type: 7"));
    Build b;
    // A catalogue from an earlier build must not survive to pass for this one.
    writeFile(b.output, "an older catalogue");

    QCOMPARE(b.run(files), !broken);
    QCOMPARE(b.problems.isEmpty(), !broken);
    const QStringList left = QDir(b.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, broken ? QStringList() : QStringList{QStringLiteral("zandrel.db")});
    if (broken) {
        // A data folder that does not exist is a failure, not an empty catalogue.
        b.problems.clear();
        QVERIFY(!CatalogueBuilder::build(b.dir.filePath(QStringLiteral("missing")), b.output, b.problems));
        QCOMPARE(b.problems.size(), 1);
        QVERIFY(!QFileInfo::exists(b.output));
        return;
    }
    QCOMPARE(tableRows(b.output, QStringLiteral("SELECT COUNT(*) FROM tblBreed")), QStringList{QStringLiteral("2")});
    // Installed, the catalogue is read by every user, not only by whoever built it.
    QVERIFY(QFileInfo(b.output).permissions().testFlag(QFileDevice::ReadOther));
}

void TstCatalogueTool::toolReportsFileAndLine()
{
    const QString tool = QDir(buildDir()).filePath(QStringLiteral("zandrel-catalogue"));
    QVERIFY2(QFileInfo(tool).isExecutable(), qPrintable(tool));
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString output = dir.filePath(QStringLiteral("zandrel.db"));

    writeSources(data, minimalSources());
    QProcess good;
    good.start(tool, {data, output});
    QVERIFY(good.waitForFinished(60000));
    QCOMPARE(good.exitCode(), 0);
    QCOMPARE(good.readAllStandardError(), QByteArray());
    QVERIFY(QFileInfo::exists(output));

    Files files = minimalSources();
    QVERIFY(edit(files, QStringLiteral("commands/07-pet.txt"), "[attack]", "[Attack it]"));
    QVERIFY(edit(files, QStringLiteral("names.tsv"), "Mira\t0\tF", "Mira\t0\tQ"));
    writeSources(data, files);
    QProcess bad;
    bad.start(tool, {data, output});
    QVERIFY(bad.waitForFinished(60000));
    QCOMPARE(bad.exitCode(), 1);
    QVERIFY(!QFileInfo::exists(output));
    const QStringList lines = QString::fromLocal8Bit(bad.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Every fault on its own line, "file:line: message" ("file: message" for a fault of
    // the whole file), then one summary line.
    QVERIFY2(lines.size() >= 4, qPrintable(lines.join(QLatin1Char('\n'))));
    static const QRegularExpression located(QStringLiteral("^.+\\.(txt|tsv)(:\\d+)?: \\S.*$"));
    for (int i = 0; i < lines.size() - 1; ++i)
        QVERIFY2(located.match(lines.at(i)).hasMatch(), qPrintable(lines.at(i)));
    QVERIFY(lines.join(QLatin1Char('\n')).contains(QStringLiteral("07-pet.txt:11: [Attack it] must be one word")));
    QVERIFY(lines.join(QLatin1Char('\n')).contains(QStringLiteral("names.tsv:3:")));

    QProcess usage;
    usage.start(tool, {data});
    QVERIFY(usage.waitForFinished(60000));
    QCOMPARE(usage.exitCode(), 2);
}

void TstCatalogueTool::markupToRtf_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("backslash") << QStringLiteral("C:\\games") << QStringLiteral("C:\\\\games");
    QTest::newRow("braces") << QStringLiteral("a {b} c") << QStringLiteral("a \\{b\\} c");
    QTest::newRow("Latin-1 letter") << QStringLiteral("caf\u00e9") << QStringLiteral("caf\\'e9");
    QTest::newRow("no-break space") << QStringLiteral("a\u00a0b") << QStringLiteral("a\\'a0b");
    QTest::newRow("em dash") << QStringLiteral("a\u2014b") << QStringLiteral("a\\u8212?b");
    QTest::newRow("euro sign") << QStringLiteral("5 \u20ac") << QStringLiteral("5 \\u8364?");
    QTest::newRow("above 32767 goes negative") << QStringLiteral("\ufffd") << QStringLiteral("\\u-3?");
    QTest::newRow("outside the BMP as surrogates") << QStringLiteral("\U0001F600") << QStringLiteral("\\u-10179?\\u-8704?");
    QTest::newRow("delete character") << QStringLiteral("a\u007fb") << QStringLiteral("a\\u127?b");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a\\tab b");
    QTest::newRow("bold") << QStringLiteral("a **big** deal") << QStringLiteral("a {\\b big} deal");
    QTest::newRow("two bold runs") << QStringLiteral("**x** and **y**") << QStringLiteral("{\\b x} and {\\b y}");
    QTest::newRow("bold braces escaped") << QStringLiteral("**{x}**") << QStringLiteral("{\\b \\{x\\}}");
    QTest::newRow("example line") << QStringLiteral("> /pet rename \"Mini\"")
                                  << QStringLiteral("\\f1\\fs20 /pet rename \"Mini\"\\f0\\par");
    QTest::newRow("example keeps stars and braces") << QStringLiteral("> /t **{x}**")
                                                    << QStringLiteral("\\f1\\fs20 /t **\\{x\\}**\\f0");
    QTest::newRow("bullet") << QStringLiteral("- one") << QStringLiteral("\\bullet\\tab one\\par");
    QTest::newRow("bullet continues") << QStringLiteral("- one\n  more") << QStringLiteral("\\bullet\\tab one more\\par");
    QTest::newRow("heading") << QStringLiteral("## Notes") << QStringLiteral("\\b Notes\\b0");
    QTest::newRow("lines of a paragraph run together") << QStringLiteral("one\ntwo")
                                                       << QStringLiteral("\\fs20 one two\\par");
    QTest::newRow("Windows line ends") << QStringLiteral("one\r\ntwo") << QStringLiteral("\\fs20 one two\\par");
    QTest::newRow("minus without space is text") << QStringLiteral("-5 credits") << QStringLiteral("\\fs20 -5 credits\\par");
}

void TstCatalogueTool::markupToRtf()
{
    QFETCH(QString, markup);
    QFETCH(QString, fragment);
    QList<HelpMarkup::Problem> problems;
    const QString rtf = HelpMarkup::toRtf(markup, &problems);
    QVERIFY2(rtf.contains(fragment), qPrintable(rtf));
    QVERIFY(problems.isEmpty());
    QVERIFY(rtf.startsWith(QLatin1String("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                                         "{\\f1\\fmodern\\fcharset0 Courier New;}}")));
    QVERIFY(rtf.endsWith(QLatin1Char('}')));
    const RtfResult result = RtfReader::check(rtf.toLatin1());
    QVERIFY2(result.ok, qPrintable(result.error));
}

void TstCatalogueTool::markupReadsBackAsWritten_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("text"); // the last paragraph ends in a line break too

    QTest::newRow("escapes") << QStringLiteral("a\\b {c} d") << QStringLiteral("a\\b {c} d\n");
    QTest::newRow("accents and symbols") << QStringLiteral("caf\u00e9 \u2014 5 \u20ac \u00fc")
                                         << QStringLiteral("caf\u00e9 \u2014 5 \u20ac \u00fc\n");
    QTest::newRow("outside the BMP") << QStringLiteral("x\U0001F600y") << QStringLiteral("x\U0001F600y\n");
    QTest::newRow("paragraphs") << QStringLiteral("one\ntwo\n\nthree") << QStringLiteral("one two\n\nthree\n");
    QTest::newRow("examples stay on their own lines") << QStringLiteral("Type:\n> /a\n> /b\nthen")
                                                      << QStringLiteral("Type:\n/a\n/b\nthen\n");
    QTest::newRow("bullets") << QStringLiteral("- one\n- two") << QStringLiteral("\u2022\tone\n\u2022\ttwo\n");
    QTest::newRow("bold markers vanish") << QStringLiteral("**Line:** /tell") << QStringLiteral("Line: /tell\n");
    QTest::newRow("blank lines at the ends") << QStringLiteral("\n\ntext\n\n") << QStringLiteral("text\n");
}

void TstCatalogueTool::markupReadsBackAsWritten()
{
    QFETCH(QString, markup);
    QFETCH(QString, text);
    QTextDocument doc;
    QCOMPARE(readBack(HelpMarkup::toRtf(markup), doc), text);
}

void TstCatalogueTool::markupKeepsItsLook()
{
    QTextDocument doc;
    readBack(HelpMarkup::toRtf(QStringLiteral("**Line:** /pet attack\n\n> /pet attack\n\n## Notes\nplain")), doc);
    // Each run of text with the look it is read back with.
    QStringList runs;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            runs << QStringLiteral("%1|%2|%3|%4")
                        .arg(fragment.text(), format.fontWeight() >= QFont::Bold ? "bold" : "normal",
                             format.fontFamilies().toStringList().value(0))
                        .arg(format.fontPointSize());
        }
    }
    QCOMPARE(runs, (QStringList{"Line:|bold|Arial|10", " /pet attack|normal|Arial|10", "/pet attack|normal|Courier New|10",
                                "Notes|bold|Arial|11", "plain|normal|Arial|10"}));
}

void TstCatalogueTool::markupFaults_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("unclosed bold") << QStringLiteral("fine\n\n**not closed") << 2 << QStringLiteral("not closed");
    QTest::newRow("odd number of markers") << QStringLiteral("**a** **b") << 0 << QStringLiteral("not closed");
    QTest::newRow("unclosed bold in a bullet") << QStringLiteral("- a\n- **b") << 1 << QStringLiteral("not closed");
    QTest::newRow("empty heading") << QStringLiteral("text\n##  ") << 1 << QStringLiteral("heading without text");
}

void TstCatalogueTool::markupFaults()
{
    QFETCH(QString, markup);
    QFETCH(int, line);
    QFETCH(QString, fragment);
    QList<HelpMarkup::Problem> problems;
    HelpMarkup::toRtf(markup, &problems);
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.at(0).line, line);
    QVERIFY(problems.at(0).message.contains(fragment));
}

void TstCatalogueTool::anyMarkupGivesWellFormedRtf()
{
    // Whatever an author writes, the page is plain ASCII RTF that the reader accepts and
    // that reads back with every character the author wrote outside the markup.
    const QList<QString> pieces = {
        QStringLiteral("\\"),   QStringLiteral("{"),        QStringLiteral("}"),      QStringLiteral("**"),
        QStringLiteral("> "),   QStringLiteral("- "),       QStringLiteral("## "),    QStringLiteral("\n"),
        QStringLiteral("\n\n"), QStringLiteral("word"),     QStringLiteral(" "),      QStringLiteral("\u00e9"),
        QStringLiteral("\u2014"), QStringLiteral("\U0001F600"), QStringLiteral("\\par"), QStringLiteral("\\'41"),
        QStringLiteral("%t"),   QStringLiteral("\""),       QStringLiteral("\t"),     QStringLiteral("\\u66?"),
    };
    QRandomGenerator random(20240611);
    for (int round = 0; round < 400; ++round) {
        QString markup;
        const int count = random.bounded(1, 30);
        for (int i = 0; i < count; ++i)
            markup += pieces.at(random.bounded(pieces.size()));
        const QString rtf = HelpMarkup::toRtf(markup);
        for (const QChar c : rtf)
            QVERIFY2(c.unicode() < 0x80, qPrintable(markup));
        const RtfResult result = RtfReader::check(rtf.toLatin1());
        QVERIFY2(result.ok, qPrintable(markup + QStringLiteral(" -> ") + result.error));

        // Every character an author wrote, markers and spacing aside, reads back in order.
        const auto squeeze = [](QString s) {
            static const QRegularExpression markers(QStringLiteral("[\\s*>#\\x{2022}-]"));
            return s.remove(markers);
        };
        QTextDocument doc;
        const QString back = readBack(rtf, doc);
        const QString expected = markup;
        QCOMPARE(squeeze(back), squeeze(expected));
    }
}

QTEST_MAIN(TstCatalogueTool)
#include "tst_catalogue_tool.moc"
