// Every parser against many random and mutated replies: none may crash, throw
// or answer with anything but one of its documented results.
#include "link/CommunicationResults.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const char* const kSeeds[] = {
    "001,M,SA,",
    "002,M,SF,X3,",
    "003,M,SL,L01500,V07300,K00800,",
    "004,M,SE,E00250,V06100,K00120,",
    "004,M,SE,E-2500,V-0100,K-0120,",
    "001,M,SQS,",
    "001,D,SL,K01234,T95,V01450,SE,K01180,T88,V01002,Y00012,X1,P087,",
    "002,D,SE,K00100,T3,V01000,",
    "003,P,A02,M01,Z06,P100,F0,W30,K02000,L01000,E00500,V07200,D05400,YH024,G1,",
    "003,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B1,H0,N100,O1,Q0,U1,G2,R3,",
    "001,P,A05,M02,Z12,F1,W10,L01000,E00500,V07200,D05400,YD007,S0,C1,B0,H1,N150",
    "001,G,2,1,01,24,02,25,03,06,04,12,01000,40000,00800,30000,00050,05000,00100,10000,00100,99999,"
    "050,150,010,200,01,99,001,365,001,999,Lab_charger,",
};

const char kAlphabet[] = "0123456789,,,,-+ ADEGHKLMNOPQRSTUVWXYZsl_\x01\xe4";

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_rng(seed) {}

    QString next()
    {
        const int mode = pick(10);
        if (mode == 0)
            return randomText();
        QString s = QString::fromLatin1(kSeeds[pick(std::size(kSeeds))]);
        const int edits = 1 + pick(4);
        for (int i = 0; i < edits; ++i)
            mutate(s);
        return s;
    }

private:
    int pick(size_t n) { return static_cast<int>(std::uniform_int_distribution<size_t>(0, n - 1)(m_rng)); }
    QChar randomChar() { return QChar::fromLatin1(kAlphabet[pick(sizeof kAlphabet - 1)]); }

    QString randomText()
    {
        QString s;
        const int n = pick(60);
        for (int i = 0; i < n; ++i)
            s += randomChar();
        return s;
    }

    void mutate(QString& s)
    {
        const qsizetype at = s.isEmpty() ? 0 : pick(static_cast<size_t>(s.size()));
        switch (pick(8)) {
        case 0:
            if (!s.isEmpty())
                s.remove(at, 1);
            break;
        case 1:
            s.insert(at, randomChar());
            break;
        case 2:
            if (!s.isEmpty())
                s[at] = randomChar();
            break;
        case 3:
            s.truncate(at);
            break;
        case 4: { // drop or double one element
            QStringList e = s.split(QLatin1Char(','));
            const int i = pick(static_cast<size_t>(e.size()));
            if (pick(2))
                e.removeAt(i);
            else
                e.insert(i, e.at(i));
            s = e.join(QLatin1Char(','));
            break;
        }
        case 5: { // swap two elements
            QStringList e = s.split(QLatin1Char(','));
            e.swapItemsAt(pick(static_cast<size_t>(e.size())), pick(static_cast<size_t>(e.size())));
            s = e.join(QLatin1Char(','));
            break;
        }
        case 6:
            s.insert(at, QString(pick(3), QLatin1Char(' ')));
            break;
        case 7:
            s.insert(at, QString(pick(12), QLatin1Char('9')));
            break;
        }
    }

    std::mt19937 m_rng;
};

bool isChannelOrEmpty(const QString& k)
{
    return k.isEmpty() || k == u"001" || k == u"002" || k == u"003" || k == u"004";
}

void checkEndwert(const CommunicationEndwert& e, const std::string& where)
{
    EXPECT_TRUE(e.iEndwertTyp == -1 || e.iEndwertTyp == 0 || e.iEndwertTyp == 2 || e.iEndwertTyp == 3) << where;
    EXPECT_TRUE(isChannelOrEmpty(e.strKanal)) << where;
    EXPECT_TRUE(e.lKapazitaet >= -99999 && e.lKapazitaet <= 99999) << where;
    EXPECT_TRUE(e.lSpannung >= -99999 && e.lSpannung <= 99999) << where;
    EXPECT_TRUE(e.lSelbstentladung >= -1 && e.lSelbstentladung <= 99999) << where;
    EXPECT_TRUE(e.iProzent >= 0 && e.iProzent <= 999) << where;
    EXPECT_GE(e.lZykluszeit, 0) << where;
}

constexpr int kRounds = 20000;

} // namespace

