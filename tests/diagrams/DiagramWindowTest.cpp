// The diagram window offscreen: opened through the one opener, its curves,
// check boxes and axes, ranges kept across reloads, a grab that shows the
// curves, the options dialog, and the roads of a failed load.
#include "DiagramFixture.h"
#include "OwnedWindowChecks.h"

#include "../printing/PdfText.h"
#include "ScriptedDialogs.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "diagrams/DiagramOpener.h"
#include "diagrams/dlgDiagramOptions.h"
#include "diagrams/frmDiagramm.h"
#include "platform/ProgramPrinter.h"
#include "platform/ScreenFit.h"
#include "wiring/DiagramHost.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QValueAxis>
#include <cmath>

namespace {

using Curve = DiagrammLogic::Curve;

// Every text the chart draws (tick labels and titles), laid out as shown.
QStringList chartTexts(frmDiagramm* w)
{
    QApplication::processEvents();
    QStringList texts;
    for (QGraphicsItem* item : w->chartView()->scene()->items()) {
        if (!item->isVisible())
            continue;
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item))
            texts << t->toPlainText();
        else if (auto* st = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            texts << st->text();
    }
    return texts;
}

class FakeDiagramHost : public DiagramHost {
public:
    QStringList calls;
    void setVelmoroActiveForm(QWidget* form) override
    {
        calls << QStringLiteral("active %1").arg(form ? form->objectName() : QStringLiteral("none"));
    }
    void checkAndSetPrintItem(std::optional<bool> bActive) override
    {
        calls << QStringLiteral("print %1").arg(bActive.has_value() ? (*bActive ? "true" : "false") : "none");
    }
};

class DiagramWindowTest : public DiagramFixture {
protected:
    void SetUp() override
    {
        DiagramFixture::SetUp();
        // Voltage 1.21 .. 1.48 V, current 0.5 .. 1.0 A, capacity 0 .. 2.5 Ah.
        for (int m = 0; m < 20; ++m)
            value("TempMessWerte", 1, m, 1210 + m * 270 / 19, 500 + m * 25, m * 125);
        for (int m = 0; m < 8; ++m)
            value("TempMessWerte", 2, m, 11800 + m * 300, 2000, m * 400);
        values("TempMessWerte", 3, 4);
    }
    void TearDown() override
    {
        opener.reset();
        DiagramFixture::TearDown();
    }
    frmDiagramm* open(qint32 series, qint32 endWert = 0, QWidget* caller = nullptr)
    {
        return opener->open({series, true, endWert}, caller, nullptr) ? opener->window() : nullptr;
    }
    static bool visible(frmDiagramm* w, Curve c) { return w->curve(c)->isVisible(); }

    FakeDiagramHost host;
    std::unique_ptr<DiagramOpener> opener = std::make_unique<DiagramOpener>(&host, nullptr);
};

TEST_F(DiagramWindowTest, ShowsTheVoltageCurveOnWholeVoltsAndTheBoxesSwitchCurves)
{
    frmDiagramm* w = open(1);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->chartView()->isVisible());
    EXPECT_EQ(w->curve(DiagrammLogic::Spannung)->count(), 20);
    EXPECT_EQ(w->curve(DiagrammLogic::Spannung)->pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(w->curve(DiagrammLogic::Strom)->pen().color(), QColor(0, 255, 0));
    EXPECT_EQ(w->curve(DiagrammLogic::Kapazitaet)->pen().color(), QColor(0, 0, 255));
    EXPECT_TRUE(visible(w, DiagrammLogic::Spannung));
    EXPECT_FALSE(visible(w, DiagrammLogic::Strom));
    EXPECT_FALSE(visible(w, DiagrammLogic::Kapazitaet));
    EXPECT_TRUE(w->checkBox(DiagrammLogic::Spannung)->isChecked());
    EXPECT_EQ(w->axisY()->min(), 1.0);
    EXPECT_EQ(w->axisY()->max(), 2.0);
    EXPECT_EQ(w->axisY()->tickCount(), 6);
    // Shipped settings: grids on, no minimum/maximum lines.
    EXPECT_TRUE(w->axisX()->isGridLineVisible());
    EXPECT_FALSE(w->minLine(DiagrammLogic::Spannung)->isVisible());

    w->checkBox(DiagrammLogic::Kapazitaet)->click();
    EXPECT_TRUE(visible(w, DiagrammLogic::Kapazitaet));
    EXPECT_EQ(w->curve(DiagrammLogic::Kapazitaet)->count(), 20);
    EXPECT_EQ(w->axisY()->min(), 0.0);
    EXPECT_EQ(w->axisY()->max(), 3.0); // 0 .. 2.375 Ah and 1.21 .. 1.48 V
    w->checkBox(DiagrammLogic::Spannung)->click();
    w->checkBox(DiagrammLogic::Kapazitaet)->click();
    EXPECT_FALSE(visible(w, DiagrammLogic::Spannung));
    EXPECT_FALSE(visible(w, DiagrammLogic::Kapazitaet));
    EXPECT_EQ(w->axisY()->max(), 3.0); // no box: the axis stays

    // The grab shows the red voltage curve.
    w->checkBox(DiagrammLogic::Spannung)->click();
    const QImage picture = w->chartView()->grab().toImage();
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) == QColor(255, 0, 0))
                ++red;
    EXPECT_GT(red, 100);
}

