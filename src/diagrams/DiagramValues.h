#pragma once

#include "diagrams/DiagramSampling.h"
#include "diagrams/VelmoroMinMaxWerte.h"

#include <QPointF>
#include <QString>
#include <QVector>
#include <QtGlobal>
#include <optional>

class QSqlDatabase;

// Which values a diagram shows: a series in MessWerte or TempMessWerte, whole
// (lEndWertId 0) or the phase that ends with one of its end values.
struct DiagramSource {
    qint32 lMessReiheId = 0;
    bool bTempCreated = false;
    qint32 lEndWertId = 0;
};

// The plain values chosen for a diagram: those of the series whose MessWertId
// lies strictly between afterId and beforeId (each bound only when set).
struct DiagramSelection {
    QString table;
    qint32 series = 0;
    std::optional<qint32> afterId;
    std::optional<qint32> beforeId;
    // The end value whose phase is shown; 0 for the whole series (also when
    // the end value asked for is not one of the series).
    qint32 endWertId = 0;
};

// What a load found: the sampled curves over time in minutes (voltage in V,
// current in A, capacity in Ah), their running minimum and maximum in
// milli-units, and how the values were sampled.
struct DiagramValues {
    DiagramSelection selection;
    qint64 valueCount = 0; // values in the selection
    qint32 step = 1;       // every step-th value is drawn
    qint64 rowCount = 0;   // rows planned from valueCount and step
    int skipped = 0;       // sampled values whose text did not decode
    QVector<QPointF> spannung, strom, kapazitaet;
    VelmoroMinMaxWerte minMax;

    // Fewer than 5 values, or fewer than 5 of the drawn ones decode: no
    // diagram worth the name.
    bool tooFew() const;
};

namespace DiagramValueLoader {

// The least number of values a diagram is drawn from.
constexpr qint64 kMinValues = 5;

// Finds the values of a series or of one phase: the phase of an end value
// runs from the end value before it (of either kind) to it; for the first end
// value from the series' start. Reads the end values with a forward-only
// query. Raises DatabaseError.
DiagramSelection selectValues(QSqlDatabase& db, const DiagramSource& source);

// Counts, samples and decodes the chosen values. Only the sampled values are
// read and decoded, each once; a text that does not decode is skipped and
// written to the error log, once per load. Raises DatabaseError.
DiagramValues loadValues(QSqlDatabase& db, const DiagramSource& source, const QVector<DiagramPointsRow>& points);

} // namespace DiagramValueLoader
