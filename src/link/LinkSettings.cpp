#include "link/LinkSettings.h"

namespace {
// A plain pointer, set before any link exists: nothing here depends on the
// order in which static objects are built.
constinit LinkSettingReader g_reader = nullptr;
} // namespace

void setLinkSettingReader(LinkSettingReader reader)
{
    g_reader = reader;
}

QString linkSetting(const QString& key)
{
    return g_reader ? g_reader(key) : QString();
}
