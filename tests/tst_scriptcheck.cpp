#include "MainWindowFixture.h"
#include "ScriptedPrompt.h"
#include "TestCatalogue.h"

#include "state/AppState.h"
#include "platform/Settings.h"
#include "app/frmMain.h"
#include "catalogue/Catalogue.h"
#include "editor/ScriptCheck.h"
#include "editor/ScriptCheckPanel.h"
#include "editor/ToolbarKey.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QtTest>

namespace {
using Kind = ScriptCheck::Finding::Kind;

// Catalogue rows as the catalogue gives them: word, group word, value type. The word
// "follow" comes twice, with and without a value needed.
ScriptKnowledge knowledge()
{
    ScriptKnowledge k;
    k.scriptCommand = QStringLiteral("script");
    const struct { const char* word; const char* prefix; int type; } rows[] = {
        {"tell", "", 1},  {"t", "", 1},          {"delay", "", 3},         {"afk", "", 0},     {"follow", "", 1},
        {"follow", "", 3}, {"attack", "pet", 0}, {"terminate", "pet", 0}, {"social", "pet", 1}, {"kick", "org", 1}};
    for (const auto& r : rows)
        k.commands.append(ScriptKnowledge::fromCatalogueType(QString::fromLatin1(r.word),
                                                              QString::fromLatin1(r.prefix), r.type));
    k.commands[8].accepted = QStringList{QStringLiteral("disco"), QStringLiteral("wave")};
    return k;
}

QString kindName(Kind kind)
{
    static const char* const names[] = {"unknown", "no value", "bad value", "no script",
                                        "itself",  "variable", "uncertain"};
    return QString::fromLatin1(names[int(kind)]);
}
}

class tst_scriptcheck : public QObject {
    Q_OBJECT
private slots:
    void findings_data();
    void findings();
    void saveNameQuestion_data();
    void saveNameQuestion();
    void checkScriptPanel_data();
    void checkScriptPanel();
};

void tst_scriptcheck::findings_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("folderKnown");      // the folder holds heal.txt, buffs and Next.txt
    QTest::addColumn<QStringList>("expected");  // "line kind"
    const auto row = [](const char* name, const char* script, QStringList expected, bool folder = true) {
        QTest::newRow(name) << QString::fromLatin1(script) << folder << expected;
    };
    row("clean, blank lines, chat text, no final break",
        "/tell Bob hi\n\n/TELL %t hello\n  \nsay /wave now\n/afk\n/pet \"%t\" terminate\n/org kick Bob\n/t 50% off",
        {});
    row("lines with CR LF count as one line each", "/tell Bob\r\n\r\n/tel Bob\r\n", {"3 unknown"});
    row("unknown command words", "/tel Bob\n/ hello\n/kick Bob", {"1 unknown", "2 unknown", "3 unknown"});
    row("a command word from a variable", "/%1 hello", {});
    row("value missing", "/delay\n/delay   \n/pet\n/pet \"Rex\"\n/script",
        {"1 no value", "2 no value", "3 no value", "4 no value", "5 no value"});
    row("a word that needs a value in one row only", "/follow", {});
    row("delay needs a whole number", "/delay 5s\n/delay 1.5\n/delay -5\n/delay %t",
        {"1 bad value", "2 bad value", "3 bad value", "4 bad value"});
    row("delay with a number or an argument", "/delay 250\n/delay %1\n/delay 120000", {});
    row("pick-list values", "/pet social Disco\n/pet social tango\n/pet social %2", {"2 bad value"});
    row("unknown pet order", "/pet dance\n/pet \"Rex\" dance", {"1 unknown", "2 unknown"});
    row("scripts of the folder", "/script heal.txt\n/script HEAL.TXT\n/heal.txt %1\n/buffs\n/next.txt\n/script %1",
        {});
    row("missing scripts", "/script heals.txt\n/hael.txt", {"1 no script", "2 no script"});
    row("no folder known", "/hael.txt\n/script x\n/tel Bob", {"3 unknown"}, false);
    row("a script that starts itself", "/loop.txt\n/script LOOP.txt fast\n/loop",
        {"1 itself", "2 itself", "3 unknown"});
    row("variables not replaced", "/t %x\nhi %T\n/t %0", {"1 variable", "2 variable", "3 variable"});
    row("arguments beyond five", "/tell %6 %9", {"1 uncertain", "1 uncertain"});
    row("percent signs that are no variable", "/t %% %%x %t %f %m %1 %5 100%\n/t % done", {});
}

