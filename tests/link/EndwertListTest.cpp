// End-value replies and the end-value list.
#include "link/EntwertList.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* kanal;
    int typ;
    int kapazitaet;
    int zykluszeit;
    int spannung;
    int selbstentladung;
    bool withZustand;
    bool zustand;
    int prozent;
};

void expectRecord(const CommunicationEndwert& e, const Expected& x, const std::string& where)
{
    EXPECT_EQ(e.strKanal, QLatin1String(x.kanal)) << where;
    EXPECT_EQ(e.iEndwertTyp, x.typ) << where;
    EXPECT_EQ(e.lKapazitaet, x.kapazitaet) << where;
    EXPECT_EQ(e.lZykluszeit, x.zykluszeit) << where;
    EXPECT_EQ(e.lSpannung, x.spannung) << where;
    EXPECT_EQ(e.lSelbstentladung, x.selbstentladung) << where;
    EXPECT_EQ(e.bWithAkkuzustand, x.withZustand) << where;
    EXPECT_EQ(e.bAkkuzustand, x.zustand) << where;
    EXPECT_EQ(e.iProzent, x.prozent) << where;
    EXPECT_EQ(e.TempID, 0) << where;
    EXPECT_EQ(e.lMesswertId, 0) << where;
}

} // namespace

TEST(EndwertReply, GroupsAreReadInReplyOrder)
{
    struct Case {
        const char* reply;
        std::vector<Expected> records;
    };
    const Case cases[] = {
        {"001,D,SL,K01234,T95,V01450,", {{"001", 2, 1234, 95, 1450, -1, false, false, 0}}},
        {"001,D,SL,K01234,T95,V01450,SE,K01180,T88,V01002,Y00012,X1,P087,",
         {{"001", 2, 1234, 95, 1450, -1, false, false, 0}, {"001", 3, 1180, 88, 1002, 12, true, true, 87}}},
        // Another channel than 001..004: the records carry no channel.
        {"005,D,SE,K00100,T3,V01000,", {{"", 3, 100, 3, 1000, -1, false, false, 0}}},
        {"002,D,SM,K00100,T3,V01000,", {{"002", 0, 100, 3, 1000, -1, false, false, 0}}},
        // A missing letter marks the group, which is still in the list.
        {"003,D,SL,Q01234,T95,V01450,", {{"003", -1, 0, 95, 1450, -1, false, false, 0}}},
        {"003,D,SL,K01234,95,V01450,", {{"003", -1, 1234, 0, 1450, -1, false, false, 0}}},
        // The cycle time is read whole; other values by their last digits.
        {"004,D,SE,K1001234,T1234567,V01450,X0,", {{"004", 3, 1234, 1234567, 1450, -1, true, false, 0}}},
        {"001,D,SE,K00001,T1,V00002,X7,P100,", {{"001", 3, 1, 1, 2, -1, true, false, 100}}},
        // A leading minus in capacity and voltage ("E-2000" style); cycle time and
        // self-discharge stay unsigned (-1 means "none" there).
        {"001,D,SE,K-2000,T12,V-01002,", {{"001", 3, -2000, 12, -1002, -1, false, false, 0}}},
        // Without the final "," an optional element in the last place is not read.
        {"001,D,SL,K01234,T95,V01450,Y00012", {{"001", 2, 1234, 95, 1450, -1, false, false, 0}}},
        {"  001,D,SL,K01234,T95,V01450,  ", {{"001", 2, 1234, 95, 1450, -1, false, false, 0}}},
    };
    for (const Case& c : cases) {
        EntwertList list;
        QString text = QLatin1String(c.reply);
        ASSERT_TRUE(list.splitRecievedString(text)) << c.reply;
        EXPECT_EQ(text, QString::fromLatin1(c.reply).trimmed()) << c.reply;
        ASSERT_EQ(list.Count(), static_cast<qsizetype>(c.records.size())) << c.reply;
        for (size_t i = 0; i < c.records.size(); ++i)
            expectRecord(*list.Item(static_cast<qsizetype>(i + 1)), c.records[i], c.reply);

        // Already split by the caller: the same records.
        EntwertList split;
        ASSERT_TRUE(split.evaluateSplitedMembers(text.split(QLatin1Char(',')))) << c.reply;
        ASSERT_EQ(split.Count(), list.Count()) << c.reply;
        EXPECT_EQ(split.Item(split.Count())->lSpannung, list.Item(list.Count())->lSpannung) << c.reply;
    }
}

