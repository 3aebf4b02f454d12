// The program string as a pure function of the editor's inputs: the groups,
// their defaults, refused values, and round trips through the program parser,
// in the C locale and in a German one.
#include "TestSupport.h"

#include "link/CommunicationProgram.h"
#include "programs/ProgramString.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Refusal = ProgramStringResult::Refusal;

// The example program: channel 1, battery type 2, mode 1, six cells, cycle
// code 0, empty period, 1 A charge, 0.5 A discharge, 7.2 V, 5.4 V.
ProgramInputs example()
{
    ProgramInputs in;
    in.strGeraeteNr = QStringLiteral("001");
    in.bAkkuTyp = true;
    in.strAkkuTyp = QStringLiteral("2");
    in.strModus = QStringLiteral("1");
    in.strZellenzahl = QStringLiteral("6");
    in.strKapazitaetProzent = QStringLiteral("80");
    in.strFormierCode = QStringLiteral("0");
    in.strKapazitaetAh = QStringLiteral("0.000");
    in.strLadestrom = QStringLiteral("1.000");
    in.strEntladestrom = QStringLiteral("0.500");
    in.strNennSpannung = QStringLiteral("7.2 V");
    in.strLadeschlussSpannung = QStringLiteral("0.000");
    in.strEntladeschlussSpannung = QStringLiteral("5.400");
    in.strSelbstentladungsZeitraum = QStringLiteral("1");
    return in;
}

ProgramStringSettings defaults()
{
    ProgramStringSettings s;
    s.strDefaultLadestrom = QStringLiteral("1000");
    s.strDefaultEntladestrom = QStringLiteral("800");
    s.strDefaultEntladeschlussSpannung = QStringLiteral("900");
    s.strProgramExtensionAvaiable = QStringLiteral("NO");
    s.strProgramExtensionType = QStringLiteral("1");
    return s;
}

struct Case {
    const char* name;
    std::function<void(ProgramInputs&, CommunicationProgram&, ProgramStringSettings&)> change;
    const char* expected; // nullptr: refused
    Refusal refusal = Refusal::None;
    const char* control = "";
};

const QString kBase = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");

