// The fake charger speaks the charger's reply grammar exactly: status replies
// of every code, end-value lists, program echoes and reads, device
// information, and silence where a charger would be silent.
#include "RawPortFixture.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class FakeChargerGrammar : public RawPortFixture {
protected:
    FakeChargerGrammar() : RawPortFixture(4, FakeCharger::Model::SelfDescribing) {}
    void SetUp() override
    {
        RawPortFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(port->isOpen());
    }
    // True when the fake handled one more frame and wrote nothing for it.
    bool silentOn(const QString& body)
    {
        const long long written = fake.bytesWritten();
        return handled(body) && fake.bytesWritten() == written;
    }
};

struct StatusCase {
    const char* code;
    const char* detail;
    const char* expected;
};

} // namespace

TEST_F(FakeChargerGrammar, StatusRepliesForEveryCode)
{
    const StatusCase cases[] = {
        {"SA", "", "002,M,SA,"},
        {"SA", "X2", "002,M,SA,X2,"},
        {"SF", "X3", "002,M,SF,X3,"},
        {"SF", "", "002,M,SF,"},
        {"SL", "", "002,M,SL,L01500,V07250,K00321,"},
        {"SE", "", "002,M,SE,E01500,V07250,K00321,"},
        {"SM", "", "002,M,SM,L01500,V07250,K00321,"},
        {"SW", "", "002,M,SW,"},
        {"SP", "", "002,M,SP,"},
        {"SK", "", "002,M,SK,"},
        {"SG", "", "002,M,SG,"},
        {"SQT", "", "002,M,SQT,"},
        {"SQV", "", "002,M,SQV,"},
        {"SQR", "", "002,M,SQR,"},
        {"SQU", "", "002,M,SQU,"},
        {"SQP", "", "002,M,SQP,"},
        {"SQS", "", "002,M,SQS,"},
        {"sl", "", "002,M,sl,"}, // any text goes out as it stands
    };
    fake.setValues(2, 1500, 7250, 321);
    for (const auto& c : cases) {
        fake.setStatus(2, QString::fromLatin1(c.code), QString::fromLatin1(c.detail));
        EXPECT_EQ(port->ask(QStringLiteral("002,M")), QString::fromLatin1(c.expected)) << c.code;
    }
}

TEST_F(FakeChargerGrammar, ValuesAreFiveDigitsAndCanBeLeftOut)
{
    fake.setStatus(1, QStringLiteral("SL"));
    fake.setValues(1, 7, 123456, 0);
    EXPECT_EQ(port->ask(QStringLiteral("001,M")), QStringLiteral("001,M,SL,L00007,V99999,K00000,"));
    fake.setValuesIncluded(1, false);
    EXPECT_EQ(port->ask(QStringLiteral("001,M")), QStringLiteral("001,M,SL,"));
}

TEST_F(FakeChargerGrammar, EndValueListsWithOptionalElements)
{
    EXPECT_EQ(port->ask(QStringLiteral("003,D")), QStringLiteral("003,D,"));
    FakeEndValue charge;
    charge.capacity = 1234;
    charge.minutes = 95;
    charge.voltage = 1450;
    FakeEndValue discharge;
    discharge.type = QStringLiteral("SE");
    discharge.capacity = 1180;
    discharge.minutes = 88;
    discharge.voltage = 1002;
    discharge.selfDischarge = 12;
    discharge.condition = 1;
    discharge.percent = 87;
    fake.setEndValues(3, {charge, discharge});
    EXPECT_EQ(port->ask(QStringLiteral("003,D")),
              QStringLiteral("003,D,SL,K01234,T95,V01450,SE,K01180,T88,V01002,Y00012,X1,P087,"));

    // Pushed once in answer to the status command, then status again.
    fake.pushEndValues(3);
    EXPECT_EQ(port->ask(QStringLiteral("003,M")),
              QStringLiteral("003,D,SL,K01234,T95,V01450,SE,K01180,T88,V01002,Y00012,X1,P087,"));
    EXPECT_EQ(port->ask(QStringLiteral("003,M")), QStringLiteral("003,M,SA,"));
}

