// Status replies and the events for end values and programs.
#include "link/CommunicationResults.h"

#include <gtest/gtest.h>

namespace {

struct Fields {
    const char* kanal;
    int antwort, status, fehler, strom, spannung, kapazitaet;
};

// A record that has seen one full charging reply before.
void prime(CommunicationResults& r)
{
    r.splitRecievedString(QStringLiteral("001,M,SL,L01500,V07300,K00800,"));
    ASSERT_EQ(r.iAntwortTyp, 2);
}

void expectFields(const CommunicationResults& r, const Fields& f, const char* where)
{
    EXPECT_EQ(r.strKanal, QLatin1String(f.kanal)) << where;
    EXPECT_EQ(r.iAntwortTyp, f.antwort) << where;
    EXPECT_EQ(r.iStatusTyp, f.status) << where;
    EXPECT_EQ(r.iFehlerCode, f.fehler) << where;
    EXPECT_EQ(r.lStrom, f.strom) << where;
    EXPECT_EQ(r.lSpannung, f.spannung) << where;
    EXPECT_EQ(r.lKapazitaet, f.kapazitaet) << where;
}

struct EventLog {
    explicit EventLog(CommunicationResults& r)
    {
        QObject::connect(&r, &CommunicationResults::ProgramChanged,
                         [this](std::shared_ptr<CommunicationProgram> p) { programs.push_back(p); });
        QObject::connect(&r, &CommunicationResults::EndwertRecieved,
                         [this](std::shared_ptr<EntwertList> l) { lists.push_back(l); });
    }
    std::vector<std::shared_ptr<CommunicationProgram>> programs;
    std::vector<std::shared_ptr<EntwertList>> lists;
};

} // namespace

TEST(StatusReply, CodesValuesAndWhatEarlierRepliesLeave)
{
    struct Case {
        const char* reply;
        Fields after; // after a charging reply 001 / 2 / 2 / 0 / 1500 / 7300 / 800
    };
    const Case cases[] = {
        {"", {"001", -2, 2, 0, 1500, 7300, 800}},
        {"-1", {"001", -1, 2, 0, 1500, 7300, 800}},
        {"002,M,SA,", {"002", 2, 1, 0, 1500, 7300, 800}},
        {"002,M,SA", {"002", 2, 1, 0, 1500, 7300, 800}},
        {"002,M,SA,X2,", {"002", 2, 1, 11, 1500, 7300, 800}},
        {"002,M,SF,X3,", {"002", 2, 5, 10, 1500, 7300, 800}},
        {"002,M,SF,X2,", {"002", 2, 5, 11, 1500, 7300, 800}},
        {"002,M,SF,X4,", {"002", 2, 5, 0, 1500, 7300, 800}},
        {"002,M,SW,", {"002", 2, 6, 0, 1500, 7300, 800}},
        {"002,M,SP,", {"002", 2, 7, 1, 1500, 7300, 800}},
        {"002,M,SK,", {"002", 2, 7, 2, 1500, 7300, 800}},
        {"002,M,SG,", {"002", 2, 7, 3, 1500, 7300, 800}},
        {"002,M,SQT,", {"002", 2, 7, 4, 1500, 7300, 800}},
        {"002,M,SQV,", {"002", 2, 7, 5, 1500, 7300, 800}},
        {"002,M,SQR,", {"002", 2, 7, 6, 1500, 7300, 800}},
        {"002,M,SQU,", {"002", 2, 7, 7, 1500, 7300, 800}},
        {"002,M,SQP,", {"002", 2, 7, 8, 1500, 7300, 800}},
        {"002,M,SQS,", {"002", 2, 7, 9, 1500, 7300, 800}},
        {"  003,M,SE,E00250,V06100,K00120,  ", {"003", 2, 3, 0, 250, 6100, 120}},
        {"003,M,SM,L00250,V06100,K00120,", {"003", 2, 4, 0, 250, 6100, 120}},
        {"003,M,SE,L00250,V06100,K00120,", {"003", 2, 3, 0, 250, 6100, 120}},
        {"003,M,SL,L1234567,V06100,K00120,", {"003", 2, 2, 0, 34567, 6100, 120}},
        // A leading minus (a discharge current), in a short or a full-width element.
        {"003,M,SE,E-2000,V06100,K00120,", {"003", 2, 3, 0, -2000, 6100, 120}},
        {"003,M,SE,E-02000,V-0150,K-00120,", {"003", 2, 3, 0, -2000, -150, -120}},
        {"003,M,SE,E-123456,V06100,K00120,", {"003", 2, 3, 0, -23456, 6100, 120}},
        {"003,M,SE,E0-200,V06100,K00120,", {"003", -1, 3, 0, 1500, 7300, 800}},
        {"003,M,SE,E--200,V06100,K00120,", {"003", -1, 3, 0, 1500, 7300, 800}},
        {"003,M,SE,E-,V06100,K00120,", {"003", -1, 3, 0, 1500, 7300, 800}},
        // Without values, or with empty value elements: nothing old is reported as new.
        {"002,M,SL,", {"002", 11, 2, 0, 1500, 7300, 800}},
        {"002,M,SE", {"002", 11, 3, 0, 1500, 7300, 800}},
        {"002,M,SM,,", {"002", 11, 4, 0, 1500, 7300, 800}},
        {"002,M,SL,,,,", {"002", 11, 2, 0, 1500, 7300, 800}},
        // A wrong letter marks the reply but the other values are read.
        {"003,M,SE,E00250,X06100,K00120,", {"003", -1, 3, 0, 250, 7300, 120}},
        {"003,M,SE,E00250,V06100,", {"003", -1, 3, 0, 250, 6100, 800}},
        {"003,M,SE,E00250,V06100", {"003", -1, 3, 0, 250, 6100, 800}},
        {"003,M,SE,E00250,V06x00,K00120,", {"003", -1, 3, 0, 250, 7300, 800}},
        {"003,M,SE,E250,V06100,K00120,", {"003", -1, 3, 0, 1500, 7300, 800}},
        {"002,M,sl,", {"002", -1, 2, 0, 1500, 7300, 800}},
        {"002,M,", {"002", -1, 2, 0, 1500, 7300, 800}},
        {"002,M", {"002", -1, 2, 0, 1500, 7300, 800}},
        {"002,X,SA,", {"002", -1, 2, 0, 1500, 7300, 800}},
        // No channel: unusable as a whole, the channel stays.
        {"005,M,SA,", {"001", -1, 2, 0, 1500, 7300, 800}},
        {"M,SA,", {"001", -1, 2, 0, 1500, 7300, 800}},
        {"001", {"001", -1, 2, 0, 1500, 7300, 800}},
    };
    for (const Case& c : cases) {
        CommunicationResults r;
        prime(r);
        QString text = QLatin1String(c.reply);
        r.splitRecievedString(text);
        EXPECT_EQ(text, QString::fromLatin1(c.reply).trimmed()) << c.reply;
        expectFields(r, c.after, c.reply);
    }
}

