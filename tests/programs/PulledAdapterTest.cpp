// An adapter pulled out while the editor fetches or sends: the editor's own
// message is the only one the user gets.
#include "ExchangeFixture.h"

#include "platform/DeferredMessages.h"

namespace {
class PulledAdapterTest : public ExchangeFixture {};
} // namespace

TEST_F(PulledAdapterTest, FetchAndSendEachEndWithTheirOwnMessageOnly)
{
    open();
    fake.pullOut();
    exchange->cmdProgrammHolen_Click();
    DeferredMessages::flush();
    EXPECT_EQ(hooked.texts(), QStringList{r("0974")});

    hooked.shown.clear();
    exchange->cmdSendButton_Click();
    DeferredMessages::flush();
    EXPECT_EQ(hooked.texts(), (QStringList{r("0980"), r("0976")}));
    EXPECT_EQ(host.closed, 0);
}
