#pragma once

#include "platform/FormDialog.h"

class MesswerteErfassenLogic;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Name and remark of a new battery and the remark of its first series. It
// writes nothing itself: OK hands the texts to the records dialog (addNewAkku).
class dlgNeuerAkku : public FormDialog {
    Q_OBJECT
public:
    dlgNeuerAkku(MesswerteErfassenLogic* parentWin, QWidget* parent = nullptr);

    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click() { done(Rejected); }

    MesswerteErfassenLogic* parentWin = nullptr;
    QGroupBox* frameAkku = nullptr;
    QLabel* lblName = nullptr;
    QLineEdit* txtName = nullptr;
    QLabel* lblAkkuBemerkung = nullptr;
    QLineEdit* txtAkkuBemerkung = nullptr;
    QGroupBox* frameMessreihe = nullptr;
    QLabel* lblMessreiheBemerkung = nullptr;
    QLineEdit* txtMessreiheBemerkung = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void cancelButton() override { cmdCancel_Click(); }
};
