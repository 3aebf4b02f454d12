#pragma once

// Copies of the shipped databases for benchmarks, so a run never changes the
// build's own files.
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Copies one shipped database file into folder, writable, and returns its path.
inline QString copyShippedDatabase(const QString& folder, const char* file)
{
    const QString to = QDir(folder).filePath(QLatin1String(file));
    QFile::copy(
        QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/") + QLatin1String(file)), to);
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    return to;
}

// A program folder with both databases copied and opened as at start-up:
// settings, texts and the global recordsets loaded.
struct ShippedProgramFolder {
    QTemporaryDir dir;
    ShippedProgramFolder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Daten"));
        for (const char* name : {"velmoro.mdb", "veluser.mdb"})
            copyShippedDatabase(dir.path() + QStringLiteral("/Daten"), name);
        openDataDatabase(dir.path());
        openUserDatabase(dir.path());
        openSettings();
        openResources();
        openGlobalRecordsets();
    }
    ~ShippedProgramFolder() { closeAllDatabases(); }
};
