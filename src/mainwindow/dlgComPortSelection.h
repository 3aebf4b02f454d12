#pragma once

#include "mainwindow/ComPortDialog.h"

// The port from the settings menu, and the recovery dialog after the port
// failed to open (then bStartup is True and Cancel ends the program). OK
// stores ComPort and shows it in the title; from the menu it also re-opens
// the link on the new port, while on the recovery road the caller retries.
class dlgComPortSelection : public ComPortDialog {
    Q_OBJECT
public:
    explicit dlgComPortSelection(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOk_Click();
};
