// Frames and port names, without a port: every edge of the reply frame.
#include "TestSupport.h"

#include "link/ComFraming.h"
#include "link/ComPortNames.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
const QString DC4(QChar(0x14));
const QString ETX(QChar(0x03));

struct DecodeCase {
    const char* name;
    QString buffer;
    QString expected;
};
} // namespace

TEST(ComFraming, ReplyFramesDecodeToTheirPayload)
{
    const DecodeCase cases[] = {
        {"status reply", DC4 + ",001,M,SA," + ETX, "001,M,SA,"},
        {"nothing came", "", ""},
        {"only blanks came", "   ", ""},
        {"one comma serves both sides", DC4 + "," + ETX, ""},
        {"two commas", DC4 + ",," + ETX, ","},
        {"DC4 directly followed by ETX", DC4 + ETX, "-1"},
        {"noise before DC4 is ignored", "x#~ " + DC4 + ",001,M,SL,L01000,V07200,K00010," + ETX,
         "001,M,SL,L01000,V07200,K00010,"},
        {"ETX without DC4", "001,M,SA," + ETX, "-1"},
        {"first ETX before the first DC4", ETX + DC4 + ",001,M,SA," + ETX, "-1"},
        {"DC4 without ETX (the limit ran out)", DC4 + ",001,M,S", "-1"},
        {"noise without any frame", "#~q", "-1"},
        {"two frames: only the first counts", DC4 + ",001,M,SA," + ETX + DC4 + ",002,M,SF," + ETX, "001,M,SA,"},
        {"text after ETX is dropped", DC4 + ",001,D," + ETX + "zz", "001,D,"},
        {"no comma after DC4", DC4 + "001,M,SA," + ETX, "-1"},
        {"no comma before ETX", DC4 + ",001,M,SA" + ETX, "-1"},
        {"blanks around the frame", "  " + DC4 + ",001,M,SA," + ETX + "  ", "001,M,SA,"},
        {"blank inside the payload stays", DC4 + ",001,G,My charger ," + ETX, "001,G,My charger ,"},
        {"a blank between DC4 and its comma breaks the frame", DC4 + " ,001,M,SA," + ETX, "-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComFraming::decodeReplyFrame(c.buffer), c.expected) << c.name;
}

TEST(ComFraming, OnlyAWholeReplyOfAnotherChannelIsPassedOver)
{
    struct Case {
        const char* name;
        QString buffer;
        bool dropped;
        QString rest;
    };
    const QString own = DC4 + ",002,M,SA," + ETX;
    const Case cases[] = {
        {"another channel's status, then our own", DC4 + ",001,M,SL,L01000,V07200,K00010," + ETX + own, true, own},
        {"another channel's end values with noise before", "#~" + DC4 + ",004,D," + ETX, true, ""},
        {"our own reply", own, false, own},
        {"another channel's frame not yet ended", DC4 + ",001,M,S", false, DC4 + ",001,M,S"},
        {"a malformed frame", DC4 + "001,M,SA," + ETX, false, DC4 + "001,M,SA," + ETX},
        {"no channel in the first element", DC4 + ",M,SA," + ETX, false, DC4 + ",M,SA," + ETX},
        {"channel 5 is none", DC4 + ",005,M,SA," + ETX, false, DC4 + ",005,M,SA," + ETX},
        {"an empty frame", DC4 + "," + ETX, false, DC4 + "," + ETX},
        {"nothing", "", false, ""},
    };
    for (const auto& c : cases) {
        QString buffer = c.buffer;
        EXPECT_EQ(ComFraming::dropReplyOfOtherChannel(buffer, QStringLiteral("002")), c.dropped) << c.name;
        EXPECT_EQ(buffer, c.rest) << c.name;
    }
    EXPECT_EQ(ComFraming::replyChannel(QStringLiteral("003,P,A02,M01,")), QStringLiteral("003"));
    EXPECT_EQ(ComFraming::replyChannel(QStringLiteral("03,M,SA,")), QString());
}

TEST(ComFraming, StatusPayloadSplitsWithAnEmptyLastElement)
{
    const QString payload = ComFraming::decodeReplyFrame(DC4 + ",001,M,SA," + ETX);
    EXPECT_EQ(payload.split(QLatin1Char(',')), (QStringList{"001", "M", "SA", ""}));
}

TEST(ComFraming, CommandFrameWrapsTheBody)
{
    EXPECT_EQ(ComFraming::buildCommandFrame(QStringLiteral("001,M")),
              QString(QChar(0x12)) + ",001,M," + QChar(0x03) + QChar(0x0D));
    EXPECT_EQ(ComFraming::buildCommandFrame(QString()), QString(QChar(0x12)) + ",," + QChar(0x03) + QChar(0x0D));
    EXPECT_TRUE(ComFraming::containsEndOfText(QStringLiteral("ab") + ETX));
    EXPECT_FALSE(ComFraming::containsEndOfText(DC4 + ","));
}

TEST(ComPortNames, NumbersMapToDevicesAndPathsStayPaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1", "/dev/ttyS0"},
        {"4", "/dev/ttyS3"},
        {"5", "/dev/ttyUSB0"},
        {"8", "/dev/ttyUSB3"},
        {"9", "/dev/ttyACM0"},
        {"10", "/dev/ttyACM1"},
        {"03", "/dev/ttyS2"},
        {" 2 ", "/dev/ttyS1"},
        {"0", ""},
        {"11", ""},
        {"", ""},
        {"COM1", ""},
        {"-1", ""},
        {"/dev/pts/7", "/dev/pts/7"},
        {" /tmp/x/tty ", "/tmp/x/tty"},
    };
    for (const auto& [setting, device] : cases)
        EXPECT_EQ(comPortDevice(QString::fromLatin1(setting)), QString::fromLatin1(device)) << setting;
    EXPECT_EQ(comPortNumber(QStringLiteral("7")), 7);
    EXPECT_EQ(comPortNumber(QStringLiteral("/dev/ttyUSB0")), 0);
    EXPECT_EQ(comPortNumber(QStringLiteral("12")), 0);
    for (int n = 1; n <= comPortCount; ++n)
        EXPECT_FALSE(comPortDeviceForNumber(n).isEmpty()) << n;
    EXPECT_TRUE(comPortDeviceForNumber(comPortCount + 1).isEmpty());
}
