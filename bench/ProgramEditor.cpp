// The program editor: opening it with its lookup lists filled and a program
// shown (target under 50 ms), and building the program string (target under
// 10 µs), on copies of the shipped databases.
#include "link/CommunicationProgram.h"
#include "platform/MessageService.h"
#include "programs/ProgramString.h"
#include "programs/dlgVelmoroProgram.h"

#include "QtBenchmarkMain.h"
#include "ShippedDatabases.h"

#include <memory>

namespace {
const QString kProgram = QStringLiteral("001,P,A02,M07,Z08,P090,F0,W30,K01500,L01200,E00300,V09600,D08000,YH012");

void BM_OpenEditorWithProgram(benchmark::State& state)
{
    ShippedProgramFolder folder;
    for (auto _ : state) {
        auto program = std::make_shared<CommunicationProgram>();
        program->splitRecievedString(QString(kProgram), false);
        dlgVelmoroProgram editor;
        editor.setGeraeteNr(QStringLiteral("001"));
        editor.setProgram(program);
        editor.initDialog();
        benchmark::DoNotOptimize(editor.logic().inputs());
    }
}
BENCHMARK(BM_OpenEditorWithProgram)->Unit(benchmark::kMillisecond);

void BM_BuildProgramString(benchmark::State& state)
{
    ProgramInputs in;
    in.strGeraeteNr = QStringLiteral("001");
    in.bAkkuTyp = true;
    in.strAkkuTyp = QStringLiteral("2");
    in.strModus = QStringLiteral("7");
    in.strZellenzahl = QStringLiteral("8");
    in.bSollKapazitaet = true;
    in.strKapazitaetProzent = QStringLiteral("90");
    in.strFormierCode = QStringLiteral("0");
    in.strKapazitaetAh = QStringLiteral("1.500");
    in.strLadestrom = QStringLiteral("1.200");
    in.strEntladestrom = QStringLiteral("0.300");
    in.strNennSpannung = QStringLiteral("9.6 V");
    in.strEntladeschlussSpannung = QStringLiteral("8.000");
    in.bSelbstentladung = true;
    in.bStunden = true;
    in.strSelbstentladungsZeitraum = QStringLiteral("12");
    ProgramStringSettings settings;
    settings.strDefaultLadestrom = QStringLiteral("1000");
    settings.strDefaultEntladestrom = QStringLiteral("1000");
    settings.strDefaultEntladeschlussSpannung = QStringLiteral("1000");
    settings.strProgramExtensionAvaiable = QStringLiteral("YES");
    settings.strProgramExtensionType = QStringLiteral("2");
    const CommunicationProgram program;
    for (auto _ : state)
        benchmark::DoNotOptimize(ProgramString::buildProgramString(in, program, settings));
}
BENCHMARK(BM_BuildProgramString)->Unit(benchmark::kMicrosecond);

// As the editor does it: the settings read afresh from the database at every build.
void BM_BuildProgramStringFromEditor(benchmark::State& state)
{
    ShippedProgramFolder folder;
    auto program = std::make_shared<CommunicationProgram>();
    program->splitRecievedString(QString(kProgram), false);
    dlgVelmoroProgram editor;
    editor.setGeraeteNr(QStringLiteral("001"));
    editor.setProgram(program);
    editor.initDialog();
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.logic().buildProgramString());
}
BENCHMARK(BM_BuildProgramStringFromEditor)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
