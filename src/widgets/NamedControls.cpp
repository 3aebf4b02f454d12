#include "widgets/NamedControls.h"

#include "platform/ControlNames.h"
#include "platform/ControlText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

QWidget* NamedControls::find(const QString& name) const
{
    return namedControl(m_root, m_names, name);
}

void NamedControls::setText(const QString& name, const QString& text) const
{
    QWidget* w = find(name);
    if (w == &m_root)
        w->setWindowTitle(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* t = qobject_cast<QLineEdit*>(w))
        t->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
}

QString NamedControls::text(const QString& name) const
{
    const QWidget* w = find(name);
    return w == &m_root ? w->windowTitle() : controlTextOf(w);
}

void NamedControls::setToolTip(const QString& name, const QString& text) const
{
    if (QWidget* w = find(name))
        w->setToolTip(text);
}

QString NamedControls::toolTip(const QString& name) const
{
    const QWidget* w = find(name);
    return w ? w->toolTip() : QString();
}

void NamedControls::setVisible(const QString& name, bool visible) const
{
    if (QWidget* w = find(name))
        w->setHidden(!visible);
}

bool NamedControls::isVisible(const QString& name) const
{
    const QWidget* w = find(name);
    return w && !w->isHidden();
}

void NamedControls::setEnabled(const QString& name, bool enabled) const
{
    if (QWidget* w = find(name))
        w->setEnabled(enabled);
}

bool NamedControls::isEnabled(const QString& name) const
{
    const QWidget* w = find(name);
    return w && !w->testAttribute(Qt::WA_ForceDisabled);
}

void NamedControls::setChecked(const QString& name, bool checked) const
{
    if (auto* b = find<QAbstractButton>(name))
        b->setChecked(checked);
}

bool NamedControls::isChecked(const QString& name) const
{
    const auto* b = find<QAbstractButton>(name);
    return b && b->isChecked();
}

void NamedControls::setFocus(const QString& name) const
{
    if (QWidget* w = find(name))
        w->setFocus();
}

void NamedControls::clearList(const QString& name) const
{
    if (auto* l = find<QListWidget>(name))
        l->clear();
}

void NamedControls::addListItem(const QString& name, const QString& text, qint32 itemData) const
{
    if (auto* l = find<QListWidget>(name)) {
        auto* item = new QListWidgetItem(text, l);
        item->setData(Qt::UserRole, itemData);
    }
}

QStringList NamedControls::listItems(const QString& name) const
{
    QStringList lines;
    if (const auto* l = find<QListWidget>(name))
        for (int i = 0; i < l->count(); ++i)
            lines << l->item(i)->text();
    return lines;
}

qint32 NamedControls::listItemData(const QString& name, int row) const
{
    const auto* l = find<QListWidget>(name);
    if (!l || row < 0 || row >= l->count())
        return 0;
    return l->item(row)->data(Qt::UserRole).toInt();
}

int NamedControls::selectedListRow(const QString& name) const
{
    const auto* l = find<QListWidget>(name);
    const QListWidgetItem* item = l ? l->currentItem() : nullptr;
    return item && item->isSelected() ? l->row(item) : -1;
}
