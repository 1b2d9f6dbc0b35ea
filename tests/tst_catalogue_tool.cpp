// The catalogue tool: reading the text sources, the checks that keep a broken catalogue
// from being built, the help markup's RTF, and the all-or-nothing output.

#include "TestFiles.h"

#include "catalogue/CatalogueBuilder.h"
#include "catalogue/HelpMarkup.h"
#include "platform/RtfReader.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

using Files = QMap<QString, QByteArray>;
using B = QByteArray;

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
                                                        "help:\n"
                                                        "Asks the team for help against the target.\n";
    return files;
}

// The rows name the source files by their short names.
QString sourceFile(const QString& shortName)
{
    static const QMap<QString, QString> files{{"talk", "commands/01-talk.txt"}, {"pet", "commands/07-pet.txt"},
                                              {"examples", "commands/09-examples.txt"}, {"names", "names.tsv"},
                                              {"groups", "groups.tsv"}, {"breeds", "breeds.txt"},
                                              {"professions", "professions.txt"}};
    return files.value(shortName, shortName);
}

void writeSources(const QString& folder, const Files& files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeFile(path, it.value());
    }
}

// `before` replaced by `after` in `file`; an empty `before` appends (or creates the file).
bool edit(Files& files, const QString& file, const QByteArray& before, const QByteArray& after)
{
    QByteArray& content = files[sourceFile(file)];
    if (!before.isEmpty() && !content.contains(before))
        return false;
    before.isEmpty() ? content.append(after) : content.replace(before, after);
    return true;
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
    QStringList problemTexts() const
    {
        QStringList texts;
        for (const auto& p : problems)
            texts << p.text();
        return texts;
    }
};

// The plain text a page turns into through the program's reader, which must take it as
// one whole, well-formed document.
QString readBack(const QString& rtf)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    RtfReader::insert(cursor, rtf.toLatin1());
    const RtfResult result = RtfReader::check(rtf.toLatin1());
    return result.ok ? doc.toPlainText() : QStringLiteral("<unreadable: %1>").arg(result.error);
}

// One rule's row: in `file`, `before` replaced by `after`, reported at `where` with `fragment`.
struct Row {
    const char* name;
    QString file;
    QByteArray before, after;
    QString where, fragment;
};

} // namespace
Q_DECLARE_METATYPE(Row)