TEST_F(DiagramWindowTest, AReloadKeepsTheUsersRangesAndResetsTheBoxesAndThePhase)
{
    frmDiagramm* w = open(1);
    ASSERT_NE(w, nullptr);
    w->checkBox(DiagrammLogic::Strom)->click();
    w->refreshXYRanges(velmoroAxisRange::fixed(0, 5), velmoroAxisRange::fixed(0, 60));
    EXPECT_EQ(w->axisX()->max(), 60.0);

    const qint32 end = endValue("TempMessWerte", 2, 2);
    value("TempMessWerte", 2, 9, 14000);
    ASSERT_EQ(open(2, end), w); // the one window, reused
    EXPECT_EQ(w->logic().lMessReiheId, 2);
    EXPECT_EQ(w->logic().lEndWertId, end);
    EXPECT_EQ(w->curve(DiagrammLogic::Spannung)->count(), 8);
    EXPECT_EQ(w->axisY()->min(), 0.0);
    EXPECT_EQ(w->axisY()->max(), 5.0);
    EXPECT_EQ(w->axisX()->min(), 0.0);
    EXPECT_EQ(w->axisX()->max(), 60.0);
    EXPECT_FALSE(visible(w, DiagrammLogic::Strom));
    EXPECT_FALSE(w->checkBox(DiagrammLogic::Strom)->isChecked());

    // The Diagram button asks for the whole series: no phase is kept.
    ASSERT_EQ(open(2), w);
    EXPECT_EQ(w->logic().lEndWertId, 0);
    EXPECT_EQ(w->curve(DiagrammLogic::Spannung)->count(), 9);
    w->checkBox(DiagrammLogic::Strom)->click();
    EXPECT_EQ(w->curve(DiagrammLogic::Strom)->count(), 9); // the reloaded values, not the first

    // Automatic again: the Y axis spans 1 A .. 15 V in 4 divisions.
    w->refreshXYRanges(velmoroAxisRange(), velmoroAxisRange());
    EXPECT_EQ(w->axisY()->min(), 1.0);
    EXPECT_EQ(w->axisY()->max(), 15.0);
    EXPECT_EQ(w->axisY()->tickCount(), 5);
}

TEST_F(DiagramWindowTest, AFailedLoadClosesOnlyAWindowItOpened)
{
    QWidget caller;
    EXPECT_EQ(open(3), nullptr);
    EXPECT_EQ(opener->window(), nullptr);
    EXPECT_EQ(messages.texts(), QStringList{getResource(QStringLiteral("0848"))});
    EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0410")));

    frmDiagramm* w = open(1, 0, &caller);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->callerForm, &caller);
    EXPECT_EQ(open(3), nullptr);
    ASSERT_EQ(opener->window(), w);
    EXPECT_EQ(w->logic().lMessReiheId, 1); // still names what it shows
    EXPECT_EQ(w->callerForm, &caller);
    EXPECT_EQ(w->curve(DiagrammLogic::Spannung)->count(), 20);

    // A database failure: told, and nothing drawn.
    dbVeluser.exec(QStringLiteral("ALTER TABLE TempMessWerte RENAME TO Elsewhere"));
    messages.shown.clear();
    EXPECT_EQ(open(1), nullptr);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
    EXPECT_EQ(opener->window(), w);
    EXPECT_FALSE(opener->isLoading());
}

