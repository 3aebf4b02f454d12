#pragma once

#include "platform/FormDialog.h"

class MesswerteErfassenLogic;
class QLabel;
class QLineEdit;
class QPushButton;

// The remark of a new series. OK hands it to the records dialog
// (addNewMeasurementRow); an empty remark is allowed.
class dlgNeueMessreihe : public FormDialog {
    Q_OBJECT
public:
    dlgNeueMessreihe(MesswerteErfassenLogic* parentWin, QWidget* parent = nullptr);

    // Narrower than this the remark box is too short to read what is typed.
    static constexpr int kMinimumWidth = 360;

    void Form_Load();
    void cmdOKButton_Click();
    void cmdCancelButton_Click() { done(Rejected); }

    MesswerteErfassenLogic* parentWin = nullptr;
    QLabel* lblBemerkung = nullptr;
    QLineEdit* txtBemerkung = nullptr;
    QPushButton* cmdOKButton = nullptr;
    QPushButton* cmdCancelButton = nullptr;

protected:
    void cancelButton() override { cmdCancelButton_Click(); }
};
