#pragma once

#include "platform/FormDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The sub-title printed under the report's title.
class dlgSubTitle : public FormDialog {
    Q_OBJECT
public:
    explicit dlgSubTitle(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click();

    QLineEdit* txtSubTitle = nullptr;
    QLabel* lblSubTitle = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void cancelButton() override { cmdCancel_Click(); }
};
