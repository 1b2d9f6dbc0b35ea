#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "catalogue/CatalogueSource.h"
#include "dialogs/frmProperties.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"
#include "tree/CommandTreePanel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QtTest>

namespace {

void fillCatalogue(TestCatalogue& c)
{
    c.addGroup(1, QStringLiteral("Communication"));
    c.addGroup(5, QStringLiteral("Scripts"));
    c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    c.addGroup(9, QStringLiteral("Example Scripts"));
    c.addGroup(10, QStringLiteral("Reference"));
    c.addGroup(11, QStringLiteral("Empty"));
    c.addCommand(101, 1, QStringLiteral("tell"), QStringLiteral("Send a private message"), 1);
    c.addCommand(102, 1, QStringLiteral("sit"), QStringLiteral("Sit down"), 0);
    c.addCommand(701, 7, QStringLiteral("attack"), QStringLiteral("Send the pets in"), 0);
    c.addCommand(702, 7, QStringLiteral("rename"), QStringLiteral("Rename the pet"), 1);
    c.addCommand(703, 7, QStringLiteral("chat"), QStringLiteral("Let the pet speak"), 1);
    c.addCommand(704, 7, QStringLiteral("social"), QStringLiteral("Let the pet play a move"), 1);
    c.addCommand(901, 9, QStringLiteral("/t Help! %t is on me"), QStringLiteral("Call the team"), 0);
    c.exec(QStringLiteral("INSERT INTO tblCommand (CommandID, CommandGroupID, CommandText, CommandDescription, "
                          "CommandType) VALUES (1001, 10, 'All', NULL, 0)"));
}

const QString kAllLines = QStringLiteral(
    "/tell Send a private message\n/sit Sit down\n/attack Send the pets in\n/rename Rename the pet\n"
    "/chat Let the pet speak\n/social Let the pet play a move\n//t Help! %t is on me Call the team\n/All \n");

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& group, const QString& node)
{
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* top = tree->topLevelItem(g);
        if (top->text(0) != group)
            continue;
        if (node.isEmpty())
            return top;
        for (int c = 0; c < top->childCount(); ++c)
            if (top->child(c)->text(0) == node)
                return top->child(c);
    }
    return nullptr;
}

struct Env {
    MainWindowFixture f;

    bool start()
    {
        fillCatalogue(*f.catalogue);
        // The scripts group lists this folder (the game path is empty: the working folder).
        if (!QDir(f.dir.path()).mkdir(QStringLiteral("scripts")))
            return false;
        QFile heal(f.dir.filePath(QStringLiteral("scripts/heal")));
        if (!heal.open(QIODevice::WriteOnly))
            return false;
        return f.start();
    }
    frmWindow* window() { return f.main->activeScriptWindow(); }
};

// Answers the properties dialog once it is up: "cancel", or a value typed and OK.
// Records what the dialog showed.
struct DialogAnswer {
    explicit DialogAnswer(QString a) : answer(std::move(a)) {}
    QString answer;
    bool shown = false;
    bool valueAsked = false;
    QString command;

    void arm()
    {
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<frmProperties*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            valueAsked = !dialog->txtEdit->isHidden() || !dialog->lstEdit->isHidden();
            command = dialog->cboCommand->currentText();
            if (answer == QLatin1String("cancel")) {
                dialog->cmdCommand1_Click();
                return;
            }
            if (!dialog->txtEdit->isHidden())
                dialog->txtEdit->setPlainText(answer);
            QTest::mouseClick(dialog->cmdOk, Qt::LeftButton);
        });
    }
};

