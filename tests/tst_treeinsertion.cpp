#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "catalogue/CatalogueSource.h"
#include "dialogs/PropertiesDialog.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"
#include "tree/CommandTreePanel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct InsertRow {
    QString node;  // empty: no selected node
    bool freeType;
    QString text;
    int selStart, selLength;
    QString answer;  // null: the line never reaches the dialog
    QString expected;
    QString dialogCommand;  // null: no dialog shown
    bool noWindow = false;  // every script window closed first: the insert opens one
};

// Answers the properties dialog once it is up: "cancel", or a value typed and OK.
// Records what the dialog showed: its command (null: no dialog), whether it asked a value.
struct DialogAnswer {
    explicit DialogAnswer(const QString& answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto* dialog = qobject_cast<PropertiesDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            valueAsked = !child<QPlainTextEdit>(*dialog, "valueText")->isHidden() || !child<QComboBox>(*dialog, "valueCombo")->isHidden();
            command = child<QComboBox>(*dialog, "commandBox")->currentText();
            if (answer == QLatin1String("cancel"))
                return dialog->cancel();
            if (!child<QPlainTextEdit>(*dialog, "valueText")->isHidden())
                child<QPlainTextEdit>(*dialog, "valueText")->setPlainText(answer);
            QTest::mouseClick(child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
            // OK refused (a number the line needs is missing): nothing to write.
            if (!dialog->isClosed())
                dialog->cancel();
        });
    }
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
    std::unique_ptr<MainWindowFixture> f;
    QTreeWidget* tree = nullptr;

    // Every node text of the tree is its only one.
    QTreeWidgetItem* node(const QString& text) const
    {
        return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

private slots:
    // A small catalogue, and a scripts folder holding "heal" (the game path is empty: the
    // working folder).
    void init()
    {
        f = std::make_unique<MainWindowFixture>();
        TestCatalogue& c = *f->catalogue;
        c.addGroup(1, QStringLiteral("Communication"));
        c.addGroup(5, QStringLiteral("Scripts"));
        c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
        c.addGroup(9, QStringLiteral("Example Scripts"));
        c.addGroup(10, QStringLiteral("Reference"));
        c.addGroup(11, QStringLiteral("Empty"));
        c.addCommand(101, 1, QStringLiteral("tell"), QStringLiteral("Send a private message"), 1);
        c.addCommand(102, 1, QStringLiteral("sit"), QStringLiteral("Sit down"), 0);
        c.addCommand(701, 7, QStringLiteral("attack"), QStringLiteral("Send the pets in"), 0);
        c.addCommand(704, 7, QStringLiteral("social"), QStringLiteral("Let the pet play a move"), 1);
        c.addCommand(901, 9, QStringLiteral("/t Help! %t is on me"), QStringLiteral("Call the team"), 0);
        c.exec(QStringLiteral("INSERT INTO tblCommand (CommandID, CommandGroupID, CommandText, CommandDescription, "
                              "CommandType) VALUES (1001, 10, 'All', NULL, 0)"));
        QVERIFY(QDir(f->dir.path()).mkdir(QStringLiteral("scripts")));
        QVERIFY(QFile(f->dir.filePath(QStringLiteral("scripts/heal"))).open(QIODevice::WriteOnly));
        QVERIFY(f->start());
        tree = f->main->treePanel().tree();
    }
    void cleanup() { f.reset(); }

    void insert_data()
    {
        QTest::addColumn<InsertRow>("row");
        // Each command as its node writes it, in the tree's order, "All" itself left out.
        const QString all = QStringLiteral("/tell\n/sit\n/pet attack\n/pet social\n/t Help! %t is on me\n");
        const QString none;
        const std::pair<const char*, InsertRow> rows[] = {
            {"no selected node", {"", false, "abc", 1, 0, none, "abc", none}},
            {"group node", {"Empty", false, "abc", 1, 0, none, "abc", none}},
            // "All" writes whole lines, even with free typing on.
            {"All", {"All", true, "abc", 1, 0, none, "abc\n" + all, none}},
            // Free typing: the selection is the value of the word locked typing writes; an
            // example takes no value.
            {"free typing: pet order", {"attack", true, "x Bob", 2, 3, none, "x /pet attack Bob\n", none}},
            {"free typing: script call", {"heal", true, "", 0, 0, none, "/script heal \n", none}},
            {"free typing: example", {"/t Help! %t is on me", true, "now", 0, 3, none, "/t Help! %t is on me\nnow", none}},
            // Whole lines never glue onto a line: at a line's start they go in before it,
            // anywhere else below it.
            {"script call at a line's end", {"heal", false, "abc\nnext", 3, 0, none, "abc\n/script heal\nnext", none}},
            {"pet order", {"attack", false, "abc", 2, 0, none, "abc\n/pet attack\n", none}},
            {"pet order with a value: dialog", {"social", false, "", 0, 0, "wave", "/pet social wave\n", "pet social"}},
            {"example script written as it is",
             {"/t Help! %t is on me", false, "abc\ndef", 2, 0, none, "abc\n/t Help! %t is on me\ndef", none}},
            {"caret inside the last line", {"tell", false, "abc", 1, 0, "Bob", "abc\n/tell Bob\n", "tell"}},
            {"caret at the start of a line", {"tell", false, "abc\ndef", 4, 0, "Bob", "abc\n/tell Bob\ndef", "tell"}},
            {"no script window opens one", {"tell", false, "", 0, 0, "Bob", "/tell Bob\n", "tell", true}},
            {"selection: from its start", {"tell", false, "a\nbc\nd", 3, 3, "Bob", "a\nbc\n/tell Bob\nd", "tell"}},
            {"cancel leaves the script as it was", {"tell", false, "abc", 1, 0, "cancel", "abc", "tell"}},
            {"no value: the dialog never shows", {"sit", false, "abc", 1, 0, "cancel", "abc\n/sit\n", none}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row;
    }
    // Insert on the tree's menu, which is what a double-click on a node does too.
    void insert()
    {
        QFETCH(InsertRow, row);
        ScriptWindow* window = f->main->activeScriptWindow();
        window->editor()->setText(row.text);
        window->editor()->select(row.selStart, row.selLength);
        window->setChanged(false);
        if (row.noWindow) {
            f->main->scriptArea().closeAllSubWindows();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!f->main->activeScriptWindow());
        }
        f->main->state().setFreeType(row.freeType);
        tree->setCurrentItem(row.node.isEmpty() ? nullptr : node(row.node));
        QVERIFY(row.node.isEmpty() || tree->currentItem());

        DialogAnswer dialog{row.answer};
        child<QAction>(f->main->treePanel(), "mnuInsert")->trigger();
        QCoreApplication::processEvents();
        window = f->main->activeScriptWindow();
        QVERIFY(window);

        QCOMPARE(window->editor()->Text(), row.expected);
        QCOMPARE(dialog.command, row.dialogCommand);
        // Only a line written marks the script: a dialog cancelled leaves it as it was.
        QCOMPARE(window->isChanged(), row.expected != row.text);
        QCOMPARE(f->main->scriptArea().subWindowList().size(), 1);
        QCOMPARE(f->prompt.boxes.size(), 0);
        // Inserted text is white, whatever colour stood at the caret.
        if (row.expected != row.text) {
            QCOMPARE(window->editor()->SelColor(), RichTextControl::white());
            QVERIFY(f->undoesInOneStep(*window->editor(), row.text, row.expected));
        }
    }

    void undoLeavesTheCaretAtTheWork_data()
    {
        QTest::addColumn<QStringList>("steps");  // node texts, "undo" (Ctrl+Z in the script), "redo" (Edit > Redo)
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("green");  // per line, G when its first character is green
        QTest::newRow("undo, then insert") << QStringList{"attack", "heal", "undo", "sit"} << "/pet attack\n/sit\n" << "G..";
        QTest::newRow("undo, redo, then insert") << QStringList{"attack", "heal", "undo", "redo", "sit"}
                                                 << "/pet attack\n/script heal\n/sit\n" << "GG..";
    }
    // The next insert after Undo or Redo goes where the undone or redone change was,
    // and every line shows its colour as soon as it is written, undone or redone.
    void undoLeavesTheCaretAtTheWork()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        QFETCH(QString, green);
        RichTextControl* editor = f->main->activeScriptWindow()->editor();
        for (const QString& step : steps) {
            if (step == QLatin1String("undo"))
                QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
            else if (step == QLatin1String("redo"))
                child<QAction>(*f->main, "mnuRedo")->trigger();
            else {
                tree->setCurrentItem(node(step));
                f->main->treePanel().insertNode();
            }
            QCoreApplication::processEvents();
        }
        QCOMPARE(editor->Text(), expected);
        QString colours;
        for (QTextBlock line = editor->document()->begin(); line.isValid(); line = line.next())
            colours += !line.begin().atEnd() && line.begin().fragment().charFormat().foreground().color() == RichTextControl::green() ? u'G' : u'.';
        QCOMPARE(colours, green);
    }

    // The tree without a mouse: the arrows move (the status bar follows), Enter inserts
    // a command or opens a group, the Menu key and Shift+F10 open the node's menu.
    void fromTheKeyboard()
    {
        f->main->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->main.get()));
        tree->collapseAll();
        tree->setFocus();
        tree->setCurrentItem(node(QStringLiteral("Communication")));
        QTest::keyClick(tree, Qt::Key_Return);
        QVERIFY(tree->currentItem()->isExpanded());
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(f->main->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
                 QStringLiteral("Send a private message"));
        QTest::keyClick(tree, Qt::Key_Down);
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(f->main->activeScriptWindow()->editor()->Text(), QStringLiteral("/sit\n"));
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(tree, key, modifiers);
            QTRY_VERIFY(child<QMenu>(f->main->treePanel(), "popupMenu")->isVisible());
            child<QMenu>(f->main->treePanel(), "popupMenu")->close();
        }
    }

    // Every node of the shipped tree, double-clicked on an empty script with the dialog
    // answered OK and nothing typed: a line that needs a value may only lack it where the
    // dialog asked for one.
    void shippedTreeWritesCompleteLines()
    {
        const QStringList documented = documentedLines();
        QVERIFY(documented.size() > 100);
        // Started in a folder without scripts, so the scripts group lists its catalogue
        // commands too.
        QVERIFY(QDir(f->dir.filePath(QStringLiteral("scripts"))).removeRecursively());
        const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
        f->main = std::make_unique<MainWindow>(f->prompt, (build.isEmpty() ? QCoreApplication::applicationDirPath() : build)
                                                           + QStringLiteral("/zandrel.db"));
        QVERIFY(f->main->start());
        tree = f->main->treePanel().tree();
        ScriptWindow* window = f->main->activeScriptWindow();
        QStringList faults;
        int walked = 0;
        for (int g = 0; g < tree->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = tree->topLevelItem(g);
            const bool examples = group->text(0) == QLatin1String("Example Scripts");
            for (int c = 0; c < group->childCount(); ++c) {
                // "All" writes the catalogue as a list to read, not lines to run.
                if (group->child(c)->text(0) == QLatin1String("All"))
                    continue;
                window->editor()->setText(QString());
                tree->setCurrentItem(group->child(c));
                DialogAnswer dialog{QString()};
                f->main->treePanel().insertNode();
                QCoreApplication::processEvents();
                ++walked;
                for (const QString& line : window->editor()->Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
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
};

QTEST_MAIN(tst_treeinsertion)
#include "tst_treeinsertion.moc"
