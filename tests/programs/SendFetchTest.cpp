// Fetching and sending programs against the fake charger: tries, echoes,
// every channel of the model, and programs the charger reports meanwhile.
#include "ExchangeFixture.h"

namespace {
using Msg = MessageService;

QStringList times(const QString& s, int n)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << s;
    return l;
}

class SendFetchTest : public ExchangeFixture {};
} // namespace

TEST_F(SendFetchTest, FetchTakesTheRunningProgramAndClearsTheNamedChoice)
{
    open();
    fake.setProgram(1, QStringLiteral("001,P,A02,M01,Z06,F0,W30,L02500,E00700,V07200,D05400"));
    const auto before = logic->program();
    exchange->cmdProgrammHolen_Click();
    EXPECT_EQ(fake.frameLog(), QStringList{QStringLiteral("001,W")});
    EXPECT_TRUE(hooked.shown.isEmpty());
    EXPECT_NE(logic->program(), before);
    EXPECT_EQ(logic->program()->lLadestrom, 2500);
    EXPECT_EQ(text("txtLadestrom"), dec("2.500"));
    EXPECT_EQ(view.boundText(QStringLiteral("cboAkkuProgram")), QString());
}

TEST_F(SendFetchTest, FetchGivesUpAfterThreeSilentTriesAndAtOnceOnRefusal)
{
    const struct {
        FakeFault fault;
        int frames;
        const char* message;
        Msg::Icon icon;
        const char* title;
    } cases[] = {
        {FakeFault::NoReply, 3, "0974", Msg::NoIcon, nullptr},
        {FakeFault::Malformed, 3, "0974", Msg::NoIcon, nullptr},
        {FakeFault::Refuse, 1, "0993", Msg::Information, "0410"},
    };
    open();
    for (const auto& c : cases) {
        fake.clearFrameLog();
        hooked.shown.clear();
        fake.injectFault(c.fault, 3, QStringLiteral("001"), QStringLiteral("W"));
        const auto before = logic->program();
        exchange->cmdProgrammHolen_Click();
        fake.clearFaults();
        EXPECT_EQ(fake.frameLog(), times(QStringLiteral("001,W"), c.frames)) << c.message;
        ASSERT_EQ(hooked.shown.size(), 1) << c.message;
        EXPECT_EQ(hooked.shown[0].text, r(c.message));
        EXPECT_EQ(hooked.shown[0].icon, c.icon);
        EXPECT_EQ(hooked.shown[0].title, c.title ? r(c.title) : QString());
        EXPECT_EQ(logic->program(), before) << c.message;
        EXPECT_EQ(text("txtLadestrom"), dec("1.000"));
    }
}

TEST_F(SendFetchTest, SendWritesTheConfirmedProgramAndClosesTheEditor)
{
    open();
    view.setControlText(QStringLiteral("txtLadestrom"), dec("1.5"));
    exchange->cmdSendButton_Click();
    const QString expected = QString(sent).replace(QStringLiteral(",L01000,"), QStringLiteral(",L01500,"));
    EXPECT_EQ(fake.frameLog(), QStringList{expected});
    EXPECT_EQ(fake.program(1), expected);
    EXPECT_EQ(hooked.texts(), QStringList{r("0980")});
    EXPECT_EQ(hooked.shown[0].buttons, Msg::OkCancel);
    EXPECT_EQ(channels.resets, QStringList{QStringLiteral("parent@1")});
    EXPECT_EQ(host.closed, 1);
}

TEST_F(SendFetchTest, SendUnderGermanLocaleWritesMilliUnits)
{
    german();
    open();
    view.setControlText(QStringLiteral("txtEntladestrom"), QStringLiteral("0,25"));
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.program(1), QString(sent).replace(QStringLiteral(",E00500,"), QStringLiteral(",E00250,")));
}

TEST_F(SendFetchTest, SendWithTheExtensionStripsTheLongEcho)
{
    open({QStringLiteral("UPDATE Optionen SET value='YES' WHERE key='ProgramExtensionAvaiable'"),
          QStringLiteral("UPDATE Optionen SET value='1' WHERE key='ProgramExtensionType'")});
    exchange->cmdSendButton_Click();
    ASSERT_EQ(fake.frameLog().size(), 1);
    EXPECT_TRUE(fake.frameLog()[0].contains(QStringLiteral(",S1,C0,B0,H0,N")));
    EXPECT_EQ(host.closed, 1);
    EXPECT_EQ(hooked.texts(), QStringList{r("0980")});
}

