#include "mainwindow/frmAbout.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "mainwindow/dlgSystemInfo.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/SystemInformation.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
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

    connect(cmdOk, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
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

void frmAbout::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(24, 64, 120));
    g.setColorAt(1, QColor(8, 24, 48));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(28);
    f.setBold(true);
    p.setFont(f);
    const QRect picture = rect().adjusted(0, 0, 0, -70);
    p.drawText(picture.adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("velmoro"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(picture.adjusted(0, 60, 0, 0), Qt::AlignCenter,
               getResource(QStringLiteral("0001")) + QLatin1Char('\n') + getResource(QStringLiteral("0002"))
                   + QLatin1Char(' ') + QStringLiteral(VELMORO_VERSION));
}