// The cases are written with "." as decimal separator; under another locale
// every number a box holds is written with that locale's separator.
void localise(ProgramInputs& in)
{
    const QChar point = QLocale().decimalPoint().at(0);
    for (QString* s : {&in.strKapazitaetAh, &in.strLadestrom, &in.strEntladestrom, &in.strNennSpannung,
                       &in.strLadeschlussSpannung, &in.strEntladeschlussSpannung})
        s->replace(QLatin1Char('.'), point);
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"example", [](auto&, auto&, auto&) {}, "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"presetVoltagesCarryTheChargeEndVoltage",
         [](ProgramInputs& in, auto&, auto&) {
             in.bAkkuTyp = false;
             in.bVorgSpannung = true;
             in.strLadeschlussSpannung = QStringLiteral("8.400");
         },
         "001,P,A05,M01,Z06,F0,W30,L01000,E00500,V08400,D05400"},
        {"neitherOptionWritesZeroVoltage", [](ProgramInputs& in, auto&, auto&) { in.bAkkuTyp = false; },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V00000,D05400"},
        {"noBatteryTypeIs00", [](ProgramInputs& in, auto&, auto&) { in.strAkkuTyp.clear(); },
         "001,P,A00,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"emptyCellCountIs06", [](ProgramInputs& in, auto&, auto&) { in.strZellenzahl = QStringLiteral(""); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"twelveCells", [](ProgramInputs& in, auto&, auto&) { in.strZellenzahl = QStringLiteral("12"); },
         "001,P,A02,M01,Z12,F0,W30,L01000,E00500,V07200,D05400"},
        {"blankPeriodIs30", [](ProgramInputs& in, auto&, auto&) { in.strZeitraum = QStringLiteral("  "); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"periodPadded", [](ProgramInputs& in, auto&, auto&) { in.strZeitraum = QStringLiteral("7"); },
         "001,P,A02,M01,Z06,F0,W07,L01000,E00500,V07200,D05400"},
        {"capacityWritesPAfterZAndKAfterW",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSollKapazitaet = true;
             in.strKapazitaetAh = QStringLiteral("2.500");
         },
         "001,P,A02,M01,Z06,P080,F0,W30,K02500,L01000,E00500,V07200,D05400"},
        {"cycleCode", [](ProgramInputs& in, auto&, auto&) { in.strFormierCode = QStringLiteral("3"); },
         "001,P,A02,M01,Z06,F3,W30,L01000,E00500,V07200,D05400"},
        {"zeroChargeCurrentTakesDefault",
         [](ProgramInputs& in, auto&, auto&) { in.strLadestrom = QStringLiteral("0.000"); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"currentRoundingToZeroTakesDefault",
         [](ProgramInputs& in, auto&, auto&) { in.strEntladestrom = QStringLiteral("0.0004"); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00800,V07200,D05400"},
        {"emptyHiddenCurrentTakesDefault", [](ProgramInputs& in, auto&, auto&) { in.strEntladestrom.clear(); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00800,V07200,D05400"},
        {"zeroDischargeEndTakesDefault",
         [](ProgramInputs& in, auto&, auto&) { in.strEntladeschlussSpannung = QStringLiteral("0.000"); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D00900"},
        {"millivoltsRounded", [](ProgramInputs& in, auto&, auto&) { in.strLadestrom = QStringLiteral("1.2346"); },
         "001,P,A02,M01,Z06,F0,W30,L01235,E00500,V07200,D05400"},
        {"emptyNominalVoltageIsZero", [](ProgramInputs& in, auto&, auto&) { in.strNennSpannung = QStringLiteral(" "); },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V00000,D05400"},
        {"selfDischargeInDays",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSelbstentladung = true;
             in.strSelbstentladungsZeitraum = QStringLiteral("14");
         },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,YD014"},
        {"selfDischargeInHours",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSelbstentladung = true;
             in.bStunden = true;
             in.strSelbstentladungsZeitraum = QStringLiteral("12");
         },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,YH012"},
        {"extensionOtherThanExactYesWritesNothing",
         [](auto&, auto&, ProgramStringSettings& s) {
             s.strProgramExtensionAvaiable = QStringLiteral("yes");
             s.strProgramExtensionType = QStringLiteral("2");
         },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"extensionType1",
         [](auto&, CommunicationProgram& p, ProgramStringSettings& s) {
             s.strProgramExtensionAvaiable = QStringLiteral(" YES ");
             p.bProgrammierungGesperrt = true;
             p.bOhneLast = true;
             p.iBleiakkuMode = 2;
             p.iLiionMode = 0;
             p.iLadeende = 25;
             p.iLademode = 1;
         },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S0,C1,B1,H0,N025"},
        {"extensionType2",
         [](auto&, CommunicationProgram& p, ProgramStringSettings& s) {
             s.strProgramExtensionAvaiable = QStringLiteral("YES");
             s.strProgramExtensionType = QStringLiteral("2 ");
             p.iLiionMode = 1;
             p.iLadeende = 100;
             p.iLademode = 1;
             p.iQ = 2;
             p.iU = 1;
         },
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B0,H1,N100,O1,Q0,U1"},
        // Values kept from the program the editor was filled from go out as
        // they came, zeros included, in place of what the controls hold.
        {"keptValuesInPlaceOfTheControls",
         [](ProgramInputs& in, auto&, auto&) {
             in.kept.zellenzahl = 4;
             in.kept.formierCode = 7;
             in.kept.zeitraum = 0;
             in.kept.ladestrom = 0;
             in.kept.entladestrom = 0;
             in.kept.nennSpannung = 7400;
             in.kept.entladeschlussSpannung = 0;
             in.strFormierCode.clear();
             in.strLadestrom = QStringLiteral("9.000");
         },
         "001,P,A02,M01,Z04,F7,W00,L00000,E00000,V07400,D00000"},
        {"keptNominalVoltageOnlyForABatteryType",
         [](ProgramInputs& in, auto&, auto&) {
             in.bAkkuTyp = false;
             in.bVorgSpannung = true;
             in.strLadeschlussSpannung = QStringLiteral("8.400");
             in.kept.nennSpannung = 7400;
         },
         "001,P,A05,M01,Z06,F0,W30,L01000,E00500,V08400,D05400"},
        // Refusals.
        {"keptValueWiderThanItsGroup", [](ProgramInputs& in, auto&, auto&) { in.kept.entladeschlussSpannung = 100000; },
         nullptr, Refusal::OutOfField, "txtEntladeschlussSpannung"},
        {"noDeviceMode", [](ProgramInputs& in, auto&, auto&) { in.strModus.clear(); }, nullptr, Refusal::NoDeviceMode,
         "cboGeraeteModi"},
        {"noCycleMode", [](ProgramInputs& in, auto&, auto&) { in.strFormierCode.clear(); }, nullptr,
         Refusal::NoCycleMode, "cboModeZyklus"},
        {"currentWiderThanItsGroup",
         [](ProgramInputs& in, auto&, auto&) { in.strLadestrom = QStringLiteral("120.000"); }, nullptr,
         Refusal::OutOfField, "txtLadestrom"},
        {"negativeCurrent", [](ProgramInputs& in, auto&, auto&) { in.strEntladestrom = QStringLiteral("-0.500"); },
         nullptr, Refusal::OutOfField, "txtEntladestrom"},
        {"currentNoNumber", [](ProgramInputs& in, auto&, auto&) { in.strLadestrom = QStringLiteral("1x"); }, nullptr,
         Refusal::OutOfField, "txtLadestrom"},
        {"groupSeparatorRefused",
         [](ProgramInputs& in, auto&, auto&) { in.strEntladeschlussSpannung = QStringLiteral("1,000.5"); }, nullptr,
         Refusal::OutOfField, "txtEntladeschlussSpannung"},
        {"periodWiderThanItsGroup", [](ProgramInputs& in, auto&, auto&) { in.strZeitraum = QStringLiteral("100"); },
         nullptr, Refusal::OutOfField, "txtZeitraum"},
        {"emptyPercentageNotSentWithoutDigits",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSollKapazitaet = true;
             in.strKapazitaetProzent.clear();
         },
         nullptr, Refusal::OutOfField, "txtKapazitaetProzent"},
        {"capacityWiderThanItsGroup",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSollKapazitaet = true;
             in.strKapazitaetAh = QStringLiteral("100.000");
         },
         nullptr, Refusal::OutOfField, "txtKapazitaetAh"},
        {"emptySelfDischargeNotSentWithoutDigits",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSelbstentladung = true;
             in.strSelbstentladungsZeitraum = QStringLiteral("");
         },
         nullptr, Refusal::OutOfField, "txtSelbstentladungsZeitraum"},
        {"negativeSelfDischarge",
         [](ProgramInputs& in, auto&, auto&) {
             in.bSelbstentladung = true;
             in.strSelbstentladungsZeitraum = QStringLiteral("-1");
         },
         nullptr, Refusal::OutOfField, "txtSelbstentladungsZeitraum"},
        {"presetVoltageWiderThanItsGroup",
         [](ProgramInputs& in, auto&, auto&) {
             in.bAkkuTyp = false;
             in.bVorgSpannung = true;
             in.strLadeschlussSpannung = QStringLiteral("100.000");
         },
         nullptr, Refusal::OutOfField, "txtLadeschlussSpannung"},
        {"missingDefaultCurrent",
         [](ProgramInputs& in, auto&, ProgramStringSettings& s) {
             in.strLadestrom = QStringLiteral("0.000");
             s.strDefaultLadestrom.clear();
         },
         nullptr, Refusal::MissingValue, "txtLadestrom"},
        {"nonNumericDefaultDischargeEnd",
         [](ProgramInputs& in, auto&, ProgramStringSettings& s) {
             in.strEntladeschlussSpannung.clear();
             s.strDefaultEntladeschlussSpannung = QStringLiteral("abc");
         },
         nullptr, Refusal::MissingValue, "txtEntladeschlussSpannung"},
        {"defaultWiderThanItsGroup",
         [](ProgramInputs& in, auto&, ProgramStringSettings& s) {
             in.strEntladestrom.clear();
             s.strDefaultEntladestrom = QStringLiteral("123456");
         },
         nullptr, Refusal::MissingValue, "txtEntladestrom"},
        {"chargeEndWiderThanItsGroup",
         [](auto&, CommunicationProgram& p, ProgramStringSettings& s) {
             s.strProgramExtensionAvaiable = QStringLiteral("YES");
             p.iLadeende = 1000;
         },
         nullptr, Refusal::OutOfField, "cmdExtendedModus"},
    };
    return all;
}

class ProgramStringTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        saved = QLocale();
        if (GetParam())
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(saved); }
    QLocale saved;
};

} // namespace

TEST_P(ProgramStringTest, EveryGroupDefaultAndRefusal)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        ProgramInputs in = example();
        CommunicationProgram prog;
        prog.iLadeende = 0;
        ProgramStringSettings s = defaults();
        c.change(in, prog, s);
        localise(in);
        const ProgramStringResult r = ProgramString::buildProgramString(in, prog, s);
        if (c.expected) {
            EXPECT_TRUE(r.ok());
            EXPECT_EQ(r.text, QLatin1String(c.expected));
        } else {
            EXPECT_EQ(r.refusal, c.refusal);
            EXPECT_EQ(r.control, QLatin1String(c.control));
            EXPECT_TRUE(r.text.isEmpty());
        }
    }
}

TEST_P(ProgramStringTest, EveryBuiltStringReadsBackAsTheSameProgram)
{
    for (const Case& c : cases()) {
        if (!c.expected)
            continue;
        SCOPED_TRACE(c.name);
        ProgramInputs in = example();
        CommunicationProgram prog;
        prog.iLadeende = 0;
        ProgramStringSettings s = defaults();
        c.change(in, prog, s);
        localise(in);
        const ProgramInputs::Kept& k = in.kept;
        // Kept values stand in for the controls read back below.
        if (k.zellenzahl || k.formierCode || k.zeitraum || k.ladestrom || k.entladestrom || k.entladeschlussSpannung)
            continue;
        const QString text = ProgramString::buildProgramString(in, prog, s).text;

        CommunicationProgram back;
        ASSERT_TRUE(back.splitRecievedString(QString(text), false));
        ASSERT_GE(back.iAkkuTyp, 0) << text.toStdString();
        EXPECT_EQ(back.strKanal, in.strGeraeteNr);
        EXPECT_EQ(back.iAkkuTyp, in.bVorgSpannung ? 5 : in.strAkkuTyp.toInt());
        EXPECT_EQ(back.iMode, in.strModus.toInt());
        EXPECT_EQ(back.iZellenzahl, in.strZellenzahl.isEmpty() ? 6 : in.strZellenzahl.toInt());
        EXPECT_EQ(back.iFormierZyklen, in.strFormierCode.toInt());
        EXPECT_EQ(back.iProzentwert, in.bSollKapazitaet ? in.strKapazitaetProzent.toInt() : -3);
        qint64 milli = 0;
        if (in.bSollKapazitaet) {
            ASSERT_TRUE(ProgramString::toMilli(in.strKapazitaetAh, milli));
            EXPECT_EQ(back.lKapazitaet, milli);
        } else {
            EXPECT_EQ(back.lKapazitaet, -3);
        }
        EXPECT_EQ(back.iSelbstentladungsIntervall, in.bSelbstentladung ? in.strSelbstentladungsZeitraum.toInt() : -3);
        if (in.bSelbstentladung) {
            EXPECT_EQ(back.iSelbstentladungsIntervalTyp, in.bStunden ? 2 : 1);
        }
        // A current the user gave arrives as given; a zero or empty one as its default.
        if (ProgramString::toMilli(in.strLadestrom, milli) && milli != 0) {
            EXPECT_EQ(back.lLadestrom, milli);
        } else {
            EXPECT_EQ(back.lLadestrom, s.strDefaultLadestrom.toInt());
        }
        if (ProgramString::toMilli(in.strEntladestrom, milli) && milli != 0) {
            EXPECT_EQ(back.lEntladeStrom, milli);
        } else {
            EXPECT_EQ(back.lEntladeStrom, s.strDefaultEntladestrom.toInt());
        }
        const bool extended = s.strProgramExtensionAvaiable.trimmed() == QLatin1String("YES");
        EXPECT_EQ(back.bExtendedRecieved, extended);
        if (extended) {
            EXPECT_EQ(back.bProgrammierungGesperrt, prog.bProgrammierungGesperrt);
            EXPECT_EQ(back.bOhneLast, prog.bOhneLast);
            EXPECT_EQ(back.iLadeende, prog.iLadeende);
        }
    }
}

TEST_P(ProgramStringTest, TypedNumbersAreReadInTheUserLocale)
{
    const QChar point = QLocale().decimalPoint().at(0);
    qint64 milli = 0;
    ASSERT_TRUE(ProgramString::toMilli(QStringLiteral("7") + point + QStringLiteral("2"), milli));
    EXPECT_EQ(milli, 7200);
    // The other separator is either refused or a group separator: never 72 or 7.2 by accident.
    const QString other = point == QLatin1Char('.') ? QStringLiteral("7,2") : QStringLiteral("7.2");
    EXPECT_FALSE(ProgramString::toMilli(other, milli));
    EXPECT_FALSE(ProgramString::toMilli(QString(), milli));
    EXPECT_FALSE(ProgramString::toMilli(QStringLiteral("-"), milli));
}

INSTANTIATE_TEST_SUITE_P(Locales, ProgramStringTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "German" : "C"; });

TEST_P(ProgramStringTest, NumbersReadAsTheLocaleReadsThem)
{
    QLocale strict;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString point = QLocale().decimalPoint();
    const QStringList inputs = {"0",
                                "7",
                                "-3",
                                "12" + point + "345",
                                "0" + point + "0005",
                                point + "5",
                                "5" + point,
                                "-" + point + "5",
                                "1e3",
                                "1" + point + "5e-1",
                                "1.000" + point + "5",
                                "1,000",
                                "--1",
                                "+2",
                                " 4 ",
                                "99999999999999999999",
                                "1" + point + "2" + point + "3"};
    for (const QString& t : inputs) {
        SCOPED_TRACE(t.toStdString());
        bool expectedOk = false;
        const float expected = strict.toFloat(t.trimmed(), &expectedOk);
        float value = -1;
        const bool ok = ProgramString::readUserNumber(t, value);
        EXPECT_EQ(ok, expectedOk);
        if (ok && expectedOk) {
            EXPECT_FLOAT_EQ(value, expected);
        }
    }
}
