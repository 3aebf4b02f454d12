#pragma once

#include <QDialog>

class QDialogButtonBox;
class QPushButton;

// A dialog that tells apart its three ways out: OK (Accepted), its Cancel
// button or the Escape key (Rejected), and the close box of the window frame
// (ClosedByFrame), which leaves without running the Cancel button's handler.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    enum { ClosedByFrame = 2 };

    explicit FormDialog(QWidget* parent = nullptr);

    // Escape does what the dialog's Cancel button does.
    void reject() override;

protected:
    // Makes the dialog's OK and Cancel buttons (cmdOk, cmdCancel) in a button
    // box for its layout. OK is the default button unless Enter belongs to
    // one of the dialog's edits.
    QDialogButtonBox* okCancelButtons(QPushButton*& ok, QPushButton*& cancel, bool okIsDefault = true);
    // The Cancel button's handler; the default only rejects.
    virtual void cancelButton();
    // Called when the frame's close box closes the dialog; the default leaves
    // with ClosedByFrame.
    virtual void closedByFrame();
    void closeEvent(QCloseEvent* event) override;
    // Every dialog opens wholly on the available area of its screen, and wide
    // enough for its whole title where the screen allows it.
    void showEvent(QShowEvent* event) override;
    // A title that changes while the dialog is shown (a language picked in it)
    // gets its room too.
    void changeEvent(QEvent* event) override;
};
