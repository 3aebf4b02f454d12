// Opening a stored series with 200 end values in a user database of
// 5,000,000 values: the reading and laying out alone, and the whole window.
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "platform/Database.h"
#include "records/KanalBearbeitenLogic.h"
#include "records/UsedProgramViewer.h"
#include "records/frmKanalBearbeiten.h"
#include "wiring/ProgramServices.h"

#include "QtBenchmarkMain.h"
#include "ShippedDatabases.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kValues = 5'000'000;
constexpr int kSeriesValues = 25'000; // 200 series
constexpr int kEndValueStep = 125;    // 200 end values in each
constexpr qint32 kSeries = 100;

// A program folder with the shipped databases, its values built once per run.
struct LargeFolder {
    QTemporaryDir dir;
    LargeFolder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Daten"));
        for (const char* name : {"velmoro.mdb", "veluser.mdb"})
            copyShippedDatabase(dir.path() + QStringLiteral("/Daten"), name);
        setProgramFolder(dir.path());
        openDataDatabase(dir.path());
        openUserDatabase(dir.path());
        openSettings();
        openResources();
        openGlobalRecordsets();

        Transaction t(dbVeluser);
        dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Bench')"));
        const qint32 akku = dbVeluser.lastInsertId().toInt();
        dbVeluser.exec(
            QStringLiteral("INSERT INTO MessReihen (MessReiheID, AkkuId, Nummer, Programm) "
                           "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < ?) "
                           "SELECT x, ?, x, '001,P,A02,M01,Z06,F0,W30,L01500,E00500,V07200,D05400,K02300,G1,' FROM c"),
            {kValues / kSeriesValues, akku});
        // Every 125th value of a series is an end value, charges and
        // discharges by turns, the last ones with condition and self-discharge.
        dbVeluser.exec(
            QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                           "WITH RECURSIVE c(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM c WHERE x < ?) "
                           "SELECT 1 + x / ?, x % ? = ? - 1, "
                           "CASE WHEN x % ? = ? - 1 "
                           "THEN (2 + (x / ?) % 2) || ';' || (1000 + x % 900) || ';' || (1400 + x % 90) || ';' || x "
                           "     || ';' || (x % 120) || ';T;87;12' "
                           "ELSE (x % 3000) || ';' || (9800 + x % 700) || ';2000;' || (x * 3) END FROM c"),
            {kValues - 1, kSeriesValues, kEndValueStep, kEndValueStep, kEndValueStep, kEndValueStep, kEndValueStep});
        t.commit();
    }
    ~LargeFolder() { closeAllDatabases(); }
};

LargeFolder& largeFolder()
{
    return builtOnce<LargeFolder>();
}

void BM_SeriesWindowReadsTheSeries(benchmark::State& state)
{
    largeFolder();
    KanalBearbeitenLogic logic(nullptr, nullptr, nullptr);
    logic.lMessId = kSeries;
    logic.strAkkuName = QStringLiteral("Bench");
    logic.strMessreihenNr = QString::number(kSeries);
    for (auto _ : state) {
        if (!logic.Form_Activate())
            state.SkipWithError("series not found");
        benchmark::DoNotOptimize(logic.shown().lists.laden.size());
    }
    if (logic.shown().lists.laden.size() + logic.shown().lists.entladen.size() != 200)
        state.SkipWithError("expected 200 end values");
}
BENCHMARK(BM_SeriesWindowReadsTheSeries)->Unit(benchmark::kMillisecond);

void BM_SeriesWindowOpens(benchmark::State& state)
{
    largeFolder();
    UsedProgramViewer viewer;
    ProgramServices services({.seriesProgramViewer = &viewer});
    for (auto _ : state) {
        frmKanalBearbeiten* window = frmKanalBearbeiten::openSeries(services, nullptr, kSeries, QStringLiteral("Bench"),
                                                                    QString::number(kSeries), QStringLiteral("remark"));
        if (!window) {
            state.SkipWithError("series not shown");
            break;
        }
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SeriesWindowOpens)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
