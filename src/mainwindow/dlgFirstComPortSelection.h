#pragma once

#include "mainwindow/ComPortDialog.h"

class QLabel;

// Last step of the first start: the port. OK stores ComPort; the link is
// opened later by the start sequence. Cancel keeps the stored port.
class dlgFirstComPortSelection : public ComPortDialog {
    Q_OBJECT
public:
    explicit dlgFirstComPortSelection(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOk_Click();

    QLabel* lblComPort = nullptr;
};
