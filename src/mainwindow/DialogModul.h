#pragma once

// Ends the program after a confirmed change of language or charger model, so
// that the next start applies it: the main window's unload without its close
// question (temporary values emptied, log released, channel visibility not
// saved).
[[noreturn]] void endForChangedSetting();
