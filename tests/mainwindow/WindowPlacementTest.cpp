// What the screens show: channel windows placed at start so that none covers
// another, a main window that fits the screen, windows that an arrangement
// never makes smaller than their controls, and status texts that are cut
// visibly with the whole text at hand.
#include "MainWindowParts.h"
#include "TestSupport.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "link/CommunicationProgram.h"
#include "mainwindow/ChannelPlacement.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/PanelStatusBar.h"
#include "platform/ScreenFit.h"
#include "printing/WidgetControlReader.h"
#include "widgets/SeriesFrames.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
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
        bool overlaps;
    };
    const Case cases[] = {
        {"full HD, four", {1900, 960}, 4, 4, true, false},
        {"full HD, three", {1900, 960}, 3, 3, true, false},
        {"full HD, one", {1900, 960}, 1, 1, true, false},
        {"wide and tall, four", {1500, 1500}, 4, 4, true, false},
        {"narrow and tall, four", {800, 1400}, 4, 2, true, false},
        {"narrow and tall, two", {400, 1400}, 2, 1, true, false},
        {"small laptop, four: one row fanned out", {1340, 690}, 4, 4, true, true},
        {"small laptop, two", {1340, 690}, 2, 2, true, false},
        {"narrow and short, four: two by two fanned out", {700, 1000}, 4, 2, true, true},
        {"smaller than one window, four: two rows that scroll", {700, 500}, 4, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        const ChannelGrid g = chooseChannelGrid(c.count, preferred, minimum, c.room);
        EXPECT_EQ(g.columns, c.columns);
        EXPECT_EQ(g.fits, c.fits);
        EXPECT_EQ(g.overlaps(), c.overlaps);
        EXPECT_GE(g.columns * g.rows, c.count);
        EXPECT_GE(g.cell.width(), minimum.width());
        EXPECT_GE(g.cell.height(), minimum.height());
        EXPECT_LE(g.cell.width(), preferred.width());
        if (g.fits) {
            EXPECT_LE(g.extent().width(), c.room.width());
            EXPECT_LE(g.extent().height(), c.room.height());
        }
        for (int i = 0; i < c.count; ++i) {
            if (g.fits) {
                EXPECT_TRUE(QRect(QPoint(0, 0), c.room).contains(g.cellRect(i))) << i;
            }
            for (int j = i + 1; j < c.count; ++j) {
                // Fanned out, a window still shows a strip of every one below it.
                EXPECT_NE(g.cellRect(i).topLeft(), g.cellRect(j).topLeft()) << i << " and " << j;
                if (!c.overlaps) {
                    EXPECT_FALSE(g.cellRect(i).intersects(g.cellRect(j))) << i << " and " << j;
                }
            }
        }
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
        form = mainWindowWithChannels(services);
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

TEST_F(WindowPlacementTest, ChannelWindowsOfEachModelOpenWhollyInsideTheMainWindowOnEachScreen)
{
    struct Model {
        const char* charger;
        int kztxCount;
        int shown;
    };
    const Model models[] = {{"KZT1", 1, 1}, {"KZT4", 1, 4}, {"KZT4 48V", 1, 2}, {"J4", 1, 4},
                            {"KZTx", 1, 1}, {"KZTx", 2, 2}, {"KZTx", 3, 3},     {"KZTx", 4, 4}};
    struct Screen {
        const char* name;
        QRect area;
        int sideBySide;  // up to this many windows none covers another
        bool windowFits; // a channel window fits the area at all
    };
    const Screen screens[] = {
        {"full HD", QRect(0, 0, 1920, 1080), 4, true},
        {"1440 x 900", QRect(0, 0, 1440, 900), 4, true},
        {"1366 x 768", QRect(0, 0, 1366, 768), 4, true},
        {"1024 x 768, a panel on top", QRect(0, 24, 1024, 744), 3, true},
        {"800 x 600", QRect(0, 0, 800, 600), 2, false},
    };
    for (const Model& m : models) {
        frmMDIMainForm& f = start(m.charger, m.kztxCount);
        QList<QMdiSubWindow*> shown;
        for (int n = 1; n <= 4; ++n)
            if (f.isKanalShown(n))
                shown << f.kanalSubWindow(n);
        ASSERT_EQ(shown.size(), m.shown) << m.charger;
        for (const Screen& screen : screens) {
            SCOPED_TRACE(std::string(m.charger) + " / " + std::to_string(m.kztxCount) + " on " + screen.name);
            f.placeChannelWindows(screen.area);
            QApplication::processEvents();
            const QRect frame = f.geometry().marginsAdded(windowFrameMargins(&f));
            EXPECT_TRUE(screen.area.contains(frame))
                << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
            const QRect inside = f.mdiArea()->viewport()->rect();
            for (qsizetype i = 0; i < shown.size(); ++i) {
                const QRect r = shown[i]->geometry();
                EXPECT_GE(r.width(), shown[i]->minimumSizeHint().width()) << i;
                EXPECT_GE(r.height(), shown[i]->minimumSizeHint().height()) << i;
                EXPECT_GE(r.x(), 0);
                EXPECT_GE(r.y(), 0);
                if (screen.windowFits) {
                    EXPECT_TRUE(inside.contains(r)) << shown[i]->objectName().toStdString() << " at " << r.x() << ","
                                                    << r.y() << " " << r.width() << "x" << r.height();
                }
                for (qsizetype j = i + 1; j < shown.size(); ++j) {
                    EXPECT_NE(r.topLeft(), shown[j]->pos());
                    if (shown.size() <= screen.sideBySide) {
                        EXPECT_FALSE(r.intersects(shown[j]->geometry()))
                            << shown[i]->objectName().toStdString() << " covers "
                            << shown[j]->objectName().toStdString();
                    }
                }
            }
            // Channel 1 first, the others after it in their order.
            EXPECT_EQ(shown.first()->pos(), QPoint(0, 0));
        }
        form.reset();
    }
}

TEST_F(WindowPlacementTest, AChannelToldByTheChargerLaterIsPlacedInsideWithTheOthers)
{
    // The charger tells three channels after a start with one.
    frmMDIMainForm& f = start("KZTx", 1);
    objSettings().setSetting(QStringLiteral("KZTxChannelCount"), QStringLiteral("3"));
    for (int n = 1; n <= 3; ++n)
        f.setChannelMenuEnabled(n, true);
    f.showChannelWindows2To4();
    QApplication::processEvents();
    const QRect inside = f.mdiArea()->viewport()->rect();
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(f.isKanalShown(n)) << n;
        const QRect r = f.kanalSubWindow(n)->geometry();
        EXPECT_TRUE(inside.contains(r)) << n << ": " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        if (n > 1) {
            EXPECT_GT(r.x(), f.kanalSubWindow(n - 1)->x()) << n;
        }
    }
    const QRect frame = f.geometry().marginsAdded(windowFrameMargins(&f));
    EXPECT_TRUE(f.screen()->availableGeometry().contains(frame));
}

TEST_F(WindowPlacementTest, ALongBatteryNameNeverWidensAChannelWindow)
{
    frmMDIMainForm& f = start("KZT4");
    f.placeChannelWindows(QRect(0, 0, 1440, 900));
    QApplication::processEvents();
    QMdiSubWindow* first = f.kanalSubWindow(1);
    const QRect before = first->geometry();
    const int least = first->minimumSizeHint().width();

    const QString name = QStringLiteral("Receiver pack of the big glider, the one with the long wings, bought 2019");
    f.kanal(1)->setFrameAkkumesswerteHeading(name, QStringLiteral("remark"), QStringLiteral("3"));
    QApplication::processEvents();
    EXPECT_EQ(first->minimumSizeHint().width(), least);
    EXPECT_EQ(first->geometry(), before);
    EXPECT_FALSE(first->geometry().intersects(f.kanalSubWindow(2)->geometry()));

    // The frame shows what fits and keeps the whole heading for the printout.
    auto* frame = f.kanal(1)->findChild<SeriesFrames::TitledFrame*>(QStringLiteral("frameAkkumesswerte"));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->title().contains(name));
    EXPECT_EQ(f.kanal(1)->controlText(QStringLiteral("frameAkkumesswerte")), frame->title());
    EXPECT_TRUE(frame->shownTitle().endsWith(QChar(0x2026))) << frame->shownTitle().toStdString();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), frame->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(frame, &help);
    EXPECT_EQ(QToolTip::text(), frame->title());
    QToolTip::hideText();
    // The neighbour's short heading shows whole.
    auto* other = f.kanal(2)->findChild<SeriesFrames::TitledFrame*>(QStringLiteral("frameAkkumesswerte"));
    EXPECT_EQ(other->shownTitle(), other->title());
}

