// The report as placed texts in millimetres: the positions of the blocks, the
// running position below the end-value lists, wrapping and page breaks.
#include "FakeControls.h"
#include "TestSupport.h"

#include "printing/ReportLayout.h"

#include <gtest/gtest.h>

using namespace ReportLayout;

namespace {
// A4 with 10 mm margins.
const QSizeF kA4(190, 277);

ReportSettings settings(const QString& date = QString())
{
    ReportSettings s;
    s.headAreaCm = 2;
    s.title = QStringLiteral("velmoro battery report");
    s.subTitle = QStringLiteral("My workshop");
    s.date = date;
    s.chargeCurrentLabel = QStringLiteral("Charge current:");
    s.dischargeCurrentLabel = QStringLiteral("Discharge current:");
    return s;
}

QList<PlacedText> all(const Document& d, const QString& text)
{
    QList<PlacedText> found;
    for (const Page& p : d.pages)
        for (const PlacedText& t : p.texts)
            if (t.text == text)
                found << t;
    return found;
}

PlacedText one(const Document& d, const QString& text)
{
    const auto found = all(d, text);
    EXPECT_EQ(found.size(), 1) << text.toStdString();
    return found.value(0);
}

QStringList rows(int n, int first = 1)
{
    QStringList r;
    for (int i = first; i < first + n; ++i)
        r << QStringLiteral("%1.      1.234    12.345    95").arg(i, 2);
    return r;
}

int pageOf(const Document& d, const QString& text)
{
    for (int i = 0; i < d.pages.size(); ++i)
        for (const PlacedText& t : d.pages[i].texts)
            if (t.text == text)
                return i;
    return -1;
}
} // namespace

TEST(ReportLayoutTest, BlocksStandWhereTheReportPutsThem)
{
    const FakeControls w = channelWindow();
    const FakeControls v = programViewer();
    const Document d =
        layoutChannelReport(w, &v, settings(QStringLiteral("08. December 2026   10:15")), QString(), false, kA4);
    ASSERT_EQ(d.pages.size(), 1);
    EXPECT_FALSE(d.landscape);
    const Page& p = d.pages[0];
    EXPECT_NEAR(p.origin.x(), 17.637, 0.001);
    EXPECT_NEAR(p.origin.y(), 20, 0.001);
    // The frame ends 300 twips before the right edge and 1 cm above the bottom.
    ASSERT_EQ(p.frames.size(), 1);
    EXPECT_NEAR(p.origin.x() + p.frames[0].right(), 190 - 5.291, 0.01);
    EXPECT_NEAR(p.origin.y() + p.frames[0].bottom(), 277 - 10, 0.01);
    ASSERT_EQ(p.lines.size(), 2);
    EXPECT_NEAR(p.lines[0].y1(), 6.702, 0.001);
    EXPECT_NEAR(p.lines[1].y1(), 13.404, 0.001);

    struct Expect {
        const char* text;
        double x, y;
    };
    const Expect expected[] = {
        {"velmoro battery report", 2, 1},
        {"My workshop", 2, 8},
        {"Battery program", 2, 18},
        {"08. December 2026   10:15", 40, 18},
        {"Battery type:", 2, 25},
        {"NiMH, Cells 6, Nominal voltage 7.200 V", 40, 24},
        {"Mode:", 2, 29},
        {"Cycle, 3 cycles", 40, 28},
        {"Nominal capacity:", 2, 33},
        {"2.300 Ah", 40, 32},
        {"Charge current:", 2, 37},
        {"1.000 A", 40, 36},
        {"Discharge current:", 2, 41},
        {"0.500 A", 40, 40},
        {"Self-discharge test", 2, 45},
        {"after 12 hours", 40, 44},
        {"Measured values - Battery A / 3", 2, 52},
        {"After charge", 40, 61},
        {"After discharge", 95, 61},
        // Empty lists: condition at 80 mm, its values 1 mm higher.
        {"Condition:", 2, 80},
        {"good (87%)", 40, 79},
        {"Self-discharge:", 95, 80},
        {"12 mAh", 120, 79},
        {"Remarks:", 2, 90},
        {"series remark", 40, 89},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.text);
        const PlacedText t = one(d, QString::fromUtf8(e.text));
        EXPECT_NEAR(t.pos.x(), e.x, 0.01);
        EXPECT_NEAR(t.pos.y(), e.y, 0.01);
    }
    ASSERT_EQ(all(d, "Volt").size(), 2);
    EXPECT_NEAR(all(d, "Volt")[0].pos.x(), 40 + 1360 / 56.7, 0.01);
    EXPECT_NEAR(all(d, "Volt")[1].pos.x(), 95 + 1360 / 56.7, 0.01);
    EXPECT_NEAR(all(d, "Volt")[1].pos.y(), 65, 0.01);
    EXPECT_TRUE(one(d, "Battery program").font.underline);
    EXPECT_NEAR(one(d, "Battery program").font.sizeMm, pointsToMm(12), 1e-9);
    EXPECT_TRUE(one(d, "Mode:").font.italic);
    EXPECT_FALSE(one(d, "2.300 Ah").font.bold);
    EXPECT_FALSE(p.picture.has_value());
}

