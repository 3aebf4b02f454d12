#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <stdexcept>

class Recordset;

// Raised by every database call that fails. The callers decide where a failure
// is caught: start-up ends the program, a poll tick tells the user once and goes on.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString description() const { return m_message; }

private:
    QString m_message;
};

// One SQLite file. Opening never creates a file: a missing or unreadable file
// is an error, so a wrong folder can never leave an empty database behind.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Throws DatabaseError when the file is missing, empty, read-only, no
    // database, or held by another connection longer than the busy time.
    // check runs once the file is known to be a database and before anything
    // is written to it; what it throws fails the opening, the file unchanged.
    // A failed opening leaves none of the side files it created (-wal, -shm).
    void open(const QString& path, const std::function<void(Database&)>& check = {});
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }
    // The URI the driver opens for a file: percent-encoded, read-write, never creating.
    static QString databaseUri(const QString& absolutePath);
    // How long a statement waits for another connection's lock (ms); for
    // connections opened afterwards.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();
    // The same for this open connection, from now on.
    void setConnectionBusyTimeout(int milliseconds);

    // One statement per call; values are bound, never pasted into the text.
    // Returns the number of rows changed.
    int exec(const QString& sql, const QVariantList& params = {});
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    QVariant lastInsertId() const { return m_lastInsertId; }

    std::unique_ptr<Recordset> openRecordset(const QString& sql);

    // Deferred takes the write lock at the first write; Immediate at once, so
    // a change that reads before it writes waits for another program's lock
    // the busy time, instead of being refused at its first write.
    enum class Lock { Deferred, Immediate };
    void beginTransaction(Lock lock = Lock::Deferred);
    void commit();
    void rollback();
    bool inTransaction() const { return m_transactionDepth > 0; }
    // Folds what was committed into the file and cuts the write-ahead log to
    // nothing. Outside a transaction; never raises.
    void shrinkWriteAheadLog() noexcept;

    QSqlDatabase& handle() { return m_db; }
    QString connectionName() const { return m_connection; }

private:
    QSqlDatabase m_db;
    QString m_connection;
    QString m_path;
    QVariant m_lastInsertId;
    int m_transactionDepth = 0;
};

// Commits on commit(), rolls back when it goes out of scope without one, so an
// exception in the middle of a multi-statement change leaves nothing half done.
class Transaction {
public:
    explicit Transaction(Database& db, Database::Lock lock = Database::Lock::Deferred) : m_db(db)
    {
        m_db.beginTransaction(lock);
    }
    ~Transaction()
    {
        if (!m_done) {
            try {
                m_db.rollback();
            } catch (...) {
            }
        }
    }
    void commit()
    {
        m_db.commit();
        m_done = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};
