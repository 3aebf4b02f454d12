// The link against the fake charger on a real pseudo-terminal: the bytes it
// writes, the replies it takes, and how it behaves when the charger is slow,
// silent, garbled or pulled out.
#include "FakeCharger.h"
#include "TestSupport.h"

#include "link/VelmoroComCommunication.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <gtest/gtest.h>

namespace {

// Short limit for the tests that expect no reply; the others keep the full
// limit, which a reply ends at once.
constexpr int shortLimitMs = 150;

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start()) << fake.errorString().toStdString();
        link = std::make_unique<VelmoroComCommunication>(fake.portPath());
        ASSERT_TRUE(link->openComPort());
        fake.setStatus(1, QStringLiteral("SL"));
        fake.setValues(1, 1000, 7200, 150);
        fake.setStatus(2, QStringLiteral("SA"));
    }
    QByteArray lastRawFrame() const { return fake.frames().isEmpty() ? QByteArray() : fake.frames().last().raw; }

    ScriptedMessages messages;
    TestServices services{{.messages = &messages}};
    FakeCharger fake{4, FakeCharger::Model::SelfDescribing};
    std::unique_ptr<VelmoroComCommunication> link;
    const QString status1 = QStringLiteral("001,M,SL,L01000,V07200,K00150,");
};

// Posts fn so that it runs at the next processing of events.
template <typename F>
void postEvent(F fn)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), fn, Qt::QueuedConnection);
}

} // namespace

TEST_F(LinkTest, EveryCommandWritesItsExactFrameAndLeavesItsArgumentsAlone)
{
    QString channel = QStringLiteral("003");
    QString program = QStringLiteral("003,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");

    link->getStatus(channel);
    EXPECT_EQ(lastRawFrame(), QByteArray("\x12,003,M,\x03\r"));
    link->getEndwert(channel);
    EXPECT_EQ(lastRawFrame(), QByteArray("\x12,003,D,\x03\r"));
    link->getProgram(channel, false);
    EXPECT_EQ(lastRawFrame(), QByteArray("\x12,003,W,\x03\r"));
    link->getGeraeteInfo(channel, false);
    EXPECT_EQ(lastRawFrame(), QByteArray("\x12,003,G,\x03\r"));
    link->sendProgram(program);
    EXPECT_EQ(lastRawFrame(), QByteArray("\x12,") + program.toLatin1() + QByteArray(",\x03\r"));

    EXPECT_EQ(channel, QStringLiteral("003"));
    EXPECT_EQ(program, QStringLiteral("003,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    EXPECT_EQ(fake.frameLog().size(), 5);
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LinkTest, SendStringReplacesTheTextByItsFrameAndWritesIt)
{
    QString message = QStringLiteral("002,M");
    link->sendString(message);
    EXPECT_EQ(message, QString(QChar(0x12)) + QStringLiteral(",002,M,") + QChar(0x03) + QChar(0x0D));
    ASSERT_TRUE(fake.waitForHandledFrames(1));
    EXPECT_EQ(fake.frameLog(), QStringList{QStringLiteral("002,M")});
}

TEST_F(LinkTest, RepliesComeBackAsPayloadsEndingInAComma)
{
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), status1);
    EXPECT_EQ(link->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
    EXPECT_EQ(link->getEndwert(QStringLiteral("002")), QStringLiteral("002,D,"));
    EXPECT_EQ(link->getProgram(QStringLiteral("004"), false), fake.program(4) + QStringLiteral(",G1,"));
    const QString program = QStringLiteral("002,P,A02,M02,Z04,F0,W30,L01000,E00800,V04800,D04000");
    EXPECT_EQ(link->sendProgram(program), program + QStringLiteral(",G1,"));
    const QString info = link->getGeraeteInfo(QStringLiteral("001"), true);
    EXPECT_EQ(info.split(QLatin1Char(',')).size(), 34);
    EXPECT_TRUE(info.endsWith(QLatin1Char(',')));
}

TEST_F(LinkTest, SplitAndNoisyRepliesAreAssembled)
{
    fake.injectFault(FakeFault::SplitReply);
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), status1);
    // Noise before the frame is skipped; the junk after it is still in the
    // port when the next command starts and must not spoil that one.
    fake.injectFault(FakeFault::Noise);
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), status1);
    EXPECT_EQ(link->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
}

