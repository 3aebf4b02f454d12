#pragma once

#include <QString>
#include <QWidget>

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

// The frames the program editor and the program viewer share, added to root
// in this order: the battery, the program and the self-discharge test. The
// program frame carries programFrameName (the viewer's has none).
void addProgramFrames(QWidget* dialog, QVBoxLayout* root, const char* programFrameName);

} // namespace ProgramForm
