// Capacity and C-rate currents, and the range checks of the number boxes
// against the charger model's limits, in the C locale and a German one.
#include "EditorFixture.h"

#include "platform/Recordset.h"

namespace {
class EditorChecksTest : public EditorLogicFixture {
protected:
    void chooseRate(const char* list, int index)
    {
        view.setListIndex(QString::fromLatin1(list), index);
        if (QLatin1String(list) == QLatin1String("cboLadeStromC"))
            logic->cboLadeStromC_Click();
        else
            logic->cboEntladeStromC_Click();
    }
    // Leaves a box with this text; true when the focus may go.
    bool leave(const char* box, const QString& typed)
    {
        view.type(QString::fromLatin1(box), typed);
        return logic->txtBox_Validate(QString::fromLatin1(box));
    }
};
} // namespace

TEST_F(EditorChecksTest, RateTimesCapacityGivesTheCurrentWithThreeDecimals)
{
    for (const bool inGerman : {false, true}) {
        SCOPED_TRACE(inGerman ? "German" : "C");
        if (inGerman)
            german();
        start();
        const struct {
            const char* capacity;
            const char* list;
            int rate; // 0.10 0.25 0.33 0.50 0.75 1 2 3
            const char* box;
            const char* current;
        } cases[] = {
            {"2.500", "cboLadeStromC", 5, "txtLadestrom", "2.500"},
            {"2.500", "cboLadeStromC", 3, "txtLadestrom", "1.250"},
            {"3.000", "cboEntladeStromC", 2, "txtEntladestrom", "0.990"},
            {"0.500", "cboEntladeStromC", 7, "txtEntladestrom", "1.500"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.current);
            view.type(QStringLiteral("txtKapazitaetAh"), dec(c.capacity));
            chooseRate(c.list, c.rate);
            EXPECT_EQ(text(c.box), dec(c.current));
            EXPECT_EQ(view.listIndex(QString::fromLatin1(c.list)), c.rate); // the rate stays chosen
            EXPECT_EQ(view.focus, QLatin1String(c.box));
            EXPECT_FALSE(logic->bLadestromFromCRate);
            EXPECT_FALSE(logic->bEntladestromFromCRate);
            // Leaving the box with its three decimals keeps the rate.
            EXPECT_TRUE(logic->txtBox_Validate(QString::fromLatin1(c.box)));
            EXPECT_EQ(view.listIndex(QString::fromLatin1(c.list)), c.rate);
        }
        // Typing into the current forgets the rate.
        view.type(QStringLiteral("txtLadestrom"), dec("1.2"));
        logic->txtBox_Change(QStringLiteral("txtLadestrom"));
        EXPECT_EQ(view.listIndex(QStringLiteral("cboLadeStromC")), -1);

        // No capacity, or none that reads as a number: the current stays.
        for (const char* capacity : {"0.000", "", "x"}) {
            view.type(QStringLiteral("txtKapazitaetAh"), QString::fromLatin1(capacity));
            view.type(QStringLiteral("txtLadestrom"), dec("1.200"));
            chooseRate("cboLadeStromC", 6);
            EXPECT_EQ(text("txtLadestrom"), dec("1.200")) << capacity;
            EXPECT_EQ(view.listIndex(QStringLiteral("cboLadeStromC")), 6);
        }
        // The same current again still leaves the box in three decimals and the flag down.
        view.type(QStringLiteral("txtKapazitaetAh"), dec("1.000"));
        view.type(QStringLiteral("txtLadestrom"), QStringLiteral("2"));
        chooseRate("cboLadeStromC", 6);
        EXPECT_EQ(text("txtLadestrom"), dec("2.000"));
        EXPECT_FALSE(logic->bLadestromFromCRate);

        // A program filled in with another current forgets the rate too.
        show(QStringLiteral("001,P,A02,M03,Z06,F0,W30,L00700,E00500,V07200,D05400"));
        EXPECT_EQ(view.listIndex(QStringLiteral("cboLadeStromC")), -1);

        logic.reset();
        closeCoreForTest();
        view = FakeEditorView();
        QLocale::setDefault(savedLocale);
    }
}

