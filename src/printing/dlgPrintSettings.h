#pragma once

#include "platform/FormDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Height of the report's header area and whether the report carries the date.
class dlgPrintSettings : public FormDialog {
    Q_OBJECT
public:
    explicit dlgPrintSettings(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click();

    QLineEdit* txtHeigth = nullptr;
    QCheckBox* chkShowDate = nullptr;
    QLabel* lblText = nullptr;
    QLabel* lblChkBox = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void cancelButton() override { cmdCancel_Click(); }
};
