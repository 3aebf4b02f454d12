#pragma once

#include "mainwindow/SelectionDialog.h"

#include <QString>

class DataCombo;
class QLabel;

// First step of the first start: the language. Choosing an entry switches the
// interface language at once, so the dialog relabels itself and names the
// languages in the chosen language before OK. OK stores UsedLanguage;
// Cancel ends the program.
class dlgFirstSprache : public SelectionDialog {
    Q_OBJECT
public:
    explicit dlgFirstSprache(QWidget* parent = nullptr);

    void Form_Load();
    void cboSprachAuswahl_Change();
    void btnOk_Click();
    void btnCancel_Click();

    QString selectedLanguage() const { return m_strSelectedLanguage; }

    DataCombo* cboSprachAuswahl = nullptr;
    QLabel* lblSprache = nullptr;
    QLabel* lblSpracheText = nullptr;

protected:
    void cancelButton() override { btnCancel_Click(); }
    void closedByFrame() override;

private:
    void fillLanguageDialog();

    QString m_strSelectedLanguage;
};
