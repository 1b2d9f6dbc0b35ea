#include "support/Child.h"
#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/MainWindow.h"
#include "dialogs/HelpWindow.h"
#include "tree/CommandTreePanel.h"
#include "tree/TreeNode.h"

#include <QDir>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

#include <cstdio>
#include <fstream>

namespace {

// The node's kind and id as one word: "G" + group id, "C" + command id, "F" + place.
QString keyOf(const QTreeWidgetItem* node)
{
    const TreeNode::Kind kind = TreeNode::kind(node);
    const char* letter = kind == TreeNode::Kind::Group ? "G" : kind == TreeNode::Kind::ScriptFile ? "F" : "C";
    return QLatin1String(letter) + QString::number(TreeNode::id(node));
}

// One line per node: "key text [tag] image", children indented.
QStringList describe(QTreeWidget* tree)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        out << QStringLiteral("%1%2 %3 [%4] %5")
                   .arg((*it)->parent() ? "  " : "", keyOf(*it), (*it)->text(0), TreeNode::tag(*it))
                   .arg(TreeNode::image(*it));
    return out;
}

QTreeWidgetItem* node(QTreeWidget* tree, const QString& text)
{
    return tree->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive).value(0);
}

}

class tst_commandtree : public QObject {
    Q_OBJECT
private slots:
    void scriptsFolderListing_data()
    {
        QTest::addColumn<QByteArrayList>("files");  // none: no scripts folder
        QTest::addColumn<QStringList>("nodes");
        QTest::newRow("no scripts folder: the group's own commands") << QByteArrayList{}
                                                                     << QStringList{"C501 delay 1", "C502 script 1"};
        QTest::newRow("files in name order, hidden file and sub-folder left out")
            << QByteArrayList{"heal", ".hidden", "Buffs.txt", "assist"} << QStringList{"F0 assist 15", "F1 Buffs.txt 15", "F2 heal 15"};
        QTest::newRow("names that would break the script line left out")
            << QByteArrayList{"two\nlines", "cr\r", "bell\a", "tab\there", "go"} << QStringList{"F0 go 15"};
        // The script's code page writes the name back as the very bytes on disk.
        QTest::newRow("a name that is not UTF-8") << QByteArrayList{"caf\xe9", "buffs"}
                                                  << QStringList{"F0 buffs 15", QStringLiteral("F1 caf\u00e9 15")};
    }
    void scriptsFolderListing()
    {
        QFETCH(QByteArrayList, files);
        QFETCH(QStringList, nodes);
        MainWindowFixture f;
        f.fillStandardCatalogue();
        QVERIFY(QDir(f.dir.path()).mkpath(files.isEmpty() ? QStringLiteral("game") : QStringLiteral("game/scripts/sub")));
        const QByteArray game = QFile::encodeName(f.dir.filePath(QStringLiteral("game/")));
        // Made through the name's bytes: a file name need not be valid UTF-8.
        QVERIFY(std::ofstream(QByteArray(game + "anarchy.exe").toStdString()).good());
        for (const QByteArray& name : files)
            QVERIFY(std::ofstream(QByteArray(game + "scripts/" + name).toStdString()).good());
        MainWindowFixture::writeSetting(QStringLiteral("AOPath"), QFile::decodeName(game));
        QVERIFY(f.start());
        for (const QByteArray& name : files)  // the temporary folder cannot remove every odd name itself
            std::remove(QByteArray(game + "scripts/" + name).constData());
        QTreeWidgetItem* scripts = node(f.main->treePanel().tree(), QStringLiteral("Scripts"));
        QStringList actual;
        for (int i = 0; i < scripts->childCount(); ++i)
            actual << QStringLiteral("%1 %2 %3").arg(keyOf(scripts->child(i)), scripts->child(i)->text(0))
                          .arg(TreeNode::image(scripts->child(i)));
        QCOMPARE(actual, nodes);
    }

