// A key typed in the middle of a script, painted: one letter and one Backspace per
// iteration in a shown script window with free typing on, against the same two keys in
// a shown QPlainTextEdit holding the same text:
//   QT_QPA_PLATFORM=offscreen build/bench_typing
// Compare BM_KeyInScript/N with BM_KeyInPlainTextEdit/N (N = lines); the cost of a key
// should not grow with N.
#include "BenchmarkBaseline.h"
#include "ScriptWindowFixture.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

// The caret at the end of the middle line's command word.
void caretMidScript(QAbstractScrollArea& editor, QTextDocument& doc, QTextCursor cursor,
                    const std::function<void(const QTextCursor&)>& setCursor)
{
    cursor.setPosition(doc.findBlockByNumber(doc.blockCount() / 2).position() + 5);
    setCursor(cursor);
    settle(editor, doc);
    // The keys come once the editor is idle: a script still being coloured in the
    // background is another case.
    finishIdleWork();
}

// Each key is followed by what the event loop does next (the script window colours
// the change then), and by the paint.
template <typename Editor>
void typeTwoKeys(Editor& editor, QTextDocument& doc)
{
    QTest::keyClick(&editor, Qt::Key_X);
    QCoreApplication::processEvents();
    editor.viewport()->repaint();
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    editor.viewport()->repaint();
    benchmark::DoNotOptimize(doc.characterCount());
}

void BM_KeyInScript(benchmark::State& state)
{
    ShownScript w;
    w.open(scriptFile(int(state.range(0))));
    RichTextControl& editor = w.editor();
    QTextDocument& doc = *editor.document();
    caretMidScript(editor, doc, editor.textCursor(), [&](const QTextCursor& c) { editor.setTextCursor(c); });
    const int length = editor.textLength();
    for (auto _ : state)
        typeTwoKeys(editor, doc);
    if (editor.textLength() != length || !w.window().isChanged())
        state.SkipWithError("the keys did not reach the script");
}

void BM_KeyInPlainTextEdit(benchmark::State& state)
{
    PlainEditor plain;
    plain.setText(generatedScript(int(state.range(0))));
    QPlainTextEdit& editor = plain.edit();
    QTextDocument& doc = *editor.document();
    caretMidScript(editor, doc, editor.textCursor(), [&](const QTextCursor& c) { editor.setTextCursor(c); });
    for (auto _ : state)
        typeTwoKeys(editor, doc);
}
}

BENCHMARK(BM_KeyInScript)->Arg(10000)->Arg(100000)->Arg(kMillionLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyInPlainTextEdit)->Arg(10000)->Arg(100000)->Arg(kMillionLines)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