TEST(ReportLayoutTest, RowsAfterTheListsStartBelowTheLongerList)
{
    // 5 charges and 2 discharges: charge rows 70 .. 86, the condition below
    // the fifth row, not over it.
    const FakeControls w = channelWindow(rows(5), rows(2));
    const Document d = layoutChannelReport(w, nullptr, settings(), QString(), false, kA4);
    double lowestRow = 0;
    for (const PlacedText& t : d.pages[0].texts)
        if (t.text == QLatin1String("95"))
            lowestRow = std::max(lowestRow, t.pos.y());
    EXPECT_NEAR(lowestRow, 86, 0.01);
    EXPECT_NEAR(one(d, "Condition:").pos.y(), 100, 0.01);
    EXPECT_NEAR(one(d, "good (87%)").pos.y(), 99, 0.01);
    // And the other way round.
    const Document d2 =
        layoutChannelReport(channelWindow(rows(1), rows(6)), nullptr, settings(), QString(), false, kA4);
    EXPECT_NEAR(one(d2, "Condition:").pos.y(), 104, 0.01);
}

TEST(ReportLayoutTest, EmptyBatteryTypeOrNoViewerPrintsTheLabelsWithoutValues)
{
    FakeControls w = channelWindow();
    w.texts[QStringLiteral("txtAkkuTyp")] = QStringLiteral("   ");
    FakeControls v = programViewer();
    for (const FakeControls* viewer : {&v, static_cast<FakeControls*>(nullptr)}) {
        if (viewer == nullptr)
            w.texts[QStringLiteral("txtAkkuTyp")] = QStringLiteral("NiMH");
        const Document d = layoutChannelReport(w, viewer, settings(), QString(), false, kA4);
        for (const char* label :
             {"Battery type:", "Mode:", "Nominal capacity:", "Charge current:", "Discharge current:"})
            EXPECT_EQ(all(d, QString::fromLatin1(label)).size(), 1) << label;
        for (const PlacedText& t : d.pages[0].texts)
            EXPECT_FALSE(t.pos.y() > 20 && t.pos.y() < 50 && t.pos.x() > 30) << t.text.toStdString();
    }
    EXPECT_TRUE(v.read.isEmpty());
}

