// The colouring pass against the time Qt takes merely to hold the same text:
//   bench_colouring --benchmark_filter=... ; compare BM_Colouring/N with BM_SetPlainText/N.
#include "BenchmarkBaseline.h"
#include "editor/CommandColouring.h"
#include "platform/RichTextControl.h"

#include <QApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {
QString generatedScript(int lines)
{
    static const char* const kLines[] = {"/tell Someone hello there", "/afk", "say /wave now", "/macro heal /assist %t",
                                         "just some chat text", "/pet attack", "/org kick Nobody"};
    QString text;
    text.reserve(lines * 24);
    for (int i = 0; i < lines; ++i) {
        text += QLatin1String(kLines[i % 7]);
        text += QString::number(i);
        text += u'\n';
    }
    return text;
}

void BM_SetPlainText(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    runSetPlainText(state, text);
}

// The pass over freshly loaded white text, as Open runs it: the editor is loaded
// outside the timing.
void BM_Colouring(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    RichTextControl control;
    for (auto _ : state) {
        state.PauseTiming();
        control.document()->setPlainText(text);
        state.ResumeTiming();
        HighlightCommands(control);
    }
}

void BM_Spans(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CommandColouring::spans(text).size());
}
}

BENCHMARK(BM_SetPlainText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Colouring)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Spans)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
