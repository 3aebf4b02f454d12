#include "core/DataFolder.h"
#include "core/ProgramResources.h"
#include "diagrams/DiagramOpener.h"
#include "diagrams/SeriesDiagramWindow.h"
#include "mainwindow/ComPortRecovery.h"
#include "mainwindow/FirstStartChain.h"
#include "mainwindow/frmMDIMainForm.h"
#include "mainwindow/frmStartLogo.h"
#include "platform/FailureText.h"
#include "platform/LastResort.h"
#include "programs/dlgUsedProgram.h"
#include "records/UsedProgramViewer.h"
#include "wiring/MainWindowHosts.h"
#include "wiring/ProgramServices.h"
#include "wiring/ProgramViewerSource.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    // No exception ends the program without a word: whatever leaves an event
    // handler or the start-up is shown, then the program ends in order.
    GuardedApplication app(argc, argv);
    LastResort::installTerminateHandler();
    LastResort::setDescriber([](const QString& description) {
        const QString id = QStringLiteral("0894");
        const QString text = getResource(id);
        if (text == id) // the texts are not open (yet)
            return QString();
        return FailureText::compose(text, description);
    });
    QApplication::setApplicationName(QStringLiteral("velmoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("velmoro"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORO_VERSION));

    setProgramFolder(resolveProgramFolder(QApplication::applicationDirPath(),
                                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));

    // Every service of the program comes from here (see ProgramServices.h).
    // The main window is made after the splash; the other windows and the
    // start-up reach it through these hosts, which it attaches to.
    MainWindowHosts mainWindow;
    // Printed reports read their program block from a hidden viewer.
    const std::unique_ptr<ProgramViewerSource> printedViewer = dlgUsedProgram::printingSource();
    // One diagram window, for the channel windows and the stored series.
    DiagramOpener diagrams(&mainWindow, printedViewer.get());
    SeriesDiagramWindow seriesDiagrams(diagrams);
    UsedProgramViewer seriesViewer;
    FirstStartChain firstStart;
    ComPortRecovery portRecovery;
    ProgramServices services({
        .comPortDialog = &portRecovery,
        .firstStartDialogs = &firstStart,
        .mainWindow = &mainWindow,
        .kanalDiagram = &diagrams,
        .seriesDiagram = &seriesDiagrams,
        .seriesProgramViewer = &seriesViewer,
        .programViewerSource = printedViewer.get(),
    });

    auto* splash = new frmStartLogo([&services] {
        auto* main = new frmMDIMainForm(services);
        main->MDIForm_Load();
    });
    splash->show();
    return LastResort::run([&app] { return app.exec(); });
}
