#include "core/StartupServices.h"

namespace {
const StartupServices* g_services = nullptr;
} // namespace

const StartupServices& StartupServices::current()
{
    static const StartupServices none;
    return g_services ? *g_services : none;
}

const StartupServices* StartupServices::install(const StartupServices* services)
{
    const StartupServices* previous = g_services;
    g_services = services;
    return previous;
}