TEST_F(SendFetchTest, BadEchoThreeTimesKeepsTheEditorOpen)
{
    open();
    fake.injectFault(FakeFault::BadEcho, 3);
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.frameLog(), times(sent, 3));
    EXPECT_EQ(hooked.texts(), (QStringList{r("0980"), r("0976")}));
    EXPECT_TRUE(channels.resets.isEmpty());
    EXPECT_EQ(host.closed, 0);
    EXPECT_EQ(logic->geraeteNr(), QStringLiteral("001"));
}

TEST_F(SendFetchTest, CancelOrAnIncompleteProgramSendsNothing)
{
    open();
    hooked.answer(Msg::Cancel);
    exchange->cmdSendButton_Click();
    view.setControlText(QStringLiteral("txtLadestrom"), QString());
    exchange->cmdSendToAll_Click();
    EXPECT_TRUE(fake.frameLog().isEmpty());
    EXPECT_EQ(hooked.texts(), (QStringList{r("0980"), r("0997")}));
    EXPECT_EQ(view.focus, QStringLiteral("txtLadestrom"));
}

TEST_F(SendFetchTest, StripRemovesOnlyAnEchoGroup)
{
    const struct {
        const char* reply;
        const char* shortForm;
        const char* longForm;
    } cases[] = {
        {"001,P,A02,G1,", "001,P,A02", "001,P,A02,G1,"},
        {"001,P,A02,G1,R4,", "001,P,A02,G1,R4,", "001,P,A02"},
        {"001,P,A02,X1,", "001,P,A02,X1,", "001,P,A02,X1,"},
        {"", "", ""},
        {"G1,", "G1,", "G1,"},
        {"-1", "-1", "-1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramExchange::stripReplyShort(QString::fromLatin1(c.reply)), QString::fromLatin1(c.shortForm))
            << c.reply;
        EXPECT_EQ(ProgramExchange::stripReplyLong(QString::fromLatin1(c.reply)), QString::fromLatin1(c.longForm))
            << c.reply;
    }
}

TEST_F(SendFetchTest, SendToAllAddressesTheModelsChannels)
{
    open();
    for (int count : {1, 2, 4}) {
        SCOPED_TRACE(count);
        fake.clearFrameLog();
        channels.resets.clear();
        hooked.shown.clear();
        host.closed = 0;
        channels.count = count;
        exchange->cmdSendToAll_Click();
        QStringList frames, resets;
        for (int n = 1; n <= count; ++n) {
            frames << QStringLiteral("00%1").arg(n) + sent.mid(3);
            resets << QStringLiteral("%1@1").arg(n);
            EXPECT_EQ(fake.program(n), frames.last());
        }
        EXPECT_EQ(fake.frameLog(), frames);
        EXPECT_EQ(channels.resets, resets);
        EXPECT_EQ(host.closed, 1);
        EXPECT_EQ(logic->geraeteNr(), QStringLiteral("001"));
    }
}

TEST_F(SendFetchTest, SendToAllFailingPartWayResetsTheChannelsThatTookIt)
{
    open({}, QStringLiteral("003,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    logic->setGeraeteNr(QStringLiteral("003"));
    fake.injectFault(FakeFault::NoReply, 3, QStringLiteral("003"));
    exchange->cmdSendToAll_Click();
    const QStringList frames = QStringList{QStringLiteral("001") + sent.mid(3), QStringLiteral("002") + sent.mid(3)}
                               + times(QStringLiteral("003") + sent.mid(3), 3);
    EXPECT_EQ(fake.frameLog(), frames);
    // Reset before the message, which is the second one shown.
    EXPECT_EQ(channels.resets, (QStringList{QStringLiteral("1@1"), QStringLiteral("2@1")}));
    EXPECT_EQ(hooked.texts(), (QStringList{r("0980"), r("0976")}));
    EXPECT_EQ(host.closed, 0);
    EXPECT_EQ(logic->geraeteNr(), QStringLiteral("003"));
}

TEST_F(SendFetchTest, AProgramReportedDuringTheQuestionIsNotWhatIsSent)
{
    open();
    meanwhile.on(r("0980"), [this] {
        exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L09000,E00500,V07200,D05400"));
    });
    fake.injectFault(FakeFault::BadEcho, 3);
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.frameLog(), times(sent, 3));
    EXPECT_EQ(text("txtLadestrom"), dec("1.000"));
    // Offered once, after the send.
    EXPECT_EQ(host.posted, 1);
    hooked.answer(Msg::Yes);
    exchange->offerReportedProgram();
    EXPECT_EQ(hooked.texts().last(), r("0996"));
    EXPECT_EQ(text("txtLadestrom"), dec("9.000"));
    exchange->offerReportedProgram();
    EXPECT_EQ(hooked.shown.size(), 3);
}

TEST_F(SendFetchTest, AProgramReportedDuringASuccessfulSendIsDropped)
{
    open();
    meanwhile.on(r("0980"), [this] {
        exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L09000,E00500,V07200,D05400"));
    });
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.program(1), sent);
    EXPECT_EQ(host.closed, 1);
    EXPECT_EQ(host.posted, 0);
    EXPECT_EQ(exchange->reportedProgram(), nullptr);
}

TEST_F(SendFetchTest, ReportsWaitForOneQuestionAndTheLatestIsTaken)
{
    open();
    exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L02000,E00500,V07200,D05400"));
    exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L03000,E00500,V07200,D05400"));
    EXPECT_EQ(host.posted, 1);
    EXPECT_TRUE(hooked.shown.isEmpty());
    meanwhile.on(r("0996"), [this] {
        exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L04000,E00500,V07200,D05400"));
    });
    hooked.answer(Msg::Yes);
    exchange->offerReportedProgram();
    EXPECT_EQ(host.posted, 1);
    EXPECT_EQ(hooked.texts(), QStringList{r("0996")});
    EXPECT_EQ(hooked.shown[0].buttons, Msg::YesNo);
    EXPECT_EQ(text("txtLadestrom"), dec("4.000"));

    // No keeps the fields.
    exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L05000,E00500,V07200,D05400"));
    hooked.answer(Msg::No);
    exchange->offerReportedProgram();
    EXPECT_EQ(text("txtLadestrom"), dec("4.000"));
    EXPECT_EQ(exchange->reportedProgram(), nullptr);
}

TEST_F(SendFetchTest, ChecksBeforeSendingNameTheFirstMissingValue)
{
    open();
    const struct {
        std::function<void(FakeEditorView&)> change;
        const char* message;
        const char* focus;
    } cases[] = {
        {[](FakeEditorView& v) { v.checked.remove(QStringLiteral("optAkkuTyp")); }, "0987", "optAkkuTyp"},
        {[](FakeEditorView& v) { v.clearList(QStringLiteral("cboZellenzahl")); }, "0984", "cboNennSpannung"},
        {[](FakeEditorView& v) { v.setControlText(QStringLiteral("txtLadestrom"), QStringLiteral("0")); }, "0997",
         "txtLadestrom"},
        {[](FakeEditorView& v) { v.setBoundText(QStringLiteral("cboAkkuType"), QString()); }, "0982", "cboAkkuType"},
        {[](FakeEditorView& v) { v.setControlText(QStringLiteral("txtLadestrom"), QStringLiteral("x")); }, "0997",
         "txtLadestrom"},
    };
    for (const auto& c : cases) {
        show(kProgram);
        hooked.shown.clear();
        c.change(view);
        EXPECT_FALSE(exchange->checkProgramInput()) << c.message;
        EXPECT_EQ(hooked.texts(), QStringList{r(c.message)});
        EXPECT_EQ(view.focus, QString::fromLatin1(c.focus));
    }
    show(kProgram);
    EXPECT_TRUE(exchange->checkProgramInput());
}

TEST_F(SendFetchTest, ASelfDischargePeriodIsCheckedAgainWhenItsUnitChanges)
{
    // 200 is within 1..720 hours but not within 1..180 days.
    const QString hours = QStringLiteral("001,P,A02,M07,Z06,F0,W30,L01000,E00500,V07200,D05400,YH200");
    open({}, hours);
    const QString refused = r("0963") + QStringLiteral(" 1") + r("0970") + QStringLiteral(" 180") + r("0971");
    auto choose = [this](const char* unit) {
        view.setChecked(QString::fromLatin1(unit), true);
        if (QLatin1String(unit) == QLatin1String("optSelbstentladungTage"))
            logic->optSelbstentladungTage_Click();
        else
            logic->optSelbstentladungStunden_Click();
    };
    view.focus = QStringLiteral("optSelbstentladungTage");
    choose("optSelbstentladungTage");
    EXPECT_EQ(hooked.texts(), QStringList{refused});
    // The user may as well go back to hours, so the box does not take the focus.
    EXPECT_EQ(view.focus, QStringLiteral("optSelbstentladungTage"));

    // Neither sent nor saved while it stays refused.
    exchange->cmdSendButton_Click();
    exchange->cmdSaveAsButton_Click();
    EXPECT_EQ(hooked.texts(), (QStringList{refused, refused, refused}));
    EXPECT_EQ(view.focus, QStringLiteral("txtSelbstentladungsZeitraum"));
    EXPECT_EQ(host.saveAsShown, 0);
    EXPECT_TRUE(fake.frameLog().isEmpty());

    // Back in hours it is fine again, and goes out as it came.
    hooked.shown.clear();
    choose("optSelbstentladungStunden");
    EXPECT_TRUE(hooked.shown.isEmpty());
    exchange->cmdSendButton_Click();
    EXPECT_EQ(fake.frameLog(), QStringList{hours});
}