TEST(ReportLayoutTest, ProgramLinesFollowTheViewer)
{
    FakeControls v = programViewer();
    EXPECT_EQ(batteryTypeText(v), "NiMH, Cells 6, Nominal voltage 7.200 V");
    v.values[QStringLiteral("optAkkuTyp")] = 0;
    v.values[QStringLiteral("optVorgSpannung")] = 1;
    EXPECT_EQ(batteryTypeText(v), "Preset end voltages, Charge end 8.400 V, Discharge end 6.000 V");
    v.values[QStringLiteral("optVorgSpannung")] = 0;
    EXPECT_EQ(batteryTypeText(v), "");

    struct Case {
        const char* mode;
        bool cycleShown, periodShown;
        const char* line;
    };
    const Case cases[] = {
        {"Cycle", true, false, "Cycle, 3 cycles"},
        {"Storage", false, true, "Storage, 30 days"},
        {"Charge", false, false, "Charge"},
        // The forming mode names its cycle choice after a dash.
        {"Conditioning", false, false, "Conditioning - 3 cycles"},
        {"Formieren", false, false, "Formieren - 3 cycles"},
    };
    for (const Case& c : cases) {
        v.texts[QStringLiteral("cboGeraeteModi")] = QString::fromLatin1(c.mode);
        v.hidden.clear();
        if (!c.cycleShown)
            v.hidden << QStringLiteral("cboModeZyklus");
        if (!c.periodShown)
            v.hidden << QStringLiteral("txtZeitraum");
        EXPECT_EQ(deviceModeLine(v), QString::fromLatin1(c.line)) << c.mode;
    }
    v.values[QStringLiteral("optSelbstentladungStunden")] = 0;
    EXPECT_EQ(selfDischargeText(v), "after 12 days");
}

TEST(ReportLayoutTest, RemarkRowsKeepLineBreaksAndBlanksPrintNothing)
{
    EXPECT_EQ(remarkRows(QStringLiteral("   \n  ")), QStringList());
    EXPECT_EQ(remarkRows(QStringLiteral("a\r\nb")), QStringList({"a", "b"}));
    EXPECT_EQ(remarkRows(QStringLiteral("a\n\nb\rc")), QStringList({"a", "", "b", "c"}));

    const FakeControls w = channelWindow();
    const Document d = layoutChannelReport(w, nullptr, settings(), QStringLiteral("first\nsecond"), false, kA4);
    // Y = 80: remark box at 90, the printed remark from Y + 20, each row 1 mm higher.
    EXPECT_NEAR(one(d, "first").pos.y(), 99, 0.01);
    EXPECT_NEAR(one(d, "second").pos.y(), 103, 0.01);
    EXPECT_NEAR(one(d, "first").pos.x(), 40, 0.01);
    // No date when the report carries none: nothing beside the program heading.
    for (const PlacedText& t : d.pages[0].texts)
        EXPECT_FALSE(t.pos.y() == 18 && t.pos.x() == 40) << t.text.toStdString();
}

TEST(ReportLayoutTest, LongTextsWrapWithinTheFrame)
{
    FakeControls w = channelWindow();
    const QString words = QStringLiteral("word ").repeated(80).trimmed();
    w.texts[QStringLiteral("txtBemerkung")] = words;
    const QString unbroken = QString(300, QLatin1Char('x'));
    const Document d = layoutChannelReport(w, nullptr, settings(), unbroken + QStringLiteral("\nafter"), false, kA4);
    const Page& p = d.pages[0];
    const double right = p.frames[0].right();
    int wordRows = 0;
    for (const PlacedText& t : p.texts) {
        const double end = t.alignRight ? t.pos.x() : t.pos.x() + textWidth(t.text, t.font);
        EXPECT_LE(end, right) << t.text.toStdString();
        if (t.text.startsWith(QLatin1String("word")))
            ++wordRows;
    }
    EXPECT_GE(wordRows, 2);
    // What follows a wrapped text moves down by the rows it took.
    const PlacedText after = one(d, "after");
    double lowestX = 0;
    for (const PlacedText& t : p.texts)
        if (t.text.startsWith(QLatin1Char('x')))
            lowestX = std::max(lowestX, t.pos.y());
    EXPECT_NEAR(after.pos.y(), lowestX + 4, 0.01);
    // A sub-title too long for its band becomes smaller instead of running out.
    ReportSettings s = settings();
    s.subTitle = QStringLiteral("A very long sub-title ").repeated(8);
    const Document d2 = layoutChannelReport(w, nullptr, s, QString(), false, kA4);
    const PlacedText sub = one(d2, s.subTitle);
    EXPECT_LE(sub.pos.x() + textWidth(sub.text, sub.font), right + 0.01);
}

