#include "diagrams/DiagramValues.h"

#include "core/DbAccess.h"
#include "core/MesswertStringError.h"
#include "core/velmoroLog.h"
#include "platform/Database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <limits>

namespace DiagramValueLoader {
namespace {

// Above this many values each sampled value is asked for on its own; below
// it one pass over all texts costs less.
constexpr qint64 kSinglePassLimit = 60000;

[[noreturn]] void fail(const QSqlQuery& q)
{
    const QString text = q.lastError().text().trimmed();
    throw DatabaseError(text.isEmpty() ? QStringLiteral("unknown database error") : text);
}

void run(QSqlQuery& q, const QString& sql, const QVariantList& params)
{
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q);
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        fail(q);
}

// "FROM <table> WHERE EW=FALSE AND MessReiheId=? [AND MessWertId>?] [AND MessWertId<?]"
QString valueClause(const DiagramSelection& sel, QVariantList& params)
{
    QString sql = QStringLiteral(" FROM %1 WHERE EW=FALSE AND MessReiheId=?").arg(sel.table);
    params << sel.series;
    if (sel.afterId) {
        sql += QStringLiteral(" AND MessWertId>?");
        params << *sel.afterId;
    }
    if (sel.beforeId) {
        sql += QStringLiteral(" AND MessWertId<?");
        params << *sel.beforeId;
    }
    return sql;
}

class Decoder {
public:
    explicit Decoder(DiagramValues& values) : m_values(values) {}

    void take(qint32 id, const QString& text)
    {
        LoadedMeasurementValue v;
        try {
            v = parseMesswertString(text, false);
        } catch (const MesswertStringError& e) {
            ++m_values.skipped;
            log(id, e.description());
            return;
        }
        if (m_values.spannung.isEmpty())
            m_values.minMax.seed(v.lSpannung, v.lLadestrom, v.lKapazitaet);
        m_values.minMax.checkMinMaxKapazitaet(v.lKapazitaet);
        m_values.minMax.checkMinMaxStrom(v.lLadestrom);
        m_values.minMax.checkMinMaxSpannung(v.lSpannung);
        const double minutes = v.lTimeDiff / 60.0;
        m_values.spannung.push_back(QPointF(minutes, v.lSpannung / 1000.0));
        m_values.strom.push_back(QPointF(minutes, v.lLadestrom / 1000.0));
        m_values.kapazitaet.push_back(QPointF(minutes, v.lKapazitaet / 1000.0));
    }

private:
    void log(qint32 id, const QString& why)
    {
        if (!objLog)
            return;
        if (!m_signed) {
            objLog->writeLogSignature(QStringLiteral("Diagram"));
            m_signed = true;
        }
        objLog->writeLogEntry(QStringLiteral("%1 MessReiheID %2, MessWertId %3 skipped: %4")
                                  .arg(m_values.selection.table)
                                  .arg(m_values.selection.series)
                                  .arg(id)
                                  .arg(why));
    }

    DiagramValues& m_values;
    bool m_signed = false;
};

void readSinglePass(QSqlDatabase& db, DiagramValues& values, Decoder& decoder)
{
    QVariantList params;
    const QString sql = QStringLiteral("SELECT MessWertId, MessWertString")
                        + valueClause(values.selection, params) + QStringLiteral(" ORDER BY MessWertId ASC");
    QSqlQuery q(db);
    run(q, sql, params);
    qint64 index = 0;
    qint64 taken = 0;
    while (taken < values.rowCount && q.next()) {
        if (index % values.step == 0) {
            decoder.take(q.value(0).toInt(), q.value(1).toString());
            ++taken;
        }
        ++index;
    }
}

// Each sampled value is found from the one before: the database steps over
// the values between on its index, without reading their rows.
void readSampled(QSqlDatabase& db, DiagramValues& values, Decoder& decoder)
{
    const DiagramSelection& sel = values.selection;
    QString sql = QStringLiteral("SELECT MessWertId, MessWertString FROM %1 WHERE EW=FALSE AND MessReiheId=? "
                                 "AND MessWertId>?")
                      .arg(sel.table);
    if (sel.beforeId)
        sql += QStringLiteral(" AND MessWertId<?");
    sql += QStringLiteral(" ORDER BY MessWertId ASC LIMIT 1 OFFSET ?");
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q);
    qint64 after = sel.afterId ? *sel.afterId : std::numeric_limits<qint64>::min();
    for (qint64 row = 0; row < values.rowCount; ++row) {
        q.bindValue(0, sel.series);
        q.bindValue(1, after);
        int next = 2;
        if (sel.beforeId)
            q.bindValue(next++, *sel.beforeId);
        // The first sampled value is the first of the selection.
        q.bindValue(next, row == 0 ? 0 : values.step - 1);
        if (!q.exec())
            fail(q);
        if (!q.next())
            break;
        const qint32 id = q.value(0).toInt();
        decoder.take(id, q.value(1).toString());
        after = id;
    }
}

} // namespace

DiagramSelection selectValues(QSqlDatabase& db, const DiagramSource& source)
{
    DiagramSelection sel;
    sel.table = source.bTempCreated ? QStringLiteral("TempMessWerte") : QStringLiteral("MessWerte");
    sel.series = source.lMessReiheId;
    if (source.lEndWertId == 0)
        return sel;

    QSqlQuery q(db);
    run(q,
        QStringLiteral("SELECT MessWertId FROM %1 WHERE EW=TRUE AND MessReiheId=? ORDER BY MessWertId ASC")
            .arg(sel.table),
        {source.lMessReiheId});
    std::optional<qint32> previous;
    while (q.next()) {
        const qint32 id = q.value(0).toInt();
        if (id == source.lEndWertId) {
            sel.endWertId = id;
            sel.afterId = previous;
            sel.beforeId = id;
            return sel;
        }
        previous = id;
    }
    // No end values, or not this one: the whole series.
    return sel;
}

DiagramValues loadValues(QSqlDatabase& db, const DiagramSource& source, const QVector<DiagramPointsRow>& points)
{
    DiagramValues values;
    values.selection = selectValues(db, source);
    {
        QVariantList params;
        const QString sql = QStringLiteral("SELECT count(*)") + valueClause(values.selection, params);
        QSqlQuery q(db);
        run(q, sql, params);
        if (!q.next())
            fail(q);
        values.valueCount = q.value(0).toLongLong();
    }
    if (values.valueCount < kMinValues)
        return values;

    values.step = DiagramSampling::getDiagramStep(values.valueCount, points);
    values.rowCount = DiagramSampling::diagramRowCount(values.valueCount, values.step);
    values.spannung.reserve(qsizetype(values.rowCount));
    values.strom.reserve(qsizetype(values.rowCount));
    values.kapazitaet.reserve(qsizetype(values.rowCount));

    Decoder decoder(values);
    if (values.valueCount > kSinglePassLimit && values.step > 1)
        readSampled(db, values, decoder);
    else
        readSinglePass(db, values, decoder);
    return values;
}

} // namespace DiagramValueLoader
