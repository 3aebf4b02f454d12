#include "records/RecordsStore.h"

#include "platform/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace RecordsStore {

namespace {
// Every change here takes the write lock at its start, so it waits for
// another program's lock as long as any single change does (the busy time):
// a transaction that reads first is refused at its first write at once.
class WriteTransaction : public Transaction {
public:
    explicit WriteTransaction(Database& db) : Transaction(db, Database::Lock::Immediate) {}
};

QSqlQuery forwardQuery(Database& db, const QString& sql, const QVariantList& params = {})
{
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DatabaseError(q.lastError().text());
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    return q;
}

qint32 insertSeriesRow(Database& db, qint32 akkuId, int nummer, const QString& remark, const QDateTime& when)
{
    db.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, bemerkung, Datum) VALUES (?, ?, ?, ?)"),
            {akkuId, nummer, remark, datumText(when)});
    return db.lastInsertId().toInt();
}

void deleteSeriesRows(Database& db, qint32 akkuId, qint32 seriesId, int nummer)
{
    db.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID=?"), {seriesId});
    db.exec(QStringLiteral("DELETE FROM MessReihen WHERE MessReiheID=?"), {seriesId});
    db.exec(QStringLiteral("UPDATE MessReihen SET Nummer=Nummer-1 WHERE AkkuId=? AND Nummer>?"), {akkuId, nummer});
}

// The number of a series of that battery, or nothing when it is not the battery's.
QVariant seriesNummer(Database& db, qint32 akkuId, qint32 seriesId)
{
    return db.scalar(QStringLiteral("SELECT Nummer FROM MessReihen WHERE MessReiheID=? AND AkkuId=?"),
                     {seriesId, akkuId});
}
} // namespace

QVector<Akku> readAkkus(Database& db)
{
    QSqlQuery q = forwardQuery(db, QStringLiteral("SELECT AkkuId, AkkuName, bemerkung FROM Akkus ORDER BY AkkuName"));
    QVector<Akku> out;
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
    return out;
}

QString datumText(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

NewSeries insertAkkuWithSeries(Database& db, const QString& name, const QString& remark, const QString& seriesRemark,
                               const QDateTime& when)
{
    WriteTransaction t(db);
    db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName, bemerkung) VALUES (?, ?)"), {name, remark});
    NewSeries made;
    made.akkuId = db.lastInsertId().toInt();
    made.nummer = 1;
    made.seriesId = insertSeriesRow(db, made.akkuId, 1, seriesRemark, when);
    t.commit();
    return made;
}

NewSeries insertSeries(Database& db, qint32 akkuId, const QString& remark, const QDateTime& when)
{
    WriteTransaction t(db);
    NewSeries made;
    made.akkuId = akkuId;
    made.nummer =
        db.scalar(QStringLiteral("SELECT COALESCE(MAX(Nummer), 0) + 1 FROM MessReihen WHERE AkkuId=?"), {akkuId})
            .toInt();
    made.seriesId = insertSeriesRow(db, akkuId, made.nummer, remark, when);
    t.commit();
    return made;
}

void deleteAkku(Database& db, qint32 akkuId)
{
    WriteTransaction t(db);
    db.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID IN "
                           "(SELECT MessReiheID FROM MessReihen WHERE AkkuId=?)"),
            {akkuId});
    db.exec(QStringLiteral("DELETE FROM MessReihen WHERE AkkuId=?"), {akkuId});
    db.exec(QStringLiteral("DELETE FROM Akkus WHERE AkkuId=?"), {akkuId});
    t.commit();
}

bool deleteSeries(Database& db, qint32 akkuId, qint32 seriesId)
{
    WriteTransaction t(db);
    const QVariant nummer = seriesNummer(db, akkuId, seriesId);
    if (!nummer.isValid())
        return false;
    deleteSeriesRows(db, akkuId, seriesId, nummer.toInt());
    t.commit();
    return true;
}

Discard discardSeries(Database& db, qint32 akkuId, qint32 seriesId)
{
    WriteTransaction t(db);
    // Values only come with a recording: this series is no longer waiting.
    if (db.scalar(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {seriesId}).toInt() > 0)
        return Discard::Kept;
    const QVariant nummer = seriesNummer(db, akkuId, seriesId);
    if (nummer.isValid())
        deleteSeriesRows(db, akkuId, seriesId, nummer.toInt());
    // The first series was made together with its battery.
    const bool akkuGoes =
        nummer.isValid() && nummer.toInt() == 1
        && db.scalar(QStringLiteral("SELECT count(*) FROM MessReihen WHERE AkkuId=?"), {akkuId}).toInt() == 0;
    if (akkuGoes)
        db.exec(QStringLiteral("DELETE FROM Akkus WHERE AkkuId=?"), {akkuId});
    t.commit();
    return akkuGoes ? Discard::WithAkku : Discard::Discarded;
}

bool isAkkuNameUnique(Database& db, const QString& name)
{
    // The column sorts without regard to case; the check must not.
    return db.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName = ? COLLATE BINARY"), {name.trimmed()})
               .toInt()
           == 0;
}

} // namespace RecordsStore