TEST_F(EditorChecksTest, BoxesAreCheckedAgainstTheModelsLimits)
{
    // KZT4: end voltages 0.5..32 V, charge 0.05..4 A, discharge 0.05..2 A,
    // capacity 0.05..60 Ah, percentage 10..150, period 1..99, self-discharge
    // 1..720 hours or 1..180 days.
    for (const bool inGerman : {false, true}) {
        SCOPED_TRACE(inGerman ? "German" : "C");
        if (inGerman)
            german();
        start();
        const struct {
            const char* box;
            const char* typed;
            bool accepted;
            const char* after; // the box's text afterwards
        } cases[] = {
            {"txtLadestrom", "4", true, "4.000"},
            {"txtLadestrom", "0.05", true, "0.050"},
            {"txtLadestrom", "4.001", false, "4.001"},
            {"txtLadestrom", "0.049", false, "0.049"},
            {"txtLadestrom", "50", false, "50.000"},
            {"txtLadestrom", "0", true, "0.000"},
            {"txtLadestrom", "", true, ""},
            {"txtLadestrom", "-1", false, "-1.000"},
            {"txtEntladestrom", "2.5", false, "2.500"},
            {"txtLadeschlussSpannung", "32", true, "32.000"},
            {"txtEntladeschlussSpannung", "0.4", false, "0.400"},
            {"txtKapazitaetAh", "60.001", false, "60.001"},
            {"txtKapazitaetProzent", "150", true, "150"},
            {"txtKapazitaetProzent", "151", false, "151"},
            {"txtKapazitaetProzent", "0", true, "0"},
            {"txtZeitraum", "100", false, "100"},
            {"txtZeitraum", "", true, ""},
            {"txtSelbstentladungsZeitraum", "180", true, "180"},
            {"txtSelbstentladungsZeitraum", "181", false, "181"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.box) + " " + c.typed);
            messages.shown.clear();
            EXPECT_EQ(leave(c.box, dec(c.typed)), c.accepted);
            EXPECT_EQ(text(c.box), dec(c.after));
            EXPECT_EQ(messages.shown.size(), c.accepted ? 0 : 1);
        }

        // The message: part 1, the minimum, part 2, the maximum, part 3.
        messages.shown.clear();
        leave("txtLadestrom", dec("4.5"));
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text,
                  r("0959") + QLatin1Char(' ') + dec("0.05") + r("0964") + QStringLiteral(" 4") + r("0965"));
        EXPECT_TRUE(messages.shown[0].title.isEmpty());

        // Hours and days have their own limits.
        view.setChecked(QStringLiteral("optSelbstentladungStunden"), true);
        EXPECT_TRUE(leave("txtSelbstentladungsZeitraum", QStringLiteral("500")));
        view.setChecked(QStringLiteral("optSelbstentladungTage"), true);
        EXPECT_FALSE(leave("txtSelbstentladungsZeitraum", QStringLiteral("500")));

        logic.reset();
        closeCoreForTest();
        view = FakeEditorView();
        QLocale::setDefault(savedLocale);
    }
}

TEST_F(EditorChecksTest, MissingLimitsCheckNothingAndDescribedLimitsCount)
{
    start({QStringLiteral("DELETE FROM MinMaxWerte WHERE Bez='K'"),
           QStringLiteral("UPDATE MinMaxWerte SET MaxKztx=NULL WHERE Bez='E'"),
           QStringLiteral("UPDATE Optionen SET value='KZTx' WHERE key='UsedCharger'")});
    EXPECT_TRUE(leave("txtKapazitaetAh", QStringLiteral("500")));
    EXPECT_EQ(text("txtKapazitaetAh"), QStringLiteral("500.000"));
    EXPECT_TRUE(leave("txtEntladestrom", QStringLiteral("500")));
    // KZTx until it describes itself: as KZT4.
    EXPECT_FALSE(leave("txtLadestrom", QStringLiteral("6")));
    // A charger that describes itself with 8 A: its limits count from then on.
    dbVelmoro.exec(QStringLiteral("UPDATE MinMaxWerte SET MaxKztx=8 WHERE Bez='L'"));
    rsMinMaxWerte->requery();
    EXPECT_TRUE(leave("txtLadestrom", QStringLiteral("6")));
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(EditorChecksTest, RefusedBuildsNameTheirFieldInTheUsersLanguage)
{
    start();
    show(QStringLiteral("001,P,A02,M03,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400"));
    ASSERT_TRUE(logic->buildProgramString().ok());

    view.type(QStringLiteral("txtLadestrom"), QStringLiteral("120"));
    ProgramStringResult r1 = logic->buildProgramString();
    EXPECT_EQ(r1.control, QStringLiteral("txtLadestrom"));
    EXPECT_EQ(logic->refusalMessage(r1),
              r("0959") + QStringLiteral(" 0.05") + r("0964") + QStringLiteral(" 4") + r("0965"));
    view.type(QStringLiteral("txtLadestrom"), QStringLiteral("1.000"));

    view.type(QStringLiteral("txtKapazitaetProzent"), QString());
    EXPECT_EQ(logic->buildProgramString().control, QStringLiteral("txtKapazitaetProzent"));
    view.type(QStringLiteral("txtKapazitaetProzent"), QStringLiteral("80"));

    view.setBoundText(QStringLiteral("cboGeraeteModi"), QString());
    EXPECT_EQ(logic->refusalMessage(logic->buildProgramString()), r("0977"));
    EXPECT_NE(r("0977"), QStringLiteral("0977"));
}
