#include "core/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
QString g_programFolder;

bool folderWritable(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return false;
    // Asking the file system is the only reliable test (permissions, read-only mounts).
    QTemporaryFile probe(dir.filePath(QStringLiteral(".velmoro-write-test-XXXXXX")));
    if (!probe.open())
        return false;
    QFileInfo daten(dir.filePath(QStringLiteral("Daten")));
    if (daten.exists() && !daten.isWritable())
        return false;
    return true;
}

void copyIfMissing(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) || !QFileInfo::exists(from))
        return;
    // Copy under a temporary name first, so a half-copied file is never taken for a database.
    const QString tmp = to + QStringLiteral(".part");
    QFile::remove(tmp);
    if (QFile::copy(from, tmp)) {
        QFile::setPermissions(tmp, QFile::ReadOwner | QFile::WriteOwner);
        QFile::rename(tmp, to);
    }
}
} // namespace

QString resolveProgramFolder(const QString& executableFolder, const QString& userDataFolder)
{
    if (folderWritable(executableFolder))
        return executableFolder;
    QDir().mkpath(QDir(userDataFolder).filePath(QStringLiteral("Daten")));
    for (const char* name : {"velmoro.mdb", "veluser.mdb"}) {
        const QString rel = QStringLiteral("Daten/") + QLatin1String(name);
        copyIfMissing(QDir(executableFolder).filePath(rel), QDir(userDataFolder).filePath(rel));
    }
    return userDataFolder;
}

QString programFolder()
{
    return g_programFolder;
}

void setProgramFolder(const QString& folder)
{
    g_programFolder = folder;
}
