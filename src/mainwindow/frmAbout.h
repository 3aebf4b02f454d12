#pragma once

#include <QDialog>

class QPushButton;

// The About box: a picture with the program's name and version, OK, and the
// button that shows the system information.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOk_Click();
    void cmdSysInfo_Click();
    // Shows the system information, or says that there is none to show.
    void StartSysInfo();

    QPushButton* cmdOk = nullptr;
    QPushButton* cmdSysInfo = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
