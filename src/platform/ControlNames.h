#pragma once

#include <QString>
#include <QStringList>

class QAction;
class QWidget;

// A window's logic, its printout and its tests reach its controls by name.
// Each window keeps one list of those names; the widgets are built under
// them, the test view accepts only them, and a test compares the two, so a
// misspelt name fails a test instead of silently reaching nothing.

// The control of that name below root, nullptr when there is none. Only names
// of the window's list are looked up; any other is a slip of the caller.
QWidget* namedControl(const QWidget& root, const QStringList& names, const QString& name);

// The same for a menu item or a menu's own action, which are no widgets.
QAction* namedAction(const QWidget& root, const QStringList& names, const QString& name);

// The names of the list that no control (widget or menu item) below root carries.
QStringList missingControls(const QWidget& root, const QStringList& names);
