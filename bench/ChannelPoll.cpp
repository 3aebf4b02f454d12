// The channel poll against the fake charger on a pseudo-terminal: one tick of
// each of four channel windows (the user-interface thread is blocked for that
// long), and the memory the program holds after 10,000 such rounds against
// after 100.
#include "FakeCharger.h"
#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/velmoroLog.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"
#include "wiring/ProgramServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {
QString builtDatabase(const char* name)
{
    return QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/") + QLatin1String(name));
}

// A started program: databases, settings, link and four channel windows on
// the fake charger, each charger channel running its program.
struct Program {
    QTemporaryDir dir;
    FakeCharger charger{4};
    ProgramServices services;
    std::unique_ptr<frmMDIMainForm> form;

    bool start()
    {
        if (!charger.start())
            return false;
        QDir(dir.path()).mkpath(QStringLiteral("Daten"));
        for (const char* name : {"velmoro.mdb", "veluser.mdb"})
            QFile::copy(builtDatabase(name), dir.path() + QStringLiteral("/Daten/") + QLatin1String(name));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("benchPrepare"));
            db.setDatabaseName(dir.path() + QStringLiteral("/Daten/velmoro.mdb"));
            if (!db.open())
                return false;
            QSqlQuery q(db);
            q.prepare(QStringLiteral("UPDATE Optionen SET value=? WHERE key='ComPort'"));
            q.addBindValue(charger.portPath());
            q.exec();
            q.exec(QStringLiteral("UPDATE Optionen SET value='KZT4' WHERE key='UsedCharger'"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("benchPrepare"));
        setProgramFolder(dir.path());
        form = std::make_unique<frmMDIMainForm>(services);
        form->MDIForm_Load();
        for (int n = 1; n <= 4; ++n)
            form->kanal(n)->stopTimers();
        charger.setSecondsPerRequest(5);
        restartFinishedPrograms();
        return true;
    }
    // Keeps every channel charging or discharging, so each tick shows values.
    void restartFinishedPrograms()
    {
        // What the fake charger logs is the test tool's memory, not the program's.
        charger.clearFrameLog();
        for (int n = 1; n <= 4; ++n)
            if (!charger.channelState(n).running)
                charger.startProgram(n);
    }
    void round()
    {
        for (int n = 1; n <= 4; ++n)
            form->kanal(n)->logic().timerKanal_Timer();
    }
    ~Program()
    {
        form.reset();
        objComCommunication.reset();
        closeAllDatabases();
        objLog.reset();
    }
};

double currentRssMb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_PollTickFourChannels(benchmark::State& state)
{
    Program program;
    if (!program.start()) {
        state.SkipWithError("fake charger did not start");
        return;
    }
    int rounds = 0;
    for (auto _ : state) {
        program.round();
        if (++rounds % 50 == 0) {
            state.PauseTiming();
            program.restartFinishedPrograms();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PollTickFourChannels)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MemoryAfterTenThousandRounds(benchmark::State& state)
{
    for (auto _ : state) {
        Program program;
        if (!program.start()) {
            state.SkipWithError("fake charger did not start");
            return;
        }
        auto run = [&](int from, int to) {
            for (int i = from; i < to; ++i) {
                program.round();
                QApplication::processEvents();
                if (i % 50 == 0) {
                    program.restartFinishedPrograms();
                    // The fake charger keeps every frame it received (about
                    // 300 bytes each): that is the tool's memory, not the
                    // program's.
                    program.charger.clearFrameLog();
                }
            }
        };
        run(0, 100);
        const double after100 = currentRssMb();
        run(100, 10000);
        const double after10000 = currentRssMb();
        state.counters["rss_after_100_MB"] = after100;
        state.counters["rss_after_10000_MB"] = after10000;
        state.counters["growth_MB"] = after10000 - after100;
    }
}
BENCHMARK(BM_MemoryAfterTenThousandRounds)->Unit(benchmark::kSecond)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
