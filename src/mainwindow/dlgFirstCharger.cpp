#include "mainwindow/dlgFirstCharger.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "mainwindow/DialogLists.h"
#include "mainwindow/DialogModul.h"
#include "mainwindow/dlgFirstComPortSelection.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/ModalDialogRunner.h"
#include "platform/Terminator.h"

#include <QLabel>
#include <QPushButton>

dlgFirstCharger::dlgFirstCharger(QWidget* parent)
    : SelectionDialog({QStringLiteral("dlgFirstCharger"), QStringLiteral("lblChargerText"),
                       QStringLiteral("lblCharger"), QStringLiteral("cboChargerSelection")},
                      380, parent)
{
    lblChargerText = m_explanation;
    lblCharger = m_caption;
    cboChargerSelection = m_list;

    connect(cboChargerSelection, &DataCombo::selectionChanged, this,
            ErrorGuard::slot([this] { cboChargerSelection_Change(); }));
    connect(btnOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { btnOk_Click(); }));
    connect(btnCancel, &QPushButton::clicked, this, ErrorGuard::slot([this] { btnCancel_Click(); }));

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
    if (confirmChangeNeedingRestart(QStringLiteral("0206")) != ChangeAnswer::Confirmed) {
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
