// The program viewer as the report printing uses it: a hidden viewer loaded
// with its lookup lists, filled with a program, read by control name and
// unloaded, once per printed channel report; on copies of the shipped databases.
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "link/CommunicationProgram.h"
#include "printing/ControlReader.h"
#include "printing/ProgramViewerSource.h"
#include "programs/dlgUsedProgram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
const QString kProgram =
    QStringLiteral("001,P,A02,M07,Z08,P090,F0,W30,K01500,L01200,E00300,V09600,D08000,YH012,S1,C0,B0,H0,N100");

struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Daten"));
        for (const char* name : {"velmoro.mdb", "veluser.mdb"}) {
            const QString to = dir.path() + QStringLiteral("/Daten/") + QLatin1String(name);
            QFile::copy(QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/") + QLatin1String(name)), to);
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        }
        openDataDatabase(dir.path());
        openUserDatabase(dir.path());
        openSettings();
        openResources();
        openGlobalRecordsets();
    }
    ~ProgramFolder() { closeAllDatabases(); }
};

void BM_PrintoutFillsAndReadsAHiddenViewer(benchmark::State& state)
{
    ProgramFolder folder;
    dlgUsedProgram::registerForPrinting();
    CommunicationProgram program;
    program.splitRecievedString(QString(kProgram), false);
    for (auto _ : state) {
        const std::unique_ptr<ControlReader> viewer = ProgramViewerSource::instance()->openFilled(program);
        benchmark::DoNotOptimize(viewer->controlText(QStringLiteral("cboNennSpannung")));
        benchmark::DoNotOptimize(viewer->controlText(QStringLiteral("txtKapazitaetAh")));
    }
    ProgramViewerSource::setInstance(nullptr);
}
BENCHMARK(BM_PrintoutFillsAndReadsAHiddenViewer)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
