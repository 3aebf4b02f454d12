#include "core/StartupModul.h"

// The serial link is not part of the program yet.
void openComCommunication() {}
void reopenComCommunication() {}
