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
QStringList describe(QTreeWidget* tree)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QTreeWidgetItem* node = *it;
        out << QStringLiteral("%1%2 %3 [%4] %5")
                   .arg(node->parent() ? "  " : "", TreeNode::key(node), node->text(0), TreeNode::tag(node))
                   .arg(TreeNode::image(node));
    }
    return out;
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
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
    void treeWithoutScriptsFolder();
    void scriptsFolderListing_data();
    void scriptsFolderListing();
    void mouseAndKeys();
};

void tst_commandtree::treeWithoutScriptsFolder()
{
    MainWindowFixture f;
    f.fillStandardCatalogue();
    QVERIFY(f.start());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    // Only the game's own "help" has the help image.
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
    QCOMPARE(describe(tree), expected);
    const ImageList images;
    for (int i = 1; i <= images.count(); ++i)
        QVERIFY2(!images.pixmap(i).isNull(), qPrintable(QString::number(i)));

    QTreeWidgetItem* group = findNode(tree, QStringLiteral("G7"));
    group->setExpanded(true);
    QCOMPARE(TreeNode::image(group), 17);
    QCOMPARE(TreeNode::selectedImage(group), 17);
    group->setExpanded(false);
    QCOMPARE(TreeNode::selectedImage(group), 14);

    // A click shows the node's tag; a group without a prefix clears the panel.
    f.main->picBar->tvwTreeView1_NodeClick(findNode(tree, QStringLiteral("C101")));
    QCOMPARE(f.main->sbStatusBar1->text(), QStringLiteral("Send a private message"));
    f.main->picBar->tvwTreeView1_NodeClick(group);
    QCOMPARE(f.main->sbStatusBar1->text(), QStringLiteral("pet"));
    f.main->picBar->tvwTreeView1_NodeClick(findNode(tree, QStringLiteral("G1")));
    QCOMPARE(f.main->sbStatusBar1->text(), QString());
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

void tst_commandtree::mouseAndKeys()
{
    MainWindowFixture f;
    QVERIFY(f.startShown());
    QTreeWidget* tree = f.main->picBar->tvwTreeView1;
    tree->expandAll();
    QTreeWidgetItem* tell = findNode(tree, QStringLiteral("C101"));

    // F1 on a group neither reaches the Help menu's shortcut nor opens any window.
    tree->setCurrentItem(findNode(tree, QStringLiteral("G1")));
    tree->setFocus();
    bool bookRequested = false;
    connect(f.main->findChild<QAction*>(QStringLiteral("mnuAllC")), &QAction::triggered, this,
            [&] { bookRequested = true; });
    QTest::keyClick(tree, Qt::Key_F1);
    QVERIFY(!bookRequested);
    QVERIFY(!QApplication::activeModalWidget());

    // A right click on a command selects it and opens the menu with Insert first.
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(tell).center());
    QCOMPARE(tree->currentItem(), tell);
    QTRY_VERIFY(f.main->picBar->mnuPopup->isVisible());
    QCOMPARE(f.main->picBar->mnuPopup->defaultAction(), f.main->picBar->mnuInsert);
    f.main->picBar->mnuPopup->close();

    // On a group, or on empty space below the nodes, it does nothing.
    const QRect group = tree->visualItemRect(findNode(tree, QStringLiteral("G5")));
    QVERIFY(f.main->picBar->tvwTreeView1_MouseDown(Qt::RightButton, group.center()));
    QVERIFY(f.main->picBar->tvwTreeView1_MouseDown(Qt::RightButton, QPoint(5, tree->viewport()->height() - 2)));
    QCOMPARE(tree->currentItem(), tell);
    QVERIFY(!f.main->picBar->mnuPopup->isVisible());
}

QTEST_MAIN(tst_commandtree)
#include "tst_commandtree.moc"
