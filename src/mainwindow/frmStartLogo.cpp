#include "mainwindow/frmStartLogo.h"

#include "core/ProgramVersion.h"
#include "mainwindow/ProgramLogo.h"
#include "platform/Terminator.h"

#include <QKeyEvent>

frmStartLogo::frmStartLogo(std::function<void()> onTimer, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_onTimer(std::move(onTimer))
{
    setObjectName(QStringLiteral("frmStartLogo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(480, 280);
    setFocusPolicy(Qt::StrongFocus);
    timerStartLogo.setObjectName(QStringLiteral("timerStartLogo"));
    timerStartLogo.setInterval(3000);
    timerStartLogo.setSingleShot(true);
    connect(&timerStartLogo, &QTimer::timeout, this, &frmStartLogo::timerStartLogo_Timer);
    timerStartLogo.start();
}

void frmStartLogo::timerStartLogo_Timer()
{
    timerStartLogo.stop();
    auto next = m_onTimer;
    hide();
    close();
    if (next)
        next();
}

void frmStartLogo::Form_KeyPress(int)
{
    // Only the timer opens the main window; a key ends the splash and the
    // program. A splash window does not count as the application's last
    // window, so closing it alone would leave an invisible process running.
    timerStartLogo.stop();
    m_onTimer = nullptr;
    close();
    endProgram(0);
}

void frmStartLogo::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        Form_KeyPress(event->text().at(0).unicode());
    else
        QWidget::keyPressEvent(event);
}

void frmStartLogo::paintEvent(QPaintEvent*)
{
    paintProgramLogo(*this, rect(), 32, 80, QStringLiteral("Version %1").arg(programVersionText()));
}
