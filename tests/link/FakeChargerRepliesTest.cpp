// The whole road of a reply: the fake charger answers over the pseudo-
// terminal, the link returns the payload, the reply records parse it. What
// the fake says must mean to the program what it is meant to.
#include "FakeCharger.h"
#include "TestSupport.h"

#include "link/CommunicationProgram.h"
#include "link/CommunicationResults.h"
#include "link/EntwertList.h"
#include "link/VelmoroComCommunication.h"

#include <gtest/gtest.h>

namespace {

class FakeChargerReplies : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start());
        link = std::make_unique<VelmoroComCommunication>(fake.portPath());
        ASSERT_TRUE(link->openComPort());
    }
    FakeCharger fake{4, FakeCharger::Model::SelfDescribing};
    std::unique_ptr<VelmoroComCommunication> link;
};

struct CodeCase {
    const char* code;
    const char* detail;
    qint16 statusTyp;
    qint16 fehlerCode;
};

} // namespace

TEST_F(FakeChargerReplies, EveryStatusCodeParsesToItsStateAndErrorCode)
{
    const CodeCase cases[] = {
        {"SA", "", 1, 0},  {"SA", "X2", 1, 11}, {"SF", "X3", 5, 10}, {"SL", "", 2, 0},
        {"SE", "", 3, 0},  {"SM", "", 4, 0},    {"SW", "", 6, 0},    {"SP", "", 7, 1},
        {"SK", "", 7, 2},  {"SG", "", 7, 3},    {"SQT", "", 7, 4},   {"SQV", "", 7, 5},
        {"SQR", "", 7, 6}, {"SQU", "", 7, 7},   {"SQP", "", 7, 8},   {"SQS", "", 7, 9},
    };
    fake.setValues(3, 1250, 7350, 480);
    for (const auto& c : cases) {
        fake.setStatus(3, QString::fromLatin1(c.code), QString::fromLatin1(c.detail));
        CommunicationResults results;
        results.splitRecievedString(link->getStatus(QStringLiteral("003")));
        EXPECT_EQ(results.iAntwortTyp, CommunicationResults::StatusReply) << c.code;
        EXPECT_EQ(results.strKanal, QStringLiteral("003"));
        EXPECT_EQ(results.iStatusTyp, c.statusTyp) << c.code;
        EXPECT_EQ(results.iFehlerCode, c.fehlerCode) << c.code;
    }
}

