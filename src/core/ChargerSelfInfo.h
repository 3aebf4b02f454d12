#pragma once

class CommunicationProgram;

// The self-describing charger: every channel window calls this after a poll
// that got a reply while the main window's check_Ladegeraet is set.
void checkChargerSelfInfo();

// Reads the description; when the charger turned out not to describe itself,
// sets the next start to ask for the model again.
void refreshChargerSelfInfo();
// Asks channel 1 for the device information, up to three times, and applies
// a complete description. False when the charger answered the third time with
// something that is no device information.
bool readChargerSelfInfo();
// Stores a complete description: channel count and visible channels, the
// extension switch, the title text, and the limits of the "KZTx" columns.
void applyChargerSelfInfo(CommunicationProgram& info);
// The next start asks for the charger model again; the main window closes
// through its usual question.
void resetFirstStartup();
