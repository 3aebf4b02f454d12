#include "platform/PanelStatusBar.h"

#include <QHBoxLayout>
#include <QMouseEvent>

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

protected:
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
    PanelStatusBar* m_bar;
    QString m_key;
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
    p->setText(text);
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
        p->setText(text);
}

QString PanelStatusBar::panelText(const QString& key) const
{
    auto* p = find(key);
    return p ? p->text() : QString();
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