class TstCatalogueTool : public QObject {
    Q_OBJECT

private slots:
    // One row per rule: in `file`, `before` replaced by `after` (an empty `before` appends),
    // and where the fault must be reported ("file:line", or "file" for the whole file); an
    // empty `where` is an edit the tool must accept.
    void buildsOnlySoundSources_data()
    {
        QTest::addColumn<Row>("row");
        const Row rows[] = {
            // Keys and references.
            {"duplicate id", "talk", "id: 1001", "id: 7001", "pet:3", "01-talk.txt:3"},
            {"ids falling in file order", "pet", "id: 7001", "id: 7003", "pet:11", "ids must rise"},
            {"unknown group", "groups", "1\tCommunication\t\n", "", "talk:3", "which groups.tsv does not list"},
            {"duplicate group id", "groups", "", "7\tMore Pets\t\n", "groups:5", "id 7 is already used"},
            {"group text in other case", "groups", "", "2\tpet commands\t\n", "groups:5", "group text"},
            {"pet group without its prefix", "groups", "Commands\tpet", "Commands\t", "groups:3", "\"pet\""},
            {"prefix of two words", "groups",
             "Communication\t\n", "Communication\tsay it\n", "groups:2", "one lower-case word"},
            {"groups header", "groups", "CommandGroupText", "Text", "groups:1", "header"},
            {"group id not a number", "groups", "9\tExample", "nine\tExample", "groups:4", "not a whole number"},
            // Value codes.
            {"type 2", "talk", "type: 1", "type: 2", "talk:3", "has type 2"},
            {"type not a number", "talk", "type: 1", "type: one", "talk:5", "not a whole number"},
            {"add of two characters", "pet", "add: \"", "add: ''", "pet:3", "one character"},
            {"values for no value", "pet", "type: 0", "type: 0\nvalues: a | b", "pet:11", "has values but type 0"},
            {"an empty word in the values", "talk", "add:\n", "add:\nvalues: Bob || Al\n", "talk:3", "empty word"},
            {"a word twice in the values", "talk", "add:\n", "add:\nvalues: Bob | bob\n", "talk:3", "twice"},
            // Command texts.
            {"two words", "talk", "[tell]", "[tell bob]", "talk:3", "must be one word"},
            {"upper case", "talk", "[tell]", "[Tell]", "talk:3", "lower case"},
            {"with its slash", "talk", "[tell]", "[/tell]", "talk:3", "without its slash"},
            {"empty text", "talk", "[tell]", "[]", "talk:3", "without command text"},
            {"example line with outer space", "examples", "%t!]", "%t! ]", "examples:4", "spaces around"},
            {"same text twice in a group", "pet", "[attack]", "[rename]", "pet:11", "already in group 7"},
            // Descriptions.
            {"description of 81 characters", "talk",
             "desc: Send a private message.", B("desc: ") + B(81, 'x'), "talk:3", "81 characters"},
            {"empty description", "talk", "desc: Send a private message.", "desc:", "talk:3", "has no description"},
            {"tab in a description", "talk", "a private", "a\tprivate", "talk:3", "control character"},
            // Help pages.
            {"empty help page", "talk",
             "Sends a **private** message.\n\n> /tell Bob hi\n", "", "talk:9", "has no help page"},
            {"no help line", "pet", "help:\nPets attack.\n", "", "pet:11", "no \"help:\" line"},
            {"example line without a page", "examples", "Asks the team for help against the target.\n", "", "examples:10",
             "has no help page"},
            {"unclosed bold in a later bullet", "pet", "", "- a\n- **b\n", "pet:19", "not closed"},
            {"empty heading", "talk", "> /tell Bob hi", "##  ", "talk:11", "heading without text"},
            // Layout of the command files.
            {"stray text before the records", "talk", "group: 1\n", "group: 1\nstray\n", "talk:2", "only comments"},
            {"unknown key", "talk", "add:\n", "value:\n", "talk:6", "unknown key \"value\""},
            {"key twice", "talk", "add:\n", "add:\nadd:\n", "talk:7", "a second \"add:\""},
            {"no group line", "talk", "group: 1\n", "", "talk", "no \"group:\""},
            {"file named for another group", "talk", "group: 1", "group: 3", "talk:1", "starts with 01"},
            {"two files for one group", "commands/07-more.txt", "", "group: 7\n", "pet:1", "already has its commands in"},
            {"stray file among the commands", "commands/notes.md", "", "notes", "commands/notes.md", "not a command file"},
            {"not UTF-8", "talk", "private", "priv\xff\xfete", "talk", "not valid UTF-8"},
            // Lists.
            {"no breeds", "breeds", "Solitus\nAtrox\n", "# none yet\n\n", "breeds", "breeds is empty"},
            {"profession twice", "professions", "", "doctor\n", "professions:3", "already listed"},
            // Names.
            {"name Type 2", "names", "Rexo\t0", "Rexo\t2", "names:2", "has Type 2"},
            {"name Type not a number", "names", "Rexo\t0", "Rexo\tzero", "names:2", "not a whole number"},
            {"name Sex in lower case", "names", "Mira\t0\tF", "Mira\t0\tf", "names:3", "Sex \"f\""},
            {"epithet with a sex", "names", "Unbroken\t1\tU", "Unbroken\t1\tM", "names:5", "must have Sex U"},
            {"name with a double quote", "names", "Bolt\t0", "Bo\"lt\t0", "names:4", "double quote"},
            {"name of two fields", "names", "Bolt\t0\tU", "Bolt\t0", "names:4", "expected 3"},
            {"same name twice", "names", "", "rexo\t0\tU\n", "names:6", "already listed"},
            {"no female name", "names", "Mira\t0\tF\n", "", "names", "no female pet name"},
                // Accepted.
            {"Windows line ends", "pet", "\n", "\r\n", "", ""},
            {"description of exactly 80", "talk", "desc: Send a private message.", B("desc: ") + B(80, 'x'), "", ""},
            {"the whole-catalogue node All", "talk", "[tell]", "[All]", "", ""},
            {"group row whose empty prefix lost its tab", "groups", "1\tCommunication\t\n", "1\tCommunication\n", "", ""},
            {"byte-order mark", "talk", "group: 1", "\xef\xbb\xbfgroup: 1", "", ""},
            {"help text on the help line", "pet", "help:\nPets attack.", "help: Pets attack.", "", ""},
            {"values to pick from", "talk", "add:\n", "add:\nvalues: Bob | Al Smith\n", "", ""},
            {"commands of a group without a file", "groups", "", "5\tScripts\t\n", "", ""},
            };
        for (const Row& r : rows)
            QTest::newRow(r.name) << r;
    }

