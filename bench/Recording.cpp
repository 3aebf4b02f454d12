// Recording costs on a real user database file (WAL): moving a temporary
// series of 30,000 values into a recorded series, and writing one value.
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
struct UserDatabase {
    QTemporaryDir dir;
    UserDatabase()
    {
        const QString to = dir.path() + QStringLiteral("/veluser.mdb");
        QFile::copy(QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("Daten/veluser.mdb")), to);
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        dbVeluser.open(to);
        deleteTempMesswerte(0);
        strSqlMessWerte = QStringLiteral("SELECT * FROM MessWerte");
        rsMessWerte = dbVeluser.openRecordset(strSqlMessWerte);
    }
    ~UserDatabase()
    {
        rsMessWerte.reset();
        rsTempMessWerte.reset();
        dbVeluser.close();
    }
};

void fillTempSeries(qint32 tempId, int values)
{
    Transaction tx(dbVeluser);
    for (int i = 0; i < values; ++i)
        dbVeluser.exec(QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (?, ?, ?)"),
                       {tempId, i % 500 == 499, QStringLiteral("%1;%2;2000;%3").arg(i).arg(9800 + i % 700).arg(i * 3)});
    tx.commit();
}

void BM_TransferTempSeries30000(benchmark::State& state)
{
    UserDatabase db;
    fillTempSeries(1, 30000);
    qint32 series = 1;
    for (auto _ : state)
        transferTempMesswerte(1, series++);
    state.counters["values"] = 30000;
}
BENCHMARK(BM_TransferTempSeries30000)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
