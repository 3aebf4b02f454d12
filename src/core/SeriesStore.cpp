#include "core/SeriesStore.h"

#include "platform/Database.h"
#include "platform/Recordset.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <limits>

namespace {
// Every change of batteries and series takes the write lock at its start, so
// it waits for another program's lock as long as any single change does (the
// busy time): a transaction that reads first is refused at its first write at once.
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
} // namespace

SeriesStore::SeriesStore(Database& db, std::unique_ptr<Recordset>* messWerte, std::unique_ptr<Recordset>* tempMessWerte)
    : m_db(db),
      m_messWerte(messWerte),
      m_tempMessWerte(tempMessWerte)
{
}

// --- batteries and series ------------------------------------------------------------

QVector<SeriesStore::Akku> SeriesStore::readAkkus()
{
    QSqlQuery q = forwardQuery(m_db, QStringLiteral("SELECT AkkuId, AkkuName, bemerkung FROM Akkus ORDER BY AkkuName"));
    QVector<Akku> out;
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
    return out;
}

QString SeriesStore::datumText(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

qint32 SeriesStore::insertSeriesRow(qint32 akkuId, int nummer, const QString& remark, const QDateTime& when)
{
    m_db.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, bemerkung, Datum) VALUES (?, ?, ?, ?)"),
              {akkuId, nummer, remark, datumText(when)});
    return m_db.lastInsertId().toInt();
}

void SeriesStore::deleteSeriesRows(qint32 akkuId, qint32 seriesId, int nummer)
{
    m_db.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID=?"), {seriesId});
    m_db.exec(QStringLiteral("DELETE FROM MessReihen WHERE MessReiheID=?"), {seriesId});
    m_db.exec(QStringLiteral("UPDATE MessReihen SET Nummer=Nummer-1 WHERE AkkuId=? AND Nummer>?"), {akkuId, nummer});
}

QVariant SeriesStore::seriesNummer(qint32 akkuId, qint32 seriesId)
{
    return m_db.scalar(QStringLiteral("SELECT Nummer FROM MessReihen WHERE MessReiheID=? AND AkkuId=?"),
                       {seriesId, akkuId});
}

SeriesStore::NewSeries SeriesStore::insertAkkuWithSeries(const QString& name, const QString& remark,
                                                         const QString& seriesRemark, const QDateTime& when)
{
    WriteTransaction t(m_db);
    m_db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName, bemerkung) VALUES (?, ?)"), {name, remark});
    NewSeries made;
    made.akkuId = m_db.lastInsertId().toInt();
    made.nummer = 1;
    made.seriesId = insertSeriesRow(made.akkuId, 1, seriesRemark, when);
    t.commit();
    return made;
}

SeriesStore::NewSeries SeriesStore::insertSeries(qint32 akkuId, const QString& remark, const QDateTime& when)
{
    WriteTransaction t(m_db);
    NewSeries made;
    made.akkuId = akkuId;
    made.nummer =
        m_db.scalar(QStringLiteral("SELECT COALESCE(MAX(Nummer), 0) + 1 FROM MessReihen WHERE AkkuId=?"), {akkuId})
            .toInt();
    made.seriesId = insertSeriesRow(akkuId, made.nummer, remark, when);
    t.commit();
    return made;
}

void SeriesStore::deleteAkku(qint32 akkuId)
{
    WriteTransaction t(m_db);
    m_db.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID IN "
                             "(SELECT MessReiheID FROM MessReihen WHERE AkkuId=?)"),
              {akkuId});
    m_db.exec(QStringLiteral("DELETE FROM MessReihen WHERE AkkuId=?"), {akkuId});
    m_db.exec(QStringLiteral("DELETE FROM Akkus WHERE AkkuId=?"), {akkuId});
    t.commit();
}

bool SeriesStore::deleteSeries(qint32 akkuId, qint32 seriesId)
{
    WriteTransaction t(m_db);
    const QVariant nummer = seriesNummer(akkuId, seriesId);
    if (!nummer.isValid())
        return false;
    deleteSeriesRows(akkuId, seriesId, nummer.toInt());
    t.commit();
    return true;
}

SeriesStore::Discard SeriesStore::discardSeries(qint32 akkuId, qint32 seriesId)
{
    WriteTransaction t(m_db);
    // Values only come with a recording: this series is no longer waiting.
    if (m_db.scalar(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {seriesId}).toInt() > 0)
        return Discard::Kept;
    const QVariant nummer = seriesNummer(akkuId, seriesId);
    if (nummer.isValid())
        deleteSeriesRows(akkuId, seriesId, nummer.toInt());
    // The first series was made together with its battery.
    const bool akkuGoes =
        nummer.isValid() && nummer.toInt() == 1
        && m_db.scalar(QStringLiteral("SELECT count(*) FROM MessReihen WHERE AkkuId=?"), {akkuId}).toInt() == 0;
    if (akkuGoes)
        m_db.exec(QStringLiteral("DELETE FROM Akkus WHERE AkkuId=?"), {akkuId});
    t.commit();
    return akkuGoes ? Discard::WithAkku : Discard::Discarded;
}

