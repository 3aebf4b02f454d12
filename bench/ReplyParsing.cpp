// Parsing what the charger answers to the poll of one channel.
#include "link/CommunicationResults.h"

#include <benchmark/benchmark.h>

static void BM_StatusReply(benchmark::State& state)
{
    CommunicationResults results;
    const QString reply = QStringLiteral("002,M,SL,L01500,V07300,K00800,");
    for (auto _ : state) {
        QString text = reply;
        results.splitRecievedString(text);
        benchmark::DoNotOptimize(results.lKapazitaet);
    }
}
BENCHMARK(BM_StatusReply);

static QString endValueReply(int groups)
{
    QString reply = QStringLiteral("001,D");
    for (int i = 0; i < groups; ++i) {
        reply +=
            i % 2 ? QStringLiteral(",SE,K01180,T88,V01002,Y00012,X1,P087") : QStringLiteral(",SL,K01234,T95,V01450");
    }
    return reply + QLatin1Char(',');
}

static void BM_EndValueReply20(benchmark::State& state)
{
    const QString reply = endValueReply(20);
    for (auto _ : state) {
        EntwertList list;
        QString text = reply;
        if (!list.splitRecievedString(text) || list.Count() != 20)
            state.SkipWithError("reply did not parse");
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_EndValueReply20);

// The same reply arriving as the answer to a status poll, handed on by event.
static void BM_EndValueReply20AsStatusAnswer(benchmark::State& state)
{
    CommunicationResults results;
    qsizetype received = 0;
    QObject::connect(&results, &CommunicationResults::EndwertRecieved,
                     [&](std::shared_ptr<EntwertList> l) { received += l->Count(); });
    const QString reply = endValueReply(20);
    for (auto _ : state) {
        QString text = reply;
        results.splitRecievedString(text);
    }
    benchmark::DoNotOptimize(received);
}
BENCHMARK(BM_EndValueReply20AsStatusAnswer);

BENCHMARK_MAIN();