TEST_F(WindowPlacementTest, TheMainWindowShowsItsWholeMenuBarAndTitleWithEveryModelInBothLanguages)
{
    const QRect screen(0, 0, 1366, 768);
    const std::pair<const char*, int> models[] = {{"KZT1", 1}, {"KZT4 48V", 1}, {"KZT4", 1}, {"J4", 1},
                                                  {"KZTx", 1}, {"KZTx", 2},     {"KZTx", 3}, {"KZTx", 4}};
    for (const char* language : {"EN", "DE"}) {
        objSettings().setSetting(QStringLiteral("UsedLanguage"), QString::fromLatin1(language));
        objResources().setLanguageKey(QString::fromLatin1(language));
        for (const auto& [charger, count] : models) {
            SCOPED_TRACE(std::string(language) + " " + charger + " / " + std::to_string(count));
            frmMDIMainForm& f = start(charger, count);
            f.placeChannelWindows(screen);
            QApplication::processEvents();
            // No menu folds behind the overflow arrow, and the title bar has
            // room for the whole title.
            EXPECT_GE(f.minimumWidth(), f.menuBar()->sizeHint().width());
            EXPECT_GE(f.width(), f.menuBar()->sizeHint().width());
            EXPECT_GE(f.width(), titleBarWidth(&f));
            const QRect frame = f.geometry().marginsAdded(windowFrameMargins(&f));
            EXPECT_TRUE(screen.contains(frame))
                << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
            form.reset();
        }
    }
}

