// The catalogue the build ships: the texts and numbers the program compares against
// are there exactly, the example lines name real commands, and the menus and the
// random names have their lists.

#include "ScriptedPrompt.h"

#include "catalogue/Catalogue.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

class TstShippedCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void groupsTheProgramNames_data();
    void groupsTheProgramNames();
    void commandsTheProgramNames_data();
    void commandsTheProgramNames();
    void exampleLinesUseKnownCommands();
    void numberListOnlyForPauses();
    void menuListsAndNames();

private:
    ScriptedPrompt m_prompt;
    std::unique_ptr<Catalogue> m_catalogue;
    std::vector<CatalogueGroup> m_groups;
};

void TstShippedCatalogue::initTestCase()
{
    const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    m_catalogue = std::make_unique<Catalogue>(
        m_prompt, (build.isEmpty() ? QCoreApplication::applicationDirPath() : build) + QStringLiteral("/zandrel.db"));
    QCOMPARE(m_catalogue->OpenCatalogue(), Catalogue::OpenResult::Open);
    m_groups = m_catalogue->commandTree([](int) { return true; });
    QVERIFY(m_groups.size() > 5);
}

void TstShippedCatalogue::groupsTheProgramNames_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prefix");
    // 7 and 8 give their lines a fixed word, the tree compares "Pet Commands" and
    // "Example Scripts" exactly.
    QTest::newRow("pet") << 7 << QStringLiteral("Pet Commands") << QStringLiteral("pet");
    QTest::newRow("org") << 8 << QStringLiteral("Organisation") << QStringLiteral("org");
    QTest::newRow("examples") << 9 << QStringLiteral("Example Scripts") << QString();
}

void TstShippedCatalogue::groupsTheProgramNames()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QString, prefix);
    const auto group = std::find_if(m_groups.cbegin(), m_groups.cend(), [&](const auto& g) { return g.id == id; });
    QVERIFY(group != m_groups.cend());
    QCOMPARE(group->text, text);
    QCOMPARE(group->prefix, prefix);
}

void TstShippedCatalogue::commandsTheProgramNames_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("add");
    // The tree lets these two pet commands through to the dialog and writes every other
    // pet command straight away; their values hold spaces and need quotes.
    QTest::newRow("pet rename") << 7 << QStringLiteral("rename") << 1 << QStringLiteral("\"");
    QTest::newRow("pet chat") << 7 << QStringLiteral("chat") << 1 << QStringLiteral("\"");
    QTest::newRow("the whole catalogue") << 11 << QStringLiteral("All") << 0 << QString();
    QTest::newRow("script") << 6 << QStringLiteral("script") << 1 << QString();
    QTest::newRow("delay, from the number list") << 6 << QStringLiteral("delay") << 3 << QString();
    QTest::newRow("pet help, shown with its own image") << 7 << QStringLiteral("help") << 0 << QString();
}

void TstShippedCatalogue::commandsTheProgramNames()
{
    QFETCH(int, group);
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(QString, add);
    int found = 0;
    for (const CatalogueCommand& row : m_catalogue->allCommands()) {
        // The tree compares with exact case, so "all" would not do.
        if (row.group == group && row.text == text) {
            ++found;
            QCOMPARE(row.type, type);
            QCOMPARE(row.add, add);
        }
    }
    QCOMPARE(found, 1);
}

void TstShippedCatalogue::exampleLinesUseKnownCommands()
{
    // A finished line is written into a script exactly as stored: a mistyped command
    // word would reach the game as a failing command.
    QSet<QString> words;
    QHash<QString, QSet<QString>> byPrefix;
    for (const CatalogueGroup& group : m_groups) {
        if (group.id == 9)
            continue;
        for (const CatalogueCommand& command : group.commands)
            (group.prefix.isEmpty() ? words : byPrefix[group.prefix]).insert(command.text.toLower());
    }
    int examples = 0;
    static const QRegularExpression quotedName(QStringLiteral("^\"[^\"]*\"\\s+"));
    for (const CatalogueCommand& row : m_catalogue->allCommands()) {
        if (row.group != 9 || !row.text.startsWith(QLatin1Char('/')))
            continue;
        ++examples;
        QCOMPARE(row.type, 0);
        const QString word = row.text.mid(1).section(QLatin1Char(' '), 0, 0).toLower();
        if (word.contains(QLatin1Char('.')))
            continue; // another script started by its file name: no catalogue word to match
        if (byPrefix.contains(word)) {
            const QString order = row.text.mid(word.size() + 2).remove(quotedName).section(QLatin1Char(' '), 0, 0);
            QVERIFY2(byPrefix.value(word).contains(order.toLower()), qPrintable(row.text));
        } else {
            QVERIFY2(words.contains(word), qPrintable(row.text));
        }
    }
    QVERIFY2(examples >= 15, qPrintable(QString::number(examples)));
}

void TstShippedCatalogue::numberListOnlyForPauses()
{
    // The value list of type 3 runs 1000 to 10000: only a pause in milliseconds fits it.
    for (const CatalogueCommand& row : m_catalogue->allCommands()) {
        if (row.type == 3)
            QCOMPARE(row.text, QStringLiteral("delay"));
    }
}

void TstShippedCatalogue::menuListsAndNames()
{
    QCOMPARE(m_catalogue->breeds().size(), 4);
    QCOMPARE(m_catalogue->professions().size(), 14);
    // Every draw of the Special menu finds names; each is written as /pet rename
    // "<name>", so none holds a quote, and the game is said to want four letters.
    for (const auto& [type, sex] : {std::pair{0, "M"}, {0, "F"}, {0, "U"}, {1, "U"}}) {
        const QStringList names = m_catalogue->names(type, QString::fromLatin1(sex));
        QVERIFY2(names.size() >= 60, sex);
        for (const QString& name : names)
            QVERIFY2(!name.contains(QLatin1Char('"')) && (type == 1 || name.size() >= 4), qPrintable(name));
    }
    QVERIFY(m_prompt.boxes.isEmpty());
}

QTEST_MAIN(TstShippedCatalogue)
#include "tst_shipped_catalogue.moc"