TEST_F(FakeChargerGrammar, WrittenProgramIsEchoedStoredAndReadBack)
{
    const QString plain = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
    EXPECT_EQ(port->ask(plain), plain + QStringLiteral(",G1,"));
    EXPECT_EQ(port->ask(QStringLiteral("001,W")), plain + QStringLiteral(",G1,"));
    EXPECT_EQ(fake.program(1), plain);
    EXPECT_TRUE(fake.channelState(1).running);

    // With the extended block the echo carries R as well; O, Q, U included.
    const QString extended = QStringLiteral(
        "002,P,A02,M01,Z06,P100,F0,W30,K02000,L01000,E00500,V07200,D05400,YH024,S1,C0,B1,H0,N100,O1,Q0,U1");
    fake.setEchoDigits(2, 3);
    EXPECT_EQ(port->ask(extended), extended + QStringLiteral(",G2,R3,"));
    EXPECT_EQ(port->ask(QStringLiteral("002,W")), extended + QStringLiteral(",G2,R3,"));

    // Other channels keep their own programs.
    EXPECT_EQ(port->ask(QStringLiteral("001,W")), plain + QStringLiteral(",G2,"));
}

TEST_F(FakeChargerGrammar, ProgramBreakingTheGrammarIsRefusedAndNotStored)
{
    const QString before = fake.program(4);
    const char* bad[] = {
        "004,P,A02,Z06,F0,W30,L01000,E00500,V07200,D05400",           // no M
        "004,P,A02,M01,Z6,F0,W30,L01000,E00500,V07200,D05400",        // one digit for Z
        "004,P,A02,M01,Z06,P100,F0,W30,L01000,E00500,V07200,D05400",  // P without K
        "004,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0", // cut extended block
        "004,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1",    // a reply's tail
        "004,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,YX010", // unknown unit
    };
    for (const char* program : bad)
        EXPECT_EQ(port->ask(QString::fromLatin1(program)), QStringLiteral("004,M,SP,")) << program;
    EXPECT_EQ(fake.program(4), before);
    EXPECT_FALSE(fake.channelState(4).running);
}

TEST_F(FakeChargerGrammar, DeviceInformationHasThirtyFourElementsOfTheirWidths)
{
    const QStringList e = port->ask(QStringLiteral("001,G")).split(QLatin1Char(','));
    ASSERT_EQ(e.size(), 34);
    EXPECT_EQ(e[0], QStringLiteral("001"));
    EXPECT_EQ(e[1], QStringLiteral("G"));
    EXPECT_EQ(e[2], QStringLiteral("4"));
    EXPECT_EQ(e[3], QStringLiteral("0"));
    for (int i = 4; i <= 31; ++i) {
        const int width = i <= 11 ? 2 : i <= 21 ? 5 : i <= 25 ? 3 : i <= 27 ? 2 : 3;
        EXPECT_EQ(e[i].size(), width) << "element " << i;
        bool ok = false;
        e[i].toInt(&ok);
        EXPECT_TRUE(ok) << "element " << i;
    }
    EXPECT_LE(e[32].size(), 20);
    EXPECT_TRUE(e[33].isEmpty());

    fake.setDeviceInfoField(2, QStringLiteral("5"));
    fake.setDeviceInfoField(32, QStringLiteral("My_charger"));
    const QStringList changed = port->ask(QStringLiteral("003,G")).split(QLatin1Char(','));
    ASSERT_EQ(changed.size(), 34);
    EXPECT_EQ(changed[0], QStringLiteral("003"));
    EXPECT_EQ(changed[2], QStringLiteral("5"));
    EXPECT_EQ(changed[32], QStringLiteral("My_charger"));
}

