#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "tree/CommandTreePanel.h"

#include <QSplitter>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

class tst_treetooltip : public QObject {
    Q_OBJECT
private slots:
    void cutNamesShowWholeAsToolTip()
    {
        MainWindowFixture f;
        const QString longName = QStringLiteral("Character and Interface Settings");
        f.catalogue->addGroup(3, longName);
        QVERIFY(f.startShown());
        QTreeWidget* tree = f.main->treePanel().tree();
        const auto tipOver = [tree](const QString& name) {
            const QPoint at = tree->visualItemRect(tree->findItems(name, Qt::MatchExactly).value(0)).center();
            QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(tree->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipOver(longName), QString());  // the first start fits every group name
        child<QSplitter>(*f.main, "treeSplitter")->setSizes({1, f.main->treePanel().width() - 40});  // the player narrows the tree
        QCOMPARE(tipOver(QStringLiteral("Scripts")), QString());  // a name that fits has none
        QCOMPARE(tipOver(longName), longName);
    }
};

QTEST_MAIN(tst_treetooltip)
#include "tst_treetooltip.moc"
