#include "app/CommandLine.h"
#include "app/RecentScripts.h"
#include "tree/TreeFilter.h"

#include <QDir>
#include <QtTest>

using Request = CommandLine::Request;
using L = QStringList;

// Scripts and commands reached quickly: the command line, the recent list, the tree's filter.
class tst_quickaccess : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data()
    {
        QTest::addColumn<L>("arguments");
        QTest::addColumn<Request>("request");
        QTest::addColumn<L>("files");
        QTest::addColumn<QString>("outputHolds");
        const QString here = QDir::currentPath();
        QTest::newRow("files in order, made absolute") << L{"pull.txt", "/ao/heal", "sub/../buff"} << Request::Edit
                                                       << L{here + "/pull.txt", "/ao/heal", here + "/buff"} << "";
        QTest::newRow("file address") << L{"file:///ao/my%20pull"} << Request::Edit << L{"/ao/my pull"} << "";
        QTest::newRow("file: without // is a name") << L{"file:x.txt"} << Request::Edit << L{here + "/file:x.txt"} << "";
        QTest::newRow("after --, a file named like an option") << L{"--", "-h"} << Request::Edit << L{here + "/-h"} << "";
        QTest::newRow("-h beside a file and a bad option") << L{"a", "-h", "--bad"} << Request::Help << L{} << "--version";
        QTest::newRow("--version") << L{"--version"} << Request::Version << L{} << QStringLiteral("Zandrel %1.")
                                                                                       .arg(ZANDREL_VERSION_MAJOR);
        QTest::newRow("unknown option") << L{"--bad", "a"} << Request::Error << L{} << "'bad'.\nTry 'zandrel --help'";
        QTest::newRow("toolkit word option is no -v") << L{"-reverse"} << Request::Error << L{} << "'reverse'";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Request, request);
        QFETCH(QStringList, files);
        QFETCH(QString, outputHolds);
        const CommandLine line = CommandLine::parse(QStringList{"/usr/bin/zandrel"} + arguments);
        QCOMPARE(line.request, request);
        QCOMPARE(line.files, files);
        QVERIFY2(line.output.contains(outputHolds), qPrintable(line.output));
    }

    void recentList_data()
    {
        QTest::addColumn<L>("stored");
        QTest::addColumn<L>("added");
        QTest::addColumn<L>("expected");
        L nine;
        for (int i = 1; i <= 9; ++i)
            nine << QStringLiteral("/s/%1").arg(i);
        QTest::newRow("newest first") << L{} << L{"/s/a", "/s/b", "/s/c"} << L{"/s/c", "/s/b", "/s/a"};
        QTest::newRow("again: to the front, once") << L{} << L{"/s/a", "/s/b", "/s/a"} << L{"/s/a", "/s/b"};
        QTest::newRow("one file, two spellings") << L{} << L{"/s/a", "/s/x/../a"} << L{"/s/a"};
        QTest::newRow("ninth pushes the oldest out") << L{} << nine << L(nine.crbegin(), nine.crend() - 1);
        QTest::newRow("stored doubles and blanks") << L{"/s/b", "", "/s/a", "/s/b"} << L{} << L{"/s/b", "/s/a"};
    }
    // Each list also comes back whole from the settings, as the next run reads it.
    void recentList()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        RecentScripts recent(stored);
        for (const QString& path : added)
            recent.add(path);
        QCOMPARE(recent.paths(), expected);
        recent.save();
        QCOMPARE(RecentScripts::load().paths(), expected);
    }

    void treeFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("view");  // groups in view, "+" open or "-" closed, with their rows in view
        QTest::newRow("empty: the tree as built") << "" << "0- tell help Help | 1+ pull.txt heal | 2- attack rename | 3-";
        QTest::newRow("word or description, two groups opened") << "the" << "0+ help | 2+ attack rename";
        QTest::newRow("script files of the scripts group") << "PULL" << "1+ pull.txt";
        QTest::newRow("blanks around the text ignored") << " ren " << "2+ rename";
        QTest::newRow("nothing matches") << "zzz" << "";
    }
    void treeFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, view);
        // A catalogue group, the scripts group with two files (open), a pet group, an empty group.
        const QList<TreeFilter::Group> groups{
            {{{"tell", "Send a private message"}, {"help", "Open the game's help"}, {"Help", "Capitalised twin"}}, false},
            {{{"pull.txt", ""}, {"heal", ""}}, true},
            {{{"attack", "Send the pets in"}, {"rename", "Rename the pet"}}, false},
            {{}, false}};
        QStringList seen;
        const QList<TreeFilter::GroupView> views = TreeFilter::apply(groups, filter);
        for (qsizetype g = 0; g < views.size(); ++g) {
            QString line = QString::number(g) + (views[g].open ? u'+' : u'-');
            for (qsizetype r = 0; r < views[g].rowShown.size(); ++r)
                line += views[g].rowShown[r] ? u' ' + groups[g].rows[r].text : QString();
            if (views[g].shown)
                seen << line;
        }
        QCOMPARE(seen.join(QStringLiteral(" | ")), view);
    }
};

QTEST_GUILESS_MAIN(tst_quickaccess)
#include "tst_quickaccess.moc"
