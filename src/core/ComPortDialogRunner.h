#pragma once

// The COM-port dialog shown after the port could not be opened. The start-up
// (and every re-creation of the link) shows message "1092" and then runs this;
// it repeats both until the port opens or the user cancels.
class ComPortDialogRunner {
public:
    virtual ~ComPortDialogRunner() = default;
    // Shows the port dialog modally, as after a failed opening (Cancel must
    // end the program). On OK the dialog has stored the chosen port in the
    // setting ComPort and returns true; it does not reopen the link itself:
    // the caller does. Returns false on Cancel; the caller then ends the
    // program at once.
    virtual bool runAfterFailedOpen() = 0;
};
