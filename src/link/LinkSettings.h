#pragma once

#include <QString>

// The settings the link reads: the port (ComPort) and the end of charge a new
// program record starts with (DefaultLadeende). The settings themselves live
// above the link, in the program's database; whoever opens them hands the link
// a reader here, so the link never reaches up for them.
using LinkSettingReader = QString (*)(const QString& key);

// nullptr (the default) reads every key as empty.
void setLinkSettingReader(LinkSettingReader reader);
QString linkSetting(const QString& key);
