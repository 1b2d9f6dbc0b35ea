// The catalogue the build ships (the tool has already refused malformed rows): every help
// page reads, and the example lines name real commands.

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
