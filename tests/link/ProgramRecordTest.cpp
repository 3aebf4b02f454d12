// Program replies, stored program strings and the record's defaults.
#include "TestSupport.h"

#include "core/programSettings.h"
#include "link/CommunicationProgram.h"

#include <gtest/gtest.h>

namespace {

const char* const kBase = "A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400";

QString reply(const char* channel, const QString& tail)
{
    return QStringLiteral("%1,P,%2%3").arg(QLatin1String(channel), QLatin1String(kBase), tail);
}

QString reply(const char* channel, const char* tail)
{
    return reply(channel, QString::fromLatin1(tail));
}

// The program string as the editor writes it: fixed group order, every value
// zero-padded to its width, no trailing ",".
struct EditorProgram {
    QString channel = QStringLiteral("001");
    int akkuTyp = 2, mode = 1, zellen = 6, formier = 0, zeitraum = 30;
    bool sollKapazitaet = false;
    int prozent = 0, kapazitaet = 0;
    int ladestrom = 1000, entladestrom = 500, ladeschluss = 7200, entladeschluss = 5400;
    bool selbstentladung = false, stunden = false;
    int intervall = 0;
    bool extension = false, extensionType2 = false;
    bool gesperrt = false, ohneLast = false;
    int blei = 0, liion = 0, ladeende = 0, lademode = 0, q = 0, u = 0;

    QString build() const
    {
        auto pad = [](int v, int w) { return QStringLiteral("%1").arg(v, w, 10, QLatin1Char('0')); };
        QString s = channel + QStringLiteral(",P,A") + pad(akkuTyp, 2) + QStringLiteral(",M") + pad(mode, 2)
                    + QStringLiteral(",Z") + pad(zellen, 2);
        if (sollKapazitaet)
            s += QStringLiteral(",P") + pad(prozent, 3);
        s += QStringLiteral(",F") + pad(formier, 1) + QStringLiteral(",W") + pad(zeitraum, 2);
        if (sollKapazitaet)
            s += QStringLiteral(",K") + pad(kapazitaet, 5);
        s += QStringLiteral(",L") + pad(ladestrom, 5) + QStringLiteral(",E") + pad(entladestrom, 5)
             + QStringLiteral(",V") + pad(ladeschluss, 5) + QStringLiteral(",D") + pad(entladeschluss, 5);
        if (selbstentladung)
            s += (stunden ? QStringLiteral(",YH") : QStringLiteral(",YD")) + pad(intervall, 3);
        if (extension) {
            s += gesperrt ? QStringLiteral(",S0") : QStringLiteral(",S1");
            s += ohneLast ? QStringLiteral(",C1") : QStringLiteral(",C0");
            s += blei ? QStringLiteral(",B1") : QStringLiteral(",B0");
            s += liion ? QStringLiteral(",H1") : QStringLiteral(",H0");
            s += QStringLiteral(",N") + pad(ladeende, 3);
            if (extensionType2) {
                s += lademode == 1 ? QStringLiteral(",O1") : QStringLiteral(",O0");
                s += q == 1 ? QStringLiteral(",Q1") : QStringLiteral(",Q0");
                s += u == 1 ? QStringLiteral(",U1") : QStringLiteral(",U0");
            }
        }
        return s;
    }
};

void expectSame(const CommunicationProgram& p, const EditorProgram& e, const QString& where)
{
    const std::string w = where.toStdString();
    EXPECT_EQ(p.strKanal, e.channel) << w;
    EXPECT_EQ(p.iAkkuTyp, e.akkuTyp) << w;
    EXPECT_EQ(p.iMode, e.mode) << w;
    EXPECT_EQ(p.iZellenzahl, e.zellen) << w;
    EXPECT_EQ(p.iProzentwert, e.sollKapazitaet ? e.prozent : -3) << w;
    EXPECT_EQ(p.lKapazitaet, e.sollKapazitaet ? e.kapazitaet : -3) << w;
    EXPECT_EQ(p.iFormierZyklen, e.formier) << w;
    EXPECT_EQ(p.iWiederholtesLadenEntladen, e.zeitraum) << w;
    EXPECT_EQ(p.lLadestrom, e.ladestrom) << w;
    EXPECT_EQ(p.lEntladeStrom, e.entladestrom) << w;
    EXPECT_EQ(p.lLadeschlussSpannung, e.ladeschluss) << w;
    EXPECT_EQ(p.lEntladeschlussSpannung, e.entladeschluss) << w;
    EXPECT_EQ(p.iSelbstentladungsIntervall, e.selbstentladung ? e.intervall : -3) << w;
    if (e.selbstentladung) {
        EXPECT_EQ(p.iSelbstentladungsIntervalTyp, e.stunden ? 2 : 1) << w;
    }
    EXPECT_EQ(p.bExtendedRecieved, e.extension) << w;
    if (e.extension) {
        EXPECT_EQ(p.bProgrammierungGesperrt, e.gesperrt) << w;
        EXPECT_EQ(p.bOhneLast, e.ohneLast) << w;
        EXPECT_EQ(p.iBleiakkuMode, e.blei ? 1 : 0) << w;
        EXPECT_EQ(p.iLiionMode, e.liion ? 1 : 0) << w;
        EXPECT_EQ(p.iLadeende, e.ladeende) << w;
    }
    if (e.extensionType2) {
        EXPECT_EQ(p.iLademode, e.lademode) << w;
        EXPECT_EQ(p.iQ, e.q) << w;
        EXPECT_EQ(p.iU, e.u) << w;
    }
}

} // namespace

