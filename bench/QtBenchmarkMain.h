#pragma once

// The main of a benchmark program that needs a Qt event loop object (ports,
// databases) but no windows.
#include <QCoreApplication>
#include <benchmark/benchmark.h>

inline int runQtBenchmarks(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
