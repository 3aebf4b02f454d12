#include "core/DataFolder.h"
#include "core/StartupModul.h"
#include "mainwindow/ComPortRecovery.h"
#include "mainwindow/FirstStartChain.h"
#include "mainwindow/frmMDIMainForm.h"
#include "mainwindow/frmStartLogo.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("velmoro"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORO_VERSION));

    setProgramFolder(resolveProgramFolder(
        QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));

    FirstStartChain firstStart;
    setFirstStartDialogs(&firstStart);
    ComPortRecovery portRecovery;
    setComPortDialogRunner(&portRecovery);

    auto* splash = new frmStartLogo([] {
        auto* main = new frmMDIMainForm;
        main->MDIForm_Load();
    });
    splash->show();
    return app.exec();
}
