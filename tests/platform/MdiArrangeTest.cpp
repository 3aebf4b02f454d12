// The Window menu's arrangements over shown, hidden and minimised windows.
#include "platform/MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {
class MdiArrangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        area.resize(900, 600);
        for (int i = 0; i < 4; ++i) {
            auto* w = new QMdiSubWindow;
            w->setWidget(new QWidget);
            w->setAttribute(Qt::WA_DeleteOnClose, false);
            w->setMinimumSize(40, 40);
            area.addSubWindow(w);
            w->setGeometry(10 * i, 10 * i, 200, 150);
            w->show();
            windows[i] = w;
        }
        area.show();
        windows[3]->hide(); // a closed channel window
        hiddenGeometry = windows[3]->geometry();
    }
    QMdiArea area;
    QMdiSubWindow* windows[4] = {};
    QRect hiddenGeometry;
};
} // namespace

TEST_F(MdiArrangeTest, TilesShareTheAreaWithoutGapsOrOverlap)
{
    const QRect space = area.viewport()->rect();
    windows[1]->showMaximized();
    arrangeMdi(area, MdiArrangement::TileHorizontal);
    int heights = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(windows[i]->isMaximized());
        EXPECT_EQ(windows[i]->geometry().width(), space.width());
        EXPECT_EQ(windows[i]->geometry().left(), 0);
        heights += windows[i]->geometry().height();
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry()));
    }
    EXPECT_EQ(heights, space.height());
    EXPECT_EQ(windows[3]->geometry(), hiddenGeometry);
    EXPECT_TRUE(windows[3]->isHidden());

    arrangeMdi(area, MdiArrangement::TileVertical);
    int widths = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows[i]->geometry().height(), space.height());
        widths += windows[i]->geometry().width();
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry()));
    }
    EXPECT_EQ(widths, space.width());
    EXPECT_TRUE(windows[3]->isHidden());
}

TEST_F(MdiArrangeTest, CascadeAndIconsLeaveHiddenWindowsHidden)
{
    arrangeMdi(area, MdiArrangement::Cascade);
    EXPECT_LT(windows[0]->geometry().top(), windows[1]->geometry().top() + 1);
    EXPECT_NE(windows[0]->geometry().topLeft(), windows[1]->geometry().topLeft());
    EXPECT_TRUE(windows[3]->isHidden());

    windows[0]->showMinimized();
    windows[2]->showMinimized();
    arrangeMdi(area, MdiArrangement::ArrangeIcons);
    const QRect space = area.viewport()->rect();
    for (int i : {0, 2}) {
        EXPECT_EQ(windows[i]->geometry().bottom(), space.bottom()) << i;
        EXPECT_TRUE(windows[i]->isMinimized());
    }
    EXPECT_FALSE(windows[0]->geometry().intersects(windows[2]->geometry()));
    EXPECT_TRUE(windows[3]->isHidden());
}
