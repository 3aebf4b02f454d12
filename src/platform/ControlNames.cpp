#include "platform/ControlNames.h"

#include <QAction>
#include <QWidget>
#include <QtGlobal>

QWidget* namedControl(const QWidget& root, const QStringList& names, const QString& name)
{
    if (!names.contains(name)) {
        qWarning("no control named \"%s\" in %s", qPrintable(name), qPrintable(root.objectName()));
        return nullptr;
    }
    if (root.objectName() == name)
        return const_cast<QWidget*>(&root);
    return root.findChild<QWidget*>(name);
}

QAction* namedAction(const QWidget& root, const QStringList& names, const QString& name)
{
    if (!names.contains(name)) {
        qWarning("no control named \"%s\" in %s", qPrintable(name), qPrintable(root.objectName()));
        return nullptr;
    }
    return root.findChild<QAction*>(name);
}

QStringList missingControls(const QWidget& root, const QStringList& names)
{
    QStringList missing;
    for (const QString& name : names) {
        if (root.objectName() != name && !root.findChild<QWidget*>(name) && !root.findChild<QAction*>(name))
            missing << name;
    }
    return missing;
}
