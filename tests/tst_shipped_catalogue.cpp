// The catalogue the build ships (the tool has already refused malformed rows), walked node
// by node: every page reads, the example lines name real commands, a value drawn from a
// fixed set of words offers its list, and the pages say what the game is known to do.

#include "ScriptedPrompt.h"

#include "catalogue/Catalogue.h"
#include "platform/RtfReader.h"
#include "platform/ScriptCodec.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

// The commands whose value comes from a fixed set of words, as the dialog lists them.
const QSet<QString> kPicked = {"emote", "team", "raid", "help", "option", "setoption", "dvalue", "open", "close",
                               "toggle", "tipoftheday", "afk", "bank", "pet social", "org governingform",
                               "org bank", "org vote", "cc", "ignore", "filter", "duel", "petduel"};

// What the game is known to do, which a page once had wrong or left open.
const QHash<QString, QString> kPageSays = {
    {"option", "DisplayCharViewDistance"}, {"viewdist", "x 0.01"},          {"chardist", "metres"},
    {"macro", "(\\n )"},                   {"text", "<no fighting target>"}, {"petition", "not used"},
    {"name", "name-request"},              {"quit", "within 3 seconds"},    {"afk", "30 seconds"},
    {"filter", "regular expression"},      {"org bank", "Anarchism"},        {"pet guard", "not always"},
    {"dvalue", "temporary setting"},       {"sleep", "vehicle"},             {"lounge", "vehicle"},
};

struct Node {
    CatalogueCommand command;
    QString entry; // as the properties dialog lists it: "pet social"
    QString page;  // the page as the Help window shows it, as plain text
    bool reads = false;
};

} // namespace
Q_DECLARE_METATYPE(Node)

class TstShippedCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
        m_catalogue = std::make_unique<Catalogue>(
            m_prompt, (build.isEmpty() ? QCoreApplication::applicationDirPath() : build) + QStringLiteral("/zandrel.db"));
        QCOMPARE(m_catalogue->OpenCatalogue(), Catalogue::OpenResult::Open);
    }

    // One row per node of the tree, every group listed.
    void everyNode_data()
    {
        QTest::addColumn<Node>("node");
        int examples = 0;
        for (const CatalogueGroup& group : m_catalogue->commandTree([](int) { return true; })) {
            for (const CatalogueCommand& listed : group.commands) {
                const std::optional<CatalogueCommand> command = m_catalogue->command(listed.id);
                const std::optional<CataloguePage> page = m_catalogue->helpPage(listed.id);
                QVERIFY(command && page);
                Node node;
                node.command = *command;
                node.entry = group.prefix.isEmpty() ? command->text : group.prefix + u' ' + command->text;
                // As the Help window reads it: Windows-1252 bytes, a whole RTF document.
                const QByteArray rtf = ScriptCodec::encode(page->page);
                QTextDocument document;
                QTextCursor cursor(&document);
                node.reads = RtfReader::check(rtf).ok && RtfReader::insert(cursor, rtf).ok;
                node.page = document.toPlainText();
                if (group.id == 9)
                    ++examples;
                else
                    (group.prefix.isEmpty() ? m_words : m_byPrefix[group.prefix]).insert(command->text.toLower());
                if (group.id == 2 && command->type == CommandType::NoValue)
                    m_moves.insert(command->text);
                QTest::newRow(qPrintable(node.entry)) << node;
            }
        }
        QVERIFY2(examples >= 15, qPrintable(QString::number(examples)));
        QVERIFY(m_words.size() > 100 && m_moves.size() == 70);
    }

    void everyNode()
    {
        QFETCH(Node, node);
        const CatalogueCommand& command = node.command;
        // F1 and the status bar help on every node, the example lines too.
        QVERIFY(node.reads && !node.page.trimmed().isEmpty() && !command.description.isEmpty());
        if (command.group == 9)
            return exampleLine(command);

        QCOMPARE(!command.values.isEmpty(), kPicked.contains(node.entry));
        for (const QString& word : command.values)
            QVERIFY2(node.page.contains(word), qPrintable(word + QStringLiteral(" is offered, not explained")));
        // A list of moves offers every move.
        const QSet<QString> values(command.values.cbegin(), command.values.cend());
        QVERIFY(!values.intersects(m_moves) || values.contains(m_moves));

        // A move's description says which emote its word plays, nothing it cannot know.
        if (command.group == 2 && command.type == CommandType::NoValue)
            QVERIFY(command.description.contains(command.text) && !command.description.contains(QLatin1String("suggest")));
        if (kPageSays.contains(node.entry)) {
            QVERIFY2(node.page.contains(kPageSays.value(node.entry)), qPrintable(node.page));
            QVERIFY(node.page.contains(QLatin1String("Source: ")));
        }
    }

private:
    // A finished line is written into a script exactly as stored: a mistyped command word
    // would reach the game as a failing command.
    void exampleLine(const CatalogueCommand& row)
    {
        static const QRegularExpression quotedName(QStringLiteral("^\"[^\"]*\"\\s+"));
        QVERIFY(row.text.startsWith(QLatin1Char('/')));
        QCOMPARE(row.type, CommandType::NoValue); // written as it stands, no dialog
        const QString word = row.text.mid(1).section(QLatin1Char(' '), 0, 0).toLower();
        if (word.contains(QLatin1Char('.')))
            return; // another script started by its file name: no catalogue word to match
        if (m_byPrefix.contains(word)) {
            const QString order = row.text.mid(word.size() + 2).remove(quotedName).section(QLatin1Char(' '), 0, 0);
            QVERIFY2(m_byPrefix.value(word).contains(order.toLower()), qPrintable(row.text));
        } else {
            QVERIFY2(m_words.contains(word), qPrintable(row.text));
        }
    }

    ScriptedPrompt m_prompt;
    std::unique_ptr<Catalogue> m_catalogue;
    // Filled by the walk: the command words with no prefix, those of each prefix, the moves.
    QSet<QString> m_words;
    QHash<QString, QSet<QString>> m_byPrefix;
    QSet<QString> m_moves;
};

QTEST_MAIN(TstShippedCatalogue)
#include "tst_shipped_catalogue.moc"
