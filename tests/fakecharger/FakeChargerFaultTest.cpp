// Faults on demand: each does to the bytes on the wire what it says, only to
// the requests it was aimed at, only as often as asked.
#include "RawPortFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class FakeChargerFaults : public RawPortFixture {
protected:
    FakeChargerFaults() : RawPortFixture(2) {}
    void SetUp() override
    {
        RawPortFixture::SetUp();
        if (HasFatalFailure())
            return;
        fake.setStatus(1, QStringLiteral("SL"));
        fake.setValues(1, 1000, 7200, 100);
    }
    // Every byte the fake wrote in answer to one request.
    QByteArray rawReply(const QString& body)
    {
        const long long before = fake.bytesWritten();
        EXPECT_TRUE(handled(body));
        return port->readExactly(fake.bytesWritten() - before);
    }
    const QByteArray status1 = QByteArray("\x14,001,M,SL,L01000,V07200,K00100,\x03");
};

} // namespace

TEST_F(FakeChargerFaults, EachFaultShapesTheBytes)
{
    fake.injectFault(FakeFault::Malformed);
    EXPECT_EQ(rawReply(QStringLiteral("001,M")), QByteArray("\x14"
                                                            "001,M,SL,L01000,V07200,K00100,\x03"));
    fake.injectFault(FakeFault::Noise);
    const QByteArray noisy = rawReply(QStringLiteral("001,M"));
    EXPECT_TRUE(noisy.contains(status1));
    EXPECT_FALSE(noisy.startsWith('\x14'));
    fake.injectFault(FakeFault::SplitReply);
    EXPECT_EQ(rawReply(QStringLiteral("001,M")), status1);
    fake.injectFault(FakeFault::OtherChannel);
    EXPECT_EQ(rawReply(QStringLiteral("001,M")), QByteArray("\x14,002,M,SA,\x03"));
    fake.injectFault(FakeFault::Refuse);
    EXPECT_EQ(rawReply(QStringLiteral("001,W")), QByteArray("\x14,001,M,SK,\x03"));
    // And afterwards every fault is used up.
    EXPECT_EQ(rawReply(QStringLiteral("001,M")), status1);
}

TEST_F(FakeChargerFaults, NoReplyAndTruncatedReply)
{
    const long long before = fake.bytesWritten();
    fake.injectFault(FakeFault::NoReply);
    EXPECT_TRUE(rawReply(QStringLiteral("001,M")).isEmpty());
    EXPECT_EQ(fake.bytesWritten(), before);

    fake.injectFault(FakeFault::Truncated);
    const int handled = fake.handledFrames();
    port->write(RawPort::frame(QStringLiteral("001,M")));
    ASSERT_TRUE(fake.waitForHandledFrames(handled + 1));
    const QByteArray cut("\x14,001,M,SL,L01000,V07200,K00100,");
    EXPECT_EQ(fake.bytesWritten(), before + cut.size());
}

