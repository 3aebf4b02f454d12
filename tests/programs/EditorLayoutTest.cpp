// The editor's set-up, its layout by device mode and battery description, the
// battery-type lists and how a program fills the fields: on the widget-free
// logic with the shipped reference rows.
#include "EditorFixture.h"

#include "core/programSettings.h"

namespace {
class EditorLayoutTest : public EditorLogicFixture {};

const char* const kCharge[] = {"txtLadestrom", "lblLadestrom", "lblAmpereLaden"};
const char* const kDischarge[] = {"txtEntladestrom", "lblEntladestrom", "lblAmpereEntladen"};
} // namespace

TEST_F(EditorLayoutTest, LoadFillsTheListsAndShowsOnlyTheAlwaysPresentFields)
{
    start();
    EXPECT_EQ(view.bound[QStringLiteral("cboAkkuType")].size(), 4);
    EXPECT_EQ(view.bound[QStringLiteral("cboGeraeteModi")].size(), 7);
    // The cycle list starts on its first row and is never without a choice.
    EXPECT_EQ(view.boundText(QStringLiteral("cboModeZyklus")), QStringLiteral("0"));
    EXPECT_TRUE(view.boundText(QStringLiteral("cboAkkuProgram")).isEmpty());
    EXPECT_EQ(view.listItems(QStringLiteral("cboLadeStromC")),
              (QStringList{"0.10 C", "0.25 C", "0.33 C", "0.50 C", "0.75 C", "1 C", "2 C", "3 C"}));
    EXPECT_EQ(view.listItems(QStringLiteral("cboEntladeStromC")).size(), 8);
    for (const char* hiddenName : {"txtZeitraum", "cboModeZyklus", "cboAkkuType", "cboNennSpannung", "cboZellenzahl",
                                   "txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtKapazitaetAh",
                                   "cboLadeStromC", "chkSelbstentladung", "txtSelbstentladungsZeitraum"})
        EXPECT_FALSE(shown(hiddenName)) << hiddenName;
    for (const char* shownName : {"txtLadestrom", "txtEntladestrom", "chkSollKapazitaet", "optAkkuTyp",
                                  "optVorgSpannung", "cboGeraeteModi", "cmdCancelButton"})
        EXPECT_TRUE(shown(shownName)) << shownName;
    EXPECT_FALSE(view.isControlEnabled(QStringLiteral("cmdDeleteButton")));
    EXPECT_EQ(text("cmdCancelButton"), r("0101"));
    EXPECT_EQ(text("lblVoltLade"), QStringLiteral("V"));
}

TEST_F(EditorLayoutTest, SwitchButtonsFollowTheirSettingsExactly)
{
    const struct {
        const char* value;
        bool on;
    } cases[] = {{"YES", true}, {"yes", false}, {"", false}, {"NO", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        start(
            {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key IN ('SendAllVisible','ProgramExtensionAvaiable')")
                 .arg(QLatin1String(c.value))});
        for (const char* b : {"cmdSendToAll", "cmdExtendedModus"}) {
            EXPECT_EQ(shown(b), c.on) << b;
            EXPECT_EQ(view.isControlEnabled(QString::fromLatin1(b)), c.on) << b;
        }
        logic.reset();
        closeCoreForTest();
        view = FakeEditorView();
    }
}

TEST_F(EditorLayoutTest, DeviceModeFlagsShowAndHideTheirBlocks)
{
    // The shipped modes: 1 charge, 2 discharge, 4 cycle, 6 storage, 7 self-discharge test.
    const struct {
        qint16 mode;
        bool charge, discharge, selfDischarge, cycle, period, chargeEnd, dischargeEnd;
    } cases[] = {
        {1, true, false, false, false, false, true, false}, {2, false, true, false, false, false, false, true},
        {4, true, true, false, true, false, true, true},    {6, true, true, false, false, true, true, true},
        {7, true, true, true, false, false, true, true},
    };
    start();
    view.setChecked(QStringLiteral("optVorgSpannung"), true);
    logic->optVorgSpannung_Click();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        logic->applyDeviceMode(c.mode);
        for (const char* n : kCharge)
            EXPECT_EQ(shown(n), c.charge) << n;
        for (const char* n : kDischarge)
            EXPECT_EQ(shown(n), c.discharge) << n;
        EXPECT_EQ(shown("chkSelbstentladung"), c.selfDischarge);
        EXPECT_EQ(shown("cboModeZyklus"), c.cycle);
        EXPECT_EQ(shown("txtZeitraum"), c.period);
        EXPECT_EQ(shown("lblZeitraum"), c.period);
        EXPECT_EQ(shown("txtLadeschlussSpannung"), c.chargeEnd);
        EXPECT_EQ(shown("lblVoltLade"), c.chargeEnd);
        EXPECT_EQ(shown("txtEntladeschlussSpannung"), c.dischargeEnd);
        EXPECT_EQ(logic->bLadeschlussVisible, c.chargeEnd);
        EXPECT_EQ(logic->bEntladeschlussVisible, c.dischargeEnd);
    }
    // A mode no row holds leaves the layout of the last one.
    logic->applyDeviceMode(99);
    EXPECT_TRUE(shown("chkSelbstentladung"));
    EXPECT_TRUE(shown("txtLadestrom"));
}

