#pragma once

class ComPortDialogRunner;
class FirstStartDialogs;
class MainFormServices;

// What the start-up and the charger's self-description reach above core: the
// main window, the port dialog run after a failed opening, and the
// first-start dialogs. Core cannot see the program's services root, so the
// root hands them over while it lives, and the previous ones back at its
// end; only it may.
class StartupServices {
public:
    // Updates of the main window (the root's forwards them to the main
    // window once there is one); nullptr: none.
    MainFormServices* mainForm = nullptr;
    // nullptr: the program goes on without a link when its port fails.
    ComPortDialogRunner* comPortDialog = nullptr;
    // nullptr: the first-start chain does not run, FirstStartup stays as it is.
    FirstStartDialogs* firstStartDialogs = nullptr;

    // The living root's; all nullptr while there is none.
    static const StartupServices& current();

private:
    friend class ProgramServices;
    static const StartupServices* install(const StartupServices* services);
};
