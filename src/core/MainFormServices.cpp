#include "core/MainFormServices.h"

namespace {
MainFormServices* g_services = nullptr;
} // namespace

MainFormServices* mainFormServices()
{
    return g_services;
}

void setMainFormServices(MainFormServices* services)
{
    g_services = services;
}
