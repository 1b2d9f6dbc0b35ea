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

void fillCatalogue(TestCatalogue& c)
{
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
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (TreeNode::key(*it) == key)
            return *it;
    return nullptr;
}

// Point sizes of every run of text, as "size:text".
QStringList sizes(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            out << QString::number(it.fragment().charFormat().fontPointSize()) + QLatin1Char(':') + it.fragment().text();
    return out;
}

}

class tst_helpwindow : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void pageIsShownInTenPoint();
    void f1OnCommandOpensModalHelp();
    void contextMenuHelpOnScriptFile();
};

void tst_helpwindow::load_data()
{
    QTest::addColumn<QString>("key");  // "" for no selected node
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    const QString petPage = QStringLiteral("Calls your pet at once.\nBig words and small ones.\n");
    QTest::newRow("command with a page") << "C701" << "Help - pet" << petPage;
    QTest::newRow("command with an empty page") << "C702" << "Help - rename" << "";
    QTest::newRow("command without a page") << "C703" << "Help - wait" << "";
    QTest::newRow("page stored as a fragment")
        << "C101" << "Help - say" << "Just a fragment, no document around it.\nSecond line.";
    QTest::newRow("page that does not parse shows what reads")
        << "C102" << "Help - shout" << "Broken page never closed";
    QTest::newRow("command the catalogue lacks") << "C999" << "Help" << "";
    QTest::newRow("group node") << "G7" << "Help" << "";
    QTest::newRow("script file node") << "F0" << "Help" << "";
    QTest::newRow("no node selected") << "" << "Help" << "";
    QTest::newRow("lower-case key is no command") << "c701" << "Help" << "";
    QTest::newRow("SQL in the key") << "C1 OR 1=1" << "Help" << "";
    QTest::newRow("quote in the key") << "C701'--" << "Help" << "";
    QTest::newRow("nothing after the C") << "C" << "Help" << "";
    QTest::newRow("leading zero is still the number") << "C0701" << "Help - pet" << petPage;
}

void tst_helpwindow::load()
{
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QString, text);

    MainWindowFixture f;
    fillCatalogue(*f.catalogue);
    QVERIFY(f.start());

    frmHelp help(f.main->state(), key, f.main.get());
    QCOMPARE(help.windowTitle(), caption);
    QCOMPARE(help.rtfHelp->toPlainText(), text);
    QCOMPARE(help.rtfHelp->textCursor().position(), 0);
    QVERIFY(!help.rtfHelp->textCursor().hasSelection());
    QVERIFY(help.isModal());
    QCOMPARE(help.parentWidget(), f.main.get());
    QCOMPARE(f.prompt.boxes.size(), 0);
}

// Whatever sizes the page asks for, the window shows it in 10 point, and keeps its
// bold runs.
void tst_helpwindow::pageIsShownInTenPoint()
{
    MainWindowFixture f;
    fillCatalogue(*f.catalogue);
    QVERIFY(f.start());
    frmHelp help(f.main->state(), QStringLiteral("C701"));
    const QStringList runs = sizes(*help.rtfHelp->document());
    // 20 and 8 point became one size: the two runs are one now.
    QCOMPARE(runs, (QStringList{"10:Calls your pet ", "10:at once", "10:.", "10:Big words and small ones."}));
    QTextCursor bold(help.rtfHelp->document());
    bold.setPosition(QStringLiteral("Calls your pet a").size());
    QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
    // Showing again on a different node builds the window afresh.
    frmHelp again(f.main->state(), QStringLiteral("G1"));
    QCOMPARE(again.windowTitle(), QStringLiteral("Help"));
    QCOMPARE(again.rtfHelp->toPlainText(), QString());
}

void tst_helpwindow::f1OnCommandOpensModalHelp()
{
    MainWindowFixture f;
    fillCatalogue(*f.catalogue);
    QVERIFY(f.start());
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    tree->expandAll();
    tree->setCurrentItem(findNode(tree, QStringLiteral("C701")));
    tree->setFocus();

    QString seenCaption;
    QString seenText;
    bool seenModal = false;
    QTimer::singleShot(0, this, [&] {
        auto* help = qobject_cast<frmHelp*>(QApplication::activeModalWidget());
        if (!help)
            return;
        seenCaption = help->windowTitle();
        seenText = help->rtfHelp->toPlainText();
        seenModal = help->isModal() && help->parentWidget() == f.main.get();
        help->close();
    });
    bool bookRequested = false;
    connect(f.main->findChild<QAction*>(QStringLiteral("mnuAllC")), &QAction::triggered, this,
            [&] { bookRequested = true; });
    QTest::keyClick(tree, Qt::Key_F1);

    QCOMPARE(seenCaption, QStringLiteral("Help - pet"));
    QCOMPARE(seenText, QStringLiteral("Calls your pet at once.\nBig words and small ones.\n"));
    QVERIFY(seenModal);
    // F1 on the tree is the command's help, not the book.
    QVERIFY(!bookRequested);
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_helpwindow::contextMenuHelpOnScriptFile()
{
    MainWindowFixture f;
    fillCatalogue(*f.catalogue);
    QDir(f.dir.path()).mkdir(QStringLiteral("scripts"));
    QFile script(f.dir.filePath(QStringLiteral("scripts/buffs")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.close();
    QVERIFY(f.start());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    QTreeWidgetItem* file = findNode(tree, QStringLiteral("F0"));
    QVERIFY(file);
    tree->setCurrentItem(file);

    QString seenCaption = QStringLiteral("not shown");
    QString seenText;
    QTimer::singleShot(0, this, [&] {
        auto* help = qobject_cast<frmHelp*>(QApplication::activeModalWidget());
        if (!help)
            return;
        seenCaption = help->windowTitle();
        seenText = help->rtfHelp->toPlainText();
        help->close();
    });
    f.main->picBar->mnuHelp->trigger();
    QCOMPARE(seenCaption, QStringLiteral("Help"));
    QCOMPARE(seenText, QString());
}

QTEST_MAIN(tst_helpwindow)
#include "tst_helpwindow.moc"