TEST_F(LinkTest, MalformedRepliesGiveMinusOne)
{
    fake.injectFault(FakeFault::Malformed);
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral("-1"));
    fake.injectRawReply(QByteArray("\x14\x03"));
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral("-1"));
    fake.injectRawReply(QByteArray("001,M,SA,\x03"));
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral("-1"));
    fake.injectRawReply(QByteArray("\x14,\x03"));
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    fake.injectRawReply(QByteArray("\x14,,\x03"));
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral(","));
    fake.injectRawReply(QByteArray("\x14,001,M,SA,\x03\x14,002,M,SA,\x03"));
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral("001,M,SA,"));
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LinkTest, ReplyWithoutEndOfTextGivesMinusOneAfterTheLimit)
{
    link->setReplyTimeout(shortLimitMs);
    fake.injectFault(FakeFault::Truncated);
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral("-1"));
    EXPECT_GE(waited.elapsed(), shortLimitMs);
}

TEST_F(LinkTest, NoReplyWithinTheLimitIsEmptyAndSilent)
{
    link->setReplyTimeout(shortLimitMs);
    fake.injectFault(FakeFault::NoReply, 2);
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    EXPECT_GE(waited.elapsed(), shortLimitMs);
    EXPECT_EQ(link->getProgram(QStringLiteral("001"), true), QString());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(link->isComPortOpen());
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), status1);
}

TEST_F(LinkTest, LateReplyIsDiscardedBeforeTheNextCommand)
{
    link->setReplyTimeout(shortLimitMs);
    fake.injectFault(FakeFault::LateReply);
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    fake.releaseLateReplies(); // now waiting in the port
    link->setReplyTimeout(VelmoroComCommunication::defaultReplyTimeout());
    EXPECT_EQ(link->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
}

TEST_F(LinkTest, LateReplyThatArrivesDuringTheNextWaitIsPassedOver)
{
    // Discarding before the command can only remove what has come; a reply
    // that comes later still meets the next command, whose wait passes it
    // over and takes its own.
    link->setReplyTimeout(shortLimitMs);
    fake.injectFault(FakeFault::LateReply);
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    link->setReplyTimeout(VelmoroComCommunication::defaultReplyTimeout());
    EXPECT_EQ(link->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
    // Every command names its channel, the program write too.
    fake.injectFault(FakeFault::LateReply, 1, QStringLiteral("002"));
    link->setReplyTimeout(shortLimitMs);
    EXPECT_EQ(link->getProgram(QStringLiteral("002"), false), QString());
    link->setReplyTimeout(VelmoroComCommunication::defaultReplyTimeout());
    const QString program = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
    EXPECT_EQ(link->sendProgram(program), program + QStringLiteral(",G1,"));
}

TEST_F(LinkTest, OnlyAnotherChannelsReplyWaitsOutTheSameLimit)
{
    link->setReplyTimeout(300);
    fake.injectFault(FakeFault::OtherChannel, 1, QStringLiteral("001"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    // Passed over: the wait went on for its own reply.
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(messages.shown.isEmpty());
    // A late reply of the channel itself is still read, as the first frame.
    link->setReplyTimeout(shortLimitMs);
    fake.injectFault(FakeFault::LateReply, 1, QStringLiteral("001"), QStringLiteral("D"));
    EXPECT_EQ(link->getEndwert(QStringLiteral("001")), QString());
    link->setReplyTimeout(VelmoroComCommunication::defaultReplyTimeout());
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QStringLiteral("001,D,"));
}

TEST_F(LinkTest, PulledOutPortIsReportedOnceAndTakenUpAgainWhenBack)
{
    ASSERT_EQ(link->getStatus(QStringLiteral("001")), status1);
    fake.pullOut();
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    // The box opens after the conversation, from the event loop.
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(DeferredMessages::pendingCount(), 1);
    DeferredMessages::flush();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(messages.shown[0].text.contains(QChar(13)));
    EXPECT_EQ(messages.shown[0].buttons, MessageService::OkOnly);
    EXPECT_FALSE(link->isComPortOpen());

    // Every further poll of every channel stays quiet while the port is gone.
    for (const char* ch : {"001", "002", "003", "004", "001"})
        EXPECT_EQ(link->getStatus(QString::fromLatin1(ch)), QString());
    EXPECT_EQ(link->getProgram(QStringLiteral("001"), false), QString());
    DeferredMessages::flush();
    EXPECT_EQ(messages.shown.size(), 1);

    ASSERT_TRUE(fake.plugIn());
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), status1);
    EXPECT_TRUE(link->isComPortOpen());
    EXPECT_EQ(messages.shown.size(), 1);

    // A new failure after a good conversation is news again.
    fake.pullOut();
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    DeferredMessages::flush();
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(LinkTest, FailureThatTheCallerReportsGivesNoBoxAndCountsAsTold)
{
    {
        VelmoroComCommunication::CallerReportsFailures quiet(*link);
        fake.pullOut();
        EXPECT_EQ(link->sendProgram(fake.program(1)), QString());
    }
    // The polls after it stay quiet too: the caller has told the user.
    EXPECT_EQ(link->getStatus(QStringLiteral("002")), QString());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LinkTest, ConversationAskedForDuringAnotherIsRefusedAtOnce)
{
    QString nested = QStringLiteral("untouched");
    bool busyInside = false;
    postEvent([&] {
        busyInside = link->isBusy();
        nested = link->getStatus(QStringLiteral("002"));
    });
    // Channel 1 with the flag: window events run during the wait.
    EXPECT_EQ(link->getProgram(QStringLiteral("001"), true), fake.program(1) + QStringLiteral(",G1,"));
    EXPECT_TRUE(busyInside);
    EXPECT_EQ(nested, QString());
    EXPECT_EQ(fake.frameLog(), QStringList{QStringLiteral("001,W")});
    EXPECT_FALSE(link->isBusy());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LinkTest, WindowEventsRunOnlyDuringChannelOnesFlaggedWait)
{
    int ran = 0;
    postEvent([&] { ++ran; });
    link->getProgram(QStringLiteral("001"), false);
    link->getProgram(QStringLiteral("002"), true);
    link->getGeraeteInfo(QStringLiteral("003"), true);
    link->getStatus(QStringLiteral("001"));
    EXPECT_EQ(ran, 0);
    link->getGeraeteInfo(QStringLiteral("001"), true);
    EXPECT_EQ(ran, 1);
}

TEST_F(LinkTest, PortClosedByAnEventDuringTheWaitEndsTheWaitQuietly)
{
    link->setReplyTimeout(shortLimitMs);
    fake.injectFault(FakeFault::NoReply);
    postEvent([&] { link->closeComPort(); });
    EXPECT_EQ(link->getProgram(QStringLiteral("001"), true), QString());
    EXPECT_FALSE(link->isComPortOpen());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LinkTest, PortThatIsNotOpenGivesOneMessageThenSilence)
{
    link->closeComPort();
    EXPECT_FALSE(link->isComPortOpen());
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), QString());
    EXPECT_EQ(link->getEndwert(QStringLiteral("001")), QString());
    DeferredMessages::flush();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral(" %1").arg(int(QSerialPort::NotOpenError)) + QChar(13)
                                          + QStringLiteral("Port is not open"));
    EXPECT_TRUE(fake.frameLog().isEmpty());

    ASSERT_TRUE(link->openComPort());
    EXPECT_EQ(link->getStatus(QStringLiteral("001")), status1);
}

