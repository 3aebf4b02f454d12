#include "programs/ProgramLink.h"

ChargerPort& sharedProgramLink()
{
    return sharedChargerPort();
}
