#pragma once

#include "link/ChargerPort.h"

// The port every channel window uses unless it is given another.
ChargerPort& sharedKanalLink();
