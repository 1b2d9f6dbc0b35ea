// Opening a script in a shown script window (read, decode, load, colour, lay out what
// the window shows, paint it) against a shown QPlainTextEdit loading the same file, and
// the memory each holds with a million-line script open:
//   QT_QPA_PLATFORM=offscreen build/bench_open
// Compare BM_Open/N with BM_OpenPlainTextEdit/N (N = lines; 524288 lines make about
// 10 MB); BM_OpenUntilAllColoured/N also waits for the colouring a long script gets
// after it is shown. BM_OpenOneLongLine opens one line of 20 MB: compare it with the
// million-line script, which is about as large. BM_Memory_* start this program again as a child
// that opens the million-line script and reports its resident and peak memory.
#include "BenchmarkBaseline.h"
#include "ScriptWindowFixture.h"

#include <QProcess>

#include <sys/resource.h>

namespace {

QString g_self;

long processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

void BM_Open(benchmark::State& state)
{
    const QString path = scriptFile(int(state.range(0)));
    ShownScript w;
    for (auto _ : state)
        w.open(path);
    if (w.editor().textLength() + 1 != w.editor().document()->characterCount() || w.prompt().boxes != 0
        || w.window().fileName() != path)
        state.SkipWithError("the script did not open");
    state.counters["bytes"] = double(QFile(path).size());
}

// The same, until the whole script is coloured: a long script's colouring goes on a
// slice at a time after it is shown, while the editor already takes keys.
void BM_OpenUntilAllColoured(benchmark::State& state)
{
    const QString path = scriptFile(int(state.range(0)));
    ShownScript w;
    for (auto _ : state) {
        w.open(path);
        finishIdleWork();
    }
    state.counters["bytes"] = double(QFile(path).size());
}

void BM_OpenPlainTextEdit(benchmark::State& state)
{
    const QString path = scriptFile(int(state.range(0)));
    PlainEditor editor;
    for (auto _ : state)
        editor.load(path);
    state.counters["bytes"] = double(QFile(path).size());
}

// The Open action on one line of 20 MB without a space; afterwards the window holds
// either that line or, when it was refused with a message, what it held before.
void BM_OpenOneLongLine(benchmark::State& state)
{
    const QString path = scriptFile(0);
    ShownScript w;
    for (auto _ : state)
        w.open(path);
    const bool opened = w.window().fileName() == path && w.editor().textLength() == 20 * 1024 * 1024;
    const bool refused = w.window().fileName().isEmpty() && w.prompt().boxes > 0;
    if (!opened && !refused)
        state.SkipWithError("neither opened nor refused with a message");
    state.counters["opened"] = opened ? 1 : 0;
    state.counters["bytes"] = double(QFile(path).size());
}

void runChild(benchmark::State& state, const char* mode)
{
    const QString path = scriptFile(int(state.range(0)));
    QList<QByteArray> figures;
    for (auto _ : state) {
        QProcess child;
        child.start(g_self, {QString::fromLatin1(mode), path});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            state.SkipWithError("child process failed");
            return;
        }
        figures = child.readAllStandardOutput().trimmed().split(' ');
    }
    if (figures.size() >= 2) {
        state.counters["rss_mb"] = figures[0].toDouble() / 1024;
        state.counters["peak_mb"] = figures[1].toDouble() / 1024;
    }
}

void BM_Memory_Zandrel(benchmark::State& state)
{
    runChild(state, "--zandrel");
}

void BM_Memory_PlainTextEdit(benchmark::State& state)
{
    runChild(state, "--plain");
}

// The child: opens the script, waits for it to be shown and for the editor to finish
// what it does while idle; prints resident and peak kB and the processor time, in ms,
// the process had taken when the script was shown.
// `bench_open --zandrel FILE` and `bench_open --plain FILE` run it by hand.
int runMemoryChild(int argc, char** argv, bool zandrel)
{
    // Offscreen unless told otherwise (on a display it shows a real window).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (zandrel) {
        ShownScript w;
        w.open(path);
        const long shown = processCpuMs();
        finishIdleWork();
        if (w.window().fileName() != path)
            return 2;
        printf("%ld %ld %ld\n", processStatusKb("VmRSS:"), processStatusKb("VmHWM:"), shown);
    } else {
        PlainEditor editor;
        if (!editor.load(path))
            return 2;
        const long shown = processCpuMs();
        finishIdleWork();
        printf("%ld %ld %ld\n", processStatusKb("VmRSS:"), processStatusKb("VmHWM:"), shown);
    }
    return 0;
}
}

BENCHMARK(BM_Open)->Arg(10000)->Arg(100000)->Arg(kTenMegabyteLines)->Arg(kMillionLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenUntilAllColoured)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(kTenMegabyteLines)
    ->Arg(kMillionLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPlainTextEdit)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(kTenMegabyteLines)
    ->Arg(kMillionLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOneLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory_Zandrel)->Arg(kMillionLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory_PlainTextEdit)->Arg(kMillionLines)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--zandrel") == 0)
        return runMemoryChild(argc, argv, true);
    if (argc > 2 && qstrcmp(argv[1], "--plain") == 0)
        return runMemoryChild(argc, argv, false);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    return runRegisteredBenchmarks(argc, argv);
}
