// The catalogue the build ships (the tool has already refused malformed rows): the texts
// and numbers the program compares against are there exactly, every help page reads, and the
// example lines name real commands.

#include "ScriptedPrompt.h"

#include "catalogue/Catalogue.h"
#include "platform/RtfReader.h"
#include "platform/ScriptCodec.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

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

    void rowsTheProgramNames()
    {
        // The tree knows these groups by their texts, compared exactly.
        QHash<int, QString> groups;
        for (const CatalogueGroup& g : m_catalogue->commandTree([](int) { return false; }))
            groups.insert(g.id, g.text);
        QCOMPARE(groups.value(7), QStringLiteral("Pet Commands"));
        QCOMPARE(groups.value(9), QStringLiteral("Example Scripts"));
        // "group|command" -> "type|add": the tree lets pet rename and chat through to the
        // dialog, whose values hold spaces and need quotes; "All" is compared with exact case.
        const QMap<QString, QString> named{{"7|rename", "1|\""}, {"7|chat", "1|\""}, {"7|help", "0|"},
                                           {"11|All", "0|"},     {"6|script", "1|"},   {"6|delay", "3|"}};
        QMap<QString, QString> found;
        for (const CatalogueCommand& row : m_catalogue->allCommands()) {
            const QString key = QString::number(row.group) + u'|' + row.text;
            if (named.contains(key))
                found.insert(key, QString::number(row.type) + u'|' + row.add);
            // The value list of type 3 runs 1000 to 10000: only a pause in milliseconds fits it.
            if (row.type == 3)
                QCOMPARE(row.text, QStringLiteral("delay"));
        }
        QCOMPARE(found, named);
    }

    void everyHelpPageReads()
    {
        // As the Help window reads them: Windows-1252 bytes, a whole RTF document each.
        const std::vector<CataloguePage> pages = m_catalogue->bookPages();
        QVERIFY(pages.size() > 150);
        for (const CataloguePage& page : pages)
            QVERIFY2(RtfReader::check(ScriptCodec::encode(page.page)).ok, qPrintable(page.command));
    }

    void exampleLinesUseKnownCommands()
    {
        // A finished line is written into a script exactly as stored: a mistyped command
        // word would reach the game as a failing command.
        QSet<QString> words;
        QHash<QString, QSet<QString>> byPrefix;
        for (const CatalogueGroup& group : m_catalogue->commandTree([](int) { return true; })) {
            for (const CatalogueCommand& command : group.commands) {
                if (group.id != 9)
                    (group.prefix.isEmpty() ? words : byPrefix[group.prefix]).insert(command.text.toLower());
            }
        }
        int examples = 0;
        static const QRegularExpression quotedName(QStringLiteral("^\"[^\"]*\"\\s+"));
        for (const CatalogueCommand& row : m_catalogue->allCommands()) {
            if (row.group != 9 || !row.text.startsWith(QLatin1Char('/')))
                continue;
            ++examples;
            QCOMPARE(row.type, 0); // written as it stands, no dialog
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

private:
    ScriptedPrompt m_prompt;
    std::unique_ptr<Catalogue> m_catalogue;
};

QTEST_MAIN(TstShippedCatalogue)
#include "tst_shipped_catalogue.moc"
