#pragma once

#include <QString>
#include <functional>

class Database;

// Compacts an open SQLite database file without ever risking it: the
// compacted copy is written to a temporary file beside it, made durable, and
// only then renamed over the original in one atomic step. Whatever fails, the
// original stays as it was and the database is open on it again.
class DatabaseCompaction {
public:
    enum class Step { RemoveStale, Copy, Close, Replace };
    // Called before each step; a hook that throws DatabaseError makes that
    // step fail (tests use it to fail in the middle).
    using Hook = std::function<void(Step)>;

    DatabaseCompaction(Database& db, const QString& path, const QString& tempPath, Hook hook = {});

    // True when the compacted file is in place. Afterwards the database is
    // open on path in either case, unless it could not be opened again.
    bool run();
    QString errorText() const { return m_error; }

private:
    void step(Step s);

    Database& m_db;
    QString m_path;
    QString m_tempPath;
    Hook m_hook;
    QString m_error;
};