TEST_F(EditorLayoutTest, EndVoltageFlagsWaitForThePresetVoltageOption)
{
    start();
    view.setChecked(QStringLiteral("optAkkuTyp"), true);
    logic->optAkkuTyp_Click();
    logic->applyDeviceMode(1); // charge: no discharge-end voltage
    EXPECT_FALSE(shown("txtLadeschlussSpannung"));
    EXPECT_FALSE(shown("txtEntladeschlussSpannung"));
    EXPECT_TRUE(shown("cboAkkuType"));
    view.setChecked(QStringLiteral("optVorgSpannung"), true);
    logic->optVorgSpannung_Click();
    EXPECT_TRUE(shown("txtLadeschlussSpannung"));
    EXPECT_TRUE(shown("lblLadeSchlussSpannung"));
    EXPECT_FALSE(shown("txtEntladeschlussSpannung"));
    EXPECT_FALSE(shown("lblEntladeschlussSpannung"));
    EXPECT_FALSE(shown("cboAkkuType"));
}

TEST_F(EditorLayoutTest, RateListsAndSelfDischargeFieldsFollowTheirCheckBoxes)
{
    start();
    logic->applyDeviceMode(3);
    view.setChecked(QStringLiteral("chkSollKapazitaet"), true);
    logic->chkSollKapazitaet_Click();
    EXPECT_TRUE(shown("cboLadeStromC"));
    EXPECT_TRUE(shown("cboEntladeStromC"));
    EXPECT_TRUE(shown("txtKapazitaetAh"));
    // No charge block: its rate list goes with it while the box is checked.
    logic->applyDeviceMode(2);
    EXPECT_FALSE(shown("cboLadeStromC"));
    EXPECT_TRUE(shown("cboEntladeStromC"));
    view.setChecked(QStringLiteral("chkSollKapazitaet"), false);
    logic->chkSollKapazitaet_Click();
    logic->applyDeviceMode(3);
    EXPECT_FALSE(shown("cboLadeStromC"));
    EXPECT_FALSE(shown("txtKapazitaetAh"));
    // Checking the target capacity with the discharge hidden shows the charge rates only.
    logic->applyDeviceMode(1);
    view.setChecked(QStringLiteral("chkSollKapazitaet"), true);
    logic->chkSollKapazitaet_Click();
    EXPECT_TRUE(shown("cboLadeStromC"));
    EXPECT_FALSE(shown("cboEntladeStromC"));

    // Self-discharge: checking selects days; a mode without the test hides
    // the box and its fields but keeps it checked.
    logic->applyDeviceMode(7);
    view.setChecked(QStringLiteral("optSelbstentladungStunden"), true);
    view.setChecked(QStringLiteral("chkSelbstentladung"), true);
    logic->chkSelbstentladung_Click();
    EXPECT_TRUE(view.isChecked(QStringLiteral("optSelbstentladungTage")));
    EXPECT_TRUE(shown("txtSelbstentladungsZeitraum"));
    logic->applyDeviceMode(1);
    EXPECT_FALSE(shown("chkSelbstentladung"));
    EXPECT_FALSE(shown("txtSelbstentladungsZeitraum"));
    EXPECT_TRUE(view.isChecked(QStringLiteral("chkSelbstentladung")));
}

