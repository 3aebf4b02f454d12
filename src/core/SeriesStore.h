#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>
#include <QtGlobal>
#include <functional>
#include <memory>

class Database;
class Recordset;

// The series tables of the user database: the batteries (Akkus), their series
// (MessReihen) and the values of recorded and temporary series (MessWerte,
// TempMessWerte, and TempTempMessWerte on the way from one to the other).
// What the program writes into them, and the reads that decide a write, go
// through here. Every call raises DatabaseError; every change of more than
// one statement is one transaction, so a failure changes nothing.
class SeriesStore {
public:
    // Values are appended through the run's shared recordsets of the two
    // value tables. They are opened anew now and then (emptying the temporary
    // values does), so the store looks them up at each write; nullptr where
    // no values are appended.
    explicit SeriesStore(Database& db, std::unique_ptr<Recordset>* messWerte = nullptr,
                         std::unique_ptr<Recordset>* tempMessWerte = nullptr);

    Database& database() const { return m_db; }

    // --- batteries and series ---------------------------------------------------------
    // A change of batteries and series takes the write lock at its start, so
    // it waits for another program's lock as long as any single change does.
    struct Akku {
        qint32 id = -1;
        QString name;
        QString remark;
    };
    struct NewSeries {
        qint32 akkuId = -1;
        qint32 seriesId = -1;
        int nummer = 0;
    };

    // Every battery, ordered by name.
    QVector<Akku> readAkkus();
    // The text that Datum of a new series holds.
    static QString datumText(const QDateTime& when);
    // A new battery with its first series (number 1).
    NewSeries insertAkkuWithSeries(const QString& name, const QString& remark, const QString& seriesRemark,
                                   const QDateTime& when);
    // A new series of a battery, numbered one more than its highest (1 for a
    // battery without series).
    NewSeries insertSeries(qint32 akkuId, const QString& remark, const QDateTime& when);
    // The battery with its series and their values.
    void deleteAkku(qint32 akkuId);
    // The series of that battery with its values; the later series of the
    // battery move down by one. A series that is not the battery's changes
    // nothing. Returns whether a series was deleted.
    bool deleteSeries(qint32 akkuId, qint32 seriesId);
    // A series that waited for a program start and was never recorded:
    // deleted as deleteSeries does, and the battery with it when nothing else
    // is left of it. A series that holds values has been recorded meanwhile:
    // it is kept.
    enum class Discard { Discarded, WithAkku, Kept };
    Discard discardSeries(qint32 akkuId, qint32 seriesId);
    // Whether no battery is called exactly so (letter case counts; the stored
    // names are compared as stored with the name trimmed).
    bool isAkkuNameUnique(const QString& name);

    // --- one series ---------------------------------------------------------------------
    // Whether the battery has this series (one deleted meanwhile has not).
    bool hasSeries(qint32 akkuId, qint32 seriesId);
    // The program the series was recorded with, as the charger sent it, and
    // the name of its mode.
    void setSeriesProgram(qint32 akkuId, qint32 seriesId, const QString& program, const QString& mode);
    // The remark of a series (a series without a row takes none).
    void setSeriesRemark(qint32 seriesId, const QString& remark);

    // --- values of a series -------------------------------------------------------
    // Appends one value to a recorded series (MessWerte) or a temporary one
    // (TempMessWerte); returns the row's identity.
    qint32 appendValue(bool recorded, qint32 series, bool ew, const QString& text);
    // Runs body in one transaction that takes the write lock at its first
    // write: everything body writes is committed when it returns, nothing
    // when it raises.
    void inOneTransaction(const std::function<void()>& body);
    // 0 empties TempMessWerte; any other identifier removes that temporary
    // series.
    void deleteTempMesswerte(qint32 lTempId);
    // The lowest temporary series identifier above every one in TempMessWerte.
    qint32 firstFreeTempMessreiheID();
    // Copies a temporary series into MessWerte under the recorded series, in
    // the order its values were taken, as one transaction: either every row
    // arrives or none. The temporary rows stay; TempTempMessWerte keeps the
    // copies until the next transfer.
    void transferTempMesswerte(qint32 lTempId, qint32 lMessReiheId);

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
    qint32 insertSeriesRow(qint32 akkuId, int nummer, const QString& remark, const QDateTime& when);
    void deleteSeriesRows(qint32 akkuId, qint32 seriesId, int nummer);
    // The number of a series of that battery, or nothing when it is not the battery's.
    QVariant seriesNummer(qint32 akkuId, qint32 seriesId);

    Database& m_db;
    std::unique_ptr<Recordset>* m_messWerte;
    std::unique_ptr<Recordset>* m_tempMessWerte;
};
