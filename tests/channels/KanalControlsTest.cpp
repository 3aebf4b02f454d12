// The channel window's one list of control names: the window builds every
// name of it, and a name outside it fails a test instead of reaching nothing.
#include "ControlNameChecks.h"
#include "FakeChargerPort.h"
#include "KanalFakes.h"
#include "TestSupport.h"

#include "channels/KanalControls.h"
#include "channels/frmKanal.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
class KanalControlsTest : public CoreTest {
protected:
    FakeHost host;
    FakeChargerPort link;
};
} // namespace

TEST_F(KanalControlsTest, EveryWindowBuildsEveryControlOfTheList)
{
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        frmKanal w(n, host, services, &link);
        EXPECT_EQ(w.objectName(), kanalWindowName(n));
        expectEveryControlBuilt(w, kanalControlNames());
    }
}

TEST_F(KanalControlsTest, TheWindowReachesNoControlOutsideItsList)
{
    frmKanal w(1, host, services, &link);
    w.setControlText(QStringLiteral("txtStatus"), QStringLiteral("shown"));
    EXPECT_EQ(w.controlText(QStringLiteral("txtStatus")), QStringLiteral("shown"));
    // Its own caption goes by the window's name.
    w.setControlText(QStringLiteral("frmKanal"), QStringLiteral("caption"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("caption"));
    EXPECT_EQ(w.controlText(QStringLiteral("txtStauts")), QString());
    EXPECT_FALSE(w.isControlVisible(QStringLiteral("txtStauts")));
}

TEST(KanalFakeViewTest, AMisspeltControlNameFailsTheTest)
{
    FakeView view;
    EXPECT_NONFATAL_FAILURE(view.setControlText(QStringLiteral("txtStauts"), QStringLiteral("x")), "txtStauts");
    EXPECT_NONFATAL_FAILURE(view.clearList(QStringLiteral("lstEndwertLade")), "lstEndwertLade");
    EXPECT_NONFATAL_FAILURE(view.setCaptionColor(QStringLiteral("frameStauts"), 255u), "frameStauts");
    EXPECT_TRUE(view.texts.isEmpty());
    EXPECT_TRUE(view.listClears.isEmpty());

    // The names of the list and the windows' own names pass.
    view.setControlText(QStringLiteral("txtStatus"), QStringLiteral("x"));
    view.setControlText(QStringLiteral("frmKanal4"), QStringLiteral("caption"));
    EXPECT_EQ(view.controlText(QStringLiteral("txtStatus")), QStringLiteral("x"));
    EXPECT_EQ(view.controlText(QStringLiteral("frmKanal4")), QStringLiteral("caption"));
}
