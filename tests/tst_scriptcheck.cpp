#include "editor/ScriptCheck.h"
#include "editor/ScriptSaveName.h"

#include <QtTest>

namespace {

// Catalogue rows as the catalogue gives them: word, group word, value type. The word
// "follow" comes twice, with and without a value needed.
ScriptKnowledge knowledge()
{
    ScriptKnowledge k;
    k.scriptCommand = QStringLiteral("script");
    // Usage lines as help pages hold them: in the page markup or once made RTF.
    const struct { const char* word; const char* prefix; int type; const char* page; } rows[] = {
        {"tell", "", 1, "{\\b Line:} /tell <name> [<message>]\\par"}, {"t", "", 1, "**Line:** /t <text>\n"},
        {"delay", "", 3, ""}, {"afk", "", 0, ""}, {"follow", "", 1, "**Line:** /follow [<name>]"}, {"follow", "", 3, ""},
        {"attack", "pet", 0, ""}, {"terminate", "pet", 0, ""}, {"social", "pet", 1, ""}, {"kick", "org", 1, ""}};
    for (const auto& r : rows)
        k.commands.append(ScriptKnowledge::fromCatalogueType(QString::fromLatin1(r.word), QString::fromLatin1(r.prefix),
                                                              CommandType(r.type), ScriptKnowledge::usageOf(QString::fromLatin1(r.page))));
    k.commands[8].accepted = QStringList{QStringLiteral("disco"), QStringLiteral("wave")};
    return k;
}

}

class tst_scriptcheck : public QObject {
    Q_OBJECT
private slots:
    // One row for each kind of finding, and one for all that is no mistake.
    void findings_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("folderKnown");      // the folder holds heal.txt, buffs and Next.txt
        QTest::addColumn<QStringList>("expected");  // "line kind"
        const auto row = [](const char* name, const char* script, QStringList expected, bool folder = true) {
            QTest::newRow(name) << QString::fromLatin1(script) << folder << expected;
        };
        row("clean: blank lines, chat text, arguments, scripts of the folder, percent signs",
            "/tell Bob hi\n\n/TELL %t hello\n  \nsay /wave now\n/afk\n/pet \"%t\" terminate\n/org kick Bob\n/%1 hi\n"
            "/follow\n/delay 250\n/delay %1\n/delay 120000\n/pet social Disco\n/pet social %2\n/script HEAL.TXT\n"
            "/heal.txt %1\n/buffs\n/next.txt\n/t %% %%x %t %f %m %1 %5 100%\n/t % done",
            {});
        row("unknown words, lines with CR LF", "/tel Bob\r\n/ hello\r\n/kick Bob\r\n/pet \"Rex\" dance",
            {"1 unknown", "2 unknown", "3 unknown", "4 unknown"});
        row("value missing, also where the usage line needs one", "/delay\n/delay   \n/pet\n/pet \"Rex\"\n/script\n/tell\n/T ",
            {"1 no value", "2 no value", "3 no value", "4 no value", "5 no value", "6 no value", "7 no value"});
        row("value not accepted", "/delay 5s\n/delay 1.5\n/delay -5\n/delay %t\n/pet social tango",
            {"1 bad value", "2 bad value", "3 bad value", "4 bad value", "5 bad value"});
        row("missing scripts", "/script heals.txt\n/hael.txt", {"1 no script", "2 no script"});
        row("no folder known", "/hael.txt\n/script x\n/tel Bob", {"3 unknown"}, false);
        row("a script that starts itself", "/loop.txt\n/script LOOP.txt fast\n/loop", {"1 itself", "2 itself", "3 unknown"});
        row("variables not replaced", "/t %x\nhi %T\n/t %0", {"1 variable", "2 variable", "3 variable"});
        row("arguments beyond five, as the Special menu writes them: notes only", "/tell %6 %9", {"1 note", "1 note"});
    }
    void findings()
    {
        QFETCH(QString, script);
        QFETCH(bool, folderKnown);
        QFETCH(QStringList, expected);
        static const char* const kinds[] = {"unknown", "no value", "bad value", "no script",
                                            "itself",  "variable", "note"};
        const QStringList folder{QStringLiteral("heal.txt"), QStringLiteral("buffs"), QStringLiteral("Next.txt")};
        const QStringList lines = script.split(u'\n');
        QStringList got;
        for (const ScriptCheck::Finding& f : ScriptCheck::check(script, knowledge(), folderKnown ? std::optional(folder)
                                                                : std::nullopt, QStringLiteral("loop.txt"))) {
            got << QString::number(f.line) + u' ' + QLatin1String(kinds[int(f.kind)]);
            QCOMPARE(f.text + (lines.value(f.line - 1).endsWith(u'\r') ? "\r" : ""), lines.value(f.line - 1));
            QVERIFY(!f.message.isEmpty());
            QCOMPARE(f.isNote(), f.message.startsWith(QStringLiteral("Note:")));
        }
        QCOMPARE(got, expected);
    }

    // A script saved in the scripts folder under a command's name never starts by that
    // name: the game runs its own command. Saving asks first for such a name.
    void saveNameClash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("command");  // the command the name belongs to, if any
        QTest::newRow("a command's name, letter case ignored") << "/ao/scripts/FOLLOW" << "follow";
        QTest::newRow("a group's word") << "/ao/scripts/pet" << "pet";
        QTest::newRow("the folder spelt another way") << "/ao/x/../scripts/tell" << "tell";
        QTest::newRow("with an extension") << "/ao/scripts/follow.txt" << "";
        QTest::newRow("a pet order alone is no command") << "/ao/scripts/attack" << "";
        QTest::newRow("outside the scripts folder") << "/ao/other/follow" << "";
    }
    void saveNameClash()
    {
        QFETCH(QString, path);
        QFETCH(QString, command);
        QCOMPARE(ScriptSaveName::clashingCommand(path, QStringLiteral("/ao/scripts"), knowledge()), command);
    }
};

QTEST_GUILESS_MAIN(tst_scriptcheck)
#include "tst_scriptcheck.moc"
