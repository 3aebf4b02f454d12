#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

// The splash window. After 3000 ms it closes and hands over to the main
// window; a key that types a character closes it and ends the program.
class frmStartLogo : public QWidget {
    Q_OBJECT
public:
    // onTimer runs when the splash time is up (it loads the main window).
    explicit frmStartLogo(std::function<void()> onTimer, QWidget* parent = nullptr);

    QTimer timerStartLogo;
    void timerStartLogo_Timer();
    void Form_KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_onTimer;
};
