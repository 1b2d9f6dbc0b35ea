// Replace All against the time Qt takes merely to hold the same text:
//   cmake --build <build> --target bench_replace_all
//   <build>/bench_replace_all
// Compare BM_ReplaceAllInDialog/N (the dialog's handler on a shown script editor, until
// it is painted) and BM_ReplaceAllInDocument/N (the loop alone, on a document no editor
// shows) with BM_SetPlainText/N (a shown QPlainTextEdit taking the same text).
#include "support/Child.h"
#include "BenchmarkBaseline.h"
#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "dialogs/FindStepping.h"
#include "dialogs/FindDialog.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

class SilentPrompt : public Prompt {
public:
    PromptAnswer message(const MessageBoxRequest&) override { return PromptAnswer::Ok; }
    QString chooseFile(const FileDialogRequest&) override { return {}; }
};

// One match of "needle" on every line.
QString generatedScript(int lines)
{
    QString text;
    text.reserve(lines * 32);
    for (int i = 0; i < lines; ++i) {
        text += QLatin1String("/tell Someone needle ");
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

void BM_ReplaceAllInDocument(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        QTextDocument doc;
        doc.setPlainText(text);
        QTextCursor cursor(&doc);
        state.ResumeTiming();
        const int count = FindStepping::replaceAll(cursor, QStringLiteral("needle"), QStringLiteral("pin"), 0);
        if (count != state.range(0))
            state.SkipWithError("wrong number of replacements");
    }
}

void BM_ReplaceAllInDialog(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    SilentPrompt prompt;
    Catalogue catalogue(prompt, QString());
    Settings settings;
    AppState app(prompt, catalogue, settings);
    RichTextControl editor;
    showEditor(editor);
    FindDialog dialog(app.prompt, &editor);
    child<QLineEdit>(dialog, "findField")->setText(QStringLiteral("needle"));
    child<QLineEdit>(dialog, "replaceField")->setText(QStringLiteral("pin"));
    for (auto _ : state) {
        state.PauseTiming();
        editor.document()->setPlainText(text);
        editor.setSelStart(0);
        settle(editor, *editor.document());
        state.ResumeTiming();
        dialog.replaceAll();
        settle(editor, *editor.document());
        state.PauseTiming();
        if (editor.SelStart() != editor.textLength() - int(QString::number(state.range(0) - 1).size()) - 2)
            state.SkipWithError("caret not after the last replacement");
        state.ResumeTiming();
    }
}

}

BENCHMARK(BM_SetPlainText)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllInDocument)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllInDialog)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
