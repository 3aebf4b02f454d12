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

bool DiagramValues::tooFew() const
{
    return valueCount < DiagramValueLoader::kMinValues || spannung.size() < DiagramValueLoader::kMinValues;
}

namespace DiagramValueLoader {
namespace {

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
    const QString sql = QStringLiteral("SELECT MessWertId, MessWertString") + valueClause(values.selection, params)
                        + QStringLiteral(" ORDER BY MessWertId ASC");
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

// One statement walks the series' index from sampled value to sampled value,
// stepping over the values between without reading their rows, and returns
// only the sampled rows: the database is asked once, not once per point.
// The walk yields the ids in ascending order, and CROSS JOIN keeps it as the
// outer loop, so the rows come in that order without a sort.
void readSampled(QSqlDatabase& db, DiagramValues& values, Decoder& decoder)
{
    const DiagramSelection& sel = values.selection;
    const QString next = QStringLiteral("SELECT MessWertId FROM %1 WHERE EW=FALSE AND MessReiheId=? AND MessWertId>%2 "
                                        "AND MessWertId<? ORDER BY MessWertId LIMIT 1 OFFSET ?");
    const QString sql = QStringLiteral("WITH RECURSIVE sampled(id, row) AS (SELECT (%1), 1 UNION ALL "
                                       "SELECT (%2), row + 1 FROM sampled WHERE row < ? AND id IS NOT NULL) "
                                       "SELECT v.MessWertId, v.MessWertString FROM sampled "
                                       "CROSS JOIN %3 v ON v.MessWertId = sampled.id")
                            .arg(next.arg(sel.table, QStringLiteral("?")),
                                 next.arg(sel.table, QStringLiteral("sampled.id")), sel.table);
    const qint64 after = sel.afterId ? qint64(*sel.afterId) : std::numeric_limits<qint64>::min();
    const qint64 before = sel.beforeId ? qint64(*sel.beforeId) : std::numeric_limits<qint64>::max();
    QSqlQuery q(db);
    // The first sampled value is the first of the selection; each later one
    // lies step values behind the one before.
    run(q, sql, {sel.series, after, before, 0, sel.series, before, values.step - 1, values.rowCount});
    qint64 previous = std::numeric_limits<qint64>::min();
    bool inOrder = true;
    while (q.next()) {
        const qint32 id = q.value(0).toInt();
        inOrder = inOrder && id > previous;
        previous = id;
        decoder.take(id, q.value(1).toString());
    }
    // Should the database ever hand the rows over in another order, the
    // curves still run forward in time.
    if (!inOrder) {
        auto byTime = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
        for (auto* curve : {&values.spannung, &values.strom, &values.kapazitaet})
            std::stable_sort(curve->begin(), curve->end(), byTime);
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
    if (DiagramSampling::readEveryValue(values.step))
        readSinglePass(db, values, decoder);
    else
        readSampled(db, values, decoder);
    return values;
}

} // namespace DiagramValueLoader
