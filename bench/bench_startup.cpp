// Cold start of the whole process, to the main window shown with the command tree
// filled and the first script window open, against a bare Qt window with a
// child-window area and a tree of the same size, started the same way.
//
// Each iteration starts this executable again as a child process in one of the two
// modes below, so dynamic loading, Qt's start-up and the catalogue's first read
// all count. Peak memory is the child's own high-water mark (VmHWM).
//
//   QT_QPA_PLATFORM=offscreen ./build/bench_startup
#include "BenchmarkBaseline.h"
#include "app/MainWindow.h"
#include "platform/QtPrompt.h"
#include "tree/CommandTreePanel.h"

#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <benchmark/benchmark.h>

namespace {

QString g_self;

int runZandrel(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtPrompt prompt;
    MainWindow window(prompt, MainWindow::defaultCatalogueFile());
    if (!window.start())
        return 2;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 3;
    printf("%ld %d\n", processStatusKb("VmHWM:"), window.treePanel().tree()->topLevelItemCount());
    return 0;
}

int runBaseline(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* mdi = new QMdiArea(&window);
    window.setCentralWidget(mdi);
    auto* dock = new QDockWidget(&window);
    auto* tree = new QTreeWidget(dock);
    dock->setWidget(tree);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    for (int g = 0; g < 10; ++g) {
        auto* group = new QTreeWidgetItem(tree, QStringList{QStringLiteral("Group %1").arg(g)});
        for (int c = 0; c < 25; ++c)
            new QTreeWidgetItem(group, QStringList{QStringLiteral("command%1").arg(c)});
    }
    auto* child = mdi->addSubWindow(new QTextEdit);
    child->show();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 3;
    printf("%ld %d\n", processStatusKb("VmHWM:"), tree->topLevelItemCount());
    return 0;
}

void runChild(benchmark::State& state, const char* mode)
{
    long peak = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(g_self, {QString::fromLatin1(mode)});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            state.SkipWithError("child process failed");
            return;
        }
        peak = std::max(peak, child.readAllStandardOutput().trimmed().split(' ').first().toLong());
    }
    state.counters["peak_kb"] = static_cast<double>(peak);
}

void BM_ColdStart_BareQtWindow(benchmark::State& state)
{
    runChild(state, "--baseline");
}

void BM_ColdStart_Zandrel(benchmark::State& state)
{
    runChild(state, "--zandrel");
}

}

BENCHMARK(BM_ColdStart_BareQtWindow)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_ColdStart_Zandrel)->Unit(benchmark::kMillisecond)->Iterations(15);

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--zandrel") == 0)
        return runZandrel(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--baseline") == 0)
        return runBaseline(argc, argv);
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    return runRegisteredBenchmarks(argc, argv);
}
