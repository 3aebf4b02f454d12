#pragma once

// The main of a benchmark program that needs a Qt application object: a bare
// event loop object (ports, databases) or, for windows, a widget application
// on the offscreen platform unless another one is asked for.
#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <functional>

// run replaces the plain benchmark run where a program keeps something alive
// around all its benchmarks.
template <class App>
int runBenchmarksWith(int argc, char** argv, const std::function<void()>& run)
{
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (run)
        run();
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

inline int runQtBenchmarks(int argc, char** argv)
{
    return runBenchmarksWith<QCoreApplication>(argc, argv, {});
}

inline int runWidgetBenchmarks(int argc, char** argv, const std::function<void()>& run = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return runBenchmarksWith<QApplication>(argc, argv, run);
}
