// Managing batteries and series on a large user database: deleting a battery
// with 10 series of 30,000 values among 5,000,000 other values, deleting one
// series of 30,000 values with the renumbering of the later ones, and
// reading the manager's lists again with 1,000 batteries of 10 series each.
#include "QtBenchmarkMain.h"
#include "core/DatabaseModul.h"
#include "core/SeriesStore.h"
#include "records/MesswerteErfassenLogic.h"
#include "wiring/ProgramServices.h"
#include "wiring/RecordsHost.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kOtherValues = 5'000'000;
constexpr int kSeriesValues = 30'000;

// The user database of the run: 5,000,000 values of other series, built once.
struct LargeDatabase {
    QTemporaryDir dir;
    LargeDatabase()
    {
        const QString to = dir.path() + QStringLiteral("/veluser.mdb");
        QFile::copy(QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/veluser.mdb")), to);
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        dbVeluser.open(to);
        Transaction t(dbVeluser);
        dbVeluser.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                                      "WITH RECURSIVE c(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM c WHERE x < ?) "
                                      "SELECT 1000000 + x / 30000, x % 500 = 499, x || ';' || (9800 + x % 700) || "
                                      "';2000;' || (x * 3) FROM c"),
                       {kOtherValues - 1});
        t.commit();
    }
    ~LargeDatabase() { dbVeluser.close(); }
};

LargeDatabase& largeDatabase()
{
    return builtOnce<LargeDatabase>();
}

qint32 newSeriesWithValues(qint32 akku, int nummer)
{
    dbVeluser.exec(
        QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, Datum) VALUES (?, ?, '2024-05-01 08:00:00')"),
        {akku, nummer});
    const qint32 series = dbVeluser.lastInsertId().toInt();
    dbVeluser.exec(
        QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                       "WITH RECURSIVE c(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM c WHERE x < ?) "
                       "SELECT ?, x % 500 = 499, x || ';' || (9800 + x % 700) || ';2000;' || (x * 3) FROM c"),
        {kSeriesValues - 1, series});
    return series;
}

qint32 batteryWithSeries(int series)
{
    Transaction t(dbVeluser);
    dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Bench')"));
    const qint32 akku = dbVeluser.lastInsertId().toInt();
    for (int n = 1; n <= series; ++n)
        newSeriesWithValues(akku, n);
    t.commit();
    return akku;
}

void BM_DeleteBatteryWith10Series(benchmark::State& state)
{
    largeDatabase();
    for (auto _ : state) {
        state.PauseTiming();
        const qint32 akku = batteryWithSeries(10);
        state.ResumeTiming();
        SeriesStore(dbVeluser).deleteAkku(akku);
    }
    state.counters["values"] = 10 * kSeriesValues;
}
BENCHMARK(BM_DeleteBatteryWith10Series)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DeleteSeriesWithRenumbering(benchmark::State& state)
{
    largeDatabase();
    const qint32 akku = batteryWithSeries(10);
    for (auto _ : state) {
        state.PauseTiming();
        // The deleted series is the first: the nine after it are renumbered.
        dbVeluser.exec(QStringLiteral("UPDATE MessReihen SET Nummer = Nummer + 1 WHERE AkkuId=?"), {akku});
        const qint32 series = newSeriesWithValues(akku, 1);
        state.ResumeTiming();
        SeriesStore(dbVeluser).deleteSeries(akku, series);
    }
    SeriesStore(dbVeluser).deleteAkku(akku);
    state.counters["values"] = kSeriesValues;
}
BENCHMARK(BM_DeleteSeriesWithRenumbering)->Unit(benchmark::kMillisecond)->Iterations(10);

// A small database of its own: the lists only read batteries and series.
void BM_RefreshManagerLists1000Batteries(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString to = dir.path() + QStringLiteral("/veluser.mdb");
    QFile::copy(QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/veluser.mdb")), to);
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    Database& db = dbVeluser;
    const bool large = db.isOpen();
    const QString previous = db.path();
    if (large)
        db.close();
    db.open(to);
    {
        Transaction t(db);
        db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName, bemerkung) WITH RECURSIVE c(x) AS "
                               "(SELECT 0 UNION ALL SELECT x + 1 FROM c WHERE x < 999) "
                               "SELECT 'Battery ' || x, 'remark ' || x FROM c"));
        db.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, Datum, bemerkung, Mode) WITH RECURSIVE c(x) AS "
                               "(SELECT 0 UNION ALL SELECT x + 1 FROM c WHERE x < 9999) "
                               "SELECT 1 + x / 10, 1 + x % 10, '2024-05-01 08:00:00', 'series', 'Charge' FROM c"));
        t.commit();
    }
    ProgramServices services;
    MesswerteErfassenLogic logic(nullptr, services.recordsHost(), services.recordsNotifier());
    logic.Form_Load();
    logic.bEditMode = true;
    bool bShow = false;
    logic.initializeDialog(bShow);
    logic.cboAkkus_Click(500);
    for (auto _ : state)
        logic.refreshLists();
    state.counters["series"] = logic.seriesCount();
    db.close();
    if (large)
        db.open(previous);
}
BENCHMARK(BM_RefreshManagerLists1000Batteries)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv);
}