TEST_F(FakeChargerReplies, SimulatedChargeValuesReachTheStatusRecord)
{
    fake.setProgram(1, QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01500,E00500,V07200,D05400"));
    ASSERT_TRUE(fake.startProgram(1));
    fake.advance(1800);
    CommunicationResults results;
    results.splitRecievedString(link->getStatus(QStringLiteral("001")));
    EXPECT_EQ(results.iAntwortTyp, CommunicationResults::StatusReply);
    EXPECT_EQ(results.iStatusTyp, 2);
    EXPECT_EQ(results.lStrom, 1500);
    EXPECT_EQ(results.lKapazitaet, 750);
    EXPECT_EQ(results.lSpannung, fake.channelState(1).voltage);
    EXPECT_GT(results.lSpannung, 7200);

    fake.setValuesIncluded(1, false);
    results.splitRecievedString(link->getStatus(QStringLiteral("001")));
    EXPECT_EQ(results.iAntwortTyp, CommunicationResults::StatusWithoutValues);
}

TEST_F(FakeChargerReplies, EndValuesParseIntoTheListAndArePushedAsEvents)
{
    fake.setProgram(2, QStringLiteral("002,P,A02,M03,Z04,P100,F0,W30,K01000,L02000,E02000,V04800,D04000"));
    fake.setBattery(2, FakeBattery::Chemistry::NiMH, 4, 1000, 0.8);
    ASSERT_TRUE(fake.startProgram(2));
    fake.advance(3 * 3600);

    EntwertList list;
    ASSERT_TRUE(list.splitRecievedString(link->getEndwert(QStringLiteral("002"))));
    ASSERT_EQ(list.Count(), 2);
    const auto discharge = list.Item(1);
    EXPECT_EQ(discharge->strKanal, QStringLiteral("002"));
    EXPECT_EQ(discharge->iEndwertTyp, 3);
    EXPECT_TRUE(discharge->bWithAkkuzustand);
    EXPECT_EQ(discharge->iProzent, fake.endValues(2).at(0).percent);
    EXPECT_EQ(discharge->lSelbstentladung, -1);
    const auto charge = list.Item(2);
    EXPECT_EQ(charge->iEndwertTyp, 2);
    EXPECT_EQ(charge->lKapazitaet, fake.endValues(2).at(1).capacity);
    EXPECT_EQ(charge->lZykluszeit, fake.endValues(2).at(1).minutes);

    // The same list comes in place of a status once a phase has ended.
    CommunicationResults results;
    std::shared_ptr<EntwertList> pushed;
    QObject::connect(&results, &CommunicationResults::EndwertRecieved,
                     [&](std::shared_ptr<EntwertList> l) { pushed = std::move(l); });
    results.splitRecievedString(link->getStatus(QStringLiteral("002")));
    EXPECT_EQ(results.iAntwortTyp, CommunicationResults::EndwertReply);
    ASSERT_NE(pushed, nullptr);
    EXPECT_EQ(pushed->Count(), 2);
    results.splitRecievedString(link->getStatus(QStringLiteral("002")));
    EXPECT_EQ(results.iAntwortTyp, CommunicationResults::StatusReply);
    EXPECT_EQ(results.iStatusTyp, 5);
}

TEST_F(FakeChargerReplies, ProgramEchoAndProgramReadParse)
{
    const QString sent = QStringLiteral("004,P,A03,M04,Z02,P100,F0,W30,K02500,L01200,E01000,V07400,D06000,YH012");
    const QString echo = link->sendProgram(sent);
    // The editor strips ",G<d>," and compares with what it sent.
    EXPECT_EQ(echo.at(echo.size() - 3), QLatin1Char('G'));
    EXPECT_EQ(echo.left(echo.size() - 4), sent);

    CommunicationProgram program;
    ASSERT_TRUE(program.splitRecievedString(link->getProgram(QStringLiteral("004"), false), true));
    EXPECT_EQ(program.strKanal, QStringLiteral("004"));
    EXPECT_EQ(program.iAkkuTyp, 3);
    EXPECT_EQ(program.iMode, 4);
    EXPECT_EQ(program.iZellenzahl, 2);
    EXPECT_EQ(program.iProzentwert, 100);
    EXPECT_EQ(program.lKapazitaet, 2500);
    EXPECT_EQ(program.lLadestrom, 1200);
    EXPECT_EQ(program.lEntladeStrom, 1000);
    EXPECT_EQ(program.lLadeschlussSpannung, 7400);
    EXPECT_EQ(program.lEntladeschlussSpannung, 6000);
    EXPECT_EQ(program.iSelbstentladungsIntervall, 12);
    EXPECT_EQ(program.iSelbstentladungsIntervalTyp, 2);
    EXPECT_EQ(program.iGalNummer, 1);
    EXPECT_FALSE(program.bExtendedRecieved);
}

TEST_F(FakeChargerReplies, ExtendedProgramReplyCarriesGAndR)
{
    const QString sent =
        QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S0,C1,B1,H0,N120,O1,Q0,U1");
    fake.setEchoDigits(2, 3);
    const QString echo = link->sendProgram(sent);
    EXPECT_EQ(echo.at(echo.size() - 6), QLatin1Char('G'));
    EXPECT_EQ(echo.left(echo.size() - 7), sent);

    CommunicationProgram program;
    ASSERT_TRUE(program.splitRecievedString(link->getProgram(QStringLiteral("001"), true), true));
    EXPECT_EQ(program.iAkkuTyp, 2);
    EXPECT_TRUE(program.bExtendedRecieved);
    EXPECT_TRUE(program.bProgrammierungGesperrt);
    EXPECT_TRUE(program.bOhneLast);
    EXPECT_EQ(program.iBleiakkuMode, 1);
    EXPECT_EQ(program.iLadeende, 120);
    EXPECT_EQ(program.iLademode, 1);
    EXPECT_EQ(program.iU, 1);
    EXPECT_EQ(program.iGalNummer, 2);
    EXPECT_EQ(program.iLadegeraet, 3);
}

TEST_F(FakeChargerReplies, RefusalAndSilenceReachTheProgramRecordAsTheirCodes)
{
    fake.injectFault(FakeFault::Refuse, 1, QStringLiteral("002"), QStringLiteral("W"));
    CommunicationProgram program;
    program.splitRecievedString(link->getProgram(QStringLiteral("002"), false), true);
    EXPECT_EQ(program.iAkkuTyp, -4);

    link->setReplyTimeout(150);
    fake.injectFault(FakeFault::NoReply, 1, QStringLiteral("002"));
    program.splitRecievedString(link->getProgram(QStringLiteral("002"), false), true);
    EXPECT_EQ(program.iAkkuTyp, -2);

    fake.injectFault(FakeFault::Malformed);
    program.splitRecievedString(link->getProgram(QStringLiteral("002"), false), true);
    EXPECT_EQ(program.iAkkuTyp, -1);
}

TEST_F(FakeChargerReplies, DeviceInformationParsesCompletely)
{
    fake.setDeviceInfoField(3, QStringLiteral("1"));
    fake.setDeviceInfoField(32, QStringLiteral("velmoro_fake_with_a_long_name"));
    CommunicationProgram info;
    info.splitRecievedGeraeteInfoString(link->getGeraeteInfo(QStringLiteral("001"), true));
    EXPECT_EQ(info.iLGPosition, 32);
    EXPECT_EQ(info.iLGChannels, 4);
    EXPECT_EQ(info.iLGErwPrgMode, 1);
    EXPECT_EQ(info.iLGZzMaxNIMH, 20);
    EXPECT_EQ(info.iLGVLsSpMax, 30000);
    EXPECT_EQ(info.iLGLStrMax, 8000);
    EXPECT_EQ(info.iLGSEntlStMax, 720);
    EXPECT_EQ(info.iLGTxt, QStringLiteral("velmoro fake with a "));

    // A bad field stops the parse where it is.
    fake.setDeviceInfoField(5, QStringLiteral("7"));
    CommunicationProgram bad;
    bad.splitRecievedGeraeteInfoString(link->getGeraeteInfo(QStringLiteral("001"), true));
    EXPECT_EQ(bad.iLGZzMaxNICD, -7);
    EXPECT_EQ(bad.iLGPosition, 4);
}
