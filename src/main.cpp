#include "core/DataFolder.h"
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

    auto* splash = new frmStartLogo([] {
        auto* main = new frmMDIMainForm;
        main->MDIForm_Load();
    });
    splash->show();
    return app.exec();
}
