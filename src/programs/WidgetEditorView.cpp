#include "programs/WidgetEditorView.h"

#include "platform/ControlNames.h"
#include "platform/ControlText.h"
#include "platform/DataCombo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

QWidget* WidgetEditorView::control(const QString& name) const
{
    return namedControl(m_window, m_names, name);
}

void WidgetEditorView::setControlText(const QString& name, const QString& text)
{
    if (name == m_window.objectName()) {
        m_window.setWindowTitle(text);
        return;
    }
    QWidget* w = control(name);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int i = c->findText(text, Qt::MatchExactly);
        if (i >= 0)
            c->setCurrentIndex(i);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* t = qobject_cast<QLineEdit*>(w)) {
        t->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    }
}

QString WidgetEditorView::controlText(const QString& name) const
{
    if (name == m_window.objectName())
        return m_window.windowTitle();
    return controlTextOf(control(name));
}

void WidgetEditorView::setControlVisible(const QString& name, bool visible)
{
    QWidget* w = control(name);
    if (!w)
        return;
    w->setVisible(visible);
    // A frame whose every control is hidden goes with them: no empty frame
    // stands in the form (the self-discharge test of a mode without one).
    auto* frame = qobject_cast<QGroupBox*>(w->parentWidget());
    if (!frame || frame == &m_window)
        return;
    bool shown = false;
    for (const QWidget* c : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        shown = shown || !c->isHidden();
    frame->setVisible(shown);
}

bool WidgetEditorView::isControlVisible(const QString& name) const
{
    QWidget* w = control(name);
    return w && !w->isHidden();
}

void WidgetEditorView::setControlEnabled(const QString& name, bool enabled)
{
    if (QWidget* w = control(name))
        w->setEnabled(enabled);
}

bool WidgetEditorView::isControlEnabled(const QString& name) const
{
    QWidget* w = control(name);
    return w && w->isEnabled();
}

void WidgetEditorView::setChecked(const QString& name, bool checked)
{
    if (auto* b = qobject_cast<QAbstractButton*>(control(name)))
        b->setChecked(checked);
}

bool WidgetEditorView::isChecked(const QString& name) const
{
    auto* b = qobject_cast<QAbstractButton*>(control(name));
    return b && b->isChecked();
}

void WidgetEditorView::clearList(const QString& name)
{
    if (auto* c = qobject_cast<QComboBox*>(control(name)))
        c->clear();
}

void WidgetEditorView::addListItem(const QString& name, const QString& text)
{
    if (auto* c = qobject_cast<QComboBox*>(control(name))) {
        const bool wasEmpty = c->count() == 0;
        c->addItem(text, text);
        // A list starts without a choice.
        if (wasEmpty)
            c->setCurrentIndex(-1);
    }
}

QStringList WidgetEditorView::listItems(const QString& name) const
{
    QStringList items;
    if (auto* c = qobject_cast<QComboBox*>(control(name)))
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
    return items;
}

int WidgetEditorView::listIndex(const QString& name) const
{
    auto* c = qobject_cast<QComboBox*>(control(name));
    return c ? c->currentIndex() : -1;
}

void WidgetEditorView::setListIndex(const QString& name, int index)
{
    if (auto* c = qobject_cast<QComboBox*>(control(name)))
        c->setCurrentIndex(index);
}

void WidgetEditorView::setBoundEntries(const QString& name, const QVector<ListEntry>& entries)
{
    if (auto* c = qobject_cast<DataCombo*>(control(name)))
        c->setEntries(entries);
}

QString WidgetEditorView::boundText(const QString& name) const
{
    auto* c = qobject_cast<DataCombo*>(control(name));
    return c ? c->currentValue() : QString();
}

void WidgetEditorView::setBoundText(const QString& name, const QString& value)
{
    if (auto* c = qobject_cast<DataCombo*>(control(name)))
        c->selectValue(value);
}

void WidgetEditorView::setFocusTo(const QString& name)
{
    if (QWidget* w = control(name))
        w->setFocus(Qt::OtherFocusReason);
}
