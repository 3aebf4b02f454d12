#include "core/SeriesStore.h"

#include "platform/Database.h"
#include "platform/Recordset.h"

SeriesStore::SeriesStore(Database& db, std::unique_ptr<Recordset>* messWerte, std::unique_ptr<Recordset>* tempMessWerte)
    : m_db(db),
      m_messWerte(messWerte),
      m_tempMessWerte(tempMessWerte)
{
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

SeriesStore::LockWait::LockWait(SeriesStore& store, int milliseconds) : m_db(store.m_db)
{
    m_db.setConnectionBusyTimeout(milliseconds);
}

SeriesStore::LockWait::~LockWait()
{
    m_db.setConnectionBusyTimeout(Database::busyTimeout());
}
