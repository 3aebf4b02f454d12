// Loading a diagram on a real user database file: a series of a million
// stored values among five million rows of other series, a series of 30,000
// values, a phase between two end values, and a grab of the chart with three
// curves of 10,000 points. The database is built once per run.
#include "core/DatabaseModul.h"
#include "diagrams/DiagrammLogic.h"
#include "diagrams/frmDiagramm.h"

#include "QtBenchmarkMain.h"
#include "ShippedDatabases.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineSeries>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {
// Series 1: 1,000,000 rows (1,000 of them end values); series 2 .. 6:
// 5,000,000 rows; series 7: 30,000 values, one in every 201 rows of all
// these. Then series 8: 30,000 values recorded while three other channels
// record (every fourth row); then series 12: 100,000 values and series 16:
// 15,000 values, recorded the same way.
constexpr qint64 kRows = 6030000;
constexpr qint64 kTailRows = 120000;
constexpr qint64 kLongTailRows = 400000;
constexpr qint64 kShortTailRows = 60000;

long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

struct Databases {
    QTemporaryDir dir;
    qint32 phaseEnd = 0;

    Databases()
    {
        const QString user = copyShippedDatabase(dir.path(), "veluser.mdb");
        const QString ref = copyShippedDatabase(dir.path(), "velmoro.mdb");
        fill(user);
        dbVelmoro.open(ref);
        dbVeluser.open(user);
        openSettings();
        openResources();
        strSqlDiagramPoints = QStringLiteral("SELECT * FROM DiagramPoints ORDER BY ID");
        rsDiagramPoints = dbVelmoro.openRecordset(strSqlDiagramPoints);
        // The end value that closes the 500th phase of series 1.
        phaseEnd = dbVeluser
                       .scalar(QStringLiteral("SELECT MessWertId FROM MessWerte WHERE MessReiheID=1 AND EW=1 "
                                              "ORDER BY MessWertId LIMIT 1 OFFSET 499"))
                       .toInt();
    }
    ~Databases() { closeAllDatabases(); }

    static void fill(const QString& path)
    {
        QElapsedTimer t;
        t.start();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
            q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
            // The shipped index, built once after the rows instead of row by row.
            q.exec(QStringLiteral("DROP INDEX IF EXISTS MessWerte_Reihe_EW"));
            q.exec(QStringLiteral("BEGIN"));
            q.exec(QStringLiteral(
                       "WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                       "INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                       "SELECT CASE WHEN i % 201 = 200 THEN 7 WHEN (i - i / 201) % 6 = 0 THEN 1 "
                       "ELSE 2 + (i - i / 201) % 5 END, "
                       "CASE WHEN i % 201 <> 200 AND (i - i / 201) % 6 = 0 AND ((i - i / 201) / 6) % 1000 = 999 "
                       "THEN 1 ELSE 0 END, "
                       "(i % 3000) || ';' || (1200 + i % 300) || ';' || (1000 + i % 50) || ';' || (i / 6 * 3) "
                       "FROM c")
                       .arg(kRows - 1));
            q.exec(
                QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                               "INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                               "SELECT 8 + i % 4, 0, "
                               "(i % 3000) || ';' || (1200 + i % 300) || ';' || (1000 + i % 50) || ';' || (i / 4 * 3) "
                               "FROM c")
                    .arg(kTailRows - 1));
            q.exec(
                QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                               "INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                               "SELECT 12 + i % 4, 0, "
                               "(i % 3000) || ';' || (1200 + i % 300) || ';' || (1000 + i % 50) || ';' || (i / 4 * 3) "
                               "FROM c")
                    .arg(kLongTailRows - 1));
            q.exec(
                QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                               "INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                               "SELECT 16 + i % 4, 0, "
                               "(i % 3000) || ';' || (1200 + i % 300) || ';' || (1000 + i % 50) || ';' || (i / 4 * 3) "
                               "FROM c")
                    .arg(kShortTailRows - 1));
            q.exec(QStringLiteral("CREATE INDEX MessWerte_Reihe_EW ON MessWerte (MessReiheID, EW)"));
            q.exec(QStringLiteral("COMMIT"));
            q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        std::fprintf(stderr, "database of %lld rows built in %lld ms\n",
                     kRows + kTailRows + kLongTailRows + kShortTailRows, qint64(t.elapsed()));
    }
};