TEST_F(DiagramWindowTest, ActivationAndUnloadLeaveFilePrintDisabled)
{
    frmDiagramm* w = open(1);
    ASSERT_NE(w, nullptr);
    host.calls.clear();
    w->Form_Activate();
    EXPECT_EQ(host.calls, (QStringList{"active frmDiagramm", "print false"}));
    host.calls.clear();
    w->close();
    EXPECT_EQ(host.calls, QStringList{"print false"});
}

TEST_F(DiagramWindowTest, OptionsSaveTheSwitchesAndHandBackTheRanges)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmDiagramm* w = open(1);
    ASSERT_NE(w, nullptr);
    w->refreshXYRanges(velmoroAxisRange::fixed(-1.5, 2), velmoroAxisRange());
    {
        dlgDiagramOptions dialog(w);
        dialog.parentWin = w;
        dialog.xAx = w->logic().xAxisRange;
        dialog.yAx = w->logic().yAxisRange;
        dialog.initializeDialog();
        auto* yVon = dialog.findChild<QLineEdit*>(QStringLiteral("txtYVon"));
        auto* xVon = dialog.findChild<QLineEdit*>(QStringLiteral("txtXVon"));
        EXPECT_EQ(yVon->text(), QStringLiteral("-1,5"));
        EXPECT_FALSE(yVon->isHidden());
        EXPECT_TRUE(xVon->isHidden());
        EXPECT_FALSE(dialog.findChild<QCheckBox*>(QStringLiteral("chkSpannung"))->isChecked());

        dialog.findChild<QCheckBox*>(QStringLiteral("chkSpannung"))->setChecked(true);
        dialog.findChild<QCheckBox*>(QStringLiteral("chkXGrid"))->setChecked(false);
        dialog.findChild<QCheckBox*>(QStringLiteral("chkXAutomatisch"))->setChecked(false);
        EXPECT_FALSE(xVon->isHidden());
        xVon->setText(QStringLiteral("10"));
        dialog.findChild<QLineEdit*>(QStringLiteral("txtXBis"))->setText(QStringLiteral("10"));
        dialog.OKButton_Click();
        EXPECT_EQ(messages.texts(), QStringList{getResource(QStringLiteral("2160"))});
        EXPECT_EQ(messages.shown[0].icon, MessageService::Information);
        EXPECT_EQ(objSettings().getSetting(QStringLiteral("MinMaxSpannungVisible")), QStringLiteral("NO"));

        dialog.findChild<QLineEdit*>(QStringLiteral("txtXBis"))->setText(QStringLiteral("30"));
        dialog.OKButton_Click();
        EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    }
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("MinMaxSpannungVisible")), QStringLiteral("YES"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("xGridVisible")), QStringLiteral("NO"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("yGridVisible")), QStringLiteral("YES"));
    EXPECT_EQ(w->logic().xAxisRange, velmoroAxisRange::fixed(10, 30));
    EXPECT_EQ(w->logic().yAxisRange, velmoroAxisRange::fixed(-1.5, 2));
    EXPECT_EQ(w->axisX()->min(), 10.0);
    EXPECT_EQ(w->axisY()->min(), -1.5);
    EXPECT_FALSE(w->axisX()->isGridLineVisible());
    EXPECT_TRUE(w->minLine(DiagrammLogic::Spannung)->isVisible());
    EXPECT_EQ(w->minLine(DiagrammLogic::Spannung)->at(0).y(), 1.21);
    EXPECT_EQ(w->maxLine(DiagrammLogic::Spannung)->at(0).y(), 1.48);

    // Cancel changes nothing.
    {
        dlgDiagramOptions dialog(w);
        dialog.parentWin = w;
        dialog.xAx = w->logic().xAxisRange;
        dialog.yAx = w->logic().yAxisRange;
        dialog.initializeDialog();
        dialog.findChild<QCheckBox*>(QStringLiteral("chkYGrid"))->setChecked(false);
        dialog.findChild<QCheckBox*>(QStringLiteral("chkXAutomatisch"))->setChecked(true);
        dialog.CancelButton_Click();
    }
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("yGridVisible")), QStringLiteral("YES"));
    EXPECT_EQ(w->logic().xAxisRange, velmoroAxisRange::fixed(10, 30));
    QLocale::setDefault(QLocale::system());
}

} // namespace

