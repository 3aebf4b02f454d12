#include "platform/Database.h"

#include "platform/Recordset.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace {
QAtomicInt connectionCounter;
int g_busyTimeout = 5000;

QString errorText(const QSqlError& e)
{
    QString t = e.text().trimmed();
    return t.isEmpty() ? QStringLiteral("unknown database error") : t;
}

// The side files of a write-ahead log that an opening creates. A connection
// that failed on a full disk closes without removing them; an empty log holds
// nothing, so what this opening left behind goes, and a file that was there
// before (another program's) stays.
class SideFiles {
public:
    explicit SideFiles(const QString& databaseFile)
        : m_wal(databaseFile + QStringLiteral("-wal")),
          m_shm(databaseFile + QStringLiteral("-shm")),
          m_hadWal(QFileInfo::exists(m_wal)),
          m_hadShm(QFileInfo::exists(m_shm))
    {
    }
    void removeLeftovers() const
    {
        if (!m_hadWal && QFileInfo::exists(m_wal) && QFileInfo(m_wal).size() == 0)
            QFile::remove(m_wal);
        if (!m_hadShm && !QFileInfo::exists(m_wal))
            QFile::remove(m_shm);
    }

private:
    QString m_wal;
    QString m_shm;
    bool m_hadWal;
    bool m_hadShm;
};
} // namespace

QString Database::databaseUri(const QString& absolutePath)
{
    // Every character of the path that means something in a URI (#, ?, %, a
    // blank) is percent-encoded: a raw "#" or "?" would cut the path short and
    // drop mode=rw, and the driver would create an empty database elsewhere.
    // mode=rw: the driver must never create a missing file.
    QUrl url = QUrl::fromLocalFile(absolutePath);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("mode"), QStringLiteral("rw"));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

Database::~Database()
{
    close();
}

void Database::setBusyTimeout(int milliseconds)
{
    g_busyTimeout = milliseconds;
}

int Database::busyTimeout()
{
    return g_busyTimeout;
}

void Database::open(const QString& path, const std::function<void(Database&)>& check)
{
    close();
    QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw DatabaseError(QStringLiteral("Database file not found: %1").arg(path));
    // The driver takes an empty file for an empty database and writes one into it.
    if (info.size() == 0)
        throw DatabaseError(QStringLiteral("Database file is empty: %1").arg(path));
    {
        // A file the driver cannot write is opened read-only without a word,
        // and only the first change would fail.
        QFile probe(info.absoluteFilePath());
        if (!probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            throw DatabaseError(
                QStringLiteral("Database file cannot be written: %1 (%2)").arg(path, probe.errorString()));
    }

    const SideFiles sideFiles(info.absoluteFilePath());
    m_connection = QStringLiteral("velmoro-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(databaseUri(info.absoluteFilePath()));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(g_busyTimeout));
    if (!m_db.open()) {
        QString msg = errorText(m_db.lastError());
        close();
        sideFiles.removeLeftovers();
        throw DatabaseError(msg);
    }
    m_path = info.absoluteFilePath();
    try {
        // A file that is not a database only shows itself at the first read.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        if (check)
            check(*this);
        // The write lock, taken and given back at once: another program that
        // holds the file longer than the busy time shows here, not at the
        // first change.
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        exec(QStringLiteral("ROLLBACK"));
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } catch (...) {
        close();
        sideFiles.removeLeftovers();
        throw;
    }
}

void Database::close()
{
    if (m_connection.isEmpty())
        return;
    if (m_db.isOpen()) {
        if (m_transactionDepth > 0)
            m_db.rollback();
        m_db.close();
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
    m_path.clear();
    m_transactionDepth = 0;
}

void Database::setConnectionBusyTimeout(int milliseconds)
{
    if (!isOpen())
        return;
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(milliseconds));
}

bool Database::isOpen() const
{
    return !m_connection.isEmpty() && m_db.isOpen();
}

namespace {
// Prepares, binds and runs one statement; raises with the statement's text.
void run(QSqlQuery& q, const QString& sql, const QVariantList& params)
{
    if (!q.prepare(sql))
        throw DatabaseError(errorText(q.lastError()) + QStringLiteral(" [") + sql + QLatin1Char(']'));
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DatabaseError(errorText(q.lastError()) + QStringLiteral(" [") + sql + QLatin1Char(']'));
}
} // namespace

int Database::exec(const QString& sql, const QVariantList& params)
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Database is not open"));
    QSqlQuery q(m_db);
    run(q, sql, params);
    m_lastInsertId = q.lastInsertId();
    return q.numRowsAffected();
}

QVariant Database::scalar(const QString& sql, const QVariantList& params)
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Database is not open"));
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    run(q, sql, params);
    if (q.next())
        return q.value(0);
    return {};
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& sql)
{
    return std::make_unique<Recordset>(*this, sql);
}

void Database::shrinkWriteAheadLog() noexcept
{
    if (!isOpen() || m_transactionDepth > 0)
        return;
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

void Database::beginTransaction(Lock lock)
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Database is not open"));
    // Nested transactions join the outer one.
    if (m_transactionDepth == 0) {
        if (lock == Lock::Immediate) {
            QSqlQuery q(m_db);
            if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
                throw DatabaseError(errorText(q.lastError()));
        } else if (!m_db.transaction()) {
            throw DatabaseError(errorText(m_db.lastError()));
        }
    }
    ++m_transactionDepth;
}

void Database::commit()
{
    if (m_transactionDepth == 0)
        return;
    if (--m_transactionDepth == 0 && !m_db.commit()) {
        QString msg = errorText(m_db.lastError());
        m_db.rollback();
        throw DatabaseError(msg);
    }
}

void Database::rollback()
{
    if (m_transactionDepth == 0)
        return;
    m_transactionDepth = 0;
    if (!m_db.rollback())
        throw DatabaseError(errorText(m_db.lastError()));
}
