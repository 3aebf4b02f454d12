// The charger's device information (channel count, extended options, limits, text).
#include "link/CommunicationProgram.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Elements 0..33 of a well-formed reply (33 is the empty element after the final ",").
QStringList goodElements()
{
    return QStringList{
        QStringLiteral("001"),
        QStringLiteral("G"),
        QStringLiteral("2"),
        QStringLiteral("1"),
        QStringLiteral("01"),
        QStringLiteral("24"), // NiCd cells
        QStringLiteral("02"),
        QStringLiteral("25"), // NiMH
        QStringLiteral("03"),
        QStringLiteral("06"), // Li-ion
        QStringLiteral("04"),
        QStringLiteral("12"), // lead
        QStringLiteral("01000"),
        QStringLiteral("40000"), // end-of-charge voltage
        QStringLiteral("00800"),
        QStringLiteral("30000"), // end-of-discharge voltage
        QStringLiteral("00050"),
        QStringLiteral("05000"), // discharge current
        QStringLiteral("00100"),
        QStringLiteral("10000"), // charge current
        QStringLiteral("00100"),
        QStringLiteral("99999"), // capacity
        QStringLiteral("050"),
        QStringLiteral("150"), // end of charge (N)
        QStringLiteral("010"),
        QStringLiteral("200"), // percentage
        QStringLiteral("01"),
        QStringLiteral("99"), // period
        QStringLiteral("001"),
        QStringLiteral("365"), // days
        QStringLiteral("001"),
        QStringLiteral("999"), // hours
        QStringLiteral("Lab_charger_4_x"),
        QString(),
    };
}

QString join(const QStringList& e)
{
    return e.join(QLatin1Char(','));
}

} // namespace

TEST(DeviceInfo, ACompleteReplyFillsEveryField)
{
    CommunicationProgram p;
    QString text = QStringLiteral("  ") + join(goodElements()) + QStringLiteral(" ");
    p.splitRecievedGeraeteInfoString(text);
    EXPECT_EQ(text, join(goodElements()));
    EXPECT_EQ(p.iLGPosition, 32);
    EXPECT_EQ(p.iLGChannels, 2);
    EXPECT_EQ(p.iLGErwPrgMode, 1);
    EXPECT_EQ(p.iLGZzMinNICD, 1);
    EXPECT_EQ(p.iLGZzMaxBlei, 12);
    EXPECT_EQ(p.iLGVLsSpMax, 40000);
    EXPECT_EQ(p.iLGVElsSpMin, 800);
    EXPECT_EQ(p.iLGElStrMax, 5000);
    EXPECT_EQ(p.iLGLStrMin, 100);
    EXPECT_EQ(p.iLGSkMax, 99999);
    EXPECT_EQ(p.iLGStrLeMin, 50);
    EXPECT_EQ(p.iLGPrzGSMax, 200);
    EXPECT_EQ(p.iLGWiEntlLMax, 99);
    EXPECT_EQ(p.iLGSEntlTaMax, 365);
    EXPECT_EQ(p.iLGSEntlStMax, 999);
    EXPECT_EQ(p.iLGTxt, QStringLiteral("Lab charger 4 x"));
    // The device information leaves the program fields alone.
    EXPECT_EQ(p.iAkkuTyp, 0);
}

TEST(DeviceInfo, FailuresNameTheFieldAndKeepWhatFollows)
{
    struct Case {
        int element; // -1: replace the whole reply
        const char* value;
        int position;
        int channels;
        int erw;
        int failedElement; // element whose field holds the code, or 0
        int code;
    };
    const Case cases[] = {
        {-1, "", -1, -2, 0, 0, 0},      {-1, "-1", -1, -1, 0, 0, 0},  {-1, "drop final comma", -1, -1, 0, 0, 0},
        {1, "g", -1, -1, 0, 0, 0},      {2, "5", -1, -7, 0, 0, 0},    {2, "0", -1, -7, 0, 0, 0},
        {2, "x", -1, -6, 0, 0, 0},      {2, "", -1, -6, 0, 0, 0},     {2, "99999999999999999999999", -1, -7, 0, 0, 0},
        {2, "+3", 32, 3, 1, 0, 0},      {3, "2", 2, 2, -7, 0, 0},     {3, "-1", 2, 2, -7, 0, 0},
        {3, "a", 2, 2, -6, 0, 0},       {4, "1", 3, 2, 1, 4, -7},   // one digit in a two-digit field
        {4, "1a", 3, 2, 1, 4, -6},      {4, "-5", 32, 2, 1, 4, -5}, // a sign counts towards the width
        {18, "0100", 17, 2, 1, 18, -7},                             // four-digit charge-current limit
        {22, "0050", 21, 2, 1, 22, -7}, {31, "99", 30, 2, 1, 31, -7},
    };
    for (const Case& c : cases) {
        CommunicationProgram p;
        p.iLGZzMaxNICD = 77;   // element 5
        p.iLGLStrMax = 7777;   // element 19
        p.iLGSEntlStMax = 777; // element 31
        p.iLGTxt = QStringLiteral("old");
        QString text;
        if (c.element < 0) {
            text = QLatin1String(c.value) == QLatin1String("drop final comma") ? join(goodElements()).chopped(1)
                                                                               : QString::fromLatin1(c.value);
        } else {
            QStringList e = goodElements();
            e[c.element] = QLatin1String(c.value);
            text = join(e);
        }
        p.splitRecievedGeraeteInfoString(text);
        const std::string where = std::to_string(c.element) + " " + c.value;
        EXPECT_EQ(p.iLGPosition, c.position) << where;
        EXPECT_EQ(p.iLGChannels, c.channels) << where;
        EXPECT_EQ(p.iLGErwPrgMode, c.erw) << where;
        const int failed = c.failedElement == 4    ? p.iLGZzMinNICD
                           : c.failedElement == 18 ? static_cast<int>(p.iLGLStrMin)
                           : c.failedElement == 22 ? p.iLGStrLeMin
                           : c.failedElement == 31 ? p.iLGSEntlStMax
                                                   : 0;
        EXPECT_EQ(failed, c.code) << where;
        if (c.position < 32) {
            // Fields after the failing one keep what they held.
            EXPECT_EQ(p.iLGZzMaxNICD, c.position < 5 ? 77 : 24) << where;
            EXPECT_EQ(p.iLGLStrMax, c.position < 19 ? 7777 : 10000) << where;
            EXPECT_EQ(p.iLGTxt, QStringLiteral("old")) << where;
        }
    }
}

TEST(DeviceInfo, TextIsCutToTwentyCharacters)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrst"},
        {"abcdefghij_lmnopqrst", "abcdefghij lmnopqrst"},
        {"", ""},
    };
    for (const auto& c : cases) {
        QStringList e = goodElements();
        e[32] = QLatin1String(c.in);
        CommunicationProgram p;
        p.splitRecievedGeraeteInfoString(join(e));
        EXPECT_EQ(p.iLGPosition, 32) << c.in;
        EXPECT_EQ(p.iLGTxt, QLatin1String(c.out)) << c.in;
    }
}
