#pragma once

class MainFormServices;

// How a first-start dialog was left: OK (its choice is stored: UsedLanguage,
// UsedCharger or ComPort), its Cancel button, or the window frame's close box,
// which stores nothing and ends the chain without ending the program.
enum class FirstStartAnswer { Ok, Cancel, Closed };

// The first-start choices, shown modally one after the other.
class FirstStartDialogs {
public:
    virtual ~FirstStartDialogs() = default;
    virtual FirstStartAnswer runFirstLanguage() = 0;
    virtual FirstStartAnswer runFirstCharger() = 0;
    virtual FirstStartAnswer runFirstComPort() = 0;
};
// The dialogs come from the start-up's services (StartupServices); without
// them the first-start chain cannot run and FirstStartup is left as it is.

// Start and end of the program (run while the main window loads and unloads).
void initApplication(MainFormServices& mainForm);
void closeApplication();
void checkFirstStartup();
// From here on a failure caught at a handler's edge is told in the user's
// language (the texts must be open).
void installErrorTexts();
void showNotImplemented();

// The serial link on the port of the setting ComPort (objComCommunication).
// A port that does not open shows "1092" and then the port dialog, until a
// port opens or the dialog is cancelled (which ends the program). The dialog
// comes from the start-up's services (StartupServices); without one the
// program goes on without a working link.
void openComCommunication();
// Closes the current link's port, then openComCommunication.
void reopenComCommunication();
