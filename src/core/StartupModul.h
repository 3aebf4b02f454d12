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

// The serial link on the port of the setting ComPort. Defined with the link.
void openComCommunication();
void reopenComCommunication();