bool SeriesStore::isAkkuNameUnique(const QString& name)
{
    // The column sorts without regard to case; the check must not.
    return m_db.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName = ? COLLATE BINARY"), {name.trimmed()})
               .toInt()
           == 0;
}

// --- one series -----------------------------------------------------------------------

bool SeriesStore::hasSeries(qint32 akkuId, qint32 seriesId)
{
    return m_db.scalar(QStringLiteral("SELECT count(*) FROM MessReihen WHERE AkkuId=? AND MessReiheID=?"),
                       {akkuId, seriesId})
               .toInt()
           != 0;
}

void SeriesStore::setSeriesProgram(qint32 akkuId, qint32 seriesId, const QString& program, const QString& mode)
{
    m_db.exec(QStringLiteral("UPDATE MessReihen SET Programm=?, Mode=? WHERE AkkuId=? AND MessReiheID=?"),
              {program, mode, akkuId, seriesId});
}

void SeriesStore::setSeriesRemark(qint32 seriesId, const QString& remark)
{
    m_db.exec(QStringLiteral("UPDATE MessReihen SET bemerkung=? WHERE MessReiheID=?"), {remark, seriesId});
}

// --- values of a series -----------------------------------------------------------

qint32 SeriesStore::appendValue(bool recorded, qint32 series, bool ew, const QString& text)
{
    std::unique_ptr<Recordset>* table = recorded ? m_messWerte : m_tempMessWerte;
    Recordset* rs = table ? table->get() : nullptr;
    if (!rs)
        throw DatabaseError(QStringLiteral("The table of measured values is not open."));
    rs->addNew();
    rs->setField(QStringLiteral("MessReiheID"), series);
    rs->setField(QStringLiteral("EW"), ew);
    rs->setField(QStringLiteral("MessWertString"), text);
    try {
        rs->update();
    } catch (const DatabaseError&) {
        rs->cancelUpdate();
        throw;
    }
    return rs->lastModified().toInt();
}

void SeriesStore::inOneTransaction(const std::function<void()>& body)
{
    Transaction transaction(m_db);
    body();
    transaction.commit();
}

void SeriesStore::deleteTempMesswerte(qint32 lTempId)
{
    if (lTempId != 0)
        m_db.exec(QStringLiteral("DELETE FROM TempMessWerte WHERE MessReiheID=?"), {lTempId});
    else
        m_db.exec(QStringLiteral("DELETE FROM TempMessWerte"));
}

qint32 SeriesStore::firstFreeTempMessreiheID()
{
    const qint64 highest = m_db.scalar(QStringLiteral("SELECT max(MessReiheID) FROM TempMessWerte")).toLongLong();
    // Beyond the range nothing is free; the caller's counter runs out there.
    return qint32(std::clamp<qint64>(highest + 1, 1, std::numeric_limits<qint32>::max()));
}

void SeriesStore::transferTempMesswerte(qint32 lTempId, qint32 lMessReiheId)
{
    Transaction tx(m_db);
    m_db.exec(QStringLiteral("DELETE FROM TempTempMessWerte"));
    // The copies keep their MessWertId, so the order they arrive in does not
    // matter here; the insert into MessWerte below keeps the order taken.
    m_db.exec(QStringLiteral("INSERT INTO TempTempMessWerte SELECT * FROM TempMessWerte "
                             "WHERE MessReiheID=?"),
              {lTempId});
    m_db.exec(QStringLiteral("UPDATE TempTempMessWerte SET MessReiheID=? WHERE MessReiheID=?"),
              {lMessReiheId, lTempId});
    m_db.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) "
                             "SELECT TempTempMessWerte.MessReiheID, TempTempMessWerte.EW, "
                             "TempTempMessWerte.MessWertString FROM TempTempMessWerte "
                             "WHERE TempTempMessWerte.MessReiheID=? "
                             "ORDER BY TempTempMessWerte.MessWertId ASC"),
              {lMessReiheId});
    tx.commit();
}

SeriesStore::LockWait::LockWait(SeriesStore& store, int milliseconds) : m_db(store.m_db)
{
    m_db.setConnectionBusyTimeout(milliseconds);
}

SeriesStore::LockWait::~LockWait()
{
    m_db.setConnectionBusyTimeout(Database::busyTimeout());
}
