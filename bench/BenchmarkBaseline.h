#pragma once

#include <QApplication>
#include <QString>
#include <QTextDocument>
#include <benchmark/benchmark.h>

// What the benchmarks share. The baseline most of them measure against: Qt's own
// QTextDocument taking the same text as plain text.
inline void runSetPlainText(benchmark::State& state, const QString& text)
{
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(text);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}

// main() of a benchmark that needs widgets: an offscreen QApplication around the
// registered benchmarks.
inline int runOffscreenBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
