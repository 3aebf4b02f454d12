#include "mainwindow/dlgFirstComPortSelection.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/ErrorGuard.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

dlgFirstComPortSelection::dlgFirstComPortSelection(QWidget* parent)
    : ComPortDialog(QStringLiteral("dlgFirstComPortSelection"), parent)
{
    lblComPort = new QLabel(this);
    lblComPort->setObjectName(QStringLiteral("lblComPort"));
    lblComPort->setWordWrap(true);
    m_layout->insertWidget(0, lblComPort);
    connect(cmdOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdOk_Click(); }));
    Form_Load();
}

void dlgFirstComPortSelection::Form_Load()
{
    lblComPort->setText(getResource(QStringLiteral("0610")));
    loadCommon(QStringLiteral("0102"));
}

void dlgFirstComPortSelection::cmdOk_Click()
{
    const QString port = getSelectedPort();
    objSettings().setSetting(QStringLiteral("ComPort"), port);
    done(Accepted);
    if (frmMDIMainForm* form = mainForm())
        form->ReloadWindowCaption();
}
