// Opening a script in a script window (read, decode, load, colour) against the time
// Qt takes merely to hold the same text in a QTextDocument:
//   bench_open ; compare BM_Open/N with BM_SetPlainText/N (N = lines; the last row is
//   a script of 10 MB).
#include "BenchmarkBaseline.h"
#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/frmWindow.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptCodec.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {
// Answers every file dialog with one path and every question with No.
class FixedPrompt : public Prompt {
public:
    QString path;
    PromptAnswer message(const MessageBoxSpec&) override { return PromptAnswer::No; }
    QString chooseFile(const FileDialogSpec&) override { return path; }
};

const char* const kLines[] = {"/tell Someone hello there", "/afk", "say /wave now", "/macro heal /assist %t",
                              "just some chat text", "/pet attack", "/org kick Nobody"};
constexpr int kTenMegabytes = 10 * 1024 * 1024;
// Lines of generatedScript that make a little over 10 MB (about 21 bytes a line).
constexpr int kTenMegabyteLines = kTenMegabytes / 21;

QString generatedScript(int lines)
{
    QString text;
    text.reserve(qsizetype(lines) * 26);
    for (int i = 0; i < lines; ++i) {
        text += QLatin1String(kLines[i % 7]);
        text += QString::number(i % 1000);
        text += u'\n';
    }
    return text;
}

void BM_SetPlainText(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    runSetPlainText(state, text);
    state.counters["bytes"] = double(ScriptCodec::encode(text).size());
}

void BM_Open(benchmark::State& state)
{
    const QString text = generatedScript(int(state.range(0)));
    QTemporaryDir dir;
    FixedPrompt prompt;
    prompt.path = dir.filePath(QStringLiteral("script"));
    {
        QFile f(prompt.path);
        if (!f.open(QIODevice::WriteOnly) || f.write(ScriptCodec::encode(text)) < 0) {
            state.SkipWithError("cannot write the script");
            return;
        }
    }
    Catalogue catalogue(prompt, QString());
    Settings settings;
    AppState app{prompt, catalogue, settings};
    frmWindow window(app);
    for (auto _ : state) {
        window.setChanged(false);
        window.tlbasxToolbar1_ButtonClick(ToolbarKey::Open);
        // Let the editor's layout catch up, as the event loop would.
        QCoreApplication::processEvents();
    }
    if (window.rtfrypAO->textLength() != text.size())
        state.SkipWithError("the script did not load");
    state.counters["bytes"] = double(QFile(prompt.path).size());
}
}

BENCHMARK(BM_SetPlainText)->Arg(10000)->Arg(100000)->Arg(kTenMegabyteLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open)->Arg(10000)->Arg(100000)->Arg(kTenMegabyteLines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