TEST(ReplyRobustness, StatusRecordAnswersOnlyWithItsCodes)
{
    Mutator m(20240611u);
    CommunicationResults r;
    int events = 0;
    QObject::connect(&r, &CommunicationResults::EndwertRecieved, [&](std::shared_ptr<EntwertList> l) {
        ASSERT_TRUE(l);
        for (const auto& e : *l)
            checkEndwert(*e, "status D");
        ++events;
    });
    QObject::connect(&r, &CommunicationResults::ProgramChanged, [&](std::shared_ptr<CommunicationProgram> p) {
        ASSERT_TRUE(p);
        EXPECT_TRUE(p->iAkkuTyp == -1 || (p->iAkkuTyp >= 0 && p->iAkkuTyp <= 99));
        ++events;
    });
    for (int i = 0; i < kRounds; ++i) {
        QString text = m.next();
        const std::string where = text.toStdString();
        const int before = events;
        r.splitRecievedString(text);
        const int a = r.iAntwortTyp;
        ASSERT_TRUE(a == -2 || a == -1 || a == 2 || a == 3 || a == 4 || a == 11) << where;
        EXPECT_EQ(events - before, (a == 3 || a == 4) ? 1 : 0) << where;
        EXPECT_TRUE(r.iStatusTyp >= 0 && r.iStatusTyp <= 7) << where;
        EXPECT_TRUE(r.iFehlerCode >= 0 && r.iFehlerCode <= 11) << where;
        EXPECT_TRUE(isChannelOrEmpty(r.strKanal)) << where;
        EXPECT_TRUE(r.lStrom >= -99999 && r.lStrom <= 99999 && r.lSpannung >= -99999 && r.lSpannung <= 99999
                    && r.lKapazitaet >= -99999 && r.lKapazitaet <= 99999)
            << where;
    }
    EXPECT_GT(events, 100); // the mutations reach the event paths too
}

TEST(ReplyRobustness, EndValueListEitherParsesOrStaysAsItWas)
{
    Mutator m(7u);
    int lists = 0;
    for (int i = 0; i < kRounds; ++i) {
        QString text = m.next();
        const std::string where = text.toStdString();
        EntwertList list;
        list.Add(std::make_shared<CommunicationEndwert>());
        if (list.splitRecievedString(text)) {
            ++lists;
            EXPECT_GE(list.Count(), 2) << where;
            for (const auto& e : list)
                checkEndwert(*e, where);
        } else {
            EXPECT_EQ(list.Count(), 1) << where;
        }
    }
    EXPECT_GT(lists, 100);
}

TEST(ReplyRobustness, ProgramRecordAnswersOnlyWithItsCodes)
{
    Mutator m(99u);
    int programs = 0;
    for (int i = 0; i < kRounds; ++i) {
        QString text = m.next();
        const std::string where = text.toStdString();
        CommunicationProgram p;
        const bool converted = p.splitRecievedString(text, i % 2 == 0);
        const int a = p.iAkkuTyp;
        ASSERT_TRUE(a == -4 || a == -2 || a == -1 || (a >= 0 && a <= 99)) << where;
        if (!converted) {
            EXPECT_EQ(a, -1) << where;
        }
        if (a >= 0) {
            ++programs;
            EXPECT_TRUE(p.iProzentwert == -3 || (p.iProzentwert >= 0 && p.iProzentwert <= 999)) << where;
            EXPECT_TRUE(p.lKapazitaet == -3 || (p.lKapazitaet >= 0 && p.lKapazitaet <= 99999)) << where;
            EXPECT_TRUE(p.iSelbstentladungsIntervall == -3 || p.iSelbstentladungsIntervall >= 0) << where;
            EXPECT_TRUE(p.iLadegeraet >= 0 && p.iLadegeraet <= 9) << where;
        }
    }
    EXPECT_GT(programs, 100);
}

TEST(ReplyRobustness, DeviceInformationAnswersOnlyWithItsCodes)
{
    Mutator m(4242u);
    int complete = 0;
    for (int i = 0; i < kRounds; ++i) {
        QString text = m.next();
        const std::string where = text.toStdString();
        CommunicationProgram p;
        p.splitRecievedGeraeteInfoString(text);
        const int pos = p.iLGPosition;
        ASSERT_TRUE(pos == -1 || (pos >= 2 && pos <= 32)) << where;
        if (pos == -1) {
            const int c = p.iLGChannels;
            EXPECT_TRUE(c == -2 || c == -1 || c == -6 || c == -7) << where;
        } else {
            EXPECT_TRUE(p.iLGChannels >= 1 && p.iLGChannels <= 4) << where;
        }
        if (pos == 32) {
            ++complete;
            EXPECT_LE(p.iLGTxt.size(), 20) << where;
            EXPECT_FALSE(p.iLGTxt.contains(QLatin1Char('_'))) << where;
        }
    }
    EXPECT_GT(complete, 20);
}
