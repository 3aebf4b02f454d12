#pragma once

#include "platform/ControlNames.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class ProgramEditorLogic;
class QVBoxLayout;

namespace ProgramForm {

// A control of the program form, made below parent with its name.
template <class W>
W* make(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// The control of that name below dialog, looked up in the window's list of
// names; nullptr when it is not of that kind.
template <class W>
W* named(const QWidget& dialog, const QStringList& names, const char* name)
{
    return qobject_cast<W*>(namedControl(dialog, names, QString::fromLatin1(name)));
}

// The frames the program editor and the program viewer share, added to root
// in this order: the battery, the program and the self-discharge test. The
// program frame carries programFrameName (the viewer's has none).
void addProgramFrames(QWidget* dialog, QVBoxLayout* root, const char* programFrameName);

// The user's picks that lay the form out, in the editor and the viewer
// alike, each through the error guard: battery type, mode, nominal voltage,
// cells, the two C-rates, the battery options, target capacity and the
// self-discharge test.
void connectLayoutHandlers(QWidget* dialog, ProgramEditorLogic& logic);

} // namespace ProgramForm