Databases* g_db = nullptr;

void load(benchmark::State& state, qint32 series, qint32 endWertId)
{
    frmDiagramm w;
    w.resize(1000, 600);
    long extraKb = 0;
    qint64 rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const long before = statusKb("VmRSS");
        resetPeak();
        state.ResumeTiming();
        w.logic().lMessReiheId = series;
        w.logic().bTempCreated = false;
        w.logic().lEndWertId = endWertId;
        if (!w.loadDiagramData())
            state.SkipWithError("no diagram");
        state.PauseTiming();
        extraKb = std::max(extraKb, statusKb("VmHWM") - before);
        rows = w.curve(DiagrammLogic::Spannung)->count();
        state.ResumeTiming();
    }
    state.counters["values"] = double(w.logic().values().valueCount);
    state.counters["points"] = double(rows);
    state.counters["extraMB"] = double(extraKb) / 1024.0;
}

void BM_LoadSeriesOfAMillionValues(benchmark::State& state)
{
    load(state, 1, 0);
}
BENCHMARK(BM_LoadSeriesOfAMillionValues)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadSeriesOf100000Values(benchmark::State& state)
{
    load(state, 12, 0);
}
BENCHMARK(BM_LoadSeriesOf100000Values)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_LoadSeriesOf30000Values(benchmark::State& state)
{
    load(state, 8, 0);
}
BENCHMARK(BM_LoadSeriesOf30000Values)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_LoadSeriesOf15000Values(benchmark::State& state)
{
    load(state, 16, 0);
}
BENCHMARK(BM_LoadSeriesOf15000Values)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same count spread thinly over the whole table: every value on a page
// of its own.
void BM_LoadSeriesOf30000ValuesOneInEvery201Rows(benchmark::State& state)
{
    load(state, 7, 0);
}
BENCHMARK(BM_LoadSeriesOf30000ValuesOneInEvery201Rows)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LoadPhaseOfASeriesOfAMillionValues(benchmark::State& state)
{
    load(state, 1, g_db->phaseEnd);
}
BENCHMARK(BM_LoadPhaseOfASeriesOfAMillionValues)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_GrabChartWithThreeCurvesOf10000Points(benchmark::State& state)
{
    frmDiagramm w;
    w.resize(1000, 600);
    w.logic().lMessReiheId = 7;
    if (!w.loadDiagramData()) {
        state.SkipWithError("no diagram");
        return;
    }
    QList<QPointF> u, i, c;
    for (int k = 0; k < 10000; ++k) {
        const double x = k * 0.05;
        u << QPointF(x, 1.2 + 0.3 * ((k * 37) % 1000) / 1000.0);
        i << QPointF(x, 1.0 + 0.05 * ((k * 53) % 1000) / 1000.0);
        c << QPointF(x, 3.0 * k / 10000.0);
    }
    w.checkBox(DiagrammLogic::Strom)->click();
    w.checkBox(DiagrammLogic::Kapazitaet)->click();
    w.curve(DiagrammLogic::Spannung)->replace(u);
    w.curve(DiagrammLogic::Strom)->replace(i);
    w.curve(DiagrammLogic::Kapazitaet)->replace(c);
    QApplication::processEvents();
    for (int k = 0; k < DiagrammLogic::kCurves; ++k) {
        const QLineSeries* s = w.curve(DiagrammLogic::Curve(k));
        if (!s->isVisible() || s->count() != 10000)
            state.SkipWithError("not three curves of 10,000 points");
    }
    for (auto _ : state) {
        const QPixmap picture = w.chartView()->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}
BENCHMARK(BM_GrabChartWithThreeCurvesOf10000Points)->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv, [] {
        Databases db;
        g_db = &db;
        benchmark::RunSpecifiedBenchmarks();
        g_db = nullptr;
    });
}
