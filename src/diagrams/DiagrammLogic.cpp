#include "diagrams/DiagrammLogic.h"

#include "core/programSettings.h"

#include <QSqlDatabase>
#include <algorithm>
#include <cmath>

bool DiagrammLogic::loadDiagramData(QSqlDatabase& db, const QVector<DiagramPointsRow>& points)
{
    DiagramSource source;
    source.lMessReiheId = lMessReiheId;
    source.bTempCreated = bTempCreated;
    source.lEndWertId = lEndWertId;
    DiagramValues values = DiagramValueLoader::loadValues(db, source, points);
    if (values.tooFew())
        return false;

    m_values = std::move(values);
    m_loaded = true;
    lEndWertId = m_values.selection.endWertId;
    // The value axis first spans the voltage in whole volts; the check boxes
    // and the user's ranges then have the last word.
    yAxis.minimum = wholeUnitsDown(m_values.minMax.MinSpannung);
    yAxis.maximum = wholeUnitsDown(m_values.minMax.MaxSpannung) + 1;
    formatChart();
    return true;
}

void DiagrammLogic::formatChart()
{
    m_shown[Strom] = false;
    m_shown[Kapazitaet] = false;
    refreshMinMaxStatLines();
    refreshGrids();
    setChecked(Spannung, true);
    setChecked(Strom, false);
    setChecked(Kapazitaet, false);
    // A reused window whose boxes did not change would otherwise keep axes
    // drawn for the previous values and lose a fixed range set by the user.
    recalcAxes();
}

void DiagrammLogic::checkBoxClicked(Curve c, bool ticked)
{
    m_checked[c] = ticked;
    m_shown[c] = ticked;
    recalcAxes();
}

void DiagrammLogic::setChecked(Curve c, bool ticked)
{
    if (m_checked[c] != ticked)
        checkBoxClicked(c, ticked);
}

void DiagrammLogic::recalcAxes()
{
    recalcYAxis();
    recalcXAxis();
}

std::pair<qint32, qint32> DiagrammLogic::curveRange(Curve c) const
{
    const VelmoroMinMaxWerte& m = m_values.minMax;
    switch (c) {
    case Spannung:
        return {m.MinSpannung, m.MaxSpannung};
    case Strom:
        return {m.MinStrom, m.MaxStrom};
    case Kapazitaet:
        break;
    }
    return {m.MinKapazitaet, m.MaxKapazitaet};
}

void DiagrammLogic::recalcYAxis()
{
    if (!yAxisRange.bAutomatic) {
        yAxis.maximum = yAxisRange.dMaxValue;
        yAxis.minimum = yAxisRange.dMinValue;
        // The divisions of the last automatic range would put ticks at
        // numbers such as 1.3 and 2.7 here.
        yAxis.fixedTicks = roundTicks(yAxis.minimum, yAxis.maximum);
        return;
    }
    yAxis.fixedTicks = {};
    bool any = false;
    qint32 lo = 0;
    qint32 hi = 0;
    for (Curve c : {Spannung, Strom, Kapazitaet}) {
        if (!m_checked[c])
            continue;
        const auto [cmin, cmax] = curveRange(c);
        if (!any || cmin < lo)
            lo = cmin;
        if (!any || cmax > hi)
            hi = cmax;
        any = true;
    }
    if (!any)
        return;
    yAxis.maximum = wholeUnitsDown(hi) + 1;
    yAxis.minimum = wholeUnitsDown(lo);
    const Divisions d = setYAxisDivisions(yAxis.minimum, yAxis.maximum);
    yAxis.maximum = d.maximum;
    yAxis.majorDivision = d.majorDivision;
}

