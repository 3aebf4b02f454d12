#pragma once

#include <QString>
#include <QStringList>

// The names of the channel window's controls: the window builds its widgets
// under them and finds them by them, the logic and the printout reach them by
// them, and the test view accepts no other.
const QStringList& kanalControlNames();

// The object name of a channel's window (frmKanal, frmKanal2 .. frmKanal4):
// through the view it stands for the window's caption.
QString kanalWindowName(int channel);
// Whether name is the window name of one of the channels.
bool isKanalWindowName(const QString& name);
