#include "platform/ScreenFit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

QRect fitWithin(const QRect& wanted, const QRect& available)
{
    if (available.isEmpty() || wanted.isEmpty())
        return wanted;
    QRect r = wanted;
    r.setWidth(std::min(r.width(), available.width()));
    r.setHeight(std::min(r.height(), available.height()));
    if (r.right() > available.right())
        r.moveRight(available.right());
    if (r.bottom() > available.bottom())
        r.moveBottom(available.bottom());
    if (r.left() < available.left())
        r.moveLeft(available.left());
    if (r.top() < available.top())
        r.moveTop(available.top());
    return r;
}

QMargins windowFrameMargins(const QWidget* window)
{
    if (!window)
        return {};
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (window->testAttribute(Qt::WA_WState_Created) && frame != inner)
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return {};
    const int border = 4;
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return QMargins(border, std::max(title, 24) + border, border, border);
}

namespace {

QScreen* screenOf(const QWidget* window)
{
    const QPoint centre = window->frameGeometry().center();
    if (QScreen* s = QGuiApplication::screenAt(centre))
        return s;
    if (const QWidget* parent = window->parentWidget()) {
        if (QScreen* s = parent->window()->screen())
            return s;
    }
    return QGuiApplication::primaryScreen();
}

} // namespace

int titleBarWidth(const QWidget* window)
{
    if (!window)
        return 0;
    // Qt appends the display name for the window system, unless the title
    // already ends with it.
    QString title = window->windowTitle();
    const QString application = QGuiApplication::applicationDisplayName();
    if (!application.isEmpty() && !title.endsWith(application))
        title += (title.isEmpty() ? QString() : QStringLiteral(" \u2014 ")) + application;
    // The platform theme's title-bar font where it gives one, else the program's.
    QFont font = QApplication::font("QTitleBar");
    font.setBold(true);
    const int button = std::max(window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), 24);
    return QFontMetrics(font).horizontalAdvance(title) + 4 * button + 40;
}

int availableInsideWidth(const QWidget* window)
{
    if (!window)
        return 0;
    const QScreen* screen = screenOf(window);
    const QMargins frame = windowFrameMargins(window);
    return screen ? screen->availableGeometry().width() - frame.left() - frame.right() : QWIDGETSIZE_MAX;
}

void widenForTitle(QWidget* window)
{
    if (!window || !window->isWindow())
        return;
    const int wanted = std::min(titleBarWidth(window), std::min(availableInsideWidth(window), window->maximumWidth()));
    if (window->width() < wanted)
        window->resize(wanted, window->height());
}

void keepOnScreen(QWidget* window)
{
    if (!window || !window->isWindow())
        return;
    if (QScreen* screen = screenOf(window))
        keepWithin(window, screen->availableGeometry());
}

void keepWithin(QWidget* window, const QRect& area)
{
    if (!window || !window->isWindow())
        return;
    const QMargins frame = windowFrameMargins(window);
    const QRect wanted = window->geometry().marginsAdded(frame);
    const QRect fitted = fitWithin(wanted, area);
    if (fitted == wanted)
        return;
    // The inside is placed, not the frame: where the window system has not
    // told the frame yet, a move would take the inside's corner for the frame's.
    window->setGeometry(fitted.marginsRemoved(frame));
}
