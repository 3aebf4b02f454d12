#pragma once

#include "mainwindow/SelectionDialog.h"

#include <QString>

class DataCombo;
class QLabel;

// The charger model: a step of the first start while FirstStartup is "YES"
// (checked at every step), the settings dialog otherwise. In settings mode a
// different model is applied by ending the program after two confirmations.
class dlgFirstCharger : public SelectionDialog {
    Q_OBJECT
public:
    explicit dlgFirstCharger(QWidget* parent = nullptr);

    // Set by the first-start chain, which shows the port dialog itself; when
    // false, OK in first-start mode shows it from here.
    bool bChainedByStartup = false;

    void Form_Load();
    void cboChargerSelection_Change();
    void btnOk_Click();
    void btnCancel_Click();

    QString selectedCharger() const { return m_strSelectedCharger; }

    DataCombo* cboChargerSelection = nullptr;
    QLabel* lblCharger = nullptr;
    QLabel* lblChargerText = nullptr;

protected:
    void cancelButton() override { btnCancel_Click(); }

private:
    static bool isFirstStartup();

    QString m_strSelectedCharger;
    QString m_strChargerAtOpening;
};
