#include "mainwindow/dlgSprache.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "mainwindow/DialogLists.h"
#include "mainwindow/DialogModul.h"
#include "platform/DataCombo.h"
#include "platform/MessageService.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

dlgSprache::dlgSprache(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgSprache"));
    lblSprache = new QLabel(this);
    lblSprache->setObjectName(QStringLiteral("lblSprache"));
    cboSprachAuswahl = new DataCombo(this);
    cboSprachAuswahl->setObjectName(QStringLiteral("cboSprachAuswahl"));
    lblSprache->setBuddy(cboSprachAuswahl);
    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSprache);
    layout->addWidget(cboSprachAuswahl);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(320);

    connect(btnOk, &QPushButton::clicked, this, &dlgSprache::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &dlgSprache::btnCancel_Click);

    Form_Load();
}

void dlgSprache::Form_Load()
{
    setWindowTitle(getResource(QStringLiteral("0400")));
    btnOk->setText(getResource(QStringLiteral("0100")));
    btnCancel->setText(getResource(QStringLiteral("0101")));
    lblSprache->setText(getResource(QStringLiteral("0401")));
    const QString used = objSettings().getSetting(QStringLiteral("UsedLanguage"));
    cboSprachAuswahl->setEntries(DialogLists::languages(dbVelmoro, used));
    cboSprachAuswahl->selectValue(used);
    m_strLanguageAtOpening = cboSprachAuswahl->currentValue();
}

void dlgSprache::btnOk_Click()
{
    const QString selected = cboSprachAuswahl->currentValue();
    if (selected == m_strLanguageAtOpening) {
        done(Accepted);
        return;
    }
    const auto warning = msgBox(getResource(QStringLiteral("0411")), MessageService::OkCancel,
                                MessageService::Exclamation, getResource(QStringLiteral("0410")));
    if (warning != MessageService::Ok)
        return;  // the dialog stays open
    const auto quit = msgBox(getResource(QStringLiteral("1090")), MessageService::YesNo,
                             MessageService::Information, getResource(QStringLiteral("0410")));
    if (quit != MessageService::Yes) {
        done(Rejected);
        return;
    }
    objSettings().setSetting(QStringLiteral("UsedLanguage"), selected);
    done(Accepted);
    endForChangedSetting();
}

void dlgSprache::btnCancel_Click()
{
    done(Rejected);
}
