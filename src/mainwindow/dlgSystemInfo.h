#pragma once

#include "platform/SystemInformation.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The system information of the About box: operating system, the Qt and
// SQLite versions in use and the serial ports found.
class dlgSystemInfo : public QDialog {
    Q_OBJECT
public:
    explicit dlgSystemInfo(const SystemInformation& info, QWidget* parent = nullptr);

    QLabel* lblBetriebssystem = nullptr;
    QLabel* lblQt = nullptr;
    QLabel* lblSqlite = nullptr;
    QLabel* lblSchnittstellen = nullptr;
    QPushButton* cmdOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
