#include "platform/FocusValidator.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

FocusValidator::FocusValidator(QWidget* window) : QObject(window), m_window(window)
{
    connect(qApp, &QApplication::focusChanged, this, &FocusValidator::focusChanged);
    qApp->installEventFilter(this);
}

FocusValidator::~FocusValidator()
{
    qApp->removeEventFilter(this);
}

void FocusValidator::addBox(QWidget* box, Check check)
{
    if (!box)
        return;
    m_boxes.insert(box, std::move(check));
    connect(box, &QObject::destroyed, this, [this, box] { m_boxes.remove(box); });
}

void FocusValidator::setCausesValidation(QWidget* control, bool causes)
{
    if (!control)
        return;
    if (causes) {
        m_quiet.remove(control);
    } else {
        m_quiet.insert(control);
        connect(control, &QObject::destroyed, this, [this, control] { m_quiet.remove(control); });
    }
}

bool FocusValidator::causesValidation(QWidget* control) const
{
    for (QWidget* w = control; w && w != m_window; w = w->parentWidget())
        if (m_quiet.contains(w))
            return false;
    return true;
}

bool FocusValidator::inWindow(QWidget* w) const
{
    return w && m_window && (w == m_window || m_window->isAncestorOf(w));
}

bool FocusValidator::runCheck(QWidget* box)
{
    const auto it = m_boxes.constFind(box);
    if (it == m_boxes.constEnd() || !it.value())
        return true;
    const Check check = it.value(); // the check may add or remove boxes
    ++m_checksRun;
    m_checking = true;
    bool accepted = true;
    try {
        accepted = check();
    } catch (...) {
        m_checking = false;
        throw;
    }
    m_checking = false;
    return accepted;
}

bool FocusValidator::validateFocused()
{
    QWidget* focused = QApplication::focusWidget();
    if (m_checking || !inWindow(focused) || !m_boxes.contains(focused))
        return true;
    return runCheck(focused);
}

void FocusValidator::focusChanged(QWidget* old, QWidget* now)
{
    if (m_checking || m_restoring || !m_boxes.contains(old) || !inWindow(now) || old == now || old->isAncestorOf(now)
        || !causesValidation(now))
        return;
    QPointer<QWidget> box(old);
    if (runCheck(old) || !box)
        return;
    m_restoring = true;
    box->setFocus(Qt::OtherFocusReason);
    m_restoring = false;
    // A mouse press gives the focus before the control sees the press: that
    // press (and the click it would make) must not reach the control.
    m_swallowClick = true;
    QTimer::singleShot(0, this, [this] { m_swallowClick = false; });
}

bool FocusValidator::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_swallowClick)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (watched->isWidgetType() && inWindow(static_cast<QWidget*>(watched))) {
            if (event->type() == QEvent::MouseButtonRelease)
                m_swallowClick = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}
