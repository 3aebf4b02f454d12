#pragma once

class frmMDIMainForm;

// The first-start choices. Each returns false when the user cancelled; on OK
// the dialog has stored its choice (UsedLanguage, UsedCharger, ComPort).
class FirstStartDialogs {
public:
    virtual ~FirstStartDialogs() = default;
    virtual bool runFirstLanguage() = 0;
    virtual bool runFirstCharger() = 0;
    virtual bool runFirstComPort() = 0;
};
// Set before the start; without one the first-start chain cannot run and
// FirstStartup is left as it is.
void setFirstStartDialogs(FirstStartDialogs* dialogs);

// Start and end of the program (run while the main window loads and unloads).
void initApplication(frmMDIMainForm& mainForm);
void closeApplication();
void checkFirstStartup();
void showNotImplemented();

class ComPortDialogRunner;

// The serial link on the port of the setting ComPort (objComCommunication).
// A port that does not open shows "1092" and then the port dialog, until a
// port opens or the dialog is cancelled (which ends the program). Without a
// dialog installed the program goes on without a working link.
void openComCommunication();
// Closes the current link's port, then openComCommunication.
void reopenComCommunication();
// The dialog run after a failed opening; nullptr (the default) runs none.
void setComPortDialogRunner(ComPortDialogRunner* runner);
