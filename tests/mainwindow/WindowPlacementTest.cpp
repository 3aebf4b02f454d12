// What the screens show: channel windows placed at start so that none covers
// another, a main window that fits the screen, windows that an arrangement
// never makes smaller than their controls, and status texts that are cut
// visibly with the whole text at hand.
#include "MainWindowParts.h"
#include "TestSupport.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "mainwindow/ChannelPlacement.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/PanelStatusBar.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

TEST(ChannelPlacement, GridFitsTheRoomWhenItCanAndNeverOverlaps)
{
    const QSize preferred(380, 720);
    const QSize minimum(364, 667);
    struct Case {
        const char* screen;
        QSize room;
        int count;
        int columns;
        bool fits;
    };
    const Case cases[] = {
        {"full HD, four", {1900, 960}, 4, 4, true},
        {"full HD, three", {1900, 960}, 3, 3, true},
        {"full HD, one", {1900, 960}, 1, 1, true},
        {"wide and tall, four", {1500, 1500}, 4, 4, true},
        {"narrow and tall, four", {800, 1400}, 4, 2, true},
        {"narrow and tall, two", {400, 1400}, 2, 1, true},
        {"small laptop, four: one row that scrolls", {1340, 690}, 4, 4, false},
        {"small laptop, two", {1340, 690}, 2, 2, true},
        {"tiny, four: two rows that scroll", {700, 500}, 4, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        const ChannelGrid g = chooseChannelGrid(c.count, preferred, minimum, c.room);
        EXPECT_EQ(g.columns, c.columns);
        EXPECT_EQ(g.fits, c.fits);
        EXPECT_GE(g.columns * g.rows, c.count);
        EXPECT_GE(g.cell.width(), minimum.width());
        EXPECT_GE(g.cell.height(), minimum.height());
        EXPECT_LE(g.cell.width(), preferred.width());
        if (g.fits) {
            EXPECT_LE(g.extent().width(), c.room.width());
            EXPECT_LE(g.extent().height(), c.room.height());
        }
        for (int i = 0; i < c.count; ++i)
            for (int j = i + 1; j < c.count; ++j)
                EXPECT_FALSE(g.cellRect(i).intersects(g.cellRect(j))) << i << " and " << j;
    }
}

namespace {
class WindowPlacementTest : public CoreTest {
protected:
    void TearDown() override
    {
        form.reset();
        CoreTest::TearDown();
    }
    frmMDIMainForm& start(const char* charger, int kztxCount = 4)
    {
        objSettings().setSetting(QStringLiteral("UsedCharger"), QString::fromLatin1(charger));
        objSettings().setSetting(QStringLiteral("KZTxChannelCount"), QString::number(kztxCount));
        for (int n = 1; n <= 4; ++n)
            objSettings().setSetting(QStringLiteral("Akku%1Visible").arg(n), QStringLiteral("YES"));
        form = mainWindowWithChannels();
        form->show();
        QApplication::processEvents();
        return *form;
    }
    // Buttons of a channel window that are not drawn whole.
    static QStringList clippedButtons(frmKanal* k)
    {
        QStringList clipped;
        for (QPushButton* b : k->findChildren<QPushButton*>()) {
            const QRect inWindow(b->mapTo(k, QPoint(0, 0)), b->size());
            if (!k->rect().contains(inWindow) || b->width() < b->minimumSizeHint().width())
                clipped << b->objectName();
        }
        return clipped;
    }
    std::unique_ptr<frmMDIMainForm> form;
};
} // namespace

TEST_F(WindowPlacementTest, ChannelWindowsOfEachModelCoverNoneAndTheMainWindowFitsTheScreen)
{
    struct Case {
        const char* charger;
        int kztxCount;
        int shown;
    };
    const Case cases[] = {{"KZT1", 1, 1}, {"KZT4", 1, 4}, {"KZT4 48V", 1, 2}, {"J4", 1, 4},
                          {"KZTx", 1, 1}, {"KZTx", 2, 2}, {"KZTx", 3, 3},   {"KZTx", 4, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.charger) + " / " + std::to_string(c.kztxCount));
        frmMDIMainForm& f = start(c.charger, c.kztxCount);
        QList<QMdiSubWindow*> shown;
        for (int n = 1; n <= 4; ++n)
            if (f.isKanalShown(n))
                shown << f.kanalSubWindow(n);
        ASSERT_EQ(shown.size(), c.shown);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            EXPECT_GE(shown[i]->width(), shown[i]->minimumSizeHint().width()) << i;
            EXPECT_GE(shown[i]->height(), shown[i]->minimumSizeHint().height()) << i;
            EXPECT_GE(shown[i]->x(), 0);
            EXPECT_GE(shown[i]->y(), 0);
            for (qsizetype j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " covers " << shown[j]->objectName().toStdString();
        }
        EXPECT_TRUE(f.screen()->availableGeometry().contains(f.frameGeometry()));
        // Channel 1 first, the others after it in their order.
        EXPECT_EQ(shown.first()->pos(), QPoint(0, 0));
        form.reset();
    }
}

