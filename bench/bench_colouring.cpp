// The command colouring in a shown script window:
//   QT_QPA_PLATFORM=offscreen build/bench_colouring
// BM_PassAfterOneEdit/N: the window's periodic pass after one line in the middle of an
// N-line script was edited; its cost should not grow with N. BM_FullPass/N: colouring
// the whole of a freshly loaded, white script (what Open does), against BM_SetPlainText/N,
// a shown QPlainTextEdit merely taking the same text. BM_Spans/N: finding the spans alone.
#include "BenchmarkBaseline.h"
#include "ScriptWindowFixture.h"
#include "editor/CommandColouring.h"

#include <QTextBlock>
#include <QTimer>

namespace {

void BM_SetPlainText(benchmark::State& state)
{
    runSetPlainText(state, generatedScript(int(state.range(0))));
}

void BM_PassAfterOneEdit(benchmark::State& state)
{
    ShownScript w;
    w.open(scriptFile(int(state.range(0))));
    // A long script is coloured a slice at a time once shown; the player edits it
    // after that, and the pass must not pay for the slices still to come.
    finishIdleWork();
    RichTextControl& editor = w.editor();
    const int middle = editor.document()->findBlockByNumber(editor.document()->blockCount() / 2).position();
    for (auto _ : state) {
        state.PauseTiming();
        editor.setSelStart(middle);
        editor.setSelText(QStringLiteral("/wave "));
        settle(editor, *editor.document());
        state.ResumeTiming();
        w.window().colourEdits();
        settle(editor, *editor.document());
    }
    if (w.window().colouredLength() != editor.textLength())
        state.SkipWithError("the pass did not run");
}

void BM_FullPass(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    ShownScript w;
    RichTextControl& editor = w.editor();
    for (auto _ : state) {
        state.PauseTiming();
        editor.document()->setPlainText(text);
        settle(editor, *editor.document());
        state.ResumeTiming();
        HighlightCommands(editor);
        settle(editor, *editor.document());
    }
}

void BM_Spans(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CommandColouring::spans(text).size());
}
}

BENCHMARK(BM_PassAfterOneEdit)->Arg(10000)->Arg(100000)->Arg(kMillionLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetPlainText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Spans)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
