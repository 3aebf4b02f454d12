#include "mainwindow/dlgFirstSprache.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "mainwindow/DialogLists.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/Terminator.h"

#include <QLabel>
#include <QPushButton>

dlgFirstSprache::dlgFirstSprache(QWidget* parent)
    : SelectionDialog({QStringLiteral("dlgFirstSprache"), QStringLiteral("lblSpracheText"),
                       QStringLiteral("lblSprache"), QStringLiteral("cboSprachAuswahl")},
                      360, parent)
{
    lblSpracheText = m_explanation;
    lblSprache = m_caption;
    cboSprachAuswahl = m_list;

    connect(cboSprachAuswahl, &DataCombo::selectionChanged, this,
            ErrorGuard::slot([this] { cboSprachAuswahl_Change(); }));
    connect(btnOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { btnOk_Click(); }));
    connect(btnCancel, &QPushButton::clicked, this, ErrorGuard::slot([this] { btnCancel_Click(); }));

    Form_Load();
}

void dlgFirstSprache::Form_Load()
{
    m_strSelectedLanguage = objSettings().getSetting(QStringLiteral("UsedLanguage"));
    fillLanguageDialog();
}

void dlgFirstSprache::fillLanguageDialog()
{
    setWindowTitle(getResource(QStringLiteral("0400")));
    btnOk->setText(getResource(QStringLiteral("0102")));
    btnCancel->setText(getResource(QStringLiteral("0101")));
    lblSprache->setText(getResource(QStringLiteral("0401")));
    lblSpracheText->setText(getResource(QStringLiteral("0402")));
    cboSprachAuswahl->setEntries(DialogLists::languages(dbVelmoro, m_strSelectedLanguage));
    cboSprachAuswahl->selectValue(m_strSelectedLanguage, Qt::CaseInsensitive);
}

void dlgFirstSprache::cboSprachAuswahl_Change()
{
    m_strSelectedLanguage = cboSprachAuswahl->currentValue();
    objResources().setLanguageKey(m_strSelectedLanguage);
    fillLanguageDialog();
}

void dlgFirstSprache::btnOk_Click()
{
    objSettings().setSetting(QStringLiteral("UsedLanguage"), m_strSelectedLanguage);
    done(Accepted);
}

void dlgFirstSprache::btnCancel_Click()
{
    done(Rejected);
    closeApplication();
    endProgram(0);
}

void dlgFirstSprache::closedByFrame()
{
    // Nothing was chosen, so the texts go back to the stored language rather
    // than staying in one the settings do not name.
    objResources().setLanguageKey(objSettings().getSetting(QStringLiteral("UsedLanguage")));
    done(ClosedByFrame);
}
