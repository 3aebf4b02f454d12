#pragma once

#include "platform/FormDialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Asks for the remark printed on the next report. Only OK confirms: its
// Cancel button, Escape and the frame's close box all cancel the printout.
class dlgBemerkung : public FormDialog {
    Q_OBJECT
public:
    explicit dlgBemerkung(QWidget* parent = nullptr);

    void Form_Load();
    void Form_Activate();
    void cmdOk_Click();
    void cmdCancel_Click();

    QPlainTextEdit* txtBemerkung = nullptr;
    QLabel* lblBemerkung = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void cancelButton() override { cmdCancel_Click(); }
    void closedByFrame() override { cmdCancel_Click(); }
    void showEvent(QShowEvent* event) override;
};
