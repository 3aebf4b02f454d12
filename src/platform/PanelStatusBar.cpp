#include "platform/PanelStatusBar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <algorithm>

class PanelStatusBar::Panel : public QLabel {
public:
    Panel(PanelStatusBar* bar, const QString& key) : QLabel(bar), m_bar(bar), m_key(key)
    {
        setObjectName(key);
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setMargin(2);
        setMinimumWidth(60);
        setTextFormat(Qt::PlainText);
    }

    // The whole text; what the panel draws is cut with an ellipsis when the
    // bar is too narrow, and the whole text is then its tooltip.
    void setFullText(const QString& text)
    {
        if (text == m_full && !text.isEmpty())
            return;
        m_full = text;
        updateGeometry();
        refresh();
    }
    QString fullText() const { return m_full; }

    // Wide enough for the whole text, so the bar gives it that room when it has it.
    QSize sizeHint() const override
    {
        QSize size = QLabel::sizeHint();
        const QMargins m = contentsMargins();
        size.setWidth(std::max(minimumWidth(),
                               fontMetrics().horizontalAdvance(m_full) + 2 * margin() + m.left() + m.right() + 2));
        return size;
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        refresh();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->position().toPoint()))
            Q_EMIT m_bar->panelClick(m_key);
        QLabel::mouseReleaseEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && isEnabled())
            Q_EMIT m_bar->panelDblClick(m_key);
        QLabel::mouseDoubleClickEvent(event);
    }

private:
    void refresh()
    {
        const int room = contentsRect().width() - 2 * margin();
        const QString shown = fontMetrics().elidedText(m_full, Qt::ElideRight, std::max(0, room));
        QLabel::setText(shown);
        setToolTip(shown == m_full ? QString() : m_full);
    }

    PanelStatusBar* m_bar;
    QString m_key;
    QString m_full;
};

PanelStatusBar::PanelStatusBar(QWidget* parent) : QWidget(parent)
{
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
}

void PanelStatusBar::addPanel(const QString& key, const QString& text, int stretch)
{
    if (m_panels.contains(key))
        return;
    auto* p = new Panel(this, key);
    p->setFullText(text);
    m_layout->addWidget(p, stretch);
    m_panels.insert(key, p);
    m_order << key;
}

PanelStatusBar::Panel* PanelStatusBar::find(const QString& key) const
{
    return m_panels.value(key, nullptr);
}

QLabel* PanelStatusBar::panel(const QString& key) const
{
    return find(key);
}

void PanelStatusBar::setPanelText(const QString& key, const QString& text)
{
    if (auto* p = find(key))
        p->setFullText(text);
}

QString PanelStatusBar::panelText(const QString& key) const
{
    auto* p = find(key);
    return p ? p->fullText() : QString();
}

void PanelStatusBar::setPanelVisible(const QString& key, bool visible)
{
    if (auto* p = find(key))
        p->setVisible(visible);
}

bool PanelStatusBar::isPanelVisible(const QString& key) const
{
    auto* p = find(key);
    return p && !p->isHidden();
}

void PanelStatusBar::setPanelEnabled(const QString& key, bool enabled)
{
    if (auto* p = find(key))
        p->setEnabled(enabled);
}

bool PanelStatusBar::isPanelEnabled(const QString& key) const
{
    auto* p = find(key);
    return p && !p->testAttribute(Qt::WA_Disabled);
}