// The line each help page of the catalogue documents, such as "/org tax [<credits>]":
// <...> stands for a value, [...] for a part that may be left out.
QStringList documentedLines()
{
    QList<CatalogueSource::Problem> problems;
    const CatalogueSource source = CatalogueSource::read(
        qEnvironmentVariable("ZANDREL_TEST_SOURCE_DIR") + QStringLiteral("/catalogue/data"), problems);
    static const QRegularExpression mark(QStringLiteral("^\\*\\*Line:\\*\\* *(.+)$"),
                                         QRegularExpression::MultilineOption);
    QStringList lines;
    for (const CatalogueSource::Command& command : source.commands) {
        const QRegularExpressionMatch match = mark.match(command.help);
        if (match.hasMatch())
            lines << match.captured(1).trimmed();
    }
    return lines;
}

// The words of a documented line before its first value: "/org tax".
QString commandWords(const QString& documented)
{
    QStringList words;
    for (const QString& word : documented.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1Char('<')) || word.startsWith(QLatin1Char('[')) || word.startsWith(QLatin1Char('"')))
            break;
        words << word;
    }
    return words.join(QLatin1Char(' '));
}

// Whether a script line lacks a value that the page of its command requires. `documented`
// tells whether any page shows the line's command at all.
bool lacksValue(const QString& line, const QStringList& documentedLines, bool& documented)
{
    static const QRegularExpression optional(QStringLiteral("\\[[^\\]]*\\]"));
    QString words;
    bool needsValue = false;
    for (const QString& form : documentedLines) {
        const QString candidate = commandWords(form);
        if (candidate.size() > words.size() && (line == candidate || line.startsWith(candidate + QLatin1Char(' ')))) {
            words = candidate;
            needsValue = QString(form).remove(optional).contains(QLatin1Char('<'));
        }
    }
    documented = !words.isEmpty();
    return needsValue && line.mid(words.size()).trimmed().isEmpty();
}

}

class tst_treeinsertion : public QObject {
    Q_OBJECT
private slots:
    void doubleClick_data();
    void doubleClick();
    void withoutScriptWindowOpensOne();
    void contextMenuInsertDoesTheSame();
    void noSelectedNodeDoesNothing();
    void shippedTreeWritesCompleteLines();
};

