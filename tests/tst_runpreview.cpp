#include "editor/RunPreview.h"

#include <QtTest>

namespace {

ScriptKnowledge knowledge()
{
    ScriptKnowledge k;
    k.scriptCommand = QStringLiteral("script");
    const struct { const char* word; const char* prefix; int type; const char* group; } rows[] = {
        {"t", "", 1, "Communication"}, {"s", "", 1, "Communication"}, {"o", "", 1, "Communication"},
        {"tell", "", 1, "Communication"}, {"delay", "", 3, "Script Commands"}, {"script", "", 1, "Script Commands"},
        {"wave", "", 0, "Social Moves"}, {"attack", "pet", 0, "Pet Commands"}};
    for (const auto& r : rows) {
        k.commands.append(ScriptKnowledge::fromCatalogueType(QString::fromLatin1(r.word), QString::fromLatin1(r.prefix),
                                                              CommandType(r.type)));
        k.commands.last().group = QString::fromLatin1(r.group);
    }
    return k;
}

// The scripts folder: file name, then its text.
const QHash<QString, QString> kFolder{{"buffs.txt", "/t buffing %1\n/delay 1000\n/HEAL.txt"},
                                      {"heal.txt", "/pet \"Rex\" attack"},
                                      {"a.txt", "/b.txt"}, {"b.txt", "/script c.txt"}, {"c.txt", "/delay 500\n/a.txt"},
                                      {"two.txt", "/a.txt"}};

}

class tst_runpreview : public QObject {
    Q_OBJECT
private slots:
    // Each row: "ms depth where: text", the started script and line when it comes
    // from one, the mark; the foot last.
    void preview_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("ownName");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("delays summed, channels, variables")
            << "/t Pulling %t\n/delay 5000\n\n/s %m: 50%% done %2.\n/delay 7500\n/tell %1 hi %f\nhello\n/wave"
            << "" << QStringList{"0 0 team: Pulling Mob",  "0 0 pause: 5 s", "5000 0 shout: Me: 50% done .",
                                 "5000 0 pause: 7.5 s",    "12500 0 tell Bob: hi %f", "12500 0 chat window: hello",
                                 "12500 0 emote: wave",   "runs 12.5 s"};
        QTest::newRow("nested calls, with arguments")
            << "/script buffs.txt %1 x\n/t done" << ""
            << QStringList{"0 0 script: buffs.txt Bob x", "0 1 team: buffing Bob buffs.txt:1",
                           "0 1 pause: 1 s buffs.txt:2", "1000 1 script: HEAL.txt buffs.txt:3",
                           "1000 2 pet order to Rex: attack HEAL.txt:1", "1000 0 team: done", "runs 1 s"};
        QTest::newRow("a loop of two")
            << "/two.txt" << "a.txt"
            << QStringList{"0 0 script: two.txt", "0 1 script: a.txt two.txt:1 [loop]",
                           "runs 0 s, then starts a.txt again: the game runs this forever"};
        QTest::newRow("a loop of three")
            << "/b.txt" << "a.txt" << QStringList{"0 0 script: b.txt", "0 1 script: c.txt b.txt:1",
                                                  "0 2 pause: 0.5 s c.txt:1", "500 2 script: a.txt c.txt:2 [loop]",
                                                  "runs 0.5 s, then starts a.txt again: the game runs this forever"};
        QTest::newRow("a missing script, a word the game does not know")
            << "/gone.txt\n/tel Bob" << ""
            << QStringList{"0 0 script: gone.txt [missing]", "0 0 : Bob [not understood]", "runs 0 s"};
    }
    void preview()
    {
        QFETCH(QString, script);
        QFETCH(QString, ownName);
        QFETCH(QStringList, expected);
        RunPreview::ScriptsFolder folder{kFolder.keys(), [](const QString& name) -> std::optional<QString> {
                                             const auto it = kFolder.constFind(name.toLower());
                                             return it == kFolder.cend() ? std::nullopt : std::optional(*it);
                                         }};
        static const char* const marks[] = {"", " [not understood]", " [missing]", " [loop]", " [unreadable]"};
        const RunPreview::Run run = RunPreview::preview(script, ownName, knowledge(), folder,
                                                        {QStringLiteral("Mob"), QString(), QStringLiteral("Me")},
                                                        {QStringLiteral("Bob")});
        QStringList got;
        for (const RunPreview::Row& r : run.rows) {
            got << QStringLiteral("%1 %2 %3: %4").arg(r.timeMs).arg(r.depth).arg(r.where, r.text) +
                       (r.script.isEmpty() ? QString() : QStringLiteral(" %1:%2").arg(r.script).arg(r.line)) +
                       QLatin1String(marks[int(r.mark)]);
            QCOMPARE(r.note.isEmpty(), r.mark == RunPreview::Row::Mark::None);
        }
        QCOMPARE(got << run.summary(), expected);
    }
};

QTEST_GUILESS_MAIN(tst_runpreview)
#include "tst_runpreview.moc"