TEST(ReportLayoutTest, ALongReportGoesOnToNewPagesWithItsHeadings)
{
    const FakeControls w = channelWindow(rows(100), rows(100, 101));
    const Document d = layoutChannelReport(w, nullptr, settings(), QStringLiteral("remark"), true, kA4);
    ASSERT_GE(d.pages.size(), 2);
    const double bottom = d.pages[0].frames[0].bottom();
    for (const Page& p : d.pages) {
        EXPECT_EQ(all(Document{false, {p}}, "velmoro battery report").size(), 1);
        for (const PlacedText& t : p.texts)
            EXPECT_LE(t.pos.y() + t.font.sizeMm, bottom) << t.text.toStdString();
    }
    // Every row once, in order, and the list headings again on the next page.
    for (int first : {1, 101}) {
        int lastPage = 0;
        for (int i = first; i < first + 100; ++i) {
            const int page = pageOf(d, QStringLiteral("%1.").arg(i));
            ASSERT_GE(page, lastPage) << i;
            lastPage = page;
        }
        EXPECT_GE(lastPage, 1);
    }
    EXPECT_GE(all(d, "After charge").size(), 2);
    EXPECT_NEAR(all(d, "After charge")[1].pos.y(), kContinuedTop, 0.01);
    EXPECT_GE(pageOf(d, "Condition:"), pageOf(d, "200."));
    EXPECT_GT(one(d, "Condition:").pos.y(), 0);
    // The picture gets a real height, on a page of its own when little is left.
    int pictures = 0;
    for (const Page& p : d.pages)
        if (p.picture) {
            ++pictures;
            EXPECT_GE(p.picture->height(), kMinPictureHeight);
            EXPECT_NEAR(p.picture->bottom(), bottom - kPictureInset, 0.01);
        }
    EXPECT_EQ(pictures, 1);
}

TEST(ReportLayoutTest, PictureFillsTheFrameBelowTheReport)
{
    const FakeControls w = channelWindow(rows(2), rows(2));
    const Document withRemark = layoutChannelReport(w, nullptr, settings(), QStringLiteral("a\nb"), true, kA4);
    ASSERT_EQ(withRemark.pages.size(), 1);
    ASSERT_TRUE(withRemark.pages[0].picture);
    const QRectF r = *withRemark.pages[0].picture;
    // Y = 88; remark rows from 108, then 15 mm below the running position 116.
    EXPECT_NEAR(r.top(), 131, 0.01);
    EXPECT_NEAR(r.left(), 2, 0.01);
    EXPECT_NEAR(r.width(), 190 - 1701 / 56.7, 0.01);
    // Inside the frame, its bottom line left free.
    EXPECT_NEAR(r.bottom(), withRemark.pages[0].frames[0].bottom() - kPictureInset, 0.01);
    const Document plain = layoutChannelReport(w, nullptr, settings(), QString(), true, kA4);
    EXPECT_NEAR(plain.pages[0].picture->top(), 88 + 10 + 15, 0.01);
}

TEST(ReportLayoutTest, EndValueColumnsStayPutWhateverTheValues)
{
    const QStringList charge = {QStringLiteral(" 1.      1.234    12.345    95"),
                                QStringLiteral("10.     11.111     1.000  1234"),
                                // Wider than its column.
                                QStringLiteral(" 3.    123.456   123.456 12345"), QStringLiteral("---")};
    const Document d = layoutChannelReport(channelWindow(charge), nullptr, settings(), QString(), false, kA4);
    QHash<double, QList<PlacedText>> byRow;
    for (const PlacedText& t : d.pages[0].texts)
        if (t.pos.y() >= 70 && t.pos.y() < 84)
            byRow[t.pos.y()] << t;
    ASSERT_EQ(byRow.size(), 4);
    // Normal rows end their pieces at the same places.
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(byRow[70][i].alignRight);
        EXPECT_NEAR(byRow[70][i].pos.x(), byRow[74][i].pos.x(), 1e-9) << i;
    }
    EXPECT_LT(byRow[70][0].pos.x(), 40 + 567 / 56.7);
    // A wide piece never runs into the one before it.
    const auto& wide = byRow[78];
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(wide[i].pos.x() - textWidth(wide[i].text, wide[i].font), wide[i - 1].pos.x()) << i;
    // The placeholder stands as it is.
    ASSERT_EQ(byRow[82].size(), 1);
    EXPECT_EQ(byRow[82][0].text, "---");
    EXPECT_NEAR(byRow[82][0].pos.x(), 40, 0.01);
}