void tst_treeinsertion::doubleClick_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("freeType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("dialogCommand");  // null: no dialog shown
    QTest::addColumn<bool>("changedArmed");

    const QString none;
    QTest::newRow("group with commands") << "Communication" << "" << false << "abc" << 1 << 0 << none << "abc" << none
                                         << false;
    QTest::newRow("group without commands") << "Empty" << "" << false << "abc" << 1 << 0 << none << "abc" << none
                                            << false;
    QTest::newRow("All: every row in stored order") << "Reference" << "All" << false << "abc\n" << 4 << 0 << none
                                                    << "abc\n" + kAllLines << none << false;
    QTest::newRow("All with free typing on as well") << "Reference" << "All" << true << "" << 0 << 0 << none
                                                     << kAllLines << none << false;
    QTest::newRow("free typing: selection becomes the value")
        << "Communication" << "tell" << true << "x Bob y" << 2 << 3 << none << "x /tell Bob\n y" << none << false;
    QTest::newRow("free typing: nothing selected leaves a space")
        << "Communication" << "tell" << true << "" << 0 << 0 << none << "/tell \n" << none << false;
    QTest::newRow("free typing: a script file is no script call")
        << "Scripts" << "heal" << true << "" << 0 << 0 << none << "/heal \n" << none << false;
    QTest::newRow("free typing: node with its own slash")
        << "Example Scripts" << "/t Help! %t is on me" << true << "now" << 0 << 3 << none
        << "/t Help! %t is on menow\n" << none << false;
    QTest::newRow("free typing: pet order has no pet word")
        << "Pet Commands" << "attack" << true << "" << 0 << 0 << none << "/attack \n" << none << false;
    QTest::newRow("script call at the caret") << "Scripts" << "heal" << false << "abc" << 3 << 0 << none
                                              << "abc/script heal\n" << none << false;
    QTest::newRow("pet order") << "Pet Commands" << "attack" << false << "" << 0 << 0 << none << "/pet attack\n"
                               << none << false;
    QTest::newRow("pet rename goes to the dialog")
        << "Pet Commands" << "rename" << false << "" << 0 << 0 << "Rex" << "/pet rename Rex\n" << "pet rename"
        << true;
    QTest::newRow("pet order with a value goes to the dialog")
        << "Pet Commands" << "social" << false << "" << 0 << 0 << "wave" << "/pet social wave\n" << "pet social"
        << true;
    QTest::newRow("pet chat goes to the dialog")
        << "Pet Commands" << "chat" << false << "" << 0 << 0 << "hi" << "/pet chat hi\n" << "pet chat" << true;
    QTest::newRow("example script written as it is")
        << "Example Scripts" << "/t Help! %t is on me" << false << "abc\n" << 4 << 0 << none
        << "abc\n/t Help! %t is on me\n" << none << false;
    QTest::newRow("caret inside the last line") << "Communication" << "tell" << false << "abc" << 1 << 0 << "Bob"
                                                << "abc\n/tell Bob\n" << "tell" << true;
    QTest::newRow("caret at the end of the last line") << "Communication" << "tell" << false << "abc" << 3 << 0
                                                       << "Bob" << "abc\n/tell Bob\n" << "tell" << true;
    QTest::newRow("caret inside a line with one below")
        << "Communication" << "tell" << false << "abc\nnext" << 1 << 0 << "Bob" << "abc\n/tell Bob\n\nnext" << "tell"
        << true;
    QTest::newRow("caret at the start of a line") << "Communication" << "tell" << false << "abc\ndef" << 4 << 0
                                                  << "Bob" << "abc\ndef\n/tell Bob\n" << "tell" << true;
    QTest::newRow("caret on an empty line") << "Communication" << "tell" << false << "abc\n\nnext" << 4 << 0 << "Bob"
                                            << "abc\n/tell Bob\n\nnext" << "tell" << true;
    QTest::newRow("empty script") << "Communication" << "tell" << false << "" << 0 << 0 << "Bob" << "/tell Bob\n"
                                  << "tell" << true;
    QTest::newRow("a selection counts from its start")
        << "Communication" << "tell" << false << "abc\ndef\nghi" << 5 << 5 << "Bob" << "abc\ndef\n/tell Bob\n\nghi"
        << "tell" << true;
    QTest::newRow("cancel keeps the new line break") << "Communication" << "tell" << false << "abc" << 1 << 0
                                                     << "cancel" << "abc\n" << "tell" << true;
    QTest::newRow("command without value never shows the dialog")
        << "Communication" << "sit" << false << "abc" << 1 << 0 << "cancel" << "abc\n/sit\n" << none << true;
}

void tst_treeinsertion::doubleClick()
{
    QFETCH(QString, group);
    QFETCH(QString, node);
    QFETCH(bool, freeType);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    QFETCH(QString, dialogCommand);
    QFETCH(bool, changedArmed);

    Env env;
    QVERIFY(env.start());
    frmWindow* window = env.window();
    QVERIFY(window);
    window->rtfrypAO->setText(text);
    window->rtfrypAO->select(selStart, selLength);
    window->tmChanged->stop();
    env.f.main->state().setFreeType(freeType);
    QTreeWidgetItem* item = findNode(env.f.main->picBar->tvwTreeView1, group, node);
    QVERIFY(item);
    env.f.main->picBar->tvwTreeView1->setCurrentItem(item);

    DialogAnswer dialog{answer};
    dialog.arm();
    env.f.main->picBar->tvwTreeView1_DblClick();
    QCoreApplication::processEvents();

    QCOMPARE(window->rtfrypAO->Text(), expected);
    QCOMPARE(dialog.shown, !dialogCommand.isNull());
    if (dialog.shown) {
        QCOMPARE(dialog.command, dialogCommand);
        QCOMPARE(env.f.main->state().CurrentLine, dialogCommand);
    }
    QCOMPARE(window->tmChanged->isActive(), changedArmed);
    QCOMPARE(env.f.main->mdiArea->subWindowList().size(), 1);
    QCOMPARE(env.f.prompt.boxes.size(), 0);
    // Inserted text is white, whatever colour stood at the caret.
    if (expected != text)
        QCOMPARE(window->rtfrypAO->SelColor(), RichTextControl::white());
}