TEST_F(DiagramWindowTest, PrintsTheDiagramPageWithoutItsButtonsAlsoWhenItsCallerIsGone)
{
    ScriptedDialogs dialogs;
    TestServices scripted(services, {.dialogs = &dialogs});
    QTemporaryDir dir;
    auto printTo = [&dialogs](const QString& file) {
        dialogs.then([file](QDialog& d) {
            QPrinter& p = programPrinter();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            p.setPageSize(QPageSize(QPageSize::A4));
            d.setResult(QDialog::Accepted);
        });
    };
    auto caller = std::make_unique<QWidget>();
    caller->setWindowTitle(QStringLiteral("Opener"));
    frmDiagramm* w = open(1, 0, caller.get());
    ASSERT_NE(w, nullptr);

    printTo(dir.filePath(QStringLiteral("page.pdf")));
    w->cmdPrintDiagram_Click();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(PdfText::read(dir.filePath(QStringLiteral("page.pdf"))).find(QStringLiteral("Opener")).size(), 1);
    for (const char* name : {"cmdEinstellungen", "cmdOk", "cmdPrint", "cmdPrintDiagram"})
        EXPECT_FALSE(w->findChild<QPushButton*>(QString::fromLatin1(name))->isHidden()) << name;

    // The report of a closed caller cannot be printed; the diagram still is,
    // under the diagram window's own caption, and the user is told why.
    caller.reset();
    printTo(dir.filePath(QStringLiteral("alone.pdf")));
    w->cmdPrint_Click();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("alone.pdf"))));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("9036")));

    // Printing is switched off by the setting: nothing is asked.
    objSettings().setSetting(QStringLiteral("PrintingLook"), QStringLiteral("0"));
    w->cmdPrintDiagram_Click();
    EXPECT_TRUE(dialogs.shown.size() == 2);
}

namespace {

// Tick labels read as numbers under the current locale; texts that are no
// number (titles) are left out.
QList<double> tickValues(frmDiagramm* w)
{
    QList<double> values;
    for (const QString& text : chartTexts(w)) {
        bool ok = false;
        const double v = QLocale().toDouble(text, &ok);
        if (ok)
            values << v;
    }
    return values;
}

TEST_F(DiagramWindowTest, AxisLabelsFollowTheUsersLocaleAndFixedRangesTickOnRoundNumbers)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmDiagramm* w = open(1);
    ASSERT_NE(w, nullptr);
    QStringList texts = chartTexts(w);
    EXPECT_TRUE(texts.contains(QStringLiteral("1,20"))) << texts.join(QLatin1Char('|')).toStdString();
    for (const QString& t : texts)
        EXPECT_FALSE(t.contains(QLatin1Char('.'))) << t.toStdString();
    // The title in the program's language, not a word of another.
    EXPECT_EQ(w->axisX()->titleText(), getResource(QStringLiteral("9050")));
    EXPECT_EQ(w->axisX()->titleText(), QStringLiteral("Minutes"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Minutes")));

    // Fixed ranges keep their bounds; their ticks fall on whole halves (Y)
    // and whole minutes (X), not on 1.3 + k * 0.55 or 7 / 4.
    w->refreshXYRanges(velmoroAxisRange::fixed(1.3, 3.5), velmoroAxisRange::fixed(0, 7));
    EXPECT_EQ(w->axisY()->min(), 1.3);
    EXPECT_EQ(w->axisY()->max(), 3.5);
    const QList<double> ticks = tickValues(w);
    EXPECT_EQ(ticks.size(), 5 + 8); // 1.5 .. 3.5 and 0 .. 7
    for (double v : ticks)
        EXPECT_EQ(v * 2, std::round(v * 2)) << v;
    EXPECT_TRUE(ticks.contains(1.5) && ticks.contains(3.5) && ticks.contains(7.0));
    EXPECT_TRUE(chartTexts(w).contains(QStringLiteral("1,50")));

    // Automatic again: the range's own divisions.
    w->refreshXYRanges(velmoroAxisRange(), velmoroAxisRange());
    EXPECT_EQ(w->axisY()->tickType(), QValueAxis::TicksFixed);
    EXPECT_EQ(w->axisY()->tickCount(), 6);

    // The next load takes the locale of its time.
    QLocale::setDefault(QLocale::c());
    ASSERT_EQ(open(1), w);
    EXPECT_TRUE(chartTexts(w).contains(QStringLiteral("1.20")));
    QLocale::setDefault(QLocale::system());
}

TEST_F(DiagramWindowTest, BelongsToTheCallersMainWindowAndOpensWhollyOnTheScreen)
{
    QWidget mainWindow;
    mainWindow.resize(400, 300);
    auto* channel = new QWidget(&mainWindow);
    auto* seriesWindow = new QWidget(&mainWindow, Qt::Window);

    // Opened without a caller, then by a window inside the main window.
    frmDiagramm* w = open(1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), nullptr);
    // A failed load that moved it to its owner leaves it shown.
    EXPECT_EQ(open(3, 0, channel), nullptr);
    EXPECT_EQ(w->parentWidget(), &mainWindow);
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(open(1, 0, channel), w);
    EXPECT_TRUE(w->isWindow());
    // By a window of its own that belongs to the main window: still the main
    // window's.
    ASSERT_EQ(open(2, 0, seriesWindow), w);
    EXPECT_EQ(w->parentWidget(), &mainWindow);
    opener->window()->close();
    QApplication::processEvents();
    ASSERT_EQ(opener->window(), nullptr);

    // A new window, larger than the screen is wide, fits its free area.
    w = open(1, 0, seriesWindow);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), &mainWindow);
    const QRect available = mainWindow.screen()->availableGeometry();
    ASSERT_LT(available.width(), 826); // the offscreen screen: narrower than the window's design
    const QRect frame = w->geometry().marginsAdded(windowFrameMargins(w));
    EXPECT_TRUE(available.contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    EXPECT_EQ(DiagramOpener::ownerOf(nullptr), nullptr);
    // A caller that is a window nobody owns: the diagram must outlive it.
    EXPECT_EQ(DiagramOpener::ownerOf(&mainWindow), nullptr);
}

