// The fake charger's simulated packs: time moves only when told, curves look
// like real packs, phases end with end values that are pushed once.
#include "FakeChannel.h"
#include "FakeCharger.h"
#include "RawPort.h"
#include "TestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

int element(const QString& payload, int index)
{
    return payload.split(QLatin1Char(',')).value(index).mid(1).toInt();
}

struct Sample {
    QString status;
    int current;
    int voltage;
    int capacity;
};

// Samples of one channel every `step` seconds while it reports `status`.
QList<Sample> samplePhase(FakeChannel& ch, const QString& status, int step, int limitSeconds)
{
    QList<Sample> samples;
    for (int t = 0; t < limitSeconds && ch.state().status == status; t += step) {
        const auto s = ch.state();
        samples.push_back({s.status, s.current, s.voltage, s.capacity});
        for (int i = 0; i < step; ++i)
            ch.tick();
    }
    return samples;
}

} // namespace

TEST(FakeChargerTime, ClockMovesOnlyWhenTold)
{
    FakeCharger fake(1);
    ASSERT_TRUE(fake.start());
    RawPort port(fake.portPath());
    ASSERT_TRUE(fake.startProgram(1));
    const QString first = port.ask(QStringLiteral("001,M"));
    EXPECT_EQ(port.ask(QStringLiteral("001,M")), first); // no time passed: the same reply
    EXPECT_EQ(fake.simulatedSeconds(), 0);

    fake.advance(600);
    const QString later = port.ask(QStringLiteral("001,M"));
    EXPECT_EQ(fake.simulatedSeconds(), 600);
    EXPECT_GT(element(later, 5), element(first, 5)); // capacity grew

    fake.setSecondsPerRequest(30);
    port.ask(QStringLiteral("001,M"));
    port.ask(QStringLiteral("001,D"));
    EXPECT_EQ(fake.simulatedSeconds(), 660);
    const QList<FakeFrame> frames = fake.frames();
    EXPECT_EQ(frames.back().simulatedSeconds, 660);
}

