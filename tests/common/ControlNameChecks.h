#pragma once

#include "platform/ControlNames.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QWidget>

// A test view that stands in for a window's widgets accepts exactly the names
// of the window's list: a name outside it fails the running test.
inline bool expectKnownControl(const QStringList& names, const QString& name)
{
    if (names.contains(name))
        return true;
    ADD_FAILURE() << "no control named \"" << name.toStdString() << "\"";
    return false;
}

// Every name of the window's list is carried by one of the built widgets.
inline void expectEveryControlBuilt(const QWidget& root, const QStringList& names)
{
    EXPECT_EQ(missingControls(root, names), QStringList()) << root.objectName().toStdString();
}
