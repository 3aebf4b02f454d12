// Reading one series out of a large MessWerte table, with the older
// single-column index (0) and with the index on (MessReiheID, EW) (1); and the
// one-time cost of giving an older file the new index at start.
//
// The table holds series of 30,000 values each, four recorded at a time with
// their rows interleaved, as four channels write them; every 500th value is an
// end value.
#include "QtBenchmarkMain.h"
#include "core/DatabaseModul.h"
#include "platform/Database.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {
constexpr int kSeriesValues = 30000;
constexpr int kRows = 1200000;

QString shippedUserDatabase()
{
    return QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/veluser.mdb"));
}

void useOldIndex(Database& db)
{
    db.exec(QStringLiteral("DROP INDEX MessWerte_Reihe_EW"));
    db.exec(QStringLiteral("CREATE INDEX MessWerte_MessReiheID ON MessWerte (MessReiheID)"));
}

// Builds a filled copy of the shipped user database in dir.
QString buildFile(const QTemporaryDir& dir, bool oldIndex)
{
    const QString path = dir.filePath(oldIndex ? QStringLiteral("old.mdb") : QStringLiteral("new.mdb"));
    QFile::copy(shippedUserDatabase(), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Database db;
    db.open(path);
    Transaction tx(db);
    if (oldIndex)
        useOldIndex(db);
    db.exec(QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM c WHERE i<?) "
                           "INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                           "SELECT (i/?)*4 + i%4 + 1, i%500=499, printf('%d;%d;2000;%d', i, 9800+i%700, i*3) FROM c"),
            {kRows - 1, 4 * kSeriesValues});
    tx.commit();
    return path;
}

// One filled file per index kind, built once for the whole run; the files
// close before their folder goes.
struct FilledFiles {
    QTemporaryDir dir;
    std::map<bool, std::unique_ptr<Database>> files;
};

Database& filled(bool oldIndex)
{
    FilledFiles& f = builtOnce<FilledFiles>();
    auto& db = f.files[oldIndex];
    if (!db) {
        const QString path = buildFile(f.dir, oldIndex);
        db = std::make_unique<Database>();
        db->open(path);
    }
    return *db;
}

void runPerSeries(benchmark::State& state, const QString& sql)
{
    Database& db = filled(state.range(0) == 0);
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    q.prepare(sql);
    int series = 1;
    for (auto _ : state) {
        q.bindValue(0, series);
        series = series % (kRows / kSeriesValues) + 1;
        q.exec();
        while (q.next())
            benchmark::DoNotOptimize(q.value(0));
    }
    state.counters["rows_in_table"] = kRows;
}

void BM_CountSeriesValues(benchmark::State& state)
{
    runPerSeries(state, QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"));
}
BENCHMARK(BM_CountSeriesValues)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CountSeriesEndValues(benchmark::State& state)
{
    runPerSeries(state, QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=? AND EW=1"));
}
BENCHMARK(BM_CountSeriesEndValues)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReadSeriesEndValues(benchmark::State& state)
{
    runPerSeries(state, QStringLiteral("SELECT MessWertString FROM MessWerte WHERE MessReiheID=? AND EW=1 "
                                       "ORDER BY MessWertId"));
}
BENCHMARK(BM_ReadSeriesEndValues)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReadSeriesInOrder(benchmark::State& state)
{
    runPerSeries(state, QStringLiteral("SELECT MessWertString FROM MessWerte WHERE MessReiheID=? "
                                       "ORDER BY MessWertId"));
}
BENCHMARK(BM_ReadSeriesInOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first start after the update, on a file with the older index.
void BM_AddIndexToOldFile(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        Database db;
        db.open(buildFile(dir, true));
        state.ResumeTiming();
        ensureValueIndexes(db);
        state.PauseTiming();
        db.close();
        state.ResumeTiming();
    }
    state.counters["rows_in_table"] = kRows;
}
BENCHMARK(BM_AddIndexToOldFile)->Unit(benchmark::kMillisecond)->Iterations(2);
} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv);
}
