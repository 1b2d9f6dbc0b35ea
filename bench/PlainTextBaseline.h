#pragma once

#include <QString>
#include <QTextDocument>
#include <benchmark/benchmark.h>

// The baseline most benchmarks measure against: Qt's own QTextDocument taking
// the same text as plain text.
inline void runSetPlainText(benchmark::State& state, const QString& text)
{
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(text);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