    void buildsOnlySoundSources()
    {
        QFETCH(Row, row);
        const QString& where = row.where;
        const QString& fragment = row.fragment;

        Files files = minimalSources();
        QVERIFY2(edit(files, row.file, row.before, row.after), "the row's text is not in the minimal sources");
        Build b;
        // A catalogue from an earlier build must not survive to pass for this one.
        writeFile(b.output, "an older catalogue");
        const bool sound = where.isEmpty();
        QCOMPARE(b.run(files), sound);
        const QStringList left = QDir(b.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(left, sound ? QStringList{QStringLiteral("zandrel.db")} : QStringList());
        if (sound) {
            QVERIFY2(b.problems.isEmpty(), qPrintable(b.problemTexts().join(u'\n')));
            // Installed, the catalogue is read by every user, not only by whoever built it.
            QVERIFY(QFileInfo(b.output).permissions().testFlag(QFileDevice::ReadOther));
            return;
        }
        // The fault is reported where it is, with the place first.
        const QString line = where.section(QLatin1Char(':'), 1);
        const QString expectedStart = QDir(b.data).filePath(sourceFile(where.section(QLatin1Char(':'), 0, 0)))
                                      + (line.isEmpty() ? QString() : QLatin1Char(':') + line) + QStringLiteral(": ");
        const QStringList all = b.problemTexts();
        QVERIFY2(std::any_of(all.cbegin(), all.cend(),
                             [&](const QString& text) { return text.startsWith(expectedStart) && text.contains(fragment); }),
                 qPrintable(QStringLiteral("expected \"%1...%2\" among:\n%3").arg(expectedStart, fragment, all.join(u'\n'))));
    }

    void markupReadsBackAsWritten_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("text"); // the last paragraph ends in a line break too

        QTest::newRow("paragraphs") << QStringLiteral("\n\none\r\ntwo\n\nthree\n\n") << QStringLiteral("one two\n\nthree\n");
        QTest::newRow("examples stay on their own lines") << QStringLiteral("Type:\n> /a **{x}**\n> /b\nthen")
                                                          << QStringLiteral("Type:\n/a **{x}**\n/b\nthen\n");
        QTest::newRow("bullets; a minus without space is text") << QStringLiteral("- **one:**\n  more\n- two\n-5 credits")
                                                                << QStringLiteral("\u2022\tone: more\n\u2022\ttwo -5 credits\n");
    }

    void markupReadsBackAsWritten()
    {
        QFETCH(QString, markup);
        QFETCH(QString, text);
        QCOMPARE(readBack(HelpMarkup::toRtf(markup)), text);
    }
};

QTEST_MAIN(TstCatalogueTool)
#include "tst_catalogue_tool.moc"
