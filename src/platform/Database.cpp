#include "platform/Database.h"

#include "platform/Recordset.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace {
QAtomicInt connectionCounter;

QString errorText(const QSqlError& e)
{
    QString t = e.text().trimmed();
    return t.isEmpty() ? QStringLiteral("unknown database error") : t;
}
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

void Database::open(const QString& path)
{
    close();
    QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw DatabaseError(QStringLiteral("Database file not found: %1").arg(path));

    m_connection = QStringLiteral("velmoro-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(databaseUri(info.absoluteFilePath()));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!m_db.open()) {
        QString msg = errorText(m_db.lastError());
        close();
        throw DatabaseError(msg);
    }
    m_path = info.absoluteFilePath();
    try {
        // A file that is not a database only shows itself at the first read.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } catch (...) {
        close();
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

void Database::beginTransaction()
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Database is not open"));
    // Nested transactions join the outer one.
    if (m_transactionDepth == 0 && !m_db.transaction())
        throw DatabaseError(errorText(m_db.lastError()));
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