    // My Scripts follows the scripts folder as another program changes it.
    void followsScriptsFolder_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("a script saved") << "add" << QStringList{"buffs", "heal"};
        QTest::newRow("a script renamed") << "rename" << QStringList{"Heals.txt"};
        QTest::newRow("the scripts folder made") << "folder" << QStringList{"heal"};
    }
    void followsScriptsFolder()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, names);
        MainWindowFixture f;
        f.fillStandardCatalogue();
        const QDir game(f.dir.filePath(QStringLiteral("game")));
        QVERIFY(game.mkpath(change == "folder" ? "." : "scripts"));
        writeFile(game.filePath(QStringLiteral("anarchy.exe")), {});
        if (change != "folder")
            writeFile(game.filePath(QStringLiteral("scripts/heal")), "/afk\r\n");
        MainWindowFixture::writeSetting(QStringLiteral("AOPath"), game.path() + u'/');
        QVERIFY(f.start());
        if (change == "add")
            writeFile(game.filePath(QStringLiteral("scripts/buffs")), "/afk\r\n");
        else if (change == "rename")
            QVERIFY(QFile::rename(game.filePath(QStringLiteral("scripts/heal")), game.filePath(QStringLiteral("scripts/Heals.txt"))));
        else if (game.mkdir(QStringLiteral("scripts")))
            writeFile(game.filePath(QStringLiteral("scripts/heal")), "/afk\r\n");
        const auto listed = [&f] {
            QStringList shown;
            const QTreeWidgetItem* scripts = node(f.main->treePanel().tree(), QStringLiteral("Scripts"));
            for (int i = 0; scripts && i < scripts->childCount(); ++i)
                shown << scripts->child(i)->text(0);
            return shown;
        };
        QTRY_COMPARE(listed(), names);
    }

    // The tree as built, with only the game's own "help" in the help image. F1 on a
    // command opens its help, modal over the main window, and not the book. The tree's menu
    // opens with Insert first on a command, not on a group or empty space.
    void treeMouseAndKeys()
    {
        MainWindowFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("scripts")));
        QVERIFY(std::ofstream(QFile::encodeName(f.dir.filePath(QStringLiteral("scripts/buffs"))).toStdString()).good());
        QVERIFY(f.startShown());
        CommandTreePanel& panel = f.main->treePanel();
        QTreeWidget* tree = panel.tree();
        QCOMPARE(describe(tree), (QStringList{
            "G1 Communication [] 14", "  C101 tell [Send a private message] 1", "  C102 help [Open the game's help] 8",
            "  C103 Help [Capitalised twin] 1", "G5 Scripts [] 14", "  F0 buffs [] 15", "G7 Pet Commands [pet] 14", "  C701 attack [Send the pets in] 1",
            "  C702 rename [Rename the pet] 1", "G9 Example Scripts [] 14", "  C901 /t Help! %t is on me [Call the team] 1"}));

        tree->expandAll();
        tree->setFocus();
        bool bookRequested = false;
        connect(f.main->findChild<QAction*>(QStringLiteral("mnuAllC")), &QAction::triggered, this,
                [&] { bookRequested = true; });
        QStringList helpShown;  // the caption of each help window, over the main window
        const auto seeHelp = [&] {
            QTimer::singleShot(0, [&] {
                if (auto* help = qobject_cast<HelpWindow*>(QApplication::activeModalWidget())) {
                    helpShown << help->windowTitle() + (help->parentWidget() == f.main.get() ? "" : " elsewhere");
                    help->close();
                }
            });
        };
        tree->setCurrentItem(node(tree, QStringLiteral("tell")));
        seeHelp();
        QTest::keyClick(tree, Qt::Key_F1);
        QCOMPARE(helpShown, QStringList{QStringLiteral("Help - tell")});
        QVERIFY(!bookRequested);

        QTreeWidgetItem* tell = node(tree, QStringLiteral("tell"));
        tree->setCurrentItem(nullptr);
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(tell).center());
        QCOMPARE(tree->currentItem(), tell);
        QTRY_VERIFY(child<QMenu>(panel, "popupMenu")->isVisible());
        QCOMPARE(child<QMenu>(panel, "popupMenu")->defaultAction(), child<QAction>(panel, "mnuInsert"));
        child<QMenu>(panel, "popupMenu")->close();
        const QRect group = tree->visualItemRect(node(tree, QStringLiteral("Scripts")));
        QVERIFY(panel.handleMousePress(Qt::RightButton, group.center()));
        QVERIFY(panel.handleMousePress(Qt::RightButton, QPoint(5, tree->viewport()->height() - 2)));
        QCOMPARE(tree->currentItem(), tell);
        QVERIFY(!child<QMenu>(panel, "popupMenu")->isVisible());
    }
};

QTEST_MAIN(tst_commandtree)
#include "tst_commandtree.moc"
