#pragma once

#include "link/ChargerPort.h"

// The port the program editor uses unless it is given another.
ChargerPort& sharedProgramLink();
