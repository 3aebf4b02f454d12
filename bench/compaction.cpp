// Compacting the user database: a copy written beside it, made durable and
// renamed over it. Measured for user databases with many measured values,
// half of them deleted before (the usual reason to compact).
#include "QtBenchmarkMain.h"
#include "platform/Database.h"
#include "platform/DatabaseCompaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QString shippedUserDatabase()
{
    return QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/veluser.mdb"));
}

void fill(Database& db, int rows)
{
    Transaction t(db);
    for (int i = 0; i < rows; ++i)
        db.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (?, 0, ?)"),
                {i % 20, QStringLiteral("%1;%2;12.345;1.250;0.875;0").arg(i).arg(i * 3)});
    db.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID < 10"));
    t.commit();
}

void BM_CompactUserDatabase(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("veluser.mdb"));
    const QString temp = dir.filePath(QStringLiteral("veluser.$$$"));
    QFile::copy(shippedUserDatabase(), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Database db;
    db.open(path);
    fill(db, rows);
    for (auto _ : state) {
        DatabaseCompaction compaction(db, path, temp);
        if (!compaction.run())
            state.SkipWithError(compaction.errorText().toStdString().c_str());
    }
    state.counters["file_kB"] = double(QFileInfo(path).size()) / 1024.0;
    state.counters["rows_left"] = double(db.scalar(QStringLiteral("SELECT count(*) FROM MessWerte")).toLongLong());
    db.close();
}
BENCHMARK(BM_CompactUserDatabase)->Arg(10000)->Arg(200000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv);
}
