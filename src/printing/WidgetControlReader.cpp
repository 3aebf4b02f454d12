#include "printing/WidgetControlReader.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

QWidget* WidgetControlReader::control(const QString& name) const
{
    return m_window ? m_window->findChild<QWidget*>(name) : nullptr;
}

bool WidgetControlReader::hasControl(const QString& name) const
{
    return control(name) != nullptr;
}

QString WidgetControlReader::controlText(const QString& name) const
{
    QWidget* w = control(name);
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<QLineEdit*>(w))
        return t->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return p->toPlainText();
    if (auto* e = qobject_cast<QTextEdit*>(w))
        return e->toPlainText();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return QString();
}

bool WidgetControlReader::isControlVisible(const QString& name) const
{
    // A hidden window's controls count as shown as long as they themselves
    // are not hidden: the printout reads windows that are not on screen.
    QWidget* w = control(name);
    return w && !w->isHidden();
}

int WidgetControlReader::controlValue(const QString& name) const
{
    if (auto* b = qobject_cast<QAbstractButton*>(control(name)))
        return b->isChecked() ? 1 : 0;
    return 0;
}

int WidgetControlReader::listCount(const QString& name) const
{
    QWidget* w = control(name);
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->count();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->count();
    return 0;
}

QString WidgetControlReader::listItem(const QString& name, int row) const
{
    QWidget* w = control(name);
    if (auto* list = qobject_cast<QListWidget*>(w))
        return row >= 0 && row < list->count() ? list->item(row)->text() : QString();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->itemText(row);
    return QString();
}

QString WidgetControlReader::windowCaption() const
{
    return m_window ? m_window->windowTitle() : QString();
}
