#pragma once

// The main of a benchmark program that needs a Qt application object: a bare
// event loop object (ports, databases) or, for windows, a widget application
// on the offscreen platform unless another one is asked for.
#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <vector>

// What the benchmarks built on first use goes when they have run, before the
// application object: databases closed after it crash the program on its way
// out, and their temporary folders then stay behind.
inline std::vector<std::function<void()>>& benchmarkTeardowns()
{
    static std::vector<std::function<void()>> teardowns;
    return teardowns;
}

// The one T of the run, built on first use (so a filtered run builds nothing
// it does not need) and dropped before the application object goes.
template <class T>
T& builtOnce()
{
    static std::unique_ptr<T> instance;
    if (!instance) {
        instance = std::make_unique<T>();
        benchmarkTeardowns().push_back([] { instance.reset(); });
    }
    return *instance;
}

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
    // Last built, first dropped.
    auto& teardowns = benchmarkTeardowns();
    while (!teardowns.empty()) {
        const std::function<void()> drop = std::move(teardowns.back());
        teardowns.pop_back();
        drop();
    }
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