void tst_treeinsertion::withoutScriptWindowOpensOne()
{
    Env env;
    QVERIFY(env.start());
    env.f.main->mdiArea->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(env.f.main->mdiArea->subWindowList().size(), 0);
    QTreeWidget* tree = env.f.main->picBar->tvwTreeView1;
    tree->setCurrentItem(findNode(tree, "Communication", "tell"));
    DialogAnswer dialog{QStringLiteral("Bob")};
    dialog.arm();
    env.f.main->picBar->tvwTreeView1_DblClick();
    QCoreApplication::processEvents();
    QVERIFY(dialog.shown);
    frmWindow* window = env.window();
    QVERIFY(window);
    QCOMPARE(window->rtfrypAO->Text(), QStringLiteral("/tell Bob\n"));
    QVERIFY(window->tmChanged->isActive());
    window->tmChanged_Timer();
    QVERIFY(window->Changed());
}

void tst_treeinsertion::contextMenuInsertDoesTheSame()
{
    Env env;
    QVERIFY(env.start());
    QTreeWidget* tree = env.f.main->picBar->tvwTreeView1;
    tree->setCurrentItem(findNode(tree, "Pet Commands", "attack"));
    env.f.main->picBar->mnuInsert->trigger();
    QCOMPARE(env.window()->rtfrypAO->Text(), QStringLiteral("/pet attack\n"));
}

void tst_treeinsertion::noSelectedNodeDoesNothing()
{
    Env env;
    QVERIFY(env.start());
    env.window()->rtfrypAO->setText(QStringLiteral("abc"));
    env.f.main->picBar->tvwTreeView1->clearSelection();
    env.f.main->picBar->tvwTreeView1_DblClick();
    QCOMPARE(env.window()->rtfrypAO->Text(), QStringLiteral("abc"));
}

// Every node of the shipped tree, double-clicked on an empty script with the dialog
// answered OK and nothing typed: a line that needs a value may only lack it where the
// dialog asked for one.
void tst_treeinsertion::shippedTreeWritesCompleteLines()
{
    const QStringList documented = documentedLines();
    QVERIFY(documented.size() > 100);
    // No scripts folder here, so the scripts group lists its catalogue commands too.
    MainWindowFixture f;
    const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    f.main = std::make_unique<frmMain>(f.prompt, (build.isEmpty() ? QCoreApplication::applicationDirPath() : build)
                                                     + QStringLiteral("/zandrel.db"));
    QVERIFY(f.main->Form_Load());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    frmWindow* window = f.main->activeScriptWindow();
    QStringList faults;
    int walked = 0;
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = tree->topLevelItem(g);
        const bool examples = group->text(0) == QLatin1String("Example Scripts");
        for (int c = 0; c < group->childCount(); ++c) {
            // "All" writes the catalogue as a list to read, not lines to run.
            if (group->child(c)->text(0) == QLatin1String("All"))
                continue;
            window->rtfrypAO->setText(QString());
            tree->setCurrentItem(group->child(c));
            DialogAnswer dialog{QString()};
            dialog.arm();
            f.main->picBar->tvwTreeView1_DblClick();
            QCoreApplication::processEvents();
            ++walked;
            for (const QString& line : window->rtfrypAO->Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                bool known = false;
                if (lacksValue(line, documented, known) && !dialog.valueAsked)
                    faults << line;
                else if (!known && !examples)
                    faults << line + QStringLiteral(" (no page shows its line)");
            }
        }
    }
    QVERIFY(walked > 150);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(" | "))));
}

QTEST_MAIN(tst_treeinsertion)
#include "tst_treeinsertion.moc"