TEST_F(EditorLayoutTest, BatteryTypeListsAndTheirConsistencyInTheUserLocale)
{
    for (const bool inGerman : {false, true}) {
        SCOPED_TRACE(inGerman ? "German" : "C");
        if (inGerman)
            german();
        start(
            {QStringLiteral("INSERT OR REPLACE INTO Akkutypen (Nr, Nennspannung, SprachId, Usable, ZminKZT4, ZmaxKZT4) "
                            "VALUES (11, 1.2, '3001', 1, 1, 3), (12, 2.0, '3002', 1, 2, 2), "
                            "(13, 1.2, '3003', 1, 4, 2), (14, 0, '3004', 1, 1, 4)")});
        logic->fillBatteryTypeLists(QStringLiteral("11"));
        EXPECT_EQ(view.listItems(QStringLiteral("cboNennSpannung")),
                  (QStringList{dec("1.2 V"), dec("2.4 V"), dec("3.6 V")}));
        EXPECT_EQ(view.listItems(QStringLiteral("cboZellenzahl")), (QStringList{"1", "2", "3"}));
        logic->fillBatteryTypeLists(QStringLiteral("12"));
        EXPECT_EQ(view.listItems(QStringLiteral("cboZellenzahl")), (QStringList{"2"}));
        for (const char* empty : {"13", "99"}) {
            logic->fillBatteryTypeLists(QString::fromLatin1(empty));
            EXPECT_TRUE(view.listItems(QStringLiteral("cboNennSpannung")).isEmpty()) << empty;
            EXPECT_TRUE(view.listItems(QStringLiteral("cboZellenzahl")).isEmpty()) << empty;
        }

        // NiMH, 1.2 V per cell: choosing a voltage sets the cells and back.
        view.setBoundText(QStringLiteral("cboAkkuType"), QStringLiteral("2"));
        logic->cboAkkuType_Click();
        view.choose(QStringLiteral("cboNennSpannung"), dec("7.2 V"));
        logic->cboNennSpannung_Click();
        EXPECT_EQ(text("cboZellenzahl"), QStringLiteral("6"));
        view.choose(QStringLiteral("cboZellenzahl"), QStringLiteral("10"));
        logic->cboZellenzahl_Click();
        EXPECT_EQ(text("cboNennSpannung"), dec("12 V"));

        // A type whose cell voltage is 0 gives no cell count from a voltage.
        view.setBoundText(QStringLiteral("cboAkkuType"), QStringLiteral("14"));
        logic->cboAkkuType_Click();
        view.choose(QStringLiteral("cboZellenzahl"), QStringLiteral("3"));
        view.choose(QStringLiteral("cboNennSpannung"), dec("0 V"));
        logic->cboNennSpannung_Click();
        EXPECT_EQ(text("cboZellenzahl"), QStringLiteral("3"));

        logic.reset();
        closeCoreForTest();
        view = FakeEditorView();
        QLocale::setDefault(savedLocale);
    }
}

