#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "tree/ImageList.h"
#include "tree/TreeNode.h"
#include "tree/CommandTreePanel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

#include <fstream>

namespace {

// One line per node: "key text tag image", children indented.
QStringList describe(const QTreeWidget& tree)
{
    QStringList out;
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = tree.topLevelItem(g);
        out << QStringLiteral("%1 %2 [%3] %4").arg(TreeNode::key(group), group->text(0), TreeNode::tag(group))
                   .arg(TreeNode::image(group));
        for (int c = 0; c < group->childCount(); ++c) {
            const QTreeWidgetItem* node = group->child(c);
            out << QStringLiteral("  %1 %2 [%3] %4").arg(TreeNode::key(node), node->text(0), TreeNode::tag(node))
                       .arg(TreeNode::image(node));
        }
    }
    return out;
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& key)
{
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it)
        if (TreeNode::key(*it) == key)
            return *it;
    return nullptr;
}

// Made through the name's bytes: a file name need not be valid UTF-8.
void touch(const QByteArray& path)
{
    std::ofstream file(path.toStdString());
    QVERIFY(file.good());
}

}

class tst_commandtree : public QObject {
    Q_OBJECT
private slots:
    void imageIndexByKey_data();
    void imageIndexByKey();
    void treeWithoutScriptsFolder();
    void scriptsFolderListing_data();
    void scriptsFolderListing();
    void nodeClickShowsTag();
    void collapseAndExpandSwapImages();
    void f1OnGroupIsConsumedWithoutHelp();
    void rightClickOnCommandOpensMenu();
    void rightClickOnGroupDoesNothing();
};

void tst_commandtree::imageIndexByKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("help") << "help" << 8;
    QTest::newRow("Help is another word") << "Help" << 1;
    QTest::newRow("tell") << "tell" << 1;
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("help with a space") << "help " << 1;
}

void tst_commandtree::imageIndexByKey()
{
    QFETCH(QString, key);
    QFETCH(int, index);
    const ImageList images;
    QCOMPARE(images.count(), 26);
    QCOMPARE(images.ImageIndexByKey(key), index);
    for (int i = 1; i <= images.count(); ++i)
        QVERIFY2(!images.pixmap(i).isNull() && images.pixmap(i).size() == QSize(16, 16), qPrintable(QString::number(i)));
}

void tst_commandtree::treeWithoutScriptsFolder()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    const QStringList expected{
        "G1 Communication [] 14",
        "  C101 tell [Send a private message] 1",
        "  C102 help [Open the game's help] 8",
        "  C103 Help [Capitalised twin] 1",
        "G5 Scripts [] 14",
        "  C501 delay [Wait before the next line] 1",
        "  C502 script [Run another script] 1",
        "G7 Pet Commands [pet] 14",
        "  C701 attack [Send the pets in] 1",
        "  C702 rename [Rename the pet] 1",
        "G9 Example Scripts [] 14",
        "  C901 /t Help! %t is on me [Call the team] 1",
    };
    QCOMPARE(describe(*f.main->picBar->tvwTreeView1), expected);
}

void tst_commandtree::scriptsFolderListing_data()
{
    QTest::addColumn<QByteArrayList>("files");
    QTest::addColumn<QStringList>("nodes");
    QTest::newRow("three files in name order")
        << QByteArrayList{"heal", "Buffs.txt", "assist"} << QStringList{"F0 assist", "F1 Buffs.txt", "F2 heal"};
    QTest::newRow("empty folder") << QByteArrayList{} << QStringList{};
    QTest::newRow("hidden file and sub-folder left out")
        << QByteArrayList{".hidden", "sub/", "go"} << QStringList{"F0 go"};
    QTest::newRow("names that would break the script line left out")
        << QByteArrayList{"two\nlines", "cr\r", "bell\a", "tab\there", "go"} << QStringList{"F0 go"};
    // The script's code page writes the name back as the very bytes on disk.
    QTest::newRow("a name that is not UTF-8") << QByteArrayList{"caf\xe9", "buffs"}
                                              << QStringList{"F0 buffs", QStringLiteral("F1 caf\u00e9")};
}