TEST_F(WindowPlacementTest, TilingANarrowWindowNeverCutsTheButtons)
{
    frmMDIMainForm& f = start("KZTx", 2);
    f.resize(420, 600);
    QApplication::processEvents();
    for (QAction* tile : {f.mnuFensterNebeneinander, f.mnuFensterUebereinander, f.mnuFensterUeberlappend}) {
        SCOPED_TRACE(tile->objectName().toStdString());
        tile->trigger();
        QApplication::processEvents();
        for (int n = 1; n <= 2; ++n) {
            QMdiSubWindow* sub = f.kanalSubWindow(n);
            EXPECT_GE(sub->width(), sub->minimumSizeHint().width()) << n;
            EXPECT_GE(sub->height(), sub->minimumSizeHint().height()) << n;
            EXPECT_EQ(clippedButtons(f.kanal(n)), QStringList()) << n;
        }
    }
    // Side by side in a narrow window: one beside the other, reached by scrolling.
    f.mnuFensterNebeneinander->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(f.kanalSubWindow(1)->geometry().intersects(f.kanalSubWindow(2)->geometry()));
    // Nor can the user drag a window smaller than its controls.
    f.kanalSubWindow(1)->resize(100, 100);
    QApplication::processEvents();
    EXPECT_EQ(clippedButtons(f.kanal(1)), QStringList());
}

TEST(PanelStatusBar, ALongTextIsCutVisiblyAndShownWholeAsTooltip)
{
    PanelStatusBar bar;
    bar.addPanel(QStringLiteral("Kanal1Label"), QStringLiteral("Channel 1"));
    bar.addPanel(QStringLiteral("Kanal1Text"), QString(), 1);
    const QString text = QStringLiteral("Battery voltage out of range (SQV)");
    bar.setPanelText(QStringLiteral("Kanal1Text"), text);
    QLabel* panel = bar.panel(QStringLiteral("Kanal1Text"));
    // The panel asks for room for the whole text.
    EXPECT_GE(panel->sizeHint().width(), panel->fontMetrics().horizontalAdvance(text));

    bar.resize(bar.sizeHint());
    bar.show();
    QApplication::processEvents();
    EXPECT_EQ(panel->text(), text);
    EXPECT_TRUE(panel->toolTip().isEmpty());

    bar.resize(200, bar.height());
    QApplication::processEvents();
    EXPECT_NE(panel->text(), text);
    EXPECT_TRUE(panel->text().endsWith(QChar(0x2026))) << panel->text().toStdString();
    EXPECT_EQ(panel->toolTip(), text);
    EXPECT_EQ(bar.panelText(QStringLiteral("Kanal1Text")), text);

    // A new, short text fits again and needs no tooltip.
    bar.setPanelText(QStringLiteral("Kanal1Text"), QStringLiteral("Idle"));
    EXPECT_EQ(panel->text(), QStringLiteral("Idle"));
    EXPECT_TRUE(panel->toolTip().isEmpty());
}
