// Start-up cost: from a fresh program folder to the main window shown
// (offscreen; the splash wait is not counted), and the peak memory then. The
// start opens the link and loads the channel windows, which ask the charger:
// the fake charger answers in its place (a start without any charger waits
// out one missing reply on purpose).
#include "FakeCharger.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/velmoroLog.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/MessageService.h"
#include "wiring/ProgramServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
QString builtDatabase(const char* name)
{
    return QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/") + QLatin1String(name));
}

FakeCharger* g_charger = nullptr;

void prepareFolder(const QTemporaryDir& dir)
{
    QDir(dir.path()).mkpath(QStringLiteral("Daten"));
    for (const char* name : {"velmoro.mdb", "veluser.mdb"})
        QFile::copy(builtDatabase(name), dir.path() + QStringLiteral("/Daten/") + QLatin1String(name));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("benchPrepare"));
        db.setDatabaseName(dir.path() + QStringLiteral("/Daten/velmoro.mdb"));
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("UPDATE Optionen SET value=? WHERE key='ComPort'"));
            q.addBindValue(g_charger->portPath());
            q.exec();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("benchPrepare"));
}

double peakRssMb()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_maxrss) / 1024.0;
}

void BM_StartToMainWindow(benchmark::State& state)
{
    ProgramServices services;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        prepareFolder(dir);
        setProgramFolder(dir.path());
        state.ResumeTiming();

        auto* form = new frmMDIMainForm(services);
        form->MDIForm_Load();
        QApplication::processEvents();

        state.PauseTiming();
        delete form;
        closeAllDatabases();
        objLog.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = peakRssMb();
}
BENCHMARK(BM_StartToMainWindow)->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakeCharger charger(4);
    if (!charger.start()) {
        std::fprintf(stderr, "no pseudo-terminal for the fake charger\n");
        return 1;
    }
    g_charger = &charger;
    // The first start in a fresh process, including the toolkit's own start-up.
    {
        QTemporaryDir dir;
        prepareFolder(dir);
        setProgramFolder(dir.path());
        ProgramServices services;
        auto* form = new frmMDIMainForm(services);
        form->MDIForm_Load();
        QApplication::processEvents();
        std::printf("first start in a fresh process: %lld ms, peak memory %.1f MB\n",
                    static_cast<long long>(sinceStart.elapsed()), peakRssMb());
        delete form;
        closeAllDatabases();
        objLog.reset();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
