#include "platform/DatabaseCompaction.h"

#include "platform/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// The data must be on the disk before the rename makes it the only copy.
void syncPath(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        throw DatabaseError(QStringLiteral("cannot open %1 to sync it").arg(path));
    const int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0 && QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("cannot sync %1").arg(path));
#else
    Q_UNUSED(path);
#endif
}

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
} // namespace

DatabaseCompaction::DatabaseCompaction(Database& db, const QString& path, const QString& tempPath, Hook hook)
    : m_db(db),
      m_path(path),
      m_tempPath(tempPath),
      m_hook(std::move(hook))
{
}

void DatabaseCompaction::step(Step s)
{
    if (m_hook)
        m_hook(s);
}

bool DatabaseCompaction::run()
{
    m_error.clear();
    try {
        step(Step::RemoveStale);
        // A copy left by an earlier attempt would make the copy fail.
        if (QFileInfo::exists(m_tempPath) && !QFile::remove(m_tempPath))
            throw DatabaseError(QStringLiteral("cannot remove %1").arg(m_tempPath));

        step(Step::Copy);
        // The copy reads through the open connection, so committed changes
        // still in the write-ahead log are part of it.
        m_db.exec(QStringLiteral("VACUUM INTO ?"), {m_tempPath});
        syncPath(m_tempPath);

        step(Step::Close);
        m_db.close();
        // A log still beside the file (another program has it open) would be
        // replayed onto the new file at the next opening.
        const QFileInfo wal(m_path + QStringLiteral("-wal"));
        if (wal.exists() && wal.size() > 0)
            throw DatabaseError(QStringLiteral("%1 is still in use").arg(m_path));

        step(Step::Replace);
        std::error_code ec;
        std::filesystem::rename(fsPath(m_tempPath), fsPath(m_path), ec);
        if (ec)
            throw DatabaseError(
                QStringLiteral("cannot replace %1: %2").arg(m_path, QString::fromStdString(ec.message())));
        syncPath(QFileInfo(m_path).absolutePath());
    } catch (const DatabaseError& e) {
        m_error = e.description();
        QFile::remove(m_tempPath);
        if (!m_db.isOpen()) {
            try {
                m_db.open(m_path);
            } catch (const DatabaseError& again) {
                m_error += QLatin1Char('\n') + again.description();
            }
        }
        return false;
    }
    try {
        m_db.open(m_path);
    } catch (const DatabaseError& e) {
        m_error = e.description();
    }
    return true;
}
