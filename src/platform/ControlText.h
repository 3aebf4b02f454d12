#pragma once

#include <QString>

class QWidget;

// The text a control shows, whatever kind of control it is: a label's or
// edit's text, a frame's title, a button's caption, the chosen entry of a
// combo or list. A missing control or one without text reads as empty.
QString controlTextOf(const QWidget* w);
