#pragma once

#include <QVector>
#include <QtGlobal>

// One row of the reference table DiagramPoints: a series of at least
// Schwellwert values is drawn with every xteWert-th value. The rows are kept
// in ID order, thresholds from the largest down.
struct DiagramPointsRow {
    qint64 Schwellwert = 0;
    qint32 xteWert = 1;
};

namespace DiagramSampling {

// The most rows a diagram draws.
constexpr qint64 kMaxRows = 32767;

// The rows of the shared DiagramPoints recordset, in its order. Raises
// DatabaseError.
QVector<DiagramPointsRow> diagramPointsRows();

// The step for n values: xteWert of the first row whose threshold is at most
// n, else of the last row. Never below 1, and never so small that more than
// kMaxRows rows would be drawn (a table that lacks a row for so many values
// must not overflow the chart).
qint32 getDiagramStep(qint64 n, const QVector<DiagramPointsRow>& rows);

// Rows drawn for n values at step s: n / s rounded to the nearest whole
// number, a half to the even neighbour (11 / 2 gives 6, 9 / 2 gives 4). Row i
// (from 0) shows value i * s, which with this rounding never lies behind the
// last value.
qint64 diagramRowCount(qint64 n, qint32 s);

// How the sampled values are read, by the step the series' length gives:
// one pass over every value (true), or a walk over the series' index that
// reads the sampled rows alone. The pass costs about half the walk per row it
// reads, so it wins while it reads at most twice the rows; from every third
// value (20,001 values with the shipped table) the walk wins, the more so the
// more thinly the series is spread among other rows.
bool readEveryValue(qint32 s);

} // namespace DiagramSampling
