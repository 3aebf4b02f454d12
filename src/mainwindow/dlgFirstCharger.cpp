#include "mainwindow/dlgFirstCharger.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "mainwindow/DialogLists.h"
#include "mainwindow/DialogModul.h"
#include "mainwindow/dlgFirstComPortSelection.h"
#include "platform/DataCombo.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/Terminator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

dlgFirstCharger::dlgFirstCharger(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgFirstCharger"));
    lblChargerText = new QLabel(this);
    lblChargerText->setObjectName(QStringLiteral("lblChargerText"));
    lblChargerText->setWordWrap(true);
    lblCharger = new QLabel(this);
    lblCharger->setObjectName(QStringLiteral("lblCharger"));
    cboChargerSelection = new DataCombo(this);
    cboChargerSelection->setObjectName(QStringLiteral("cboChargerSelection"));
    lblCharger->setBuddy(cboChargerSelection);
    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChargerText);
    layout->addWidget(lblCharger);
    layout->addWidget(cboChargerSelection);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(380);

    connect(cboChargerSelection, &DataCombo::selectionChanged, this,
            &dlgFirstCharger::cboChargerSelection_Change);
    connect(btnOk, &QPushButton::clicked, this, &dlgFirstCharger::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &dlgFirstCharger::btnCancel_Click);

    Form_Load();
}

bool dlgFirstCharger::isFirstStartup()
{
    return objSettings().getSetting(QStringLiteral("FirstStartup")) == QLatin1String("YES");
}

void dlgFirstCharger::Form_Load()
{
    if (!isFirstStartup()) {
        btnOk->setText(getResource(QStringLiteral("0100")));
        m_strChargerAtOpening = objSettings().getSetting(QStringLiteral("UsedCharger"));
    } else {
        btnOk->setText(getResource(QStringLiteral("0102")));
    }
    setWindowTitle(getResource(QStringLiteral("0200")));
    btnCancel->setText(getResource(QStringLiteral("0101")));
    lblCharger->setText(getResource(QStringLiteral("0202")));
    lblChargerText->setText(getResource(QStringLiteral("0204")));
    const QString used = objSettings().getSetting(QStringLiteral("UsedCharger"));
    cboChargerSelection->setEntries(DialogLists::chargers(dbVelmoro));
    cboChargerSelection->selectValue(used);
    m_strSelectedCharger = used;
}

void dlgFirstCharger::cboChargerSelection_Change()
{
    m_strSelectedCharger = cboChargerSelection->currentValue();
}

void dlgFirstCharger::btnOk_Click()
{
    if (isFirstStartup()) {
        objSettings().setSetting(QStringLiteral("UsedCharger"), m_strSelectedCharger);
        done(Accepted);
        if (!bChainedByStartup) {
            dlgFirstComPortSelection ports;
            execModal(ports);
        }
        return;
    }
    if (m_strSelectedCharger == m_strChargerAtOpening) {
        btnCancel_Click();
        return;
    }
    const auto warning = msgBox(getResource(QStringLiteral("0206")), MessageService::OkCancel,
                                MessageService::Exclamation, getResource(QStringLiteral("0410")));
    if (warning != MessageService::Ok) {
        btnCancel_Click();
        return;
    }
    const auto quit = msgBox(getResource(QStringLiteral("1090")), MessageService::YesNo,
                             MessageService::Information, getResource(QStringLiteral("0410")));
    if (quit != MessageService::Yes) {
        btnCancel_Click();
        return;
    }
    objSettings().setSetting(QStringLiteral("UsedCharger"), m_strSelectedCharger);
    done(Accepted);
    endForChangedSetting();
}

void dlgFirstCharger::btnCancel_Click()
{
    done(Rejected);
    if (isFirstStartup()) {
        closeApplication();
        endProgram(0);
    }
}