TEST(EndwertReply, IncompleteOrBrokenRepliesGiveNoListAndKeepTheListAsItWas)
{
    const char* const cases[] = {
        "",
        "   ",
        "-1",
        "001",
        "001,M,SL,K01234,T95,V01450,",
        "001,D,",
        "001,D,SL,",
        "001,D,SL,K01234,",
        "001,D,SL,K01234,T95,",       // ends before its voltage
        "001,D,SL,K1234,T95,V01450,", // four digits: the letter is part of the number
        "001,D,SL,K01234,T,V01450,",  // no cycle time digits
        "001,D,SL,K01234,T9x,V01450,",
        "001,D,SL,K01234,T99999999999,V01450,",       // beyond 32 bits
        "001,D,SL,K0-234,T95,V01450,",                // a sign is no digit
        "001,D,SL,K01234,T-95,V01450,",               // nor in the cycle time
        "001,D,SE,K01180,T88,V01002,Y-0012,",         // nor in the self-discharge
        "001,D,SE,K01180,T88,V01002,X1,Y00012,P087,", // optional elements out of order
        "001,D,SE,K01180,T88,V01002,Xa,",
        "001,D,SL,K01234,T95,V01450,SE,K01180,T88,", // second group incomplete
    };
    for (const char* reply : cases) {
        EntwertList list;
        list.Add(std::make_shared<CommunicationEndwert>());
        QString text = QLatin1String(reply);
        EXPECT_FALSE(list.splitRecievedString(text)) << reply;
        EXPECT_EQ(list.Count(), 1) << reply;
    }
}

TEST(EndwertList, HoldsRecordsByReferenceWithPositionsAndKeys)
{
    EntwertList a;
    EntwertList b;
    auto rec = std::make_shared<CommunicationEndwert>();
    EXPECT_EQ(a.Add(rec), rec);
    EXPECT_EQ(b.Add(rec, QStringLiteral("k1")), rec);
    rec->TempID = 17;
    EXPECT_EQ(a.Item(1)->TempID, 17);
    EXPECT_EQ(b.Item(QStringLiteral("K1")), rec); // keys ignore case

    EXPECT_EQ(b.Add(std::make_shared<CommunicationEndwert>(), QStringLiteral("k1")), nullptr);
    EXPECT_EQ(b.Add(nullptr), nullptr);
    EXPECT_EQ(b.Count(), 1);
    EXPECT_EQ(a.Item(0), nullptr);
    EXPECT_EQ(a.Item(2), nullptr);
    EXPECT_EQ(a.Item(QStringLiteral("none")), nullptr);

    auto second = b.Add(std::make_shared<CommunicationEndwert>());
    EXPECT_TRUE(b.Remove(QStringLiteral("k1")));
    EXPECT_FALSE(b.Remove(QStringLiteral("k1")));
    EXPECT_EQ(b.Item(1), second);
    EXPECT_FALSE(b.Remove(5));
    qsizetype walked = 0;
    for (const auto& e : b)
        walked += e == second ? 1 : 100;
    EXPECT_EQ(walked, 1);

    EntwertList empty;
    empty.RemoveAll();
    EXPECT_EQ(empty.Count(), 0);
    b.RemoveAll();
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(a.Item(1)->TempID, 17); // still alive through the other list
}