TEST(StatusReply, EndValuesAndProgramsAreHandedOnBeforeTheCallReturns)
{
    CommunicationResults r;
    prime(r);
    EventLog log(r);

    r.splitRecievedString(QStringLiteral("002,D,SL,K01234,T95,V01450,SE,K01180,T88,V01002,Y00012,X1,P087,"));
    EXPECT_EQ(r.iAntwortTyp, 3);
    EXPECT_EQ(r.strKanal, QStringLiteral("002"));
    ASSERT_EQ(log.lists.size(), 1u);
    ASSERT_EQ(log.lists[0]->Count(), 2);
    EXPECT_EQ(log.lists[0]->Item(2)->iProzent, 87);

    // End values that do not parse still arrive, as an empty list.
    r.splitRecievedString(QStringLiteral("002,D,SL,K01234,"));
    ASSERT_EQ(log.lists.size(), 2u);
    EXPECT_EQ(log.lists[1]->Count(), 0);
    EXPECT_EQ(r.iAntwortTyp, 3);

    r.splitRecievedString(
        QStringLiteral("003,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B1,H0,N100,G2,R3,"));
    ASSERT_EQ(log.programs.size(), 1u);
    EXPECT_EQ(log.programs[0]->iAkkuTyp, 2);
    EXPECT_EQ(log.programs[0]->iLadegeraet, 3);
    EXPECT_EQ(log.programs[0]->strKanal, QStringLiteral("003"));
    // The status fields still belong to an earlier reply: the kind says so.
    EXPECT_EQ(r.iAntwortTyp, CommunicationResults::ProgramReply);
    EXPECT_EQ(r.lStrom, 1500);

    // A program that misses a field still arrives, marked unusable in itself.
    r.splitRecievedString(QStringLiteral("003,P,A02,M01,G1,"));
    ASSERT_EQ(log.programs.size(), 2u);
    EXPECT_EQ(log.programs[1]->iAkkuTyp, -1);
    EXPECT_NE(log.programs[0], log.programs[1]);

    // Digits that are no number, or no channel: unusable, nothing handed on.
    r.splitRecievedString(QStringLiteral("003,P,A0x,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,"));
    r.splitRecievedString(QStringLiteral("009,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,"));
    r.splitRecievedString(QStringLiteral("000,D,SL,K01234,T95,V01450,"));
    EXPECT_EQ(r.iAntwortTyp, -1);
    EXPECT_EQ(log.programs.size(), 2u);
    EXPECT_EQ(log.lists.size(), 2u);
    EXPECT_EQ(r.strKanal, QStringLiteral("003"));
}

TEST(StatusReply, AHandlerMayParseTheNextReplyIntoTheSameRecord)
{
    CommunicationResults r;
    std::shared_ptr<EntwertList> kept;
    QObject::connect(&r, &CommunicationResults::EndwertRecieved, [&](std::shared_ptr<EntwertList> l) {
        kept = l;
        r.splitRecievedString(QStringLiteral("001,M,SA,"));
    });
    r.splitRecievedString(QStringLiteral("001,D,SL,K01234,T95,V01450,"));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Count(), 1);
    EXPECT_EQ(r.iStatusTyp, 1);
}