TEST_F(FakeChargerFaults, BadEchoChangesOneDigitOfTheProgram)
{
    const QString program = QStringLiteral("002,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
    fake.injectFault(FakeFault::BadEcho, 1, QString(), QStringLiteral("P"));
    EXPECT_EQ(port->ask(program), QStringLiteral("002,P,A03,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,"));
    EXPECT_EQ(fake.program(2), program); // stored as sent
    EXPECT_EQ(port->ask(program), program + QStringLiteral(",G1,"));
}

TEST_F(FakeChargerFaults, FaultsMatchChannelCommandAndCount)
{
    fake.injectFault(FakeFault::Refuse, 2, QStringLiteral("002"), QStringLiteral("W"));
    EXPECT_EQ(port->ask(QStringLiteral("001,W")).left(6), QStringLiteral("001,P,"));
    EXPECT_EQ(port->ask(QStringLiteral("002,M")), QStringLiteral("002,M,SA,"));
    EXPECT_EQ(port->ask(QStringLiteral("002,W")), QStringLiteral("002,M,SK,"));
    EXPECT_EQ(port->ask(QStringLiteral("002,W")), QStringLiteral("002,M,SK,"));
    EXPECT_EQ(port->ask(QStringLiteral("002,W")).left(6), QStringLiteral("002,P,"));

    fake.injectFault(FakeFault::Refuse, -1, QStringLiteral("001"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(port->ask(QStringLiteral("001,M")), QStringLiteral("001,M,SK,"));
    fake.clearFaults();
    EXPECT_EQ(port->ask(QStringLiteral("001,M")), RawPort::payloadOf(status1));

    // Faults are used in the order injected.
    fake.injectFault(FakeFault::OtherChannel);
    fake.injectFault(FakeFault::Refuse);
    EXPECT_EQ(port->ask(QStringLiteral("001,M")), QStringLiteral("002,M,SA,"));
    EXPECT_EQ(port->ask(QStringLiteral("001,M")), QStringLiteral("001,M,SK,"));
}

TEST_F(FakeChargerFaults, RawReplyGoesOutExactly)
{
    fake.injectRawReply(QByteArray("\x14\x03"), QStringLiteral("001"));
    EXPECT_EQ(rawReply(QStringLiteral("002,M")), QByteArray("\x14,002,M,SA,\x03"));
    EXPECT_EQ(rawReply(QStringLiteral("001,M")), QByteArray("\x14\x03"));
}

TEST_F(FakeChargerFaults, LateReplyIsHeldUntilReleasedOrTheNextRequest)
{
    fake.injectFault(FakeFault::LateReply);
    EXPECT_TRUE(rawReply(QStringLiteral("001,M")).isEmpty());
    fake.releaseLateReplies(); // readable at the port once this returns
    EXPECT_EQ(port->readExactly(status1.size(), 0), status1);

    fake.injectFault(FakeFault::LateReply);
    EXPECT_TRUE(rawReply(QStringLiteral("001,M")).isEmpty());
    // Not released: it goes out in front of the next reply.
    EXPECT_EQ(rawReply(QStringLiteral("002,M")), status1 + QByteArray("\x14,002,M,SA,\x03"));
}

TEST_F(FakeChargerFaults, PulledOutPortDisappearsAndComesBack)
{
    ASSERT_TRUE(fake.isPluggedIn());
    EXPECT_TRUE(QFileInfo(fake.portPath()).isSymLink());
    fake.pullOut();
    EXPECT_FALSE(fake.isPluggedIn());
    EXPECT_FALSE(QFileInfo::exists(fake.portPath()));
    EXPECT_TRUE(fake.ptyPath().isEmpty());
    EXPECT_TRUE(port->hungUp());

    ASSERT_TRUE(fake.plugIn());
    EXPECT_TRUE(fake.isPluggedIn());
    EXPECT_EQ(QFileInfo(fake.portPath()).symLinkTarget(), fake.ptyPath());
    RawPort again(fake.portPath());
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.ask(QStringLiteral("001,M")), RawPort::payloadOf(status1));
}

TEST(FakeChargerLifetime, StopRemovesThePortAndStartsAgain)
{
    FakeCharger fake(1);
    ASSERT_TRUE(fake.start());
    const QString path = fake.portPath();
    EXPECT_TRUE(QFileInfo::exists(path));
    fake.stop();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(fake.isRunning());
    ASSERT_TRUE(fake.start());
    RawPort port(fake.portPath());
    EXPECT_EQ(port.ask(QStringLiteral("001,M")), QStringLiteral("001,M,SA,"));
}

TEST(FakeChargerLifetime, TwoFakesHaveDistinctPorts)
{
    FakeCharger a(1), b(1);
    ASSERT_TRUE(a.start());
    ASSERT_TRUE(b.start());
    EXPECT_NE(a.portPath(), b.portPath());
    EXPECT_NE(QFileInfo(a.portPath()).fileName(), QFileInfo(b.portPath()).fileName());
}

TEST_F(FakeChargerFaults, PeriodicFaultHitsEveryNthMatchingRequestAndRepliesAreLogged)
{
    fake.clearFrameLog();
    fake.injectPeriodicFault(FakeFault::NoReply, 3, QStringLiteral("001"));
    QList<bool> answered;
    for (int i = 0; i < 7; ++i) {
        answered << !rawReply(QStringLiteral("001,M")).isEmpty();
        // Another channel's requests do not count towards channel 1's period.
        EXPECT_FALSE(rawReply(QStringLiteral("002,M")).isEmpty());
    }
    EXPECT_EQ(answered, (QList<bool>{true, true, false, true, true, false, true}));
    // Payloads of the replies given, a swallowed request gives none.
    const QStringList log = fake.replyLog();
    EXPECT_EQ(log.size(), 12);
    EXPECT_EQ(log.first(), QStringLiteral("001,M,SL,L01000,V07200,K00100,"));
    EXPECT_EQ(log.at(1), QStringLiteral("002,M,SA,"));
    fake.clearFaults();
    EXPECT_FALSE(rawReply(QStringLiteral("001,M")).isEmpty());
    fake.clearFrameLog();
    EXPECT_TRUE(fake.replyLog().isEmpty());
}