TEST(FakeChargerSimulation, NiMHChargeRisesAndFlattensAtSteadyCurrent)
{
    FakeChannel ch(1);
    ch.setProgram(QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    ch.setBattery(FakeBattery(FakeBattery::Chemistry::NiMH, 6, 2000, 0.0));
    ASSERT_TRUE(ch.startProgram());
    const QList<Sample> s = samplePhase(ch, QStringLiteral("SL"), 60, 4 * 3600);
    ASSERT_GT(s.size(), 100);
    for (const Sample& x : s)
        EXPECT_EQ(x.current, 1000);
    // Capacity grows with the current: 1000 mA for one hour is 1000 mAh.
    EXPECT_NEAR(s[60].capacity, 1000, 2);
    // Voltage: a cell of about 1.3 V that rises steeply first, then flattens.
    EXPECT_GT(s.front().voltage, 6 * 1250);
    EXPECT_LT(s.back().voltage, 6 * 1520);
    const int earlyRise = s[20].voltage - s[0].voltage;
    const int middleRise = s[80].voltage - s[60].voltage;
    EXPECT_GT(earlyRise, 2 * middleRise);
    for (int i = 1; i < 100; ++i)
        EXPECT_GE(s[i].voltage, s[i - 1].voltage) << i;

    // The end of the charge: an end value with the charged capacity, pushed once.
    EXPECT_EQ(ch.state().status, QStringLiteral("SF"));
    ASSERT_EQ(ch.endValues().size(), 1);
    const FakeEndValue end = ch.endValues().front();
    EXPECT_EQ(end.type, QStringLiteral("SL"));
    EXPECT_GT(end.capacity, 2000); // more goes in than is stored
    EXPECT_NEAR(end.minutes, s.size(), 2);
    EXPECT_TRUE(ch.takePush());
    EXPECT_FALSE(ch.takePush());
}

TEST(FakeChargerSimulation, LeadAcidChargeHoldsItsVoltageAndTapersTheCurrent)
{
    FakeChannel ch(2);
    ch.setProgram(QStringLiteral("002,P,A04,M01,Z06,F0,W30,L02000,E01000,V12000,D10800"));
    ASSERT_TRUE(ch.startProgram());
    EXPECT_EQ(ch.battery().chemistry(), FakeBattery::Chemistry::LeadAcid);
    const QList<Sample> s = samplePhase(ch, QStringLiteral("SL"), 30, 10 * 3600);
    ASSERT_FALSE(s.isEmpty());
    EXPECT_EQ(s.front().current, 2000);
    EXPECT_LT(s.back().current, 1000);
    EXPECT_LE(s.back().voltage, 6 * 2400);
    EXPECT_GE(s.back().voltage, 6 * 2350);
    EXPECT_EQ(ch.state().status, QStringLiteral("SF"));
}

TEST(FakeChargerSimulation, DischargeEndsAtTheEndVoltageWithConditionAndPercentage)
{
    FakeChannel ch(3);
    ch.setProgram(QStringLiteral("003,P,A02,M02,Z06,P100,F0,W30,K02000,L01000,E01000,V07200,D06000"));
    ch.setBattery(FakeBattery(FakeBattery::Chemistry::NiMH, 6, 1900, 1.0));
    ASSERT_TRUE(ch.startProgram());
    EXPECT_EQ(ch.statusPayload().section(QLatin1Char(','), 3, 3).left(1), QStringLiteral("E"));
    const QList<Sample> s = samplePhase(ch, QStringLiteral("SE"), 60, 4 * 3600);
    ASSERT_GT(s.size(), 60);
    for (int i = 1; i < s.size(); ++i)
        EXPECT_LE(s[i].voltage, s[i - 1].voltage);
    ASSERT_EQ(ch.endValues().size(), 1);
    const FakeEndValue end = ch.endValues().front();
    EXPECT_EQ(end.type, QStringLiteral("SE"));
    EXPECT_LE(end.voltage, 6000);
    EXPECT_NEAR(end.capacity, 1880, 60);
    EXPECT_EQ(end.percent, (end.capacity * 100 + 1000) / 2000);
    EXPECT_EQ(end.condition, 1);
    EXPECT_EQ(ch.statusPayload(), QStringLiteral("003,M,SF,X3,"));
}

TEST(FakeChargerSimulation, ModesRunTheirPhasesInOrder)
{
    struct Case {
        const char* mode;
        QStringList types;
    };
    const Case cases[] = {
        {"M01", {QStringLiteral("SL")}},
        {"M02", {QStringLiteral("SE")}},
        {"M03", {QStringLiteral("SE"), QStringLiteral("SL")}},
        {"M04", {QStringLiteral("SL"), QStringLiteral("SE"), QStringLiteral("SL")}},
        {"M05", {QStringLiteral("SE"), QStringLiteral("SL"), QStringLiteral("SE"), QStringLiteral("SL")}},
    };
    for (const Case& c : cases) {
        FakeChannel ch(1);
        ch.setProgram(QStringLiteral("001,P,A02,%1,Z04,F2,W30,L02000,E02000,V04800,D04000").arg(QLatin1String(c.mode)));
        ASSERT_TRUE(ch.startProgram());
        QStringList seen;
        for (int t = 0; t < 48 * 3600 && ch.state().running; ++t)
            ch.tick();
        for (const FakeEndValue& v : ch.endValues())
            seen << v.type;
        EXPECT_EQ(seen, c.types) << c.mode;
        EXPECT_EQ(ch.state().status, QStringLiteral("SF")) << c.mode;
    }
}

TEST(FakeChargerSimulation, SelfDischargeTestReportsTheLossAfterStorage)
{
    FakeChannel ch(1);
    ch.setProgram(QStringLiteral("001,P,A02,M06,Z06,P100,F0,W30,K02000,L01000,E00500,V07200,D05400,YD007"));
    ASSERT_TRUE(ch.startProgram());
    bool sawStorage = false;
    for (long t = 0; t < 10L * 86400L && ch.state().running; ++t) {
        ch.tick();
        sawStorage = sawStorage || ch.state().status == QLatin1String("SW");
    }
    EXPECT_TRUE(sawStorage);
    ASSERT_EQ(ch.endValues().size(), 2);
    const FakeEndValue discharge = ch.endValues().back();
    EXPECT_EQ(discharge.type, QStringLiteral("SE"));
    // Seven days at 2 % a day of a 1900 mAh pack.
    EXPECT_NEAR(discharge.selfDischarge, 266, 3);
    EXPECT_TRUE(
        ch.endValuePayload().contains(QStringLiteral(",Y%1,").arg(discharge.selfDischarge, 5, 10, QLatin1Char('0'))));
}

TEST(FakeChargerSimulation, PhaseEndPushesTheGrownListOverTheWire)
{
    FakeCharger fake(1);
    ASSERT_TRUE(fake.start());
    RawPort port(fake.portPath());
    fake.setProgram(1, QStringLiteral("001,P,A02,M03,Z04,F0,W30,L02000,E02000,V04800,D04000"));
    fake.setBattery(1, FakeBattery::Chemistry::NiMH, 4, 1000, 0.5);
    ASSERT_TRUE(fake.startProgram(1));
    EXPECT_TRUE(port.ask(QStringLiteral("001,M")).startsWith(QStringLiteral("001,M,SE,E02000,")));
    fake.advance(1200); // the discharge ends within 15 minutes, the charge takes longer
    const QString pushed = port.ask(QStringLiteral("001,M"));
    EXPECT_TRUE(pushed.startsWith(QStringLiteral("001,D,SE,K")));
    EXPECT_EQ(pushed.count(QLatin1Char(',')), 6);
    EXPECT_TRUE(port.ask(QStringLiteral("001,M")).startsWith(QStringLiteral("001,M,S")));
    fake.advance(4 * 3600);
    const QString both = port.ask(QStringLiteral("001,M"));
    EXPECT_TRUE(both.startsWith(QStringLiteral("001,D,SE,K")));
    EXPECT_TRUE(both.contains(QStringLiteral(",SL,K")));
    EXPECT_EQ(port.ask(QStringLiteral("001,D")), both);

    fake.setPushEndValuesOnPhaseEnd(false);
    ASSERT_TRUE(fake.startProgram(1)); // a new run starts with an empty list
    EXPECT_EQ(port.ask(QStringLiteral("001,D")), QStringLiteral("001,D,"));
    fake.advance(5 * 3600);
    EXPECT_TRUE(port.ask(QStringLiteral("001,M")).startsWith(QStringLiteral("001,M,SF")));
}

TEST(FakeChargerSimulation, ChemistryIsGuessedFromTheVoltagePerCell)
{
    using C = FakeBattery::Chemistry;
    EXPECT_EQ(FakeBattery::guess(2, 7200, 6), C::NiMH);
    EXPECT_EQ(FakeBattery::guess(4, 12000, 6), C::LeadAcid);
    EXPECT_EQ(FakeBattery::guess(3, 7400, 2), C::LiIon);
    EXPECT_EQ(FakeBattery::guess(5, 8400, 6), C::NiMH);      // 1.4 V per cell charge end
    EXPECT_EQ(FakeBattery::guess(5, 14400, 6), C::LeadAcid); // 2.4 V
    EXPECT_EQ(FakeBattery::guess(5, 8400, 2), C::LiIon);     // 4.2 V
    EXPECT_EQ(FakeBattery::guess(2, 1200, 0), C::NiMH);      // no cell count: one cell
}

TEST(FakeChargerSimulation, ManualStateStopsTheSimulation)
{
    FakeCharger fake(1);
    ASSERT_TRUE(fake.startProgram(1));
    EXPECT_TRUE(fake.channelState(1).running);
    fake.setStatus(1, QStringLiteral("SQR"));
    fake.advance(100);
    EXPECT_EQ(fake.statusPayload(1), QStringLiteral("001,M,SQR,"));
    EXPECT_FALSE(fake.channelState(1).running);
    fake.setProgram(1, QStringLiteral("garbage"));
    EXPECT_FALSE(fake.startProgram(1));
    EXPECT_EQ(fake.statusPayload(1), QStringLiteral("001,M,SQR,"));
}
