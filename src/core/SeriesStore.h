#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

class Database;
class Recordset;

// The series tables of the user database: the batteries (Akkus), their series
// (MessReihen) and the values of recorded and temporary series (MessWerte,
// TempMessWerte). What the program writes into them, and the reads that
// decide a write, go through here. Every call raises DatabaseError.
class SeriesStore {
public:
    // Values are appended through the run's shared recordsets of the two
    // value tables. They are opened anew now and then (emptying the temporary
    // values does), so the store looks them up at each write; nullptr where
    // no values are written.
    explicit SeriesStore(Database& db, std::unique_ptr<Recordset>* messWerte = nullptr,
                         std::unique_ptr<Recordset>* tempMessWerte = nullptr);

    Database& database() const { return m_db; }

    // --- values of a series -------------------------------------------------------
    // Appends one value to a recorded series (MessWerte) or a temporary one
    // (TempMessWerte); returns the row's identity.
    qint32 appendValue(bool recorded, qint32 series, bool ew, const QString& text);
    // Runs body in one transaction that takes the write lock at its first
    // write: everything body writes is committed when it returns, nothing
    // when it raises.
    void inOneTransaction(const std::function<void()>& body);

    // --- one series ---------------------------------------------------------------------
    // Whether the battery has this series (one deleted meanwhile has not).
    bool hasSeries(qint32 akkuId, qint32 seriesId);
    // The program the series was recorded with, as the charger sent it, and
    // the name of its mode.
    void setSeriesProgram(qint32 akkuId, qint32 seriesId, const QString& program, const QString& mode);
    // The remark of a series (a series without a row takes none).
    void setSeriesRemark(qint32 seriesId, const QString& remark);

    // For as long as it lives, a write waits only this long for a lock
    // another program holds on the database; then the usual wait again.
    class LockWait {
    public:
        LockWait(SeriesStore& store, int milliseconds);
        ~LockWait();
        LockWait(const LockWait&) = delete;
        LockWait& operator=(const LockWait&) = delete;

    private:
        Database& m_db;
    };

private:
    Database& m_db;
    std::unique_ptr<Recordset>* m_messWerte;
    std::unique_ptr<Recordset>* m_tempMessWerte;
};
