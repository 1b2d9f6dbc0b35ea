#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "tree/CommandTreePanel.h"

#include <QSplitter>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

// A group name the panel is too narrow for shows whole as the node's tooltip; one
// that fits has none. At the first start the panel fits every group name.
class tst_treetooltip : public QObject {
    Q_OBJECT
private slots:
    void cutNamesShowWholeAsToolTip()
    {
        MainWindowFixture f;
        f.catalogue->addGroup(3, QStringLiteral("Character and Interface Settings"));
        QVERIFY(f.startShown());
        QTreeWidget* tree = f.main->picBar->tvwTreeView1;
        const auto tipOver = [tree](const QString& name) {
            const QRect node = tree->visualItemRect(tree->findItems(name, Qt::MatchExactly).value(0));
            QHelpEvent help(QEvent::ToolTip, node.center(), tree->viewport()->mapToGlobal(node.center()));
            QCoreApplication::sendEvent(tree->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipOver(QStringLiteral("Character and Interface Settings")), QString());

        f.main->treeSplitter->setSizes({1, f.main->picBar->width() - 40});  // the player narrows the tree
        QCOMPARE(tipOver(QStringLiteral("Scripts")), QString());
        QCOMPARE(tipOver(QStringLiteral("Character and Interface Settings")),
                 QStringLiteral("Character and Interface Settings"));
    }
};

QTEST_MAIN(tst_treetooltip)
#include "tst_treetooltip.moc"
