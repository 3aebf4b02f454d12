// The program's charger port over the link object: it answers for whichever
// link object there is at the moment, and a caller that reports failures
// itself keeps the link's box away.
#include "FakeCharger.h"
#include "TestServices.h"
#include "TestSupport.h"

#include "link/ChargerPort.h"
#include "link/VelmoroComCommunication.h"
#include "platform/DeferredMessages.h"

#include <gtest/gtest.h>

namespace {

class ChargerPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start()) << fake.errorString().toStdString();
        fake.setStatus(1, QStringLiteral("SL"));
        fake.setValues(1, 1000, 7200, 150);
    }
    void TearDown() override { objComCommunication.reset(); }
    void openLink()
    {
        objComCommunication = std::make_unique<VelmoroComCommunication>(fake.portPath());
        ASSERT_TRUE(objComCommunication->openComPort());
    }

    ScriptedMessages messages;
    TestServices services{{.messages = &messages}};
    FakeCharger fake{4};
    ChargerPort& port = sharedChargerPort();
};

} // namespace

TEST_F(ChargerPortTest, WithoutALinkObjectNobodyAnswers)
{
    objComCommunication.reset();
    EXPECT_EQ(port.getStatus(QStringLiteral("001")), QString());
    EXPECT_EQ(port.getEndwert(QStringLiteral("001")), QString());
    EXPECT_EQ(port.getProgram(QStringLiteral("001"), false), QString());
    EXPECT_EQ(port.sendProgram(fake.program(1)), QString());
    EXPECT_FALSE(port.isBusy());
    EXPECT_TRUE(fake.frameLog().isEmpty());
}

TEST_F(ChargerPortTest, EveryConversationGoesToTheLinkObjectOfTheMoment)
{
    openLink();
    EXPECT_EQ(port.getStatus(QStringLiteral("001")), QStringLiteral("001,M,SL,L01000,V07200,K00150,"));
    // The port changed: a new link object answers the next conversation.
    openLink();
    EXPECT_EQ(port.getProgram(QStringLiteral("001"), false), fake.program(1) + QStringLiteral(",G1,"));
    EXPECT_EQ(port.getEndwert(QStringLiteral("002")), QStringLiteral("002,D,"));
    EXPECT_EQ(port.sendProgram(fake.program(2)).left(fake.program(2).size()), fake.program(2));
    EXPECT_EQ(fake.frameLog(), (QStringList{QStringLiteral("001,M"), QStringLiteral("001,W"), QStringLiteral("002,D"),
                                            fake.program(2)}));
    EXPECT_FALSE(port.isBusy());
}

TEST_F(ChargerPortTest, AFailureTheCallerReportsGivesNoBox)
{
    openLink();
    fake.pullOut();
    {
        ChargerPort::CallerReportsFailures quiet(port);
        {
            ChargerPort::CallerReportsFailures nested(port);
        }
        EXPECT_TRUE(port.callerReportsFailures());
        EXPECT_EQ(port.sendProgram(fake.program(1)), QString());
    }
    EXPECT_FALSE(port.callerReportsFailures());
    DeferredMessages::flush();
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ChargerPortTest, AFailureNobodyElseReportsIsShownByTheLink)
{
    openLink();
    fake.pullOut();
    EXPECT_EQ(port.getStatus(QStringLiteral("001")), QString());
    DeferredMessages::flush();
    EXPECT_EQ(messages.shown.size(), 1);
}