TEST(ProgramText, EditorStringsParseBackStoredAndAsTheChargersEcho)
{
    std::vector<EditorProgram> programs(6);
    programs[1].channel = QStringLiteral("004");
    programs[1].akkuTyp = 5;
    programs[1].sollKapazitaet = true;
    programs[1].prozent = 120;
    programs[1].kapazitaet = 2400;
    programs[2].selbstentladung = true;
    programs[2].stunden = true;
    programs[2].intervall = 24;
    programs[3].selbstentladung = true;
    programs[3].intervall = 7;
    programs[3].extension = true;
    programs[3].gesperrt = true;
    programs[3].ladeende = 100;
    programs[4] = programs[3];
    programs[4].extensionType2 = true;
    programs[4].lademode = 1;
    programs[4].u = 1;
    programs[4].liion = 1;
    programs[4].ohneLast = true;
    programs[5] = programs[1];
    programs[5].extension = true;
    programs[5].extensionType2 = true;
    programs[5].q = 1;
    programs[5].blei = 1;
    programs[5].ladestrom = 99999;

    for (const EditorProgram& e : programs) {
        const QString stored = e.build();
        CommunicationProgram p;
        QString text = stored;
        EXPECT_TRUE(p.splitRecievedString(text, false));
        expectSame(p, e, stored);
        EXPECT_EQ(p.iGalNummer, 0) << stored.toStdString();

        // The charger echoes the program with its G element, and R after extended options.
        const QString echo = stored + (e.extension ? QStringLiteral(",G2,R3,") : QStringLiteral(",G2,"));
        CommunicationProgram r;
        text = echo;
        EXPECT_TRUE(r.splitRecievedString(text, true));
        expectSame(r, e, echo);
        EXPECT_EQ(r.iGalNummer, 2) << echo.toStdString();
        EXPECT_EQ(r.iLadegeraet, e.extension ? 3 : 4) << echo.toStdString();
    }
}

TEST(ProgramText, TailsAndFlags)
{
    struct Case {
        QString text;
        bool withGal;
        int akkuTyp;
    };
    const QString ext = QStringLiteral(",S1,C0,B1,H0,N100");
    const Case cases[] = {
        {reply("002", ",G1,"), true, 2},
        {reply("002", ",G1,"), false, 2},
        {reply("002", ext + QStringLiteral(",G2,R3,")), true, 2},
        {reply("002", ext + QStringLiteral(",G2,")), true, -1},     // the final empty element is no R
        {reply("002", ext + QStringLiteral(",G2,R3,")), false, -1}, // G is no R
        {reply("002", ext), false, 2},
        {reply("002", ext + QStringLiteral(",O1")), false, -1}, // O without Q and U
        {reply("002", ext + QStringLiteral(",O1,Q1,U1,G2,R3,")), true, 2},
        {reply("002", ext + QStringLiteral(",O1,Q1,U1,G2,R3,X,")), true, 2}, // nothing after R is read
        {reply("002", ",S1,C0,B1,H0"), false, -1},                           // incomplete extended block
        {reply("002", ","), false, -1},                                      // a reply without G
        {reply("002", ",X1"), false, -1},
        {reply("002", ",YX010"), false, 2},
        {QStringLiteral("001,P,A02,M01,F0,W30,L01000,E00500,V07200,D05400"), false, -1},          // no Z
        {QStringLiteral("001,P,A02,M01,Z06,P100,F0,W30,K01000,E00500,V07200,D05400"), false, -1}, // no L
        {QStringLiteral("001,M,SK,"), true, -4},
        {QStringLiteral("001,M,SA,"), true, -1},
        {QStringLiteral("001,W,"), true, -1},
        {QStringLiteral(""), true, -2},
        {QStringLiteral("   "), true, -2},
        {QStringLiteral("-1"), true, -1},
        {QStringLiteral("001"), true, -1},
        {QStringLiteral("001,P,"), true, -1},
        {QStringLiteral("001,P,A123,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"), false, 23},
        // Digits that are no number: unusable, and reported as such.
        {QStringLiteral("001,P,A2,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"), false, -1},
        {QStringLiteral("001,P,A02,M01,Z6,F0,W30,L01000,E00500,V07200,D05400"), false, -1},
        {QStringLiteral("001,P,A02,M01,Z06,F0,W30,L0-100,E00500,V07200,D05400"), false, -1},
        {QStringLiteral("001,P,A-4,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"), false, -1},
    };
    for (const Case& c : cases) {
        CommunicationProgram p;
        QString text = c.text;
        p.splitRecievedString(text, c.withGal);
        EXPECT_EQ(p.iAkkuTyp, c.akkuTyp) << c.text.toStdString() << " withGal " << c.withGal;
    }
}

