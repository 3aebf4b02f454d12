// The serial link against the fake charger on a pseudo-terminal: the cost of
// one status conversation, and what the program's thread spends while it
// waits out a missing reply.
//
// Targets: a status conversation well under 1 ms (the 9600-baud line itself
// needs about 45 ms for such an exchange); under 20 ms of processor time
// during the 2000 ms wait for a reply that never comes.
#include "FakeCharger.h"
#include "QtBenchmarkMain.h"

#include "link/VelmoroComCommunication.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void BM_StatusConversation(benchmark::State& state)
{
    FakeCharger fake(4);
    if (!fake.start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    fake.setStatus(1, QStringLiteral("SL"));
    fake.setValues(1, 1000, 7250, 321);
    VelmoroComCommunication link(fake.portPath());
    if (!link.openComPort()) {
        state.SkipWithError("port did not open");
        return;
    }
    const QString channel = QStringLiteral("001");
    for (auto _ : state) {
        QString reply = link.getStatus(channel);
        if (reply.isEmpty()) {
            state.SkipWithError("no reply");
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(BM_StatusConversation)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// Argument: 0 a plain wait, 1 channel 1's wait that lets window events run.
void BM_MissingReplyProcessorTime(benchmark::State& state)
{
    FakeCharger fake(4);
    if (!fake.start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    fake.injectFault(FakeFault::NoReply, -1);
    VelmoroComCommunication link(fake.portPath());
    if (!link.openComPort()) {
        state.SkipWithError("port did not open");
        return;
    }
    const bool letEventsRun = state.range(0) != 0;
    double cpu = 0.0;
    for (auto _ : state) {
        const double before = threadCpuMs();
        QString reply =
            letEventsRun ? link.getProgram(QStringLiteral("001"), true) : link.getStatus(QStringLiteral("001"));
        cpu += threadCpuMs() - before;
        benchmark::DoNotOptimize(reply);
    }
    state.counters["cpu_ms_per_wait"] = cpu / double(state.iterations());
}
BENCHMARK(BM_MissingReplyProcessorTime)->Arg(0)->Arg(1)->Iterations(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv);
}
