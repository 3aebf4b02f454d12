#pragma once

// The self-describing charger: every channel window calls this after a poll
// that got a reply while the main window's check_Ladegeraet is set.
void checkChargerSelfInfo();
