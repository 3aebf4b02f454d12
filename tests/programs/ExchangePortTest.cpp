// The editor's fetch and send over an in-memory port: every try is held with
// the editor reporting a failure itself, so one failure gives its one box.
#include "ExchangeFixture.h"
#include "FakeChargerPort.h"

namespace {

class ExchangePortTest : public EditorLogicFixture {
protected:
    void TearDown() override
    {
        exchange.reset();
        EditorLogicFixture::TearDown();
    }
    void open()
    {
        start();
        exchange = std::make_unique<ProgramExchange>(*logic, view, host);
        exchange->setLink(&port);
        show(QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    }

    FakeChargerPort port;
    FakeExchangeHost host;
    std::unique_ptr<ProgramExchange> exchange;
};

} // namespace

TEST_F(ExchangePortTest, EveryTryOfAFailedFetchLeavesTheBoxToTheEditor)
{
    open();
    exchange->cmdProgrammHolen_Click();
    EXPECT_EQ(port.calls, (QStringList{"W001", "W001", "W001"}));
    EXPECT_EQ(port.callerReported, port.calls);
    EXPECT_FALSE(port.callerReportsFailures());
    EXPECT_EQ(messages.texts(), QStringList{r("0974")});
}

TEST_F(ExchangePortTest, EveryTryOfAFailedSendLeavesTheBoxToTheEditor)
{
    open();
    exchange->cmdSendButton_Click();
    ASSERT_EQ(port.calls.size(), 3);
    EXPECT_TRUE(port.calls[0].startsWith(QStringLiteral("S001,P,")));
    EXPECT_EQ(port.callerReported, port.calls);
    EXPECT_FALSE(port.callerReportsFailures());
    EXPECT_EQ(messages.texts(), (QStringList{r("0980"), r("0976")}));
    EXPECT_EQ(host.closed, 0);
}
