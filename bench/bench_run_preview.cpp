// Run Preview and the completion list:
//   QT_QPA_PLATFORM=offscreen build/bench_run_preview
// - BM_Preview/N previews an N-line script that starts five other scripts, read from disk
//   as the panel reads them; compare it with BM_ReadScripts/N, which only reads the six
//   files. BM_PreviewShown/N also lists the rows in the panel, shown and painted.
// - BM_CompletionList: the slash that starts a line, until the list is shown and painted,
//   against BM_KeyInPlainTextEdit, one key in a shown QPlainTextEdit; a frame is 16.7 ms.
#include "BenchmarkBaseline.h"
#include "catalogue/Catalogue.h"
#include "editor/CommandCompleter.h"
#include "editor/RunPreview.h"
#include "editor/RunPreviewPanel.h"
#include "editor/ScriptWindow.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptCodec.h"
#include "platform/ScriptFile.h"
#include "platform/Settings.h"
#include "state/AppState.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {
class SilentPrompt : public Prompt {
public:
    PromptAnswer message(const MessageBoxRequest&) override { return PromptAnswer::No; }
    QString chooseFile(const FileDialogRequest&) override { return {}; }
};

const char* const kLines[] = {"/t Pulling %t in 5 seconds", "/delay 1500",      "/pet attack",
                              "/tell %1 thanks for the help", "just some chat text", "/wave",
                              "/option ShowAllNames 1",       "/s Need a doctor",  "/tel Bob typo"};

QString lines(int count, const QString& calls = {})
{
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QLatin1String(kLines[i % 9]);
        text += u'\n';
        // The five scripts are started evenly through the script.
        if (!calls.isEmpty() && i % (count / 5) == count / 10)
            text += QStringLiteral("/script part%1.txt %t\n").arg(i / (count / 5) + 1);
    }
    return text;
}

QString shippedCatalogue()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zandrel.db"));
}

// The scripts folder: the previewed script and the five it starts, 200 lines each.
struct Folder {
    explicit Folder(int count)
    {
        write(QStringLiteral("main.txt"), lines(count, QStringLiteral("calls")));
        for (int i = 1; i <= 5; ++i)
            write(QStringLiteral("part%1.txt").arg(i), lines(200));
    }
    void write(const QString& name, const QString& text)
    {
        QFile f(dir.filePath(name));
        ok = ok && f.open(QIODevice::WriteOnly) && f.write(ScriptCodec::encode(text)) >= 0;
        files << name;
    }
    RunPreview::ScriptsFolder scripts() const
    {
        return {files, [this](const QString& name) -> std::optional<QString> {
                    ScriptFile::ReadResult read = ScriptFile::read(dir.filePath(name));
                    return read.result.ok() ? std::optional(read.text) : std::nullopt;
                }};
    }
    QTemporaryDir dir;
    QStringList files;
    bool ok = true;
};

void BM_ReadScripts(benchmark::State& state)
{
    Folder folder(int(state.range(0)));
    for (auto _ : state) {
        for (const QString& name : folder.files)
            benchmark::DoNotOptimize(ScriptFile::read(folder.dir.filePath(name)).text.size());
    }
}

template <typename Show>
void preview(benchmark::State& state, Show show)
{
    SilentPrompt prompt;
    Catalogue catalogue(prompt, shippedCatalogue());
    Folder folder(int(state.range(0)));
    if (catalogue.OpenCatalogue() != Catalogue::OpenResult::Open || !folder.ok) {
        state.SkipWithError("no catalogue beside the benchmark, or no scripts written");
        return;
    }
    const ScriptKnowledge knowledge = ScriptKnowledge::fromCatalogue(catalogue);
    const QString text = ScriptFile::read(folder.dir.filePath(QStringLiteral("main.txt"))).text;
    qsizetype rows = 0;
    for (auto _ : state) {
        const RunPreview::Run run = RunPreview::preview(text, QStringLiteral("main.txt"), knowledge, folder.scripts(),
                                                        {QStringLiteral("Mob"), {}, QStringLiteral("Me")}, {});
        rows = run.rows.size();
        show(run);
    }
    state.counters["rows"] = double(rows);
}

void BM_Preview(benchmark::State& state)
{
    preview(state, [](const RunPreview::Run& run) { benchmark::DoNotOptimize(run.totalMs); });
}

void BM_PreviewShown(benchmark::State& state)
{
    RunPreviewPanel panel;
    showEditor(panel);
    preview(state, [&](const RunPreview::Run& run) {
        panel.showRun(run, nullptr, {});
        panel.rows()->viewport()->repaint();
    });
}

void BM_CompletionList(benchmark::State& state)
{
    SilentPrompt prompt;
    Catalogue catalogue(prompt, shippedCatalogue());
    Settings settings;
    AppState app(prompt, catalogue, settings);
    if (catalogue.OpenCatalogue() != Catalogue::OpenResult::Open) {
        state.SkipWithError("no catalogue beside the benchmark");
        return;
    }
    app.setFreeType(true);
    ScriptWindow window(app);
    showEditor(window);
    RichTextControl& editor = *window.editor();
    editor.setText(lines(1000) + u'\n');
    editor.setSelStart(editor.textLength());
    auto* completer = window.findChild<CommandCompleter*>();
    bool shown = true;
    for (auto _ : state) {
        QTest::keyClick(&editor, Qt::Key_Slash);
        completer->completer()->popup()->repaint();
        shown = shown && completer->listShown();
        state.PauseTiming();
        QTest::keyClick(completer->completer()->popup(), Qt::Key_Escape);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        state.ResumeTiming();
    }
    if (!shown)
        state.SkipWithError("the list did not appear");
}

void BM_KeyInPlainTextEdit(benchmark::State& state)
{
    PlainEditor plain;
    plain.setText(lines(1000) + u'\n');
    QPlainTextEdit& edit = plain.edit();
    edit.moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QTest::keyClick(&edit, Qt::Key_Slash);
        edit.viewport()->repaint();
        state.PauseTiming();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        state.ResumeTiming();
    }
}
}

BENCHMARK(BM_ReadScripts)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Preview)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewShown)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompletionList)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyInPlainTextEdit)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
