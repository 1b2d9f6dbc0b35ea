// Checking a script against the catalogue and the scripts folder, against reading the
// same script file from disk:
//   bench_script_check ; compare BM_Check/N (and BM_CheckWithCatalogue/N, which also
//   reads the shipped catalogue as Edit > Check Script does) with BM_ReadScript/N.
#include "BenchmarkBaseline.h"
#include "catalogue/Catalogue.h"
#include "editor/ScriptCheck.h"
#include "platform/Prompt.h"
#include "platform/ScriptCodec.h"
#include "platform/ScriptFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
class SilentPrompt : public Prompt {
public:
    PromptAnswer message(const MessageBoxRequest&) override { return PromptAnswer::No; }
    QString chooseFile(const FileDialogRequest&) override { return {}; }
};

// Good lines and faulty ones, as a long hand-written script mixes them.
const char* const kLines[] = {"/tell %t hello there",     "/delay 5000",        "/pet \"%t\" attack",
                              "/org kick Nobody",         "just some chat text", "/script buffs.txt %1",
                              "/tel Bob typo",            "/delay five",         "/heal.txt",
                              "/t 50% done, %x left",     "",                    "/afk back soon %6"};

QString generatedScript(int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i) {
        text += QLatin1String(kLines[i % 12]);
        text += u'\n';
    }
    return text;
}

QStringList folderListing()
{
    QStringList files;
    for (int i = 0; i < 50; ++i)
        files << QStringLiteral("script%1.txt").arg(i);
    files << QStringLiteral("buffs.txt");
    return files;
}

QString shippedCatalogue()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zandrel.db"));
}

void BM_ReadScript(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("script.txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(ScriptCodec::encode(generatedScript(int(state.range(0))))) < 0) {
        state.SkipWithError("cannot write the script");
        return;
    }
    f.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptFile::read(path).text.size());
    state.counters["bytes"] = double(f.size());
}

void BM_Check(benchmark::State& state)
{
    SilentPrompt prompt;
    Catalogue catalogue(prompt, shippedCatalogue());
    if (catalogue.OpenCatalogue() != Catalogue::OpenResult::Open) {
        state.SkipWithError("no catalogue beside the benchmark");
        return;
    }
    const ScriptKnowledge knowledge = ScriptKnowledge::fromCatalogue(catalogue);
    const QString text = generatedScript(int(state.range(0)));
    const std::optional<QStringList> folder = folderListing();
    qsizetype findings = 0;
    for (auto _ : state) {
        findings = ScriptCheck::check(text, knowledge, folder, QStringLiteral("loop.txt")).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = double(findings);
    state.counters["commands"] = double(knowledge.commands.size());
}

void BM_CheckWithCatalogue(benchmark::State& state)
{
    SilentPrompt prompt;
    Catalogue catalogue(prompt, shippedCatalogue());
    if (catalogue.OpenCatalogue() != Catalogue::OpenResult::Open) {
        state.SkipWithError("no catalogue beside the benchmark");
        return;
    }
    const QString text = generatedScript(int(state.range(0)));
    const std::optional<QStringList> folder = folderListing();
    for (auto _ : state) {
        const ScriptKnowledge knowledge = ScriptKnowledge::fromCatalogue(catalogue);
        benchmark::DoNotOptimize(ScriptCheck::check(text, knowledge, folder, QStringLiteral("loop.txt")).size());
    }
}
}

BENCHMARK(BM_ReadScript)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckWithCatalogue)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
