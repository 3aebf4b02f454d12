#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>

class QWidget;

// Checks a text box when the user moves the focus from it to another control
// of the same window, and keeps the focus in the box when the check refuses
// its content: the other control does not get the focus, and a button clicked
// to move it is not pressed. Controls ask for the check unless told otherwise
// (a Cancel button must not, so the window can always be closed); the Escape
// key moves no focus and checks nothing.
//
// A check may show a message box: whatever the focus does while the check
// runs is not a move of the user's. Putting the focus back on a refused box
// checks no other box, so two refused boxes never hand the focus back and
// forth.
//
//     FocusValidator validator(dialog);
//     validator.addBox(txtLadestrom, [&] { return logic.txtBox_Validate(...); });
//     validator.setCausesValidation(cmdCancelButton, false);
class FocusValidator : public QObject {
    Q_OBJECT
public:
    // Returns true to let the focus go; false keeps it in the box (the check
    // has told the user why).
    using Check = std::function<bool()>;

    explicit FocusValidator(QWidget* window);
    ~FocusValidator() override;

    void addBox(QWidget* box, Check check);
    void setCausesValidation(QWidget* control, bool causes);
    bool causesValidation(QWidget* control) const;

    // Runs the check of the box that has the focus (true when none has),
    // for an action that must not go on with a refused value.
    bool validateFocused();

    // How often a check ran (for tests and the curious).
    int checksRun() const { return m_checksRun; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* old, QWidget* now);
    bool inWindow(QWidget* w) const;
    bool runCheck(QWidget* box);

    QPointer<QWidget> m_window;
    QHash<QWidget*, Check> m_boxes;
    QSet<QWidget*> m_quiet;      // controls that do not ask for the check
    bool m_checking = false;     // a check, with its message box, is running
    bool m_restoring = false;    // the focus goes back to a refused box
    bool m_swallowClick = false; // the press that tried to move the focus is dropped
    int m_checksRun = 0;
};