void tst_commandtree::scriptsFolderListing()
{
    QFETCH(QByteArrayList, files);
    QFETCH(QStringList, nodes);
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QTemporaryDir game;
    touch(QFile::encodeName(game.filePath(QStringLiteral("anarchy.exe"))));
    QDir(game.path()).mkdir(QStringLiteral("scripts"));
    for (const QByteArray& name : files) {
        if (name.endsWith('/'))
            QDir(game.filePath(QStringLiteral("scripts"))).mkdir(QString::fromUtf8(name.chopped(1)));
        else
            touch(QFile::encodeName(game.filePath(QStringLiteral("scripts/"))) + name);
    }
    MainWindowFixture::writeSetting(QStringLiteral("AOPath"), game.path() + QLatin1Char('/'));
    QVERIFY(f.start());

    QTreeWidgetItem* scripts = findNode(f.main->picBar->tvwTreeView1, QStringLiteral("G5"));
    QVERIFY(scripts);
    QStringList actual;
    for (int i = 0; i < scripts->childCount(); ++i) {
        actual << TreeNode::key(scripts->child(i)) + QLatin1Char(' ') + scripts->child(i)->text(0);
        QCOMPARE(TreeNode::image(scripts->child(i)), 15);
    }
    QCOMPARE(actual, nodes);
}

void tst_commandtree::nodeClickShowsTag()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    f.main->picBar->tvwTreeView1_NodeClick(findNode(f.main->picBar->tvwTreeView1, QStringLiteral("C101")));
    QCOMPARE(f.main->sbStatusBar1->text(), QStringLiteral("Send a private message"));
    f.main->picBar->tvwTreeView1_NodeClick(findNode(f.main->picBar->tvwTreeView1, QStringLiteral("G7")));
    QCOMPARE(f.main->sbStatusBar1->text(), QStringLiteral("pet"));
    // A group without a prefix clears the panel.
    f.main->picBar->tvwTreeView1_NodeClick(findNode(f.main->picBar->tvwTreeView1, QStringLiteral("G1")));
    QCOMPARE(f.main->sbStatusBar1->text(), QString());
}

void tst_commandtree::collapseAndExpandSwapImages()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    QTreeWidgetItem* group = findNode(f.main->picBar->tvwTreeView1, QStringLiteral("G7"));
    group->setExpanded(true);
    QCOMPARE(TreeNode::image(group), 17);
    QCOMPARE(TreeNode::selectedImage(group), 17);
    group->setExpanded(false);
    QCOMPARE(TreeNode::image(group), 14);
    QCOMPARE(TreeNode::selectedImage(group), 14);
}

void tst_commandtree::f1OnGroupIsConsumedWithoutHelp()
{
    MainWindowFixture f;
    QVERIFY(f.startShown());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    tree->setCurrentItem(findNode(tree, QStringLiteral("G1")));
    tree->setFocus();
    bool bookRequested = false;
    connect(f.main->findChild<QAction*>(QStringLiteral("mnuAllC")), &QAction::triggered, this,
            [&] { bookRequested = true; });
    QTest::keyClick(tree, Qt::Key_F1);
    // The key neither reaches the Help menu's shortcut nor opens any window.
    QVERIFY(!bookRequested);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(f.main->picBar->tvwTreeView1_KeyDown(Qt::Key_F1));
    QVERIFY(!f.main->picBar->tvwTreeView1_KeyDown(Qt::Key_Down));
}

void tst_commandtree::rightClickOnCommandOpensMenu()
{
    MainWindowFixture f;
    QVERIFY(f.startShown());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    tree->expandAll();
    QTreeWidgetItem* tell = findNode(tree, QStringLiteral("C101"));
    const QPoint at = tree->visualItemRect(tell).center();
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(tree->currentItem(), tell);
    QTRY_VERIFY(f.main->picBar->mnuPopup->isVisible());
    QCOMPARE(f.main->picBar->mnuPopup->defaultAction(), f.main->picBar->mnuInsert);
    f.main->picBar->mnuPopup->close();
}

void tst_commandtree::rightClickOnGroupDoesNothing()
{
    MainWindowFixture f;
    QVERIFY(f.startShown());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    QTreeWidgetItem* tell = findNode(tree, QStringLiteral("C101"));
    tree->setCurrentItem(tell);
    QTreeWidgetItem* group = findNode(tree, QStringLiteral("G5"));
    QVERIFY(f.main->picBar->tvwTreeView1_MouseDown(Qt::RightButton, tree->visualItemRect(group).center()));
    QCOMPARE(tree->currentItem(), tell);
    QVERIFY(!f.main->picBar->mnuPopup->isVisible());
    // Empty space below the nodes does nothing either.
    QVERIFY(f.main->picBar->tvwTreeView1_MouseDown(Qt::RightButton, QPoint(5, tree->viewport()->height() - 2)));
    QVERIFY(!f.main->picBar->mnuPopup->isVisible());
}

QTEST_MAIN(tst_commandtree)
#include "tst_commandtree.moc"
