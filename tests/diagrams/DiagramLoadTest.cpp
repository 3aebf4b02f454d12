// Which values a diagram loads: the whole series or the phase of one end
// value, from either value table, sampled by DiagramPoints, with malformed
// texts skipped and logged.
#include "DiagramFixture.h"

#include "core/programSettings.h"
#include "core/velmoroLog.h"
#include "diagrams/DiagramSampling.h"
#include "diagrams/DiagramValues.h"
#include "diagrams/DiagrammLogic.h"

#include <QFile>

namespace {

using namespace DiagramValueLoader;

// The minutes (x) of the loaded voltage points.
QList<int> minutes(const DiagramValues& v)
{
    QList<int> m;
    for (const QPointF& p : v.spannung)
        m << qRound(p.x());
    return m;
}

QList<int> range(int from, int to, int step = 1)
{
    QList<int> r;
    for (int i = from; i <= to; i += step)
        r << i;
    return r;
}

const QVector<DiagramPointsRow> kStepOne = {{0, 1}};

class DiagramLoadTest : public DiagramFixture {};

TEST_F(DiagramLoadTest, PhasesOfInterleavedSeriesRunFromThePreviousEndValueOfEitherKind)
{
    for (const char* table : {"TempMessWerte", "MessWerte"}) {
        SCOPED_TRACE(table);
        dbVeluser.exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        // Series 1 with three end values; series 2 writes values and an end
        // value of its own in between.
        for (int m = 0; m < 6; ++m) {
            value(table, 1, m);
            value(table, 2, 100 + m);
        }
        const qint32 charge1 = endValue(table, 1, 2);
        for (int m = 6; m < 12; ++m)
            value(table, 1, m);
        const qint32 other = endValue(table, 2, 2);
        value(table, 2, 200);
        const qint32 discharge = endValue(table, 1, 3);
        for (int m = 12; m < 18; ++m)
            value(table, 1, m);
        const qint32 charge2 = endValue(table, 1, 2);
        value(table, 1, 18); // after the last end value: only in the whole series

        const bool temp = QLatin1String(table) == QLatin1String("TempMessWerte");
        const struct {
            qint32 endWert;
            QList<int> minutes;
            qint32 shownEnd;
        } cases[] = {
            {0, range(0, 18), 0},
            {charge1, range(0, 5), charge1},      // the first end value: all before it
            {discharge, range(6, 11), discharge}, // from a charge to a discharge
            {charge2, range(12, 17), charge2},
            {other, range(0, 18), 0}, // another series' end value: the whole series
            {999999, range(0, 18), 0},
        };
        for (const auto& c : cases) {
            const DiagramValues v = loadValues(dbVeluser.handle(), {1, temp, c.endWert}, kStepOne);
            EXPECT_EQ(minutes(v), c.minutes) << c.endWert;
            EXPECT_EQ(v.selection.endWertId, c.shownEnd);
            EXPECT_EQ(v.valueCount, c.minutes.size());
        }
        // A series without end values: a phase request draws all of it.
        EXPECT_EQ(minutes(loadValues(dbVeluser.handle(), {2, temp, charge1}, kStepOne)),
                  (QList<int>{100, 101, 102, 103, 104, 105, 200}));
    }
}

TEST_F(DiagramLoadTest, SamplingTakesEveryStepthValueFromTheFirst)
{
    const QVector<DiagramPointsRow> stepTwo = {{9, 2}, {0, 1}};
    values("MessWerte", 1, 11);
    values("MessWerte", 2, 9);
    values("MessWerte", 3, 8);
    const DiagramValues eleven = loadValues(dbVeluser.handle(), {1, false, 0}, stepTwo);
    EXPECT_EQ(eleven.step, 2);
    EXPECT_EQ(minutes(eleven), (QList<int>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(minutes(loadValues(dbVeluser.handle(), {2, false, 0}, stepTwo)), (QList<int>{0, 2, 4, 6}));
    EXPECT_EQ(minutes(loadValues(dbVeluser.handle(), {3, false, 0}, stepTwo)), range(0, 7));

    // The shipped table: 10,001 values are drawn with every second one.
    values("TempMessWerte", 4, 10001);
    const DiagramValues shipped = loadValues(dbVeluser.handle(), {4, true, 0}, DiagramSampling::diagramPointsRows());
    EXPECT_EQ(shipped.step, 2);
    EXPECT_EQ(shipped.spannung.size(), 5000); // 5000.5 rounds to the even 5000
    EXPECT_EQ(minutes(shipped).back(), 9998);
}

TEST_F(DiagramLoadTest, LongSeriesAndPhasesAreSampledAlike)
{
    // Long enough that each sampled value is asked for on its own.
    values("MessWerte", 5, 65000);
    values("MessWerte", 6, 100, 0);
    const qint32 end = endValue("MessWerte", 5, 2);
    values("MessWerte", 5, 5000, 65000);
    const QVector<DiagramPointsRow> stepSeven = {{60001, 7}, {0, 1}};

    const DiagramValues whole = loadValues(dbVeluser.handle(), {5, false, 0}, stepSeven);
    EXPECT_EQ(whole.valueCount, 70000);
    EXPECT_EQ(whole.spannung.size(), 10000);
    EXPECT_EQ(minutes(whole), range(0, 69993, 7));

    const DiagramValues phase = loadValues(dbVeluser.handle(), {5, false, end}, stepSeven);
    EXPECT_EQ(phase.valueCount, 65000);
    EXPECT_EQ(phase.spannung.size(), 9286); // 9285.7
    EXPECT_EQ(minutes(phase), range(0, 64995, 7));
    EXPECT_EQ(phase.minMax.MinSpannung, 1200);
    EXPECT_EQ(phase.minMax.MaxSpannung, 1499);
}

TEST_F(DiagramLoadTest, FiveValuesDrawFourDoNot)
{
    values("TempMessWerte", 1, 5);
    values("TempMessWerte", 2, 4);
    DiagrammLogic logic(objSettings());
    logic.lMessReiheId = 2;
    logic.bTempCreated = true;
    EXPECT_FALSE(logic.loadDiagramData(dbVeluser.handle(), kStepOne));
    EXPECT_FALSE(logic.loaded());
    logic.lMessReiheId = 1;
    EXPECT_TRUE(logic.loadDiagramData(dbVeluser.handle(), kStepOne));
    EXPECT_EQ(logic.values().spannung.size(), 5);
    // A later load of too few values leaves the loaded ones.
    logic.lMessReiheId = 2;
    EXPECT_FALSE(logic.loadDiagramData(dbVeluser.handle(), kStepOne));
    EXPECT_EQ(logic.values().selection.series, 1);
}

TEST_F(DiagramLoadTest, MalformedTextsAreSkippedLoggedAndNeverSeedTheBounds)
{
    objLog = std::make_unique<velmoroLog>(folder.path());
    add("MessWerte", 1, false, QStringLiteral("1;2"));
    value("MessWerte", 1, 1, 1400, 1000, 100);
    const qint32 bad = add("MessWerte", 1, false, QStringLiteral("100;x;1000;120"));
    value("MessWerte", 1, 3, 1300, 900, 200);
    value("MessWerte", 1, 4, 1350, 1100, 300);
    value("MessWerte", 1, 5, 1320, 1000, 400);
    const DiagramValues v = loadValues(dbVeluser.handle(), {1, false, 0}, kStepOne);
    EXPECT_EQ(v.skipped, 2);
    EXPECT_EQ(minutes(v), (QList<int>{1, 3, 4, 5}));
    EXPECT_EQ(v.minMax.MinSpannung, 1300);
    EXPECT_EQ(v.minMax.MaxSpannung, 1400);
    EXPECT_EQ(v.minMax.MinStrom, 900);
    EXPECT_EQ(v.minMax.MinKapazitaet, 100);
    EXPECT_EQ(v.minMax.MaxKapazitaet, 400);
    objLog.reset();
    QFile log(folder.path() + QStringLiteral("/error.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("MessWertId %1").arg(bad))) << text.toStdString();

    // Nothing that decodes: too few values, not axes drawn from zeros.
    for (int i = 0; i < 6; ++i)
        add("MessWerte", 2, false, QStringLiteral("garbage"));
    const DiagramValues none = loadValues(dbVeluser.handle(), {2, false, 0}, kStepOne);
    EXPECT_EQ(none.valueCount, 6);
    EXPECT_TRUE(none.tooFew());
}

TEST_F(DiagramLoadTest, EachBadValueIsLoggedOncePerLoadAndOnlyWhenDrawn)
{
    objLog = std::make_unique<velmoroLog>(folder.path());
    const QString logPath = folder.path() + QStringLiteral("/error.log");
    // Long enough to be sampled (every fourth value with the shipped table):
    // one bad value at a drawn place, one between two drawn ones.
    values("MessWerte", 1, 40000);
    const auto idAt = [](int position) {
        return dbVeluser
            .scalar(QStringLiteral("SELECT MessWertId FROM MessWerte WHERE MessReiheID=1 ORDER BY MessWertId "
                                   "LIMIT 1 OFFSET ?"),
                    {position})
            .toInt();
    };
    const qint32 drawn = idAt(8);
    const qint32 between = idAt(9);
    const QString huge = QStringLiteral("1;") + QString(100000, QLatin1Char('x'));
    for (qint32 id : {drawn, between})
        dbVeluser.exec(QStringLiteral("UPDATE MessWerte SET MessWertString=? WHERE MessWertId=?"), {huge, id});

    const auto entries = [&logPath](qint32 id) {
        QFile log(logPath);
        if (!log.open(QIODevice::ReadOnly))
            return -1;
        return int(QString::fromUtf8(log.readAll()).count(QStringLiteral("MessWertId %1 ").arg(id)));
    };
    const auto points = DiagramSampling::diagramPointsRows();
    for (int load = 1; load <= 2; ++load) {
        const DiagramValues v = loadValues(dbVeluser.handle(), {1, false, 0}, points);
        EXPECT_EQ(v.step, 4);
        EXPECT_EQ(v.skipped, 1);
        EXPECT_EQ(v.spannung.size(), 9999);
        EXPECT_EQ(entries(drawn), load);
        EXPECT_EQ(entries(between), 0);
    }
    objLog.reset();
}

TEST_F(DiagramLoadTest, ADatabaseFailureIsRaised)
{
    dbVeluser.exec(QStringLiteral("ALTER TABLE TempMessWerte RENAME TO Elsewhere"));
    EXPECT_THROW(loadValues(dbVeluser.handle(), {1, true, 0}, kStepOne), DatabaseError);
    EXPECT_THROW(loadValues(dbVeluser.handle(), {1, true, 5}, kStepOne), DatabaseError);
}

} // namespace
