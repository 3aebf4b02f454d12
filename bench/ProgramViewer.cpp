// The program viewer as the report printing uses it: a hidden viewer loaded
// with its lookup lists, filled with a program, read by control name and
// unloaded, once per printed channel report; on copies of the shipped databases.
#include "link/CommunicationProgram.h"
#include "printing/ControlReader.h"
#include "programs/dlgUsedProgram.h"
#include "wiring/ProgramViewerSource.h"

#include "QtBenchmarkMain.h"
#include "ShippedDatabases.h"

#include <memory>

namespace {
const QString kProgram =
    QStringLiteral("001,P,A02,M07,Z08,P090,F0,W30,K01500,L01200,E00300,V09600,D08000,YH012,S1,C0,B0,H0,N100");

void BM_PrintoutFillsAndReadsAHiddenViewer(benchmark::State& state)
{
    ShippedProgramFolder folder;
    const std::unique_ptr<ProgramViewerSource> source = dlgUsedProgram::printingSource();
    CommunicationProgram program;
    program.splitRecievedString(QString(kProgram), false);
    for (auto _ : state) {
        const std::unique_ptr<ControlReader> viewer = source->openFilled(program);
        benchmark::DoNotOptimize(viewer->controlText(QStringLiteral("cboNennSpannung")));
        benchmark::DoNotOptimize(viewer->controlText(QStringLiteral("txtKapazitaetAh")));
    }
}
BENCHMARK(BM_PrintoutFillsAndReadsAHiddenViewer)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