TEST_F(DiagramWindowTest, StaysInFrontOfTheMainWindowWithoutBlockingIt)
{
    QWidget mainWindow;
    auto* channel = new QWidget(&mainWindow);
    mainWindow.show();
    // Made for its owner, and moved to it after an opening without one.
    frmDiagramm* w = open(1, 0, channel);
    ASSERT_NE(w, nullptr);
    expectOwnedWindow(*w, mainWindow);
    opener->window()->close();
    QApplication::processEvents();
    w = open(1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowHandle()->transientParent(), nullptr);
    ASSERT_EQ(open(2, 0, channel), w);
    expectOwnedWindow(*w, mainWindow);
}

// The loading notice is gone when a load that ends with a message shows it.
class NoticeWatchingMessages : public ScriptedMessages {
public:
    QList<bool> noticeShown;
    Result show(const QString& text, Buttons buttons, Icon icon, const QString& title) override
    {
        bool shownNow = false;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("dlgDiagrammLadeMeldung") && top->isVisible())
                shownNow = true;
        noticeShown << shownNow;
        return ScriptedMessages::show(text, buttons, icon, title);
    }
};

TEST_F(DiagramWindowTest, TooFewValuesThatDecodeAreToldAfterTheNoticeHasClosed)
{
    NoticeWatchingMessages watch;
    TestServices watching(services, {.messages = &watch});
    // Eight rows, four of which decode: too few to draw.
    for (int m = 0; m < 8; ++m) {
        if (m % 2)
            value("TempMessWerte", 4, m);
        else
            add("TempMessWerte", 4, false, QStringLiteral("%1;broken").arg(m));
    }
    EXPECT_EQ(open(4), nullptr);
    EXPECT_EQ(opener->window(), nullptr);
    EXPECT_EQ(watch.texts(), QStringList{getResource(QStringLiteral("0848"))});
    EXPECT_EQ(watch.noticeShown, QList<bool>{false});

    // Five that decode among the eight draw.
    add("TempMessWerte", 4, false, QStringLiteral("100;1300;1000;600"));
    frmDiagramm* w = open(4);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->curve(DiagrammLogic::Spannung)->count(), 5);

    // A database failure is told after the notice has gone too.
    dbVeluser.exec(QStringLiteral("ALTER TABLE TempMessWerte RENAME TO Elsewhere"));
    EXPECT_EQ(open(4), nullptr);
    ASSERT_EQ(watch.shown.size(), 2);
    EXPECT_EQ(watch.shown[1].icon, MessageService::Critical);
    EXPECT_EQ(watch.noticeShown, (QList<bool>{false, false}));
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_NE(top->objectName(), QStringLiteral("dlgDiagrammLadeMeldung"));
}

} // namespace