void tst_scriptcheck::findings()
{
    QFETCH(QString, script);
    QFETCH(bool, folderKnown);
    QFETCH(QStringList, expected);
    const QStringList folder{QStringLiteral("heal.txt"), QStringLiteral("buffs"), QStringLiteral("Next.txt")};
    const QList<ScriptCheck::Finding> found = ScriptCheck::check(
        script, knowledge(), folderKnown ? std::optional(folder) : std::nullopt, QStringLiteral("loop.txt"));
    const QStringList lines = script.split(u'\n');
    QStringList got;
    for (const ScriptCheck::Finding& f : found) {
        got << QString::number(f.line) + u' ' + kindName(f.kind);
        QString line = lines.value(f.line - 1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        QCOMPARE(f.text, line);
        QVERIFY(!f.message.isEmpty());
    }
    QCOMPARE(got, expected);
}

void tst_scriptcheck::saveNameQuestion_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("chosen");  // paths under the game folder, "" = cancel
    QTest::addColumn<QString>("answer");      // to the one name question; "" = none asked
    QTest::addColumn<QString>("written");     // the one file written, "" = none
    const auto row = [](const char* name, const char* key, QStringList chosen, const char* answer,
                        const char* written) {
        QTest::newRow(name) << QString::fromLatin1(key) << chosen << QString::fromLatin1(answer)
                            << QString::fromLatin1(written);
    };
    row("a command's name, No: the dialog again", "Save", {"scripts/follow", "scripts/follow.txt"}, "No",
        "scripts/follow.txt");
    row("No, then cancel: nothing written", "Save", {"scripts/follow", ""}, "No", "");
    row("letter case ignored, Yes keeps the name", "Save", {"scripts/FOLLOW"}, "Yes", "scripts/FOLLOW");
    row("a group's word, Save As", "SaveAs", {"scripts/pet"}, "Yes", "scripts/pet");
    row("with an extension", "Save", {"scripts/follow.txt"}, "", "scripts/follow.txt");
    row("a pet order alone is no command", "SaveAs", {"scripts/attack"}, "", "scripts/attack");
    row("outside the scripts folder", "Save", {"other/follow"}, "", "other/follow");
}

void tst_scriptcheck::saveNameQuestion()
{
    QFETCH(QString, key);
    QFETCH(QStringList, chosen);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("scripts")) && QDir(dir.path()).mkpath(QStringLiteral("other")));
    TestCatalogue data(dir.filePath(QStringLiteral("zandrel.db")));
    data.addGroup(3, QStringLiteral("Team"));
    data.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    data.addCommand(301, 3, QStringLiteral("follow"), QStringLiteral("Follow a player"), 1);
    data.addCommand(701, 7, QStringLiteral("attack"), QStringLiteral("Send the pets in"), 0);
    ScriptedPrompt prompt;
    Catalogue catalogue(prompt, data.path());
    QCOMPARE(catalogue.OpenCatalogue(), Catalogue::OpenResult::Open);
    Settings settings;
    AppState app(prompt, catalogue, settings);
    app.gamePath = dir.path() + u'/';
    frmWindow window(app);
    window.rtfrypAO->setText(QStringLiteral("/follow Bob"));
    const auto full = [&](const QString& p) { return p.isEmpty() ? p : app.gamePath + p; };
    for (const QString& path : chosen)
        prompt.choose(full(path));
    if (!answer.isEmpty())
        prompt.answer(answer == QLatin1String("Yes") ? PromptAnswer::Yes : PromptAnswer::No);

    window.tlbasxToolbar1_ButtonClick(key == QLatin1String("Save") ? ToolbarKey::Save : ToolbarKey::SaveAs);

    QCOMPARE(prompt.boxes.size(), answer.isEmpty() ? 0 : 1);
    QCOMPARE(prompt.dialogs.size(), chosen.size());
    QVERIFY(prompt.allAnswersUsed());
    const QStringList files =
        QDir(dir.filePath("scripts")).entryList(QDir::Files) + QDir(dir.filePath("other")).entryList(QDir::Files);
    QCOMPARE(files.size(), written.isEmpty() ? 0 : 1);
    QCOMPARE(window.FileName(), full(written));
    QVERIFY(written.isEmpty() || QFile::exists(full(written)));
    QCOMPARE(window.Changed(), written.isEmpty());
}

void tst_scriptcheck::checkScriptPanel_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("rowLines");  // the line shown in each row
    QTest::addColumn<int>("caret");             // after Enter on the first row
    QTest::newRow("two mistakes, Enter goes to the first")
        << "/tell Bob\n\n/tel Bob\n/delay soon" << QStringList{"/tel Bob", "/delay soon"} << 11;
    QTest::newRow("a clean script: one row, Enter goes nowhere") << "/tell Bob\n/delay 5000" << QStringList{""} << 21;
}

void tst_scriptcheck::checkScriptPanel()
{
    QFETCH(QString, script);
    QFETCH(QStringList, rowLines);
    QFETCH(int, caret);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    frmWindow* window = f.main->activeScriptWindow();
    window->rtfrypAO->setText(script);
    window->setChanged(false);
    window->rtfrypAO->setSelStart(int(script.size()));
    f.main->findChild<QAction*>(QStringLiteral("mnuCheckScript"))->trigger();
    auto* panel = f.main->findChild<ScriptCheckPanel*>();
    QVERIFY(panel && panel->isVisibleTo(f.main.get()));
    QStringList shown;
    for (int i = 0; i < panel->topLevelItemCount(); ++i)
        shown << panel->topLevelItem(i)->text(1);
    QCOMPARE(shown, rowLines);
    panel->setCurrentItem(panel->topLevelItem(0));
    QTest::keyClick(panel, Qt::Key_Return);
    QCOMPARE(window->rtfrypAO->SelStart(), caret);
    QCOMPARE(window->rtfrypAO->Text(), script);
    QVERIFY(!window->Changed());
}

QTEST_MAIN(tst_scriptcheck)
#include "tst_scriptcheck.moc"
