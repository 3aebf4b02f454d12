// The channel window's Diagram button: which temporary series it draws by
// the channel's status, the whole of it, for this window, and the busy switch
// it shares with the end-value double-clicks.
#include "RecordingFixture.h"

#include "link/CommunicationResults.h"
#include "wiring/KanalDiagram.h"

#include <QWidget>

using namespace recording;

namespace {

class KanalDiagramButtonTest : public RecordingFixture {};

TEST_F(KanalDiagramButtonTest, SeriesByStatusDiffersFromTheDoubleClicks)
{
    DiagramSpy diagram;
    QWidget window;
    KanalLogic& k = load();
    k.setDiagram(&diagram, &window);
    const struct {
        qint16 status;
        qint32 last;
        qint32 button;      // series the button draws
        qint32 doubleClick; // series a double-click draws
    } cases[] = {
        {1, 7, 7, 7}, {4, 7, 7, 8},   {5, 7, 7, 7},   {2, 7, 8, 8},   {3, 7, 8, 8},  {6, 7, 8, 8},
        {0, 7, 8, 8}, {1, -1, -1, 8}, {4, -1, -1, 8}, {5, -1, -1, 8}, {2, -1, 8, 8},
    };
    for (const auto& c : cases) {
        k.comResults()->iStatusTyp = c.status;
        k.lTempMessReiheId = 8;
        k.lLastTempMessReiheId = c.last;
        EXPECT_EQ(k.diagramButtonSeries(), c.button) << c.status << " " << c.last;
        EXPECT_EQ(k.diagramSeries(), c.doubleClick) << c.status << " " << c.last;
        k.cmdDiagramme_Click();
        ASSERT_FALSE(diagram.requests.isEmpty());
        const KanalDiagram::Request& r = diagram.requests.back();
        EXPECT_EQ(r.lMessReiheId, c.button);
        EXPECT_TRUE(r.bTempCreated);
        EXPECT_EQ(r.lEndWertId, 0);
        EXPECT_EQ(r.callerForm, &window);
        EXPECT_EQ(r.cProg, k.commProgram);
    }
    EXPECT_FALSE(k.bDiagramLoading);
}

TEST_F(KanalDiagramButtonTest, OneDiagramRequestAtATimeWhateverStartedIt)
{
    DiagramSpy diagram;
    KanalLogic& k = load(status1("SA"), endReply1({kCharge1}));
    k.setDiagram(&diagram);
    view.selected[QStringLiteral("lstEndwertLaden")] = 0;

    diagram.whileLoading = [&] {
        k.lstEndwertLaden_DblClick();
        k.cmdDiagramme_Click();
    };
    k.cmdDiagramme_Click();
    EXPECT_EQ(diagram.requests.size(), 1);
    k.lstEndwertLaden_DblClick();
    EXPECT_EQ(diagram.requests.size(), 2);
    EXPECT_NE(diagram.requests[1].lEndWertId, 0);
    EXPECT_FALSE(k.bDiagramLoading);

    // Without a diagram window the button opens nothing and stays usable.
    k.setDiagram(nullptr);
    diagram.whileLoading = nullptr;
    k.cmdDiagramme_Click();
    EXPECT_FALSE(k.bDiagramLoading);
}

} // namespace
