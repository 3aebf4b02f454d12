#include "mainwindow/frmAbout.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/ProgramVersion.h"
#include "mainwindow/ProgramLogo.h"
#include "mainwindow/dlgSystemInfo.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/ScreenFit.h"
#include "platform/SystemInformation.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(480, 300);
    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdSysInfo = new QPushButton(this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(cmdOk);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdOk_Click(); }));
    connect(cmdSysInfo, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdSysInfo_Click(); }));
    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(getResource(QStringLiteral("1602")));
    cmdOk->setText(getResource(QStringLiteral("0100")));
    cmdSysInfo->setText(getResource(QStringLiteral("1604")));
}

void frmAbout::cmdOk_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    const auto info = SystemInformation::collect(dbVelmoro);
    if (!info) {
        msgBox(QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
        return;
    }
    dlgSystemInfo dialog(*info, this);
    execModal(dialog);
}

void frmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(this);
}

void frmAbout::paintEvent(QPaintEvent*)
{
    paintProgramLogo(*this, rect().adjusted(0, 0, 0, -70), 28, 60,
                     getResource(QStringLiteral("0001")) + QLatin1Char('\n') + getResource(QStringLiteral("0002"))
                         + QLatin1Char(' ') + programVersionText());
}