TEST(ReportLayoutTest, MissingControlIsNamed)
{
    FakeControls w = channelWindow();
    w.texts.remove(QStringLiteral("lblSelbstentladung"));
    try {
        layoutChannelReport(w, nullptr, settings(), QString(), false, kA4);
        FAIL() << "no error";
    } catch (const MissingControl& e) {
        EXPECT_EQ(e.control, "lblSelbstentladung");
    }
}

TEST(ReportLayoutTest, DiagramPageIsLandscapeWithItsPictureUnderTheTitle)
{
    const QSizeF landscape(277, 190);
    const Document d = layoutDiagramPage(QStringLiteral("Channel 2"), landscape);
    ASSERT_EQ(d.pages.size(), 1);
    EXPECT_TRUE(d.landscape);
    const Page& p = d.pages[0];
    EXPECT_NEAR(p.origin.x(), 500 / 56.7, 0.001);
    EXPECT_NEAR(one(d, "Channel 2").pos.y(), 1, 0.01);
    EXPECT_TRUE(one(d, "Channel 2").font.italic);
    ASSERT_TRUE(p.picture);
    EXPECT_NEAR(p.picture->top(), 15, 0.01);
    EXPECT_NEAR(p.picture->width(), 277 - 1500 / 56.7, 0.01);
    EXPECT_NEAR(p.picture->bottom(), p.frames[0].bottom() - kPictureInset, 0.01);
    // Too small a page gets no picture rather than one of no height.
    EXPECT_FALSE(layoutDiagramPage(QStringLiteral("x"), QSizeF(100, 30)).pages[0].picture);
}

TEST(ReportLayoutTest, ThePictureKeepsItsProportionsInsideTheFrame)
{
    const FakeControls w = channelWindow(rows(2), rows(2));
    const QSizeF landscape(277, 190);
    struct Case {
        const char* name;
        QSizeF picture;
        bool widthBound; // on the diagram page
    };
    const Case cases[] = {
        {"wide", QSizeF(1200, 300), true},
        {"window-like", QSizeF(800, 600), false},
        {"tall", QSizeF(300, 900), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double ratio = c.picture.width() / c.picture.height();
        const Document page = layoutDiagramPage(QStringLiteral("Channel 2"), landscape, c.picture);
        const Document report = layoutChannelReport(w, nullptr, settings(), QString(), true, kA4, c.picture);
        for (const Document* d : {&page, &report}) {
            ASSERT_EQ(d->pages.size(), 1);
            const Page& p = d->pages[0];
            ASSERT_TRUE(p.picture);
            const QRectF r = *p.picture;
            const QRectF frame = p.frames[0];
            EXPECT_NEAR(r.width() / r.height(), ratio, 1e-6);
            EXPECT_GT(r.left(), frame.left());
            EXPECT_LT(r.right(), frame.right());
            EXPECT_LE(r.bottom(), frame.bottom() - kPictureInset + 1e-9);
            EXPECT_GT(r.top(), d == &page ? p.lines[0].y1() : 88.0 + 10);
        }
        // As large as the page allows: one side reaches its limit.
        const QRectF r = *page.pages[0].picture;
        const QRectF frame = page.pages[0].frames[0];
        if (c.widthBound)
            EXPECT_NEAR(r.width(), 277 - 1500 / 56.7, 0.01);
        else
            EXPECT_NEAR(r.bottom(), frame.bottom() - kPictureInset, 0.01);
    }
}
