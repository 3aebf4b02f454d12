#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QWidget>

#include <array>

class QLabel;
class QListWidget;

// The frames that the channel window and the stored series window share, with
// the control names the printout reads in both: the program frame and the
// frame of end values, battery condition, self-discharge and remark.
namespace SeriesFrames {

QLabel* label(QWidget* parent, const char* name);
// A read-only box cuts a text too long for it at the end (CutTextBox).
QLineEdit* textBox(QWidget* parent, const char* name, bool readOnly = true);
// A list in a fixed-width font: its rows are columns of fixed width. It is
// never narrower than one whole row.
QListWidget* listBox(QWidget* parent, const char* name);

// frameAkkuprogramm: battery type, mode and nominal capacity.
QGroupBox* programFrame(QWidget* parent);
// frameAkkumesswerte: both end-value lists with their headings, condition,
// self-discharge and the remark box (editable where the series is recorded).
QGroupBox* endValueFrame(QWidget* parent, bool remarkEditable);

// A frame whose title never makes it wider: a title longer than the frame
// is cut with an ellipsis and shown whole as its tooltip. title() keeps the
// whole text.
class TitledFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit TitledFrame(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    // The title as drawn at the frame's present width.
    QString shownTitle() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A read-only text box that shows the beginning of a text too long for it,
// cut with an ellipsis, and the whole text as its tooltip; text() keeps the
// whole text, which the printout reads. With the focus it is an ordinary box
// again, so the user can scroll and select the text.
class CutTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CutTextBox(QWidget* parent = nullptr);
    // The text as drawn without the focus at the box's present width.
    QString shownText() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the box draws its line of text.
    QRect lineRect() const;
};

// The column headings of an end-value list: each label stands over its
// column of the list's rows, its right edge where the column's values end,
// also when the list scrolls sideways.
class ColumnHeadings : public QWidget {
    Q_OBJECT
public:
    // Number, Ah, Volt and minutes, in this order; the labels become children
    // of the headings. The headings must share the list's parent.
    ColumnHeadings(QListWidget* list, const std::array<QLabel*, 4>& labels, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QListWidget* m_list;
    std::array<QLabel*, 4> m_labels;
};

} // namespace SeriesFrames