TEST(ProgramText, ReadsOnlyWhatItReachesAndReportsConversionFailures)
{
    CommunicationProgram p;
    QString text = QStringLiteral(
        "  002,P,A03,M02,Z04,F1,W10,L01000,E00500,V07200,D05400,YH024,S0,C1,B0,H1,N150,O1,Q1,U1,G1,R2,  ");
    ASSERT_TRUE(p.splitRecievedString(text, true));
    EXPECT_EQ(text, QStringLiteral(
                        "002,P,A03,M02,Z04,F1,W10,L01000,E00500,V07200,D05400,YH024,S0,C1,B0,H1,N150,O1,Q1,U1,G1,R2,"));
    EXPECT_EQ(p.iProzentwert, -3);
    EXPECT_EQ(p.lKapazitaet, -3);
    EXPECT_EQ(p.iSelbstentladungsIntervalTyp, 2);
    EXPECT_EQ(p.iSelbstentladungsIntervall, 24);
    EXPECT_TRUE(p.bProgrammierungGesperrt);
    EXPECT_TRUE(p.bOhneLast);
    EXPECT_EQ(p.iLiionMode, 1);
    EXPECT_EQ(p.iLadeende, 150);
    EXPECT_EQ(p.iGalNummer, 1);
    EXPECT_EQ(p.iLadegeraet, 2);

    // Parsed again with a plain program: the extended fields and the Y unit stay.
    text = QStringLiteral("003,P,A01,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,YQ010,G4,");
    ASSERT_TRUE(p.splitRecievedString(text, true));
    EXPECT_EQ(p.strKanal, QStringLiteral("003"));
    EXPECT_FALSE(p.bExtendedRecieved);
    EXPECT_EQ(p.iSelbstentladungsIntervall, 10);
    EXPECT_EQ(p.iSelbstentladungsIntervalTyp, 2);
    EXPECT_EQ(p.iLademode, 1);
    EXPECT_EQ(p.iQ, 1);
    EXPECT_EQ(p.iLadeende, 150);

    // A channel other than 001..004 leaves strKanal; a complete program still parses.
    text = QStringLiteral("009,P,A04,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,YD007,G1,");
    ASSERT_TRUE(p.splitRecievedString(text, true));
    EXPECT_EQ(p.strKanal, QStringLiteral("003"));
    EXPECT_EQ(p.iAkkuTyp, 4);
    EXPECT_EQ(p.iSelbstentladungsIntervalTyp, 1);

    // A field whose digits are no number stops the parse there.
    text = QStringLiteral("001,P,A01,M03,Z08,F0,W3x,L09999,E00500,V07200,D05400,G1,");
    EXPECT_FALSE(p.splitRecievedString(text, true));
    EXPECT_EQ(p.iAkkuTyp, -1);
    EXPECT_EQ(p.iZellenzahl, 8);
    EXPECT_EQ(p.lLadestrom, 1000);
}

TEST(ProgramText, ExtendedSwitchDigits)
{
    for (const char* s : {"S0", "S2", "S9"}) {
        CommunicationProgram p;
        p.splitRecievedString(QString(reply("001", ",") + QLatin1String(s) + QStringLiteral(",C0,B0,H0,N000")), false);
        EXPECT_TRUE(p.bProgrammierungGesperrt) << s;
        EXPECT_TRUE(p.bExtendedRecieved) << s;
    }
    CommunicationProgram p;
    p.splitRecievedString(reply("001", ",S1,C0,B0,H0,N000"), false);
    EXPECT_FALSE(p.bProgrammierungGesperrt);
}

TEST(ProgramRecord, DefaultsAndLadeendeFromTheSettings)
{
    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
    openCoreForTest(folder);
    const struct {
        const char* setting;
        int ladeende;
    } cases[] = {{"120", 120}, {" 85 ", 85}, {"", 0}, {"abc", 0}, {"12.5", 0}, {"99999", 0}};
    for (const auto& c : cases) {
        objSettings().setSetting(QStringLiteral("DefaultLadeende"), QLatin1String(c.setting));
        CommunicationProgram p;
        EXPECT_EQ(p.iLadeende, c.ladeende) << c.setting;
        EXPECT_EQ(p.iLadegeraet, 4);
        EXPECT_FALSE(p.bExtendedRecieved);
        EXPECT_FALSE(p.bProgrammierungGesperrt);
        EXPECT_EQ(p.iAkkuTyp, 0);
        EXPECT_EQ(p.iLGPosition, 0);
        EXPECT_TRUE(p.strKanal.isEmpty());
    }
    closeCoreForTest();
}
