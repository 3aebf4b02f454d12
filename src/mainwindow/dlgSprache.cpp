#include "mainwindow/dlgSprache.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "mainwindow/DialogLists.h"
#include "mainwindow/DialogModul.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"

#include <QLabel>
#include <QPushButton>

dlgSprache::dlgSprache(QWidget* parent)
    : SelectionDialog(
        {QStringLiteral("dlgSprache"), QString(), QStringLiteral("lblSprache"), QStringLiteral("cboSprachAuswahl")},
        320, parent)
{
    lblSprache = m_caption;
    cboSprachAuswahl = m_list;

    connect(btnOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { btnOk_Click(); }));
    connect(btnCancel, &QPushButton::clicked, this, ErrorGuard::slot([this] { btnCancel_Click(); }));

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
    // A stored code in another letter case ("en") is the same language.
    cboSprachAuswahl->selectValue(used, Qt::CaseInsensitive);
    m_strLanguageAtOpening = cboSprachAuswahl->currentValue();
}

void dlgSprache::btnOk_Click()
{
    const QString selected = cboSprachAuswahl->currentValue();
    if (selected == m_strLanguageAtOpening) {
        done(Accepted);
        return;
    }
    const ChangeAnswer answer = confirmChangeNeedingRestart(QStringLiteral("0411"));
    if (answer == ChangeAnswer::WarningDeclined)
        return; // the dialog stays open
    if (answer == ChangeAnswer::QuitDeclined) {
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
