#include "diagrams/DiagramSampling.h"

#include "core/DatabaseModul.h"

#include <algorithm>

namespace DiagramSampling {

QVector<DiagramPointsRow> diagramPointsRows()
{
    QVector<DiagramPointsRow> rows;
    if (!rsDiagramPoints)
        return rows;
    for (rsDiagramPoints->moveFirst(); !rsDiagramPoints->eof(); rsDiagramPoints->moveNext()) {
        DiagramPointsRow row;
        row.Schwellwert = rsDiagramPoints->field(QStringLiteral("Schwellwert")).toLongLong();
        row.xteWert = rsDiagramPoints->field(QStringLiteral("xteWert")).toInt();
        rows.push_back(row);
    }
    return rows;
}

qint32 getDiagramStep(qint64 n, const QVector<DiagramPointsRow>& rows)
{
    qint64 step = 1;
    if (!rows.isEmpty()) {
        auto it = std::find_if(rows.begin(), rows.end(), [n](const DiagramPointsRow& r) { return r.Schwellwert <= n; });
        step = (it != rows.end() ? *it : rows.back()).xteWert;
    }
    // Rows = n / step rounded; n / step <= kMaxRows keeps the rounded count there too.
    const qint64 least = n > kMaxRows ? (n + kMaxRows - 1) / kMaxRows : 1;
    return qint32(std::max(step, least));
}

qint64 diagramRowCount(qint64 n, qint32 s)
{
    if (n <= 0 || s <= 0)
        return 0;
    const qint64 whole = n / s;
    const qint64 rest2 = 2 * (n % s);
    if (rest2 > s || (rest2 == s && whole % 2 != 0))
        return whole + 1;
    return whole;
}

bool readEveryValue(qint32 s)
{
    return s <= 2;
}

} // namespace DiagramSampling
