#pragma once

class QDialog;

// Shows a dialog modally and returns its result. Tests replace the runner
// and drive the dialog through its handlers instead of a nested event loop,
// so no test ever waits on a modal window.
class ModalDialogRunner {
public:
    virtual ~ModalDialogRunner() = default;
    virtual int run(QDialog& dialog) = 0;

    static ModalDialogRunner& instance();
    // Hands the runner over (nullptr restores exec()); returns the previous one.
    static ModalDialogRunner* setInstance(ModalDialogRunner* runner);
};

// Shorthand used by every caller that shows a dialog modally.
int execModal(QDialog& dialog);
