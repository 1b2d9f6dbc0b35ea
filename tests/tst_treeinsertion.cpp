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
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
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
    c.addCommand(704, 7, QStringLiteral("social"), QStringLiteral("Let the pet play a move"), 1);
    c.addCommand(901, 9, QStringLiteral("/t Help! %t is on me"), QStringLiteral("Call the team"), 0);
    c.exec(QStringLiteral("INSERT INTO tblCommand (CommandID, CommandGroupID, CommandText, CommandDescription, "
                          "CommandType) VALUES (1001, 10, 'All', NULL, 0)"));
}

// Every node text of the tree above is its only one.
QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text)
{
    return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

// The catalogue above, and a scripts folder holding "heal" (the game path is empty:
// the working folder).
bool start(MainWindowFixture& f)
{
    fillCatalogue(*f.catalogue);
    if (!QDir(f.dir.path()).mkdir(QStringLiteral("scripts")))
        return false;
    QFile heal(f.dir.filePath(QStringLiteral("scripts/heal")));
    return heal.open(QIODevice::WriteOnly) && f.start();
}

// Answers the properties dialog once it is up: "cancel", or a value typed and OK.
// Records what the dialog showed.
struct DialogAnswer {
    explicit DialogAnswer(QString a) : answer(std::move(a))
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
    QString answer;
    bool shown = false;
    bool valueAsked = false;
    QString command;
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

// Whether a script line lacks a value that the page of its command requires. `documented`
// tells whether any page shows the line's command at all.
bool lacksValue(const QString& line, const QStringList& documentedLines, bool& documented)
{
    static const QRegularExpression optional(QStringLiteral("\\[[^\\]]*\\]"));
    static const QRegularExpression firstValue(QStringLiteral("(^| )[<\\[\"].*$"));
    QString words; // the words of the longest documented line that starts the line: "/org tax"
    bool needsValue = false;
    for (const QString& form : documentedLines) {
        const QString candidate = form.simplified().remove(firstValue);
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
    void insert_data();
    void insert();
    void withoutScriptWindowOpensOne();
    void fromTheKeyboard();
    void shippedTreeWritesCompleteLines();
};

void tst_treeinsertion::insert_data()
{
    QTest::addColumn<QString>("node"); // "" for no selected node
    QTest::addColumn<bool>("freeType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("dialogCommand"); // null: no dialog shown
    struct Row {
        const char* name;
        QString node;
        bool freeType;
        QString text;
        int selStart, selLength;
        QString answer, expected, dialogCommand; // a null answer: the line never reaches the dialog
    };
    const QString all = QStringLiteral("/tell Send a private message\n/sit Sit down\n/attack Send the pets in\n"
                                       "/rename Rename the pet\n/social Let the pet play a move\n"
                                       "//t Help! %t is on me Call the team\n/All \n");
    const QString none;
    const Row rows[] = {
        {"no selected node", "", false, "abc", 1, 0, none, "abc", none},
        {"group node", "Empty", false, "abc", 1, 0, none, "abc", none},
        // "All" writes every row in stored order, whether free typing is on or not.
        {"All", "All", true, "abc\n", 4, 0, none, "abc\n" + all, none},
        {"free typing: selection becomes the value", "tell", true, "x Bob y", 2, 3, none, "x /tell Bob\n y", none},
        {"free typing: node with its own slash", "/t Help! %t is on me", true, "now", 0, 3, none,
         "/t Help! %t is on menow\n", none},
        // Whole lines never glue onto a line: at a line's start they go in before it,
        // anywhere else below it.
        {"script call after a line", "heal", false, "/org description The best org ever\nnext", 34, 0, none,
         "/org description The best org ever\n/script heal\nnext", none},
        {"script call at the end", "heal", false, "abc", 3, 0, none, "abc\n/script heal\n", none},
        {"script call at a line's start", "heal", false, "abc", 0, 0, none, "/script heal\nabc", none},
        {"pet order", "attack", false, "abc", 2, 0, none, "abc\n/pet attack\n", none},
        {"pet rename goes to the dialog", "rename", false, "", 0, 0, "Rex", "/pet rename Rex\n", "pet rename"},
        {"pet order with a value goes to the dialog", "social", false, "", 0, 0, "wave",
         "/pet social wave\n", "pet social"},
        {"example script written as it is", "/t Help! %t is on me", false, "abc\ndef", 2, 0, none,
         "abc\n/t Help! %t is on me\ndef", none},
        {"All inside a line", "All", false, "abc", 1, 0, none, "abc\n" + all, none},
        {"caret inside the last line", "tell", false, "abc", 1, 0, "Bob", "abc\n/tell Bob\n", "tell"},
        {"caret inside a line with one below", "tell", false, "abc\nnext", 1, 0, "Bob", "abc\n/tell Bob\nnext", "tell"},
        {"caret at the start of a line", "tell", false, "abc\ndef", 4, 0, "Bob", "abc\n/tell Bob\ndef", "tell"},
        {"caret on an empty line", "tell", false, "abc\n\nnext", 4, 0, "Bob", "abc\n/tell Bob\n\nnext", "tell"},
        {"empty script", "tell", false, "", 0, 0, "Bob", "/tell Bob\n", "tell"},
        {"a selection counts from its start and stays", "tell", false, "abc\ndef\nghi", 5, 5, "Bob",
         "abc\ndef\n/tell Bob\nghi", "tell"},
        {"cancel leaves the script as it was", "tell", false, "abc", 1, 0, "cancel", "abc", "tell"},
        {"command without value never shows the dialog", "sit", false, "abc", 1, 0, "cancel", "abc\n/sit\n", none},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.node << r.freeType << r.text << r.selStart << r.selLength << r.answer
                              << r.expected << r.dialogCommand;
}

// Insert on the tree's menu, which is what a double-click on a node does too.
void tst_treeinsertion::insert()
{
    QFETCH(QString, node);
    QFETCH(bool, freeType);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    QFETCH(QString, dialogCommand);

    MainWindowFixture f;
    QVERIFY(start(f));
    frmWindow* window = f.main->activeScriptWindow();
    QVERIFY(window);
    window->rtfrypAO->setText(text);
    window->rtfrypAO->select(selStart, selLength);
    window->tmChanged->stop();
    f.main->state().setFreeType(freeType);
    QTreeWidgetItem* item = node.isEmpty() ? nullptr : findNode(f.main->picBar->tvwTreeView1, node);
    QVERIFY(item || node.isEmpty());
    f.main->picBar->tvwTreeView1->setCurrentItem(item);
    f.main->picBar->tvwTreeView1->clearSelection();
    if (item)
        item->setSelected(true);

    DialogAnswer dialog{answer};
    f.main->picBar->mnuInsert->trigger();
    QCoreApplication::processEvents();

    QCOMPARE(window->rtfrypAO->Text(), expected);
    QCOMPARE(dialog.shown, !dialogCommand.isNull());
    if (dialog.shown) {
        QCOMPARE(dialog.command, dialogCommand);
        QCOMPARE(f.main->state().CurrentLine, dialogCommand);
    }
    // A line that went the dialog's way, even cancelled, counts as a change.
    QCOMPARE(window->tmChanged->isActive(), !answer.isNull());
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 1);
    QCOMPARE(f.prompt.boxes.size(), 0);
    // Inserted text is white, whatever colour stood at the caret.
    if (expected != text) {
        QCOMPARE(window->rtfrypAO->SelColor(), RichTextControl::white());
        QVERIFY(f.undoesInOneStep(*window->rtfrypAO, text, expected));
    }
}

void tst_treeinsertion::withoutScriptWindowOpensOne()
{
    MainWindowFixture f;
    QVERIFY(start(f));
    f.main->mdiArea->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 0);
    f.main->picBar->tvwTreeView1->setCurrentItem(findNode(f.main->picBar->tvwTreeView1, QStringLiteral("tell")));
    DialogAnswer dialog{QStringLiteral("Bob")};
    f.main->picBar->tvwTreeView1_DblClick();
    QCoreApplication::processEvents();
    QVERIFY(dialog.shown);
    frmWindow* window = f.main->activeScriptWindow();
    QVERIFY(window);
    QCOMPARE(window->rtfrypAO->Text(), QStringLiteral("/tell Bob\n"));
    window->tmChanged_Timer();
    QVERIFY(window->Changed());
}

// The tree without a mouse: the arrows move (the status bar follows), Enter inserts
// a command or opens a group, the Menu key and Shift+F10 open the node's menu.
void tst_treeinsertion::fromTheKeyboard()
{
    MainWindowFixture f;
    QVERIFY(start(f));
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    auto* status = f.main->findChild<QLabel*>(QStringLiteral("sbStatusBar1"));
    tree->collapseAll();
    tree->setFocus();
    for (const QString group : {"Communication", "Scripts"}) {
        tree->setCurrentItem(findNode(tree, group));
        QTest::keyClick(tree, Qt::Key_Return);
        QVERIFY(tree->currentItem()->isExpanded());
    }
    tree->setCurrentItem(findNode(tree, QStringLiteral("Communication")));
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(status->text(), QStringLiteral("Send a private message"));
    tree->setCurrentItem(findNode(tree, QStringLiteral("heal")));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(f.main->activeScriptWindow()->rtfrypAO->Text(), QStringLiteral("/script heal\n"));
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(tree, key, modifiers);
        QTRY_VERIFY(f.main->picBar->mnuPopup->isVisible());
        f.main->picBar->mnuPopup->close();
    }
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
