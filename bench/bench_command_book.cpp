// Help > All Commands over the shipped catalogue: a new script window filled with every
// help page under its heading, shown and laid out, against Qt's own HTML import of the
// same book into a shown editor, in the same run so the two figures compare. Run:
//   cmake --build build --target bench_command_book && build/bench_command_book
#include "ShippedProgram.h"
#include "editor/ScriptArea.h"
#include "editor/ScriptWindow.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"

#include <QApplication>
#include <QMdiArea>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Program : ShippedProgram {
    QString bookHtml;  // the book as the program builds it, written as HTML
    int bookLength = 0;
};

Program* g_program = nullptr;

ScriptWindow* buildBook()
{
    g_program->main->openCommandBook();
    return qobject_cast<ScriptWindow*>(g_program->main->scriptArea().currentSubWindow());
}

void BM_CommandBook(benchmark::State& state)
{
    for (auto _ : state) {
        ScriptWindow* book = buildBook();
        if (!book || book->editor()->textLength() != g_program->bookLength) {
            state.SkipWithError("the book came out different");
            return;
        }
        settle(*book->editor(), *book->editor()->document());
        state.PauseTiming();
        delete book;  // closing would ask to save it
        state.ResumeTiming();
    }
}

// The same book's text and formats handed to Qt's HTML reader, into a document.
void BM_BookAsHtmlIntoDocument(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(g_program->bookHtml);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}

// The same into a shown editor in a child window, as the book is written.
void BM_BookAsHtmlIntoEditor(benchmark::State& state)
{
    for (auto _ : state) {
        auto* editor = new QTextEdit;
        auto* window = g_program->main->scriptArea().addSubWindow(editor);
        window->show();
        editor->setHtml(g_program->bookHtml);
        settle(*editor, *editor->document());
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}

BENCHMARK(BM_CommandBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BookAsHtmlIntoDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BookAsHtmlIntoEditor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    Program program;
    g_program = &program;
    return runOnShippedProgram(argc, argv, program, [&program] {
        ScriptWindow* first = buildBook();
        if (!first || program.prompt.boxes != 0 || first->editor()->textLength() == 0) {
            fprintf(stderr, "bench_command_book: no book from %s\n", qPrintable(MainWindow::defaultCatalogueFile()));
            return false;
        }
        program.bookHtml = first->editor()->document()->toHtml();
        program.bookLength = first->editor()->textLength();
        fprintf(stderr, "book: %d characters in %d lines, %lld characters as HTML\n", program.bookLength,
                first->editor()->document()->blockCount(), static_cast<long long>(program.bookHtml.size()));
        delete first;
        return true;
    });
}
