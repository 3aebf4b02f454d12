#include "platform/ControlText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

QString controlTextOf(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<const QLineEdit*>(w))
        return t->text();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(w))
        return p->toPlainText();
    if (auto* e = qobject_cast<const QTextEdit*>(w))
        return e->toPlainText();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentIndex() < 0 ? QString() : c->currentText();
    if (auto* list = qobject_cast<const QListWidget*>(w))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return QString();
}
