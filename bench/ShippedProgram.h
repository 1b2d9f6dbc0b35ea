#pragma once

#include "ScriptWindowFixture.h"
#include "app/MainWindow.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>

// The whole program on the shipped catalogue, its main window shown (offscreen), for
// the benchmarks of what the main window does.
struct ShippedProgram {
    FixedPrompt prompt;
    std::unique_ptr<MainWindow> main;
};

// Starts `program`, runs `prepare` once its window is up (false ends the run) and then
// the benchmarks named on the command line.
inline int runOnShippedProgram(int argc, char** argv, ShippedProgram& program, const std::function<bool()>& prepare)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    program.main = std::make_unique<MainWindow>(program.prompt, MainWindow::defaultCatalogueFile());
    if (!program.main->start()) {
        std::fprintf(stderr, "%s: the catalogue did not open\n", argv[0]);
        return 1;
    }
    program.main->show();
    QCoreApplication::processEvents();
    if (!prepare())
        return 1;
    const int result = runRegisteredBenchmarks(argc, argv);
    program.main.reset();
    return result;
}