TEST(LinkPort, OpeningAMissingPortFailsWithoutAMessage)
{
    ScriptedMessages messages;
    TestServices services({.messages = &messages});
    VelmoroComCommunication link(QStringLiteral("/nonexistent/ttyNothing"));
    EXPECT_FALSE(link.openComPort());
    EXPECT_FALSE(link.isComPortOpen());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
    // The caller has reported the failure; the conversations stay quiet.
    link.setReplyTimeout(shortLimitMs);
    EXPECT_EQ(link.getStatus(QStringLiteral("001")), QString());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());

    VelmoroComCommunication none(QStringLiteral("12"));
    EXPECT_TRUE(none.portDevice().isEmpty());
    EXPECT_FALSE(none.openComPort());
}

TEST(LinkPort, PortSettingsAreTakenFromTheComPortValueBeforeOpening)
{
    VelmoroComCommunication numbered(QStringLiteral("3"));
    EXPECT_EQ(numbered.portDevice(), QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(numbered.portNumber(), 3);
    EXPECT_EQ(numbered.comPortSetting(), QStringLiteral("3"));
    const QSerialPort& port = numbered.serialPort();
    EXPECT_EQ(port.baudRate(), 9600);
    EXPECT_EQ(port.parity(), QSerialPort::EvenParity);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data7);
    EXPECT_EQ(port.stopBits(), QSerialPort::OneStop);
    EXPECT_EQ(port.flowControl(), QSerialPort::NoFlowControl);

    FakeCharger fake(1);
    ASSERT_TRUE(fake.start());
    VelmoroComCommunication onPath(fake.portPath());
    EXPECT_EQ(onPath.portNumber(), 0);
    EXPECT_EQ(onPath.portDevice(), fake.portPath());
    ASSERT_TRUE(onPath.openComPort());
    EXPECT_EQ(onPath.serialPort().parity(), QSerialPort::EvenParity);
    EXPECT_EQ(onPath.serialPort().dataBits(), QSerialPort::Data7);
}

TEST(LinkPort, DefaultLimitIsTwoSecondsAndNewLinksTakeTheDefault)
{
    EXPECT_EQ(VelmoroComCommunication::defaultReplyTimeout(), 2000);
    VelmoroComCommunication::setDefaultReplyTimeout(400);
    VelmoroComCommunication link(QStringLiteral("1"));
    EXPECT_EQ(link.replyTimeout(), 400);
    VelmoroComCommunication::setDefaultReplyTimeout(2000);
}