TEST_F(EditorLayoutTest, ProgramFillsTheFieldsInTheUserLocale)
{
    german();
    start();
    show(QStringLiteral("003,P,A02,M07,Z08,P090,F0,W00,K01500,L01200,E00300,V09600,D08000,YH012"),
         QStringLiteral("003"));
    EXPECT_EQ(text("dlgVelmoroProgram"), r("0900") + QStringLiteral(" 3"));
    EXPECT_TRUE(view.isChecked(QStringLiteral("optAkkuTyp")));
    EXPECT_EQ(view.boundText(QStringLiteral("cboAkkuType")), QStringLiteral("2"));
    EXPECT_EQ(text("cboZellenzahl"), QStringLiteral("8"));
    EXPECT_EQ(text("cboNennSpannung"), QStringLiteral("9,6 V"));
    EXPECT_EQ(view.boundText(QStringLiteral("cboGeraeteModi")), QStringLiteral("7"));
    EXPECT_EQ(text("txtLadestrom"), QStringLiteral("1,200"));
    EXPECT_EQ(text("txtEntladestrom"), QStringLiteral("0,300"));
    EXPECT_TRUE(view.isChecked(QStringLiteral("chkSollKapazitaet")));
    EXPECT_EQ(text("txtKapazitaetAh"), QStringLiteral("1,500"));
    EXPECT_EQ(text("txtKapazitaetProzent"), QStringLiteral("90"));
    EXPECT_TRUE(shown("txtKapazitaetAh"));
    EXPECT_TRUE(view.isChecked(QStringLiteral("chkSelbstentladung")));
    EXPECT_TRUE(view.isChecked(QStringLiteral("optSelbstentladungStunden")));
    EXPECT_EQ(text("txtSelbstentladungsZeitraum"), QStringLiteral("12"));
    EXPECT_TRUE(shown("txtSelbstentladungsZeitraum"));
    // A period of 0 leaves the box as it was.
    EXPECT_EQ(text("txtZeitraum"), QString());
}

