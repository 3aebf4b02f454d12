#include "channels/KanalLink.h"

ChargerPort& sharedKanalLink()
{
    return sharedChargerPort();
}
