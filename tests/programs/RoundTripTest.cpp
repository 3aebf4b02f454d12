// A program read from the charger and sent back unchanged is the program the
// charger reported, whatever the layout hides; once the user changes the
// battery it depends on, the hidden values fall back as the controls say.
#include "ExchangeFixture.h"

#include <QRegularExpression>
#include <functional>

namespace {

class RoundTripTest : public ExchangeFixture {
protected:
    // The user describes the battery by type and cells.
    void chooseType(const char* nr, const char* cells)
    {
        if (!view.isChecked(QStringLiteral("optAkkuTyp"))) {
            view.setChecked(QStringLiteral("optAkkuTyp"), true);
            logic->optAkkuTyp_Click();
        }
        view.setBoundText(QStringLiteral("cboAkkuType"), QString::fromLatin1(nr));
        logic->cboAkkuType_Click();
        view.setControlText(QStringLiteral("cboZellenzahl"), QString::fromLatin1(cells));
        logic->cboZellenzahl_Click();
    }
    // Reads channel 1, lets the user change what change does, sends; the frame sent.
    QString readChangeSend(const QString& reported, const std::function<void()>& change)
    {
        fake.setProgram(1, reported);
        exchange->cmdProgrammHolen_Click();
        if (change)
            change();
        fake.clearFrameLog();
        exchange->cmdSendButton_Click();
        return fake.frameLog().value(0);
    }
    void roundTrips();
};

void RoundTripTest::roundTrips()
{
    const struct {
        const char* reported;
        std::function<void(RoundTripTest&)> change; // the user's change of the battery
        const char* fallback;                       // what goes out after it
    } cases[] = {
        // NiCd, discharge then charge.
        {"001,P,A01,M03,Z08,F0,W30,L01000,E00500,V09600,D08000", [](RoundTripTest& t) { t.chooseType("2", "8"); },
         "001,P,A02,M03,Z08,F0,W30,L01000,E00500,V09600,D01000"},
        // NiMH charged only: no discharge current shown, a forming code the
        // list does not hold, no period.
        {"001,P,A02,M01,Z04,F7,W00,L01500,E00000,V04800,D05400", [](RoundTripTest& t) { t.chooseType("1", "4"); },
         "001,P,A01,M01,Z04,F7,W00,L01500,E00000,V04800,D01000"},
        // Li-ion cycled, whose nominal voltage is not the list's 3.6 V a cell.
        {"001,P,A03,M04,Z02,P100,F2,W30,K02500,L01200,E01000,V07400,D06000",
         [](RoundTripTest& t) { t.chooseType("4", "2"); },
         "001,P,A04,M04,Z02,P100,F2,W30,K02500,L01200,E01000,V04000,D01000"},
        // The cell count alone changed.
        {"001,P,A03,M04,Z02,P100,F2,W30,K02500,L01200,E01000,V07400,D06000",
         [](RoundTripTest& t) { t.chooseType("3", "3"); },
         "001,P,A03,M04,Z03,P100,F2,W30,K02500,L01200,E01000,V10800,D01000"},
        // The cells changed and chosen back: the voltage the list shows goes out.
        {"001,P,A03,M04,Z02,P100,F2,W30,K02500,L01200,E01000,V07400,D06000",
         [](RoundTripTest& t) {
             t.chooseType("3", "3");
             t.chooseType("3", "2");
         },
         "001,P,A03,M04,Z02,P100,F2,W30,K02500,L01200,E01000,V07200,D01000"},
        // Lead-acid stored with a period.
        {"001,P,A04,M06,Z06,F0,W14,L02000,E01000,V12000,D10800", [](RoundTripTest& t) { t.chooseType("1", "6"); },
         "001,P,A01,M06,Z06,F0,W14,L02000,E01000,V07200,D01000"},
        // NiMH discharged only, with a self-discharge test in hours.
        {"001,P,A02,M02,Z04,F0,W00,L00000,E00800,V04800,D04000,YH024", [](RoundTripTest& t) { t.chooseType("1", "4"); },
         "001,P,A01,M02,Z04,F0,W00,L00000,E00800,V04800,D01000,YH024"},
        // Preset voltages, both shown; the hidden cell count kept.
        {"001,P,A05,M03,Z04,F0,W30,L01000,E00500,V05600,D04000", [](RoundTripTest& t) { t.chooseType("2", "4"); },
         "001,P,A02,M03,Z04,F0,W30,L01000,E00500,V04800,D04000"},
        // Preset voltages charged only: the discharge-end voltage is hidden,
        // and its zero is what the program gave.
        {"001,P,A05,M01,Z03,F0,W30,L01000,E00000,V04200,D00000", [](RoundTripTest& t) { t.chooseType("2", "3"); },
         "001,P,A02,M01,Z03,F0,W30,L01000,E00000,V03600,D01000"},
        // ... and once its charge-end voltage is changed.
        {"001,P,A05,M01,Z03,F0,W30,L01000,E00000,V04200,D00000",
         [](RoundTripTest& t) { t.view.setControlText(QStringLiteral("txtLadeschlussSpannung"), t.dec("4.350")); },
         "001,P,A05,M01,Z03,F0,W30,L01000,E00000,V04350,D01000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reported);
        const QString reported = QString::fromLatin1(c.reported);
        EXPECT_EQ(readChangeSend(reported, nullptr), reported);
        // Only the current changed: the rest still goes out as it came.
        const QString current = readChangeSend(reported, [this] {
            if (view.isControlVisible(QStringLiteral("txtLadestrom")))
                view.setControlText(QStringLiteral("txtLadestrom"), dec("0.900"));
        });
        if (view.isControlVisible(QStringLiteral("txtLadestrom"))) {
            EXPECT_EQ(current, QString(reported).replace(QRegularExpression(QStringLiteral(",L\\d+,")),
                                                         QStringLiteral(",L00900,")));
        }
        EXPECT_EQ(readChangeSend(reported, [this, &c] { c.change(*this); }), QLatin1String(c.fallback));
    }
    EXPECT_EQ(hooked.texts().count(r("0980")), hooked.shown.size())
        << hooked.texts().join(QLatin1Char('|')).toStdString();
}

} // namespace

TEST_F(RoundTripTest, ReadAndSentBackUnchangedIsTheReportedProgram)
{
    open();
    roundTrips();
}

TEST_F(RoundTripTest, ReadAndSentBackUnchangedUnderAGermanLocale)
{
    german();
    open();
    roundTrips();
}

TEST_F(RoundTripTest, ANamedProgramChosenAndSentIsTheStoredOne)
{
    open();
    const QString stored = QStringLiteral("001,P,A02,M01,Z04,F0,W00,L01500,E00000,V04800,D05400");
    dbVeluser.exec(QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Pack', '%1')").arg(stored));
    exchange->refreshProgramList();
    view.setBoundText(QStringLiteral("cboAkkuProgram"), QStringLiteral("1"));
    exchange->cboAkkuProgram_Click();
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.frameLog(), QStringList{stored});
}

TEST_F(RoundTripTest, AChannelThatNeverReadItsProgramGivesNothingToKeep)
{
    open();
    // A channel's own record before its first read: zeros no text gave.
    auto record = std::make_shared<CommunicationProgram>();
    record->iAkkuTyp = 2;
    record->iZellenzahl = 6;
    record->iMode = 2;
    record->lEntladeStrom = 500;
    record->lKapazitaet = -3;
    record->iSelbstentladungsIntervall = -3;
    logic->takeProgram(record);
    exchange->cmdSendButton_Click();
    // The same zeros read from a text are the program's own.
    auto read = std::make_shared<CommunicationProgram>(*record);
    read->strKanal = QStringLiteral("001");
    logic->takeProgram(read);
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.frameLog(), (QStringList{QStringLiteral("001,P,A02,M02,Z06,F0,W30,L01000,E00500,V07200,D01000"),
                                            QStringLiteral("001,P,A02,M02,Z06,F0,W00,L00000,E00500,V00000,D00000")}))
        << hooked.texts().join(QLatin1Char('|')).toStdString();
}
