#pragma once

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

// The frames that the channel window and the stored series window share, with
// the control names the printout reads in both: the program frame and the
// frame of end values, battery condition, self-discharge and remark.
namespace SeriesFrames {

QLabel* label(QWidget* parent, const char* name);
QLineEdit* textBox(QWidget* parent, const char* name, bool readOnly = true);
// A list in a fixed-width font: its rows are columns of fixed width.
QListWidget* listBox(QWidget* parent, const char* name);

// frameAkkuprogramm: battery type, mode and nominal capacity.
QGroupBox* programFrame(QWidget* parent);
// frameAkkumesswerte: both end-value lists with their headings, condition,
// self-discharge and the remark box (editable where the series is recorded).
QGroupBox* endValueFrame(QWidget* parent, bool remarkEditable);

} // namespace SeriesFrames
