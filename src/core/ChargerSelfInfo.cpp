#include "core/ChargerSelfInfo.h"

// Reading the charger's device information is not part of the program yet.
void checkChargerSelfInfo() {}
