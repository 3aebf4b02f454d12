#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Database;

// What the About box's system-information button shows about this computer.
struct SystemInformation {
    QString operatingSystem; // product name and version
    QString kernel;          // kernel type and version
    QString architecture;
    QString qtVersion;       // the Qt library in use
    QString sqliteVersion;   // the SQLite library behind the database
    QStringList serialPorts; // device and description of each port found

    // Reads the SQLite version through the given open database; nothing when
    // that fails.
    static std::optional<SystemInformation> collect(Database& db);
};
