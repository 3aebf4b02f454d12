#pragma once

#include <QHash>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

class QHBoxLayout;

// A status bar made of panels addressed by key. Each panel can be shown or
// hidden, enabled or disabled, carries a text and reports a click and a
// double-click with its key. Hidden panels take no room. A panel asks for the
// width of its whole text; when the bar cannot give it, the text is cut with
// an ellipsis and shown whole as the panel's tooltip.
class PanelStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget* parent = nullptr);

    // Appends a panel; stretch > 0 lets it take spare width.
    void addPanel(const QString& key, const QString& text = QString(), int stretch = 0);
    QStringList keys() const { return m_order; }
    bool hasPanel(const QString& key) const { return m_panels.contains(key); }

    void setPanelText(const QString& key, const QString& text);
    QString panelText(const QString& key) const;
    // Visibility as set by the program (independent of whether the bar itself is on screen).
    void setPanelVisible(const QString& key, bool visible);
    bool isPanelVisible(const QString& key) const;
    void setPanelEnabled(const QString& key, bool enabled);
    bool isPanelEnabled(const QString& key) const;

    // The widget that draws a panel (for tests and layout tweaks).
    QLabel* panel(const QString& key) const;

Q_SIGNALS:
    void panelClick(const QString& key);
    void panelDblClick(const QString& key);

private:
    class Panel;
    Panel* find(const QString& key) const;

    QHBoxLayout* m_layout = nullptr;
    QHash<QString, Panel*> m_panels;
    QStringList m_order;
};
