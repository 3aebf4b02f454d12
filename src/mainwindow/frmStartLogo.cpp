#include "mainwindow/frmStartLogo.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>

frmStartLogo::frmStartLogo(std::function<void()> onTimer, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_onTimer(std::move(onTimer))
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
    // Only the timer opens the main window; a key just ends the splash and,
    // with no window left, the program.
    timerStartLogo.stop();
    m_onTimer = nullptr;
    close();
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
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(24, 64, 120));
    g.setColorAt(1, QColor(8, 24, 48));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(32);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("velmoro"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 80, 0, 0), Qt::AlignCenter,
               QStringLiteral("Version %1").arg(QStringLiteral(VELMORO_VERSION)));
}
