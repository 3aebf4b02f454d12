// The diagram's arithmetic without a database or a display: running minimum
// and maximum, sampling steps and row counts, the Y axis's divisions and
// automatic ranges, and the options' validation table.
#include "TestSupport.h"

#include "core/programSettings.h"
#include "diagrams/DiagramOptionsLogic.h"
#include "diagrams/DiagramSampling.h"
#include "diagrams/DiagrammLogic.h"
#include "diagrams/VelmoroMinMaxWerte.h"
#include "diagrams/velmoroAxisRange.h"

#include <QLocale>
#include <cmath>

namespace {

TEST(VelmoroMinMaxWerte, WidensEachBoundApartWithSignedComparisons)
{
    VelmoroMinMaxWerte fresh;
    for (qint32 v : {1300, 1150, 1200})
        fresh.checkMinMaxSpannung(v);
    EXPECT_EQ(fresh.MinSpannung, 0); // unseeded: 0 stands as a bound no value reached
    EXPECT_EQ(fresh.MaxSpannung, 1300);

    VelmoroMinMaxWerte seeded;
    seeded.seed(1200, -5, 7);
    for (qint32 v : {1300, 1150, 1200})
        seeded.checkMinMaxSpannung(v);
    seeded.checkMinMaxStrom(-7);
    seeded.checkMinMaxKapazitaet(0);
    EXPECT_EQ(seeded.MinSpannung, 1150);
    EXPECT_EQ(seeded.MaxSpannung, 1300);
    EXPECT_EQ(seeded.MinStrom, -7);
    EXPECT_EQ(seeded.MaxStrom, -5);
    EXPECT_EQ(seeded.MinKapazitaet, 0);
    EXPECT_EQ(seeded.MaxKapazitaet, 7);

    // A minimum above the maximum: one value moves both.
    VelmoroMinMaxWerte odd;
    odd.MinStrom = 10;
    odd.MaxStrom = -10;
    odd.checkMinMaxStrom(0);
    EXPECT_EQ(odd.MinStrom, 0);
    EXPECT_EQ(odd.MaxStrom, 0);

    const velmoroAxisRange range;
    EXPECT_TRUE(range.bAutomatic);
    EXPECT_EQ(range.dMinValue, 0.0);
    EXPECT_EQ(range.dMaxValue, 0.0);
}

TEST(DiagramSampling, StepFromTheFirstRowWhoseThresholdIsReachedAndNeverTooSmall)
{
    const QVector<DiagramPointsRow> rows = {{20001, 3}, {10001, 2}, {0, 1}};
    const QVector<DiagramPointsRow> noZeroRow = {{20001, 3}, {10001, 2}};
    const QVector<DiagramPointsRow> tooFine = {{100000, 2}, {0, 0}};
    const struct {
        qint64 n;
        const QVector<DiagramPointsRow>& table;
        qint32 step;
    } cases[] = {
        {5, rows, 1},
        {10000, rows, 1},
        {10001, rows, 2},
        {20000, rows, 2},
        {20001, rows, 3},
        {6, noZeroRow, 2},      // no row qualifies: the last
        {5, tooFine, 1},        // a step of 0 would draw nothing
        {1000000, tooFine, 31}, // more than 32767 rows would not fit
        {5, {}, 1},
    };
    for (const auto& c : cases) {
        const qint32 s = DiagramSampling::getDiagramStep(c.n, c.table);
        EXPECT_EQ(s, c.step) << c.n;
        EXPECT_LE(DiagramSampling::diagramRowCount(c.n, s), DiagramSampling::kMaxRows) << c.n;
    }
}

TEST(DiagramSampling, RowCountRoundsHalvesToEvenAndNeverPassesTheLastValue)
{
    const struct {
        qint64 n;
        qint32 s;
        qint64 rows;
    } cases[] = {{11, 2, 6}, {9, 2, 4}, {10, 2, 5}, {5, 1, 5}, {7, 4, 2}, {5, 4, 1}, {15, 2, 8}, {13, 2, 6}, {0, 1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DiagramSampling::diagramRowCount(c.n, c.s), c.rows) << c.n << "/" << c.s;
    for (qint64 n = 5; n < 400; ++n) {
        for (qint32 s = 1; s <= 9; ++s) {
            const qint64 rows = DiagramSampling::diagramRowCount(n, s);
            if (rows > 0) {
                EXPECT_LT((rows - 1) * s, n) << n << "/" << s;
            }
        }
    }
}

TEST(DiagrammLogic, YAxisDivisionsByTheSpan)
{
    const struct {
        double min, max;
        double newMax;
        int divisions;
    } cases[] = {
        {1, 2, 2, 5},       {0, 15, 15, 6}, {0, 13, 14, 4}, {0, 49, 50, 5},   {0, 35, 35, 7},
        {0, 21, 21, 3},     {0, 11, 12, 6}, {0, 7, 7, 7},   {0, 4, 4, 4},     {0, 0, 0, 5},
        {5, 2, 2, 5},       {0, 60, 60, 5}, {-3, 0, 0, 6},  {0, 2.5, 2.5, 4}, // 2.5 rounds to 2: span 2
        {0.5, 3.5, 3.5, 4},                                                   // halves to even: 0 and 4
    };
    for (const auto& c : cases) {
        const auto d = DiagrammLogic::setYAxisDivisions(c.min, c.max);
        EXPECT_EQ(d.maximum, c.newMax) << c.min << ".." << c.max;
        EXPECT_EQ(d.majorDivision, c.divisions) << c.min << ".." << c.max;
    }
    EXPECT_EQ(DiagrammLogic::wholeUnitsDown(1480), 1.0);
    EXPECT_EQ(DiagrammLogic::wholeUnitsDown(-5), -1.0);
}

// The logic with the given running minimum and maximum as if loaded.
struct AxisCase {
    const char* name;
    VelmoroMinMaxWerte minMax;
    bool u, i, c;
    double yMin, yMax;
    int divisions;
};

void setMinMax(DiagrammLogic& logic, const VelmoroMinMaxWerte& m)
{
    DiagramValues values;
    values.minMax = m;
    logic.setValues(std::move(values));
}

TEST(DiagrammLogic, AutomaticYAxisEnclosesEveryTickedCurveInWholeUnits)
{
    VelmoroMinMaxWerte nimh;
    nimh.seed(1210, 500, 0);
    nimh.checkMinMaxSpannung(1480);
    nimh.checkMinMaxStrom(1000);
    VelmoroMinMaxWerte lead;
    lead.seed(11800, 0, 0);
    lead.checkMinMaxSpannung(14400);
    lead.checkMinMaxKapazitaet(3200);
    lead.checkMinMaxStrom(-2500);
    const AxisCase cases[] = {
        {"voltage alone", nimh, true, false, false, 1, 2, 5},
        {"voltage and current", nimh, true, true, false, 0, 2, 4},
        {"lead with capacity", lead, true, false, true, 0, 15, 6},
        {"current below zero", lead, false, true, false, -3, 1, 4},
    };
    for (const AxisCase& c : cases) {
        DiagrammLogic logic(objSettings());
        setMinMax(logic, c.minMax);
        logic.setChecked(DiagrammLogic::Spannung, c.u);
        logic.setChecked(DiagrammLogic::Strom, c.i);
        logic.setChecked(DiagrammLogic::Kapazitaet, c.c);
        EXPECT_EQ(logic.yAxis.minimum, c.yMin) << c.name;
        EXPECT_EQ(logic.yAxis.maximum, c.yMax) << c.name;
        EXPECT_EQ(logic.yAxis.majorDivision, c.divisions) << c.name;
        EXPECT_EQ(logic.isSeriesShown(DiagrammLogic::Strom), c.i) << c.name;
    }
}

TEST(DiagrammLogic, ClearedBoxesKeepTheAxisAndAFixedRangeKeepsTheDivisions)
{
    VelmoroMinMaxWerte lead;
    lead.seed(11800, 0, 0);
    lead.checkMinMaxSpannung(14400);
    lead.checkMinMaxKapazitaet(3200);
    DiagrammLogic logic(objSettings());
    setMinMax(logic, lead);
    logic.checkBoxClicked(DiagrammLogic::Kapazitaet, true); // 0 .. 4 Ah: 4 divisions
    logic.checkBoxClicked(DiagrammLogic::Spannung, true);   // 0 .. 15: 6 divisions
    ASSERT_EQ(logic.yAxis.majorDivision, 6);

    logic.checkBoxClicked(DiagrammLogic::Spannung, false);
    logic.checkBoxClicked(DiagrammLogic::Kapazitaet, false);
    EXPECT_EQ(logic.yAxis.minimum, 0);
    EXPECT_EQ(logic.yAxis.maximum, 4); // from the last box that left one ticked
    EXPECT_FALSE(logic.isSeriesShown(DiagrammLogic::Kapazitaet));

    logic.checkBoxClicked(DiagrammLogic::Spannung, true);
    EXPECT_EQ(logic.yAxis.minimum, 11);
    EXPECT_EQ(logic.yAxis.maximum, 15);

    logic.refreshXYRanges(velmoroAxisRange::fixed(-1.5, 2), velmoroAxisRange::fixed(0, 60));
    EXPECT_EQ(logic.yAxis.minimum, -1.5);
    EXPECT_EQ(logic.yAxis.maximum, 2);
    EXPECT_EQ(logic.yAxis.majorDivision, 4); // of 11 .. 15
    EXPECT_FALSE(logic.xAxis.automatic);
    EXPECT_EQ(logic.xAxis.maximum, 60);
    logic.checkBoxClicked(DiagrammLogic::Strom, true);
    EXPECT_EQ(logic.yAxis.maximum, 2); // a fixed range outlives the boxes

    logic.refreshXYRanges(velmoroAxisRange(), velmoroAxisRange());
    EXPECT_TRUE(logic.xAxis.automatic);
    EXPECT_EQ(logic.yAxis.minimum, 0);
    EXPECT_EQ(logic.yAxis.maximum, 15);
}

TEST(DiagrammLogic, FixedRangesTickOnRoundNumbersWithinTheUsersBounds)
{
    using Ticks = DiagrammLogic::RoundTicks;
    const struct {
        double min, max;
        Ticks ticks;
    } cases[] = {
        {1.3, 3.5, {0.5, 1.5}}, // not 1.3, 1.85, 2.4, ...
        {-1.5, 2, {0.5, -1.5}},
        {1, 2, {0.2, 1}},
        {0.3, 0.9, {0.1, 0.3}}, // the double nearest to 0.3, not 3 * 0.1
        {-0.4, 1.1, {0.2, -0.4}},
        {0, 60, {10, 0}},
        {10, 30, {5, 10}},
        {0, 7, {1, 0}},
        {0, 8, {1, 0}}, // eight parts still
        {0, 9, {2, 0}},
        {1000, 50000, {10000, 10000}},
        {0.001, 0.0095, {0.002, 0.002}},
        {5, 5, {}}, // no length: no ticks of its own
        {2, 1, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DiagrammLogic::roundTicks(c.min, c.max), c.ticks) << c.min << " .. " << c.max;
    // A first tick of minus nothing reads as 0.
    EXPECT_FALSE(std::signbit(DiagrammLogic::roundTicks(-0.1, 0.9).anchor));

    // Any range: three to nine ticks, the first at or above its start, every
    // step 1, 2 or 5 times a power of ten.
    for (double min : {-7.3, -0.02, 0.0, 0.7, 11.8, 1234.5}) {
        for (double span : {0.013, 0.27, 1.0, 2.5, 3.3, 9.9, 47.0, 1e5}) {
            const Ticks t = DiagrammLogic::roundTicks(min, min + span);
            const int count = int(std::floor((min + span - t.anchor) / t.interval + 1e-9)) + 1;
            EXPECT_GE(count, 3) << min << " + " << span;
            EXPECT_LE(count, 9) << min << " + " << span;
            EXPECT_GE(t.anchor, min - 1e-9) << min << " + " << span;
            EXPECT_LT(t.anchor - t.interval, min) << min << " + " << span;
            const double mantissa = t.interval / std::pow(10.0, std::floor(std::log10(t.interval) + 1e-9));
            EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
                << t.interval;
        }
    }

    // The logic hands them to the axes of a fixed range only.
    DiagrammLogic logic(objSettings());
    logic.refreshXYRanges(velmoroAxisRange::fixed(1.3, 3.5), velmoroAxisRange::fixed(0, 7));
    EXPECT_EQ(logic.yAxis.fixedTicks, (Ticks{0.5, 1.5}));
    EXPECT_EQ(logic.xAxis.fixedTicks, (Ticks{1, 0}));
    EXPECT_EQ(logic.yAxis.minimum, 1.3);
    EXPECT_EQ(logic.yAxis.maximum, 3.5);
    logic.refreshXYRanges(velmoroAxisRange(), velmoroAxisRange());
    EXPECT_EQ(logic.yAxis.fixedTicks, Ticks{});
    EXPECT_EQ(logic.xAxis.fixedTicks, Ticks{});
}

TEST(DiagramSampling, EveryValueIsReadWhileFewAreSkipped)
{
    const QVector<DiagramPointsRow> shipped = {{30001, 4}, {20001, 3}, {10001, 2}, {0, 1}};
    const struct {
        qint64 n;
        bool every;
    } cases[] = {{5, true}, {10000, true}, {20000, true}, {20001, false}, {100000, false}};
    for (const auto& c : cases)
        EXPECT_EQ(DiagramSampling::readEveryValue(DiagramSampling::getDiagramStep(c.n, shipped)), c.every) << c.n;
}

// --- options -----------------------------------------------------------------------

DiagramRangeInput manual(const char* xv, const char* xb, const char* yv, const char* yb)
{
    DiagramRangeInput in;
    in.xAutomatic = xv == nullptr;
    in.yAutomatic = yv == nullptr;
    in.xVon = QString::fromUtf8(xv ? xv : "stale");
    in.xBis = QString::fromUtf8(xb ? xb : "");
    in.yVon = QString::fromUtf8(yv ? yv : "");
    in.yBis = QString::fromUtf8(yb ? yb : "x");
    return in;
}

struct ValidationCase {
    const char* name;
    DiagramRangeInput input;
    const char* message; // nullptr: valid
    const char* focus;
};

void checkValidation(const ValidationCase (&cases)[11])
{
    for (const ValidationCase& c : cases) {
        const auto fault = DiagramOptionsLogic::validateRanges(c.input);
        if (!c.message) {
            EXPECT_FALSE(fault.has_value())
                << c.name << ": " << fault.value_or(DiagramRangeFault{}).messageId.toStdString();
            continue;
        }
        ASSERT_TRUE(fault.has_value()) << c.name;
        EXPECT_EQ(fault->messageId, QString::fromLatin1(c.message)) << c.name;
        EXPECT_EQ(fault->focus, QString::fromLatin1(c.focus)) << c.name;
    }
}

TEST(DiagramOptionsLogic, ValidationStopsAtTheFirstFailedTest)
{
    const ValidationCase cases[] = {
        {"X 0 to 60, Y automatic", manual("0", "60", nullptr, nullptr), nullptr, nullptr},
        {"X 10 to 10", manual("10", "10", nullptr, nullptr), "2160", "txtXBis"},
        {"X -5 to 10", manual("-5", "10", nullptr, nullptr), "2166", "txtXVon"},
        {"X 20 to -5: order first", manual("20", "-5", nullptr, nullptr), "2160", "txtXBis"},
        {"Y -1.5 to 2", manual(nullptr, nullptr, "-1.5", "2"), nullptr, nullptr},
        {"X empty start and Y empty end", manual(" ", "5", "1", ""), "2164", "txtXVon"},
        {"X empty end", manual("1", "  ", nullptr, nullptr), "2164", "txtXBis"},
        {"Y empty end once X is mended", manual("1", "5", "1", ""), "2164", "txtYBis"},
        {"Y 3 to 2", manual(nullptr, nullptr, "3", "2"), "2162", "txtYBis"},
        {"both automatic with stale texts", manual(nullptr, nullptr, nullptr, nullptr), nullptr, nullptr},
        {"pasted text that is no number", manual("abc", "5", nullptr, nullptr), "2164", "txtXVon"},
    };
    checkValidation(cases);

    const DiagramRangeInput in = manual("0", "60", nullptr, nullptr);
    EXPECT_EQ(DiagramOptionsLogic::xRange(in), velmoroAxisRange::fixed(0, 60));
    EXPECT_EQ(DiagramOptionsLogic::yRange(in), velmoroAxisRange());
}

TEST(DiagramOptionsLogic, NumbersInTheUsersLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const ValidationCase cases[] = {
        {"Y -1,5 to 2", manual(nullptr, nullptr, "-1,5", "2"), nullptr, nullptr},
        {"Y 1,5 to 1,25", manual(nullptr, nullptr, "1,5", "1,25"), "2162", "txtYBis"},
        {"Y 1.5 is no German number", manual(nullptr, nullptr, "1.500", "2"), "2164", "txtYVon"},
        {"X 0 to 1000", manual("0", "1000", nullptr, nullptr), nullptr, nullptr},
        {"X 1 to 2", manual("1", "2", nullptr, nullptr), nullptr, nullptr},
        {"Y 0,5 to 0,75", manual(nullptr, nullptr, "0,5", "0,75"), nullptr, nullptr},
        {"Y 2 to 2,0", manual(nullptr, nullptr, "2", "2,0"), "2162", "txtYBis"},
        {"X 0 to 1", manual("0", "1", nullptr, nullptr), nullptr, nullptr},
        {"X -1 to 1", manual("-1", "1", nullptr, nullptr), "2166", "txtXVon"},
        {"Y grouping refused", manual(nullptr, nullptr, "1.000,5", "2000"), "2164", "txtYVon"},
        {"Y 1000 to 2000", manual(nullptr, nullptr, "1000", "2000"), nullptr, nullptr},
    };
    checkValidation(cases);
    EXPECT_EQ(DiagramOptionsLogic::yRange(manual(nullptr, nullptr, "-1,5", "2")), velmoroAxisRange::fixed(-1.5, 2));
    EXPECT_EQ(DiagramOptionsLogic::numberText(1.25), QStringLiteral("1,25"));
    EXPECT_EQ(DiagramOptionsLogic::numberText(1000000), QStringLiteral("1000000"));
    EXPECT_EQ(DiagramOptionsLogic::numberText(0.1 + 0.2), QStringLiteral("0,3"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(DiagramOptionsLogic::numberText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(DiagramOptionsLogic::numberText(60), QStringLiteral("60"));
    QLocale::setDefault(QLocale::system());
}

} // namespace