TEST_F(FakeChargerGrammar, SilentWhereAChargerIsSilent)
{
    fake.setModel(FakeCharger::Model::Plain);
    EXPECT_TRUE(silentOn(QStringLiteral("001,G"))); // plain model knows no device information
    EXPECT_TRUE(silentOn(QStringLiteral("005,M"))); // no such channel
    EXPECT_TRUE(silentOn(QStringLiteral("001,X"))); // no such command
    EXPECT_TRUE(silentOn(QStringLiteral("1,M")));
    EXPECT_EQ(fake.frameLog(), (QStringList{QStringLiteral("001,G"), QStringLiteral("005,M"), QStringLiteral("001,X"),
                                            QStringLiteral("1,M")}));
}

TEST(FakeChargerChannels, ChannelsBeyondTheCountAreSilent)
{
    FakeCharger fake(2);
    ASSERT_TRUE(fake.start());
    RawPort port(fake.portPath());
    EXPECT_EQ(port.ask(QStringLiteral("002,M")), QStringLiteral("002,M,SA,"));
    const long long written = fake.bytesWritten();
    port.write(RawPort::frame(QStringLiteral("003,M")));
    ASSERT_TRUE(fake.waitForHandledFrames(2));
    EXPECT_EQ(fake.bytesWritten(), written);
    EXPECT_EQ(fake.channelCount(), 2);
    EXPECT_EQ(fake.deviceInfoFields().at(0), QStringLiteral("2"));
}

TEST_F(FakeChargerGrammar, FramesAreAssembledFromPiecesAndNoiseIgnored)
{
    port->write(QByteArray("junk \x03 "));
    port->write(QByteArray("\x12,00"));
    port->write(QByteArray("1,M,"));
    port->write(QByteArray("\x03\r"));
    EXPECT_EQ(RawPort::payloadOf(port->readReply()), QStringLiteral("001,M,SA,"));
    const QList<FakeFrame> frames = fake.frames();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].raw, QByteArray("\x12,001,M,\x03\r"));
    EXPECT_TRUE(frames[0].wellFormed);
    EXPECT_EQ(frames[0].channel, QStringLiteral("001"));
    EXPECT_EQ(frames[0].command, QStringLiteral("M"));
}

TEST_F(FakeChargerGrammar, MalformedCommandFramesAreLoggedButNotAnswered)
{
    const long long written = fake.bytesWritten();
    port->write(QByteArray("\x12"
                           "001,M,\x03\r"));                 // no comma after DC2
    port->write(QByteArray("\x12,001,M\x03\r"));             // no comma before ETX
    port->write(QByteArray("\x12,001,M,\x12,002,M,\x03\r")); // cut off by the next frame
    EXPECT_EQ(RawPort::payloadOf(port->readReply()), QStringLiteral("002,M,SA,"));
    ASSERT_TRUE(fake.waitForHandledFrames(4));
    const QList<FakeFrame> frames = fake.frames();
    ASSERT_EQ(frames.size(), 4);
    EXPECT_FALSE(frames[0].wellFormed);
    EXPECT_FALSE(frames[1].wellFormed);
    EXPECT_FALSE(frames[2].wellFormed);
    EXPECT_EQ(frames[2].raw, QByteArray("\x12,001,M,"));
    EXPECT_TRUE(frames[3].wellFormed);
    EXPECT_EQ(fake.frameLog(), QStringList{QStringLiteral("002,M")});
    EXPECT_EQ(fake.bytesWritten(), written + QByteArray("\x14,002,M,SA,\x03").size());
}

TEST_F(FakeChargerGrammar, FrameLogKeepsTheOrderAndCanBeCleared)
{
    for (const char* body : {"001,M", "002,D", "003,W", "004,M"})
        port->ask(QString::fromLatin1(body));
    EXPECT_EQ(fake.frameLog(), (QStringList{QStringLiteral("001,M"), QStringLiteral("002,D"), QStringLiteral("003,W"),
                                            QStringLiteral("004,M")}));
    fake.clearFrameLog();
    EXPECT_TRUE(fake.frameLog().isEmpty());
    EXPECT_EQ(fake.handledFrames(), 4);
}
