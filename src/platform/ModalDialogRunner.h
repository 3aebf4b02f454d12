#pragma once

class QDialog;

// Shows a dialog modally and returns its result. Tests replace the runner
// and drive the dialog through its handlers instead of a nested event loop,
// so no test ever waits on a modal window.
class ModalDialogRunner {
public:
    virtual ~ModalDialogRunner() = default;
    virtual int run(QDialog& dialog) = 0;

private:
    // The program's services root hands its runner over while it lives, and
    // the previous one back at its end; only it may. Without one execModal
    // runs exec().
    friend class ProgramServices;
    static ModalDialogRunner* install(ModalDialogRunner* runner);
};

// The program's runner: the dialog's own exec().
class ExecDialogRunner : public ModalDialogRunner {
public:
    int run(QDialog& dialog) override;
};

// Shorthand used by every caller that shows a dialog modally.
int execModal(QDialog& dialog);
