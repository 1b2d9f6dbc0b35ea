#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "tree/ImageList.h"
#include "tree/TreeNode.h"
#include "dialogs/frmHelp.h"
#include "tree/CommandTreePanel.h"

#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kPetPage = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 Calls your pet \\b at once\\b0 .\\par\r\n"
    "\\fs40 Big words\\fs16  and small ones.\\par\r\n}\r\n");

// A catalogue of odd pages, and a scripts folder holding "buffs".
bool start(MainWindowFixture& f)
{
    TestCatalogue& c = *f.catalogue;
    c.addGroup(1, QStringLiteral("Communication"));
    c.addGroup(5, QStringLiteral("Scripts"));
    c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    c.addCommand(701, 7, QStringLiteral("pet"), QStringLiteral("Call the pet"), 0, {}, kPetPage);
    c.addCommand(702, 7, QStringLiteral("rename"), QStringLiteral("Rename the pet"), 1, {}, QString());
    c.addCommand(703, 7, QStringLiteral("wait"), QStringLiteral("Keep still"), 0);
    c.exec(QStringLiteral("UPDATE tblCommand SET CommandBook = NULL WHERE CommandID = 703"));
    c.addCommand(101, 1, QStringLiteral("say"), QStringLiteral("Speak"), 1, {},
                 QStringLiteral("Just a fragment, {\\i no} document around it.\\par Second line."));
    c.addCommand(102, 1, QStringLiteral("shout"), QStringLiteral("Speak up"), 1, {},
                 QStringLiteral("{\\rtf1 Broken page {\\b never closed"));
    QDir(f.dir.path()).mkdir(QStringLiteral("scripts"));
    QFile script(f.dir.filePath(QStringLiteral("scripts/buffs")));
    return script.open(QIODevice::WriteOnly) && f.start();
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (TreeNode::key(*it) == key)
            return *it;
    return nullptr;
}

// The caption and text of the help window the next modal loop shows, which is closed.
struct SeenHelp {
    QString caption = QStringLiteral("not shown");
    QString text;
    QWidget* parent = nullptr;
    SeenHelp()
    {
        QTimer::singleShot(0, [this] {
            if (auto* help = qobject_cast<frmHelp*>(QApplication::activeModalWidget())) {
                caption = help->windowTitle();
                text = help->rtfHelp->toPlainText();
                parent = help->parentWidget();
                help->close();
            }
        });
    }
};

}

class tst_helpwindow : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void opensFromKeyAndMenu();
};

void tst_helpwindow::load_data()
{
    QTest::addColumn<QString>("key"); // "" for no selected node
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    QTest::newRow("command with a page")
        << "C701" << "Help - pet" << "Calls your pet at once.\nBig words and small ones.\n";
    QTest::newRow("command with an empty page") << "C702" << "Help - rename" << "";
    QTest::newRow("command without a page") << "C703" << "Help - wait" << "";
    QTest::newRow("page stored as a fragment")
        << "C101" << "Help - say" << "Just a fragment, no document around it.\nSecond line.";
    QTest::newRow("page that does not parse shows what reads")
        << "C102" << "Help - shout" << "Broken page never closed";
    QTest::newRow("command the catalogue lacks") << "C999" << "Help" << "";
    QTest::newRow("group node") << "G7" << "Help" << "";
    QTest::newRow("no node selected") << "" << "Help" << "";
}

void tst_helpwindow::load()
{
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QString, text);

    MainWindowFixture f;
    QVERIFY(start(f));
    std::unique_ptr<QTreeWidgetItem> node(key.isEmpty() ? nullptr : new QTreeWidgetItem);
    if (node)
        TreeNode::setKey(node.get(), key);

    frmHelp help(f.main->state(), key, f.main.get());
    QCOMPARE(help.windowTitle(), caption);
    QCOMPARE(help.rtfHelp->toPlainText(), text);
    QCOMPARE(help.rtfHelp->textCursor().position(), 0);
    QVERIFY(!help.rtfHelp->textCursor().hasSelection());
    QVERIFY(help.isModal());
    QCOMPARE(f.prompt.boxes.size(), 0);
    // Whatever sizes the page asks for, the window shows it in 10 point.
    for (QTextBlock block = help.rtfHelp->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QCOMPARE(it.fragment().charFormat().fontPointSize(), 10.0);
}

// F1 on a command node opens its help, modal over the main window, and not the book;
// Help on the tree's menu opens it for a script file too, without a page.
void tst_helpwindow::opensFromKeyAndMenu()
{
    MainWindowFixture f;
    QVERIFY(start(f));
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    tree->expandAll();
    tree->setCurrentItem(findNode(tree, QStringLiteral("C701")));
    tree->setFocus();
    bool bookRequested = false;
    connect(f.main->findChild<QAction*>(QStringLiteral("mnuAllC")), &QAction::triggered, this,
            [&] { bookRequested = true; });

    SeenHelp pet;
    QTest::keyClick(tree, Qt::Key_F1);
    QCOMPARE(pet.caption, QStringLiteral("Help - pet"));
    QCOMPARE(pet.text, QStringLiteral("Calls your pet at once.\nBig words and small ones.\n"));
    QCOMPARE(pet.parent, f.main.get());
    QVERIFY(!bookRequested);

    tree->setCurrentItem(findNode(tree, QStringLiteral("F0")));
    SeenHelp file;
    f.main->picBar->mnuHelp->trigger();
    QCOMPARE(file.caption, QStringLiteral("Help"));
    QCOMPARE(file.text, QString());
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(tst_helpwindow)
#include "tst_helpwindow.moc"
