#pragma once

#include "diagrams/DiagramValues.h"
#include "diagrams/VelmoroMinMaxWerte.h"
#include "diagrams/velmoroAxisRange.h"

#include <QString>
#include <array>

class QSqlDatabase;
class programSettings;

// What the diagram window does, without its widgets: which series it loads,
// which curves its check boxes show, and the ranges and divisions of its
// axes, automatic from the loaded values or fixed by the user. The window
// draws this state; tests drive it without a display.
class DiagrammLogic {
public:
    // The switches of the minimum/maximum lines and the grids are read from
    // these settings at every load and refresh.
    explicit DiagrammLogic(programSettings& settings) : m_settings(settings) {}

    // The three curves: series 1, 3 and 5 of the chart.
    enum Curve { Spannung = 0, Strom = 1, Kapazitaet = 2 };
    static constexpr int kCurves = 3;

    // Ticks of a range the user fixed: every `interval` from `anchor`, the
    // first tick at or above the range's start. None (interval 0) for a range
    // that has no length.
    struct RoundTicks {
        double interval = 0.0;
        double anchor = 0.0;
        bool operator==(const RoundTicks&) const = default;
    };

    struct Axis {
        double minimum = 0.0;
        double maximum = 1.0;
        int majorDivision = 5;
        // The X axis: scaled from the data (true) or from the fixed range.
        bool automatic = true;
        // A fixed range keeps its bounds and gets its ticks on round numbers;
        // an automatic one is divided into majorDivision parts.
        RoundTicks fixedTicks;
    };

    // --- set by the opener before loadDiagramData ------------------------------
    qint32 lMessReiheId = 0;
    bool bTempCreated = false;
    // MessWertId of the chosen end value; 0 the whole series. After a load it
    // names the phase shown (0 when the end value is not one of the series).
    qint32 lEndWertId = 0;

    // Loads the series the members name and formats the chart's state: check
    // boxes voltage on, current and capacity off, lines and grids from the
    // settings, then the axes from the values and the user's ranges. False,
    // with nothing changed, when there are too few values to draw. Raises
    // DatabaseError.
    bool loadDiagramData(QSqlDatabase& db, const QVector<DiagramPointsRow>& points);
    const DiagramValues& values() const { return m_values; }
    // Takes values loaded elsewhere as the window's own, without formatting.
    void setValues(DiagramValues values)
    {
        m_values = std::move(values);
        m_loaded = true;
    }
    const VelmoroMinMaxWerte& minMax() const { return m_values.minMax; }
    bool loaded() const { return m_loaded; }

    // --- check boxes ---------------------------------------------------------
    bool isChecked(Curve c) const { return m_checked[c]; }
    bool isSeriesShown(Curve c) const { return m_shown[c]; }
    // A box's click: its series shown when ticked, hidden otherwise, then the
    // axes recalculated.
    void checkBoxClicked(Curve c, bool ticked);
    // Sets a box as the program does: its click handling runs only when the
    // state changes.
    void setChecked(Curve c, bool ticked);

    // --- axes ------------------------------------------------------------------
    velmoroAxisRange xAxisRange;
    velmoroAxisRange yAxisRange;
    Axis xAxis;
    Axis yAxis;
    void recalcAxes();
    void recalcYAxis();
    void recalcXAxis();
    void refreshXYRanges(const velmoroAxisRange& yAx, const velmoroAxisRange& xAx);

    // The Y axis's maximum and its major divisions for a range: spans that
    // divide badly are widened by one at the top.
    struct Divisions {
        double maximum = 0.0;
        int majorDivision = 5;
    };
    static Divisions setYAxisDivisions(double minimum, double maximum);
    // Ticks for a fixed range: a step of 1, 2 or 5 times a power of ten, the
    // smallest that divides the range into at most kMaxFixedIntervals parts
    // (so at least three), every tick a whole multiple of it.
    static constexpr int kMaxFixedIntervals = 8;
    static RoundTicks roundTicks(double minimum, double maximum);
    // Int(milli / 1000): whole units, rounded down.
    static double wholeUnitsDown(qint32 milli);

    // --- minimum/maximum lines and grids (from the settings) -----------------
    bool statLines(Curve c) const { return m_statLines[c]; }
    bool xGrid() const { return m_xGrid; }
    bool yGrid() const { return m_yGrid; }
    void refreshMinMaxStatLines();
    void refreshGrids();
    // A switch setting is on only when it is exactly "YES".
    bool settingOn(const QString& key) const;

private:
    void formatChart();
    std::pair<qint32, qint32> curveRange(Curve c) const;

    programSettings& m_settings;
    DiagramValues m_values;
    bool m_loaded = false;
    std::array<bool, kCurves> m_checked{};
    std::array<bool, kCurves> m_shown{};
    std::array<bool, kCurves> m_statLines{};
    bool m_xGrid = false;
    bool m_yGrid = false;
};
