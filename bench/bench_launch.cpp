// Launching an editor on a script, as a player does from a file manager: from starting
// the process until it has the script open and goes idle. Three editors on the same
// files, in the same run: the program, FeatherPad (when installed; a Qt text editor
// players might use instead) and a minimal Qt program that loads the file into a shown
// QPlainTextEdit (this executable again, as a child).
//
// Every editor is timed the same way, from outside: the run ends when its threads have
// used no more CPU for a while, and the time is that of the last work done. For the
// program that is after the whole script is coloured, later than its first screen shows;
// so the program also runs as a child that starts the way its main() does and reports
// when the script's first screen is laid out, coloured and painted (first_screen_ms).
// The resident memory of the idle editor is reported too (rss_kb).
//
//   QT_QPA_PLATFORM=offscreen ./build/bench_launch --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "BenchmarkBaseline.h"
#include "ScriptWindowFixture.h"
#include "app/MainWindow.h"
#include "platform/QtPrompt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

// How long an editor must stay without work to count as done; shorter than a caret
// blink, whose repaint is the only work an idle editor does.
constexpr qint64 kQuietMs = 300;
// CPU time below this between two checks is not work (a timer, a blink).
constexpr qint64 kWorkNs = 2'000'000;

enum class Editor { Zandrel, ZandrelFirstScreen, FeatherPad, PlainTextEdit };

QString g_self;

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The CPU time of a process's threads, those already ended included.
class ProcessCpu {
public:
    explicit ProcessCpu(qint64 pid) : m_tasks(QStringLiteral("/proc/%1/task").arg(pid)) {}
    qint64 nanoseconds()
    {
        for (const QString& task : m_tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile stat(m_tasks.filePath(task + QStringLiteral("/schedstat")));
            if (stat.open(QIODevice::ReadOnly))
                m_byTask[task] = stat.readAll().split(' ').first().toLongLong();
        }
        qint64 sum = 0;
        for (qint64 ns : std::as_const(m_byTask))
            sum += ns;
        return sum;
    }

private:
    QDir m_tasks;
    QHash<QString, qint64> m_byTask;
};

struct Launch {
    QString program;
    QStringList arguments;
};

Launch launchOf(Editor editor, const QString& script)
{
    switch (editor) {
    case Editor::Zandrel:
        return {QCoreApplication::applicationDirPath() + QStringLiteral("/zandrel"), {script}};
    case Editor::ZandrelFirstScreen:
        return {g_self, {QStringLiteral("--zandrel"), script}};
    case Editor::FeatherPad:
        return {QStandardPaths::findExecutable(QStringLiteral("featherpad")), {script}};
    case Editor::PlainTextEdit:
        return {g_self, {QStringLiteral("--plain-editor"), script}};
    }
    return {};
}

void BM_Launch(benchmark::State& state, Editor editor)
{
    const QString script = scriptFile(int(state.range(0)));
    const Launch launch = launchOf(editor, script);
    if (launch.program.isEmpty()) {
        state.SkipWithError("not installed");
        return;
    }
    // Settings of their own, so that no earlier session's windows or questions differ.
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    long rss = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        const qint64 started = monotonicNs();
        child.start(launch.program, launch.arguments);
        if (!child.waitForStarted()) {
            state.SkipWithError("the editor did not start");
            return;
        }
        ProcessCpu cpu(child.processId());
        qint64 worked = 0;
        qint64 lastWorkMs = 0;
        while (clock.elapsed() - lastWorkMs < kQuietMs && child.state() == QProcess::Running) {
            QThread::msleep(2);
            if (const qint64 now = cpu.nanoseconds(); now - worked > kWorkNs) {
                worked = now;
                lastWorkMs = clock.elapsed();
            }
        }
        rss = processStatusKb("VmRSS:", QString::number(child.processId()));
        const bool ran = child.state() == QProcess::Running;
        child.kill();
        child.waitForFinished();
        // An editor that quit, or holds less than the script's text, did not open it.
        if (!ran || rss * 1024 < 2 * QFile(script).size()) {
            state.SkipWithError("the editor did not open the script");
            return;
        }
        state.SetIterationTime(double(lastWorkMs) / 1000);
        // A child of this executable tells when its first screen was painted.
        bool told = false;
        if (const qint64 shown = child.readAllStandardOutput().trimmed().toLongLong(&told); told)
            state.counters["first_screen_ms"] = double(shown - started) / 1e6;
    }
    state.counters["rss_kb"] = double(rss);
}

// Prints the moment the editor's first screen is painted, on the clock the parent reads.
void reportFirstScreen(QAbstractScrollArea& editor, QTextDocument& document)
{
    settle(editor, document);
    std::printf("%lld\n", static_cast<long long>(monotonicNs()));
    std::fflush(stdout);
}

// The program's process, started as its main() starts it, the script opened once the
// window shows.
int runZandrel(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtPrompt prompt;
    MainWindow window(prompt, MainWindow::defaultCatalogueFile());
    prompt.setOwner(&window);
    window.show();
    if (!window.start())
        return 2;
    const QString script = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(0, &window, [&window, script] {
        window.openScripts({script});
        if (ScriptWindow* opened = window.activeScriptWindow())
            reportFirstScreen(*opened->editor(), *opened->editor()->document());
    });
    return app.exec();
}

// The baseline editor's process: the file read the plain Qt way into a shown editor.
int runPlainEditor(int argc, char** argv)
{
    QApplication app(argc, argv);
    PlainEditor editor;
    if (!editor.load(QString::fromLocal8Bit(argv[2])))
        return 2;
    reportFirstScreen(editor.edit(), *editor.edit().document());
    return app.exec();
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(100000)->Arg(kMillionLines)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
}

}

BENCHMARK_CAPTURE(BM_Launch, Zandrel, Editor::Zandrel)->Apply(sizes);
BENCHMARK_CAPTURE(BM_Launch, ZandrelFirstScreen, Editor::ZandrelFirstScreen)->Apply(sizes);
BENCHMARK_CAPTURE(BM_Launch, FeatherPad, Editor::FeatherPad)->Apply(sizes);
BENCHMARK_CAPTURE(BM_Launch, PlainTextEdit, Editor::PlainTextEdit)->Apply(sizes);

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--plain-editor") == 0)
        return runPlainEditor(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--zandrel") == 0)
        return runZandrel(argc, argv);
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    return runRegisteredBenchmarks(argc, argv);
}