TEST_F(WindowPlacementTest, ALongBatteryTypeShowsItsBeginningAndWholeAsTooltipAndInPrint)
{
    objSettings().setSetting(QStringLiteral("UsedLanguage"), QStringLiteral("DE"));
    objResources().setLanguageKey(QStringLiteral("DE"));
    frmMDIMainForm& f = start("KZT4");
    f.placeChannelWindows(QRect(0, 0, 1366, 768));
    QApplication::processEvents();
    frmKanal* k = f.kanal(1);
    CommunicationProgram preset;
    preset.splitRecievedString(QStringLiteral("001,P,A05,M01,Z06,F0,W30,L01000,E00500,V08400,D05400"), false);
    k->logic().showProgram(preset);
    QApplication::processEvents();

    const QString whole = getResource(QStringLiteral("0912"));
    auto* box = k->findChild<SeriesFrames::CutTextBox*>(QStringLiteral("txtAkkuTyp"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), whole);
    // The printout reads the whole text by the control's name.
    EXPECT_EQ(WidgetControlReader(*k).controlText(QStringLiteral("txtAkkuTyp")), whole);
    // Four channel windows side by side on this screen: the box shows the
    // beginning, cut with an ellipsis, and the whole text as its tooltip.
    const QString shown = box->shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << shown.toStdString();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &help);
    EXPECT_EQ(QToolTip::text(), whole);
    QToolTip::hideText();

    // A type that fits shows whole.
    preset.splitRecievedString(QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"), false);
    k->logic().showProgram(preset);
    EXPECT_EQ(box->shownText(), box->text());
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