void DiagrammLogic::recalcXAxis()
{
    if (!xAxisRange.bAutomatic) {
        xAxis.automatic = false;
        xAxis.maximum = xAxisRange.dMaxValue;
        xAxis.minimum = xAxisRange.dMinValue;
        xAxis.fixedTicks = roundTicks(xAxis.minimum, xAxis.maximum);
        return;
    }
    xAxis.automatic = true;
    xAxis.fixedTicks = {};
    const QVector<QPointF>& points = m_values.spannung;
    if (points.isEmpty())
        return;
    // Times grow with the rows, but a series written across a clock change
    // need not: take the true extremes.
    const auto [lo, hi] = std::minmax_element(points.begin(), points.end(),
                                              [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    xAxis.minimum = lo->x();
    xAxis.maximum = hi->x() > lo->x() ? hi->x() : lo->x() + 1.0;
}

void DiagrammLogic::refreshXYRanges(const velmoroAxisRange& yAx, const velmoroAxisRange& xAx)
{
    xAxisRange = xAx;
    yAxisRange = yAx;
    recalcAxes();
}

DiagrammLogic::Divisions DiagrammLogic::setYAxisDivisions(double minimum, double maximum)
{
    // Whole numbers, halves to the even neighbour (the default rounding mode).
    qint64 span = qint64(std::nearbyint(maximum)) - qint64(std::nearbyint(minimum));
    Divisions d;
    d.maximum = maximum;
    switch (span) {
    case 11:
    case 13:
    case 17:
    case 19:
    case 23:
    case 29:
    case 31:
    case 37:
    case 39:
    case 41:
    case 43:
    case 45:
    case 47:
    case 49:
        d.maximum = maximum + 1;
        ++span;
        break;
    default:
        break;
    }
    switch (span) {
    case 1:
    case 5:
    case 10:
    case 25:
    case 50:
        d.majorDivision = 5;
        break;
    case 2:
    case 4:
    case 8:
    case 14:
    case 16:
    case 20:
    case 22:
    case 26:
    case 28:
    case 32:
    case 34:
    case 36:
    case 38:
    case 40:
    case 42:
    case 44:
    case 46:
    case 48:
        d.majorDivision = 4;
        break;
    case 3:
    case 6:
    case 9:
    case 12:
    case 15:
    case 18:
    case 24:
    case 30:
        d.majorDivision = 6;
        break;
    case 7:
    case 35:
        d.majorDivision = 7;
        break;
    case 21:
    case 27:
    case 33:
        d.majorDivision = 3;
        break;
    default:
        d.majorDivision = 5;
        break;
    }
    return d;
}

DiagrammLogic::RoundTicks DiagrammLogic::roundTicks(double minimum, double maximum)
{
    const double span = maximum - minimum;
    if (!std::isfinite(span) || span <= 0.0)
        return {};
    // Below one a step is taken as a quotient, so that a tick such as 0.3 is
    // the double nearest to three tenths, not 3 * 0.1.
    const auto times = [](double factor, int exponent) {
        return exponent >= 0 ? factor * std::pow(10.0, exponent) : factor / std::pow(10.0, -exponent);
    };
    for (int exponent = int(std::floor(std::log10(span / kMaxFixedIntervals)));; ++exponent) {
        for (int mantissa : {1, 2, 5}) {
            const double interval = times(mantissa, exponent);
            // A hair of tolerance: eight steps of 0.1 need not make exactly 0.8.
            if (span / interval > kMaxFixedIntervals * (1.0 + 1e-9))
                continue;
            // + 0.0 makes a first tick of -0 a plain 0.
            const double first = std::ceil(minimum / interval - 1e-9) + 0.0;
            return {interval, times(first * mantissa, exponent)};
        }
    }
}

double DiagrammLogic::wholeUnitsDown(qint32 milli)
{
    return std::floor(double(milli) / 1000.0);
}

bool DiagrammLogic::settingOn(const QString& key) const
{
    return m_settings.getSetting(key) == QLatin1String("YES");
}

void DiagrammLogic::refreshMinMaxStatLines()
{
    m_statLines[Spannung] = settingOn(QStringLiteral("MinMaxSpannungVisible"));
    m_statLines[Strom] = settingOn(QStringLiteral("MinMaxStromVisible"));
    m_statLines[Kapazitaet] = settingOn(QStringLiteral("MinMaxKapazitaetVisible"));
}

void DiagrammLogic::refreshGrids()
{
    m_xGrid = settingOn(QStringLiteral("xGridVisible"));
    m_yGrid = settingOn(QStringLiteral("yGridVisible"));
}
