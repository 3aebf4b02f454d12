#pragma once

#include "mainwindow/SelectionDialog.h"

#include <QString>

class DataCombo;
class QLabel;

// The language from the settings menu. A different language is applied by
// ending the program after two confirmations; the next start reads it.
class dlgSprache : public SelectionDialog {
    Q_OBJECT
public:
    explicit dlgSprache(QWidget* parent = nullptr);

    void Form_Load();
    void btnOk_Click();
    void btnCancel_Click();

    QString languageAtOpening() const { return m_strLanguageAtOpening; }

    DataCombo* cboSprachAuswahl = nullptr;
    QLabel* lblSprache = nullptr;

protected:
    void cancelButton() override { btnCancel_Click(); }

private:
    QString m_strLanguageAtOpening;
};