TEST_F(EditorLayoutTest, PresetVoltagesAndFailedReadsAndUnknownTypes)
{
    start();
    show(QStringLiteral("001,P,A05,M03,Z00,F0,W30,L01000,E01000,V01800,D01000"));
    EXPECT_TRUE(view.isChecked(QStringLiteral("optVorgSpannung")));
    EXPECT_EQ(text("txtLadeschlussSpannung"), QStringLiteral("1.800"));
    EXPECT_EQ(text("txtEntladeschlussSpannung"), QStringLiteral("1.000"));
    EXPECT_TRUE(shown("txtLadeschlussSpannung"));
    EXPECT_FALSE(shown("cboAkkuType"));
    EXPECT_FALSE(view.isChecked(QStringLiteral("chkSollKapazitaet")));
    EXPECT_FALSE(shown("txtKapazitaetAh"));

    // No reply: zeros and no mode applied.
    view = FakeEditorView();
    logic = std::make_unique<ProgramEditorLogic>(view, sources);
    logic->Form_Load();
    show(QString(), QStringLiteral("002"));
    EXPECT_EQ(text("dlgVelmoroProgram"), r("0900") + QStringLiteral(" 2"));
    for (const char* box :
         {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtKapazitaetAh", "txtLadestrom", "txtEntladestrom"})
        EXPECT_EQ(text(box), QStringLiteral("0.000")) << box;
    EXPECT_TRUE(view.boundText(QStringLiteral("cboGeraeteModi")).isEmpty());
    EXPECT_FALSE(view.isChecked(QStringLiteral("optAkkuTyp")));

    // An unknown battery type and cycle code: empty lists, the cycle choice kept.
    show(QStringLiteral("001,P,A09,M01,Z06,F7,W30,L01000,E01000,V07200,D01000"));
    EXPECT_TRUE(view.listItems(QStringLiteral("cboZellenzahl")).isEmpty());
    EXPECT_EQ(view.boundText(QStringLiteral("cboModeZyklus")), QStringLiteral("0"));
}

TEST_F(EditorLayoutTest, OnlyTheUsersOwnChangesClearTheNamedProgram)
{
    folder.execOn(folder.veluserPath(), {QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Mine', "
                                                        "'001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400')")});
    start();
    const QString id = view.bound[QStringLiteral("cboAkkuProgram")].value(0).value;
    ASSERT_FALSE(id.isEmpty());
    auto choose = [&] {
        view.setBoundText(QStringLiteral("cboAkkuProgram"), id);
        view.setControlEnabled(QStringLiteral("cmdDeleteButton"), true);
    };
    choose();
    show(QStringLiteral("001,P,A02,M07,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400,YD003"));
    EXPECT_EQ(view.boundText(QStringLiteral("cboAkkuProgram")), id);
    EXPECT_TRUE(view.isControlEnabled(QStringLiteral("cmdDeleteButton")));

    const struct {
        const char* what;
        void (ProgramEditorLogic::*handler)();
    } userActions[] = {
        {"battery type", &ProgramEditorLogic::cboAkkuType_Click},
        {"mode", &ProgramEditorLogic::cboGeraeteModi_Click},
        {"cycles", &ProgramEditorLogic::cboModeZyklus_Click},
        {"voltage list opened", &ProgramEditorLogic::cboNennSpannung_DropDown},
        {"cell list opened", &ProgramEditorLogic::cboZellenzahl_DropDown},
        {"charge rate", &ProgramEditorLogic::cboLadeStromC_Click},
        {"hours", &ProgramEditorLogic::optSelbstentladungStunden_Click},
        {"days", &ProgramEditorLogic::optSelbstentladungTage_Click},
    };
    for (const auto& a : userActions) {
        SCOPED_TRACE(a.what);
        choose();
        (logic.get()->*a.handler)();
        EXPECT_TRUE(view.boundText(QStringLiteral("cboAkkuProgram")).isEmpty());
        EXPECT_FALSE(view.isControlEnabled(QStringLiteral("cmdDeleteButton")));
    }
}

TEST_F(EditorLayoutTest, ExtendedOptionsGoIntoTheOpenersOwnProgram)
{
    start();
    auto opener = program(QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    logic->setProgram(opener);
    logic->initDialog();
    CommunicationProgram chosen;
    chosen.bProgrammierungGesperrt = true;
    chosen.bOhneLast = true;
    chosen.iBleiakkuMode = 1;
    chosen.iLiionMode = 1;
    chosen.iLadeende = 42;
    chosen.iLademode = 1;
    chosen.iQ = 1;
    chosen.iU = 1;
    chosen.iMode = 5;
    logic->setExtendedProgram(chosen);
    EXPECT_EQ(logic->program().get(), opener.get());
    EXPECT_TRUE(opener->bProgrammierungGesperrt);
    EXPECT_TRUE(opener->bOhneLast);
    EXPECT_EQ(opener->iLadeende, 42);
    EXPECT_EQ(opener->iU, 1);
    EXPECT_EQ(opener->iMode, 1); // nothing else changes
}

TEST_F(EditorLayoutTest, ShownProgramBuildsBackIntoItsOwnText)
{
    // A program given by battery type shows no end voltages: its
    // discharge-end voltage still goes out as the program gave it.
    const struct {
        const char* shown;
        const char* built;
    } programs[] = {
        {"001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400",
         "001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"},
        {"002,P,A03,M07,Z02,P080,F0,W30,K02500,L01250,E00800,V07200,D06000,YH012",
         "002,P,A03,M07,Z02,P080,F0,W30,K02500,L01250,E00800,V07200,D06000,YH012"},
        {"004,P,A05,M04,Z06,F3,W30,L02000,E01000,V08400,D05400",
         "004,P,A05,M04,Z06,F3,W30,L02000,E01000,V08400,D05400"},
        {"003,P,A01,M06,Z10,F0,W14,L00500,E00500,V12000,D10000",
         "003,P,A01,M06,Z10,F0,W14,L00500,E00500,V12000,D10000"},
    };
    for (const bool inGerman : {false, true}) {
        if (inGerman)
            german();
        start();
        for (const auto& p : programs) {
            SCOPED_TRACE(p.shown);
            view = FakeEditorView();
            logic = std::make_unique<ProgramEditorLogic>(view, sources);
            logic->Form_Load();
            const QString t = QString::fromLatin1(p.shown);
            show(t, t.left(3));
            const ProgramStringResult built = logic->buildProgramString();
            EXPECT_TRUE(built.ok()) << built.control.toStdString();
            EXPECT_EQ(built.text, QLatin1String(p.built));
        }
        logic.reset();
        closeCoreForTest();
        view = FakeEditorView();
    }
}
