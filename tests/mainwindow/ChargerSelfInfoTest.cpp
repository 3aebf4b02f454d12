// The self-describing charger against the fake charger: a complete
// description with the settings and table rows it writes, a silent charger,
// a wrong reply on the third try, a bad field, and a failure while storing.
#include "DialogFixture.h"
#include "FakeCharger.h"
#include "FakeDeviceInfo.h"
#include "MainWindowParts.h"

#include "channels/frmKanal.h"
#include "core/ChargerSelfInfo.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"

#include <QAction>
#include <QMdiSubWindow>

namespace {
class ChargerSelfInfoTest : public DialogFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start());
        savedTimeout = VelmoroComCommunication::defaultReplyTimeout();
        // Only silent requests wait this out; answered ones return at once.
        VelmoroComCommunication::setDefaultReplyTimeout(1500);
        DialogFixture::SetUp();
        setSetting("ComPort", fake.portPath());
        setSetting("UsedCharger", QStringLiteral("KZTx"));
        setSetting("KZTxChannelCount", QStringLiteral("4"));
        setSetting("ChargerTextTop", QString());
        setSetting("FirstStartup", QStringLiteral("NO"));
        for (int n = 1; n <= 4; ++n)
            objSettings().setSetting(QStringLiteral("Akku%1Visible").arg(n), QStringLiteral("YES"));
        // Rows the description has nothing to say about.
        dbVelmoro.exec(
            QStringLiteral("INSERT INTO Akkutypen (Nr, SprachId, ZminKZTx, ZmaxKZTx) VALUES (5, '3001', 7, 9)"));
        dbVelmoro.exec(QStringLiteral("INSERT INTO MinMaxWerte (Bez, MinKztx, MaxKztx) VALUES ('l', 7, 9)"));

        openComCommunication();
        form = mainWindowWithChannels(services);
        fake.clearFrameLog();

        QStringList fields = FakeDeviceInfo::defaultFields(2, false);
        fields[16] = QStringLiteral("00500"); // charge current 500 .. 5000 mA
        fields[17] = QStringLiteral("05000");
        fields[20] = QStringLiteral("000"); // extended end of charge 0 .. 150
        fields[21] = QStringLiteral("150");
        fields[23] = QStringLiteral("100"); // percentage up to 100
        fields[30] = QStringLiteral("Bench_charger_7");
        fake.setDeviceInfoFields(fields);
    }
    void TearDown() override
    {
        form.reset();
        objComCommunication.reset();
        VelmoroComCommunication::setDefaultReplyTimeout(savedTimeout);
        DialogFixture::TearDown();
    }
    void stopChannelTimers()
    {
        for (int n = 1; n <= 4; ++n)
            if (frmKanal* k = form->kanal(n))
                k->stopTimers();
    }
    int deviceInfoRequests() const { return int(fake.frameLog().count(QStringLiteral("001,G"))); }
    static QString enabledItems(frmMDIMainForm& f)
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += f.channelMenuItem(n)->isEnabled() ? QString::number(n) : QStringLiteral("-");
        return s;
    }
    static QString visibility()
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += objSettings().getSetting(QStringLiteral("Akku%1Visible").arg(n)) == QLatin1String("YES")
                     ? QString::number(n)
                     : QStringLiteral("-");
        return s;
    }
    static QPair<double, double> limits(const char* bez)
    {
        const QVariant min =
            dbVelmoro.scalar(QStringLiteral("SELECT MinKztx FROM MinMaxWerte WHERE Bez = ?"), {QLatin1String(bez)});
        const QVariant max =
            dbVelmoro.scalar(QStringLiteral("SELECT MaxKztx FROM MinMaxWerte WHERE Bez = ?"), {QLatin1String(bez)});
        return {min.toDouble(), max.toDouble()};
    }
    static QPair<int, int> cells(int nr)
    {
        return {dbVelmoro.scalar(QStringLiteral("SELECT ZminKZTx FROM Akkutypen WHERE Nr = ?"), {nr}).toInt(),
                dbVelmoro.scalar(QStringLiteral("SELECT ZmaxKZTx FROM Akkutypen WHERE Nr = ?"), {nr}).toInt()};
    }

    FakeCharger fake{4, FakeCharger::Model::SelfDescribing};
    int savedTimeout = 0;
    std::unique_ptr<frmMDIMainForm> form;
};
} // namespace

TEST_F(ChargerSelfInfoTest, OtherModelsAreNeverAsked)
{
    setSetting("UsedCharger", QStringLiteral("KZT4"));
    checkChargerSelfInfo();
    setSetting("UsedCharger", QStringLiteral("kztx"));
    checkChargerSelfInfo();
    EXPECT_EQ(deviceInfoRequests(), 0);
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("4"));
}

TEST_F(ChargerSelfInfoTest, CompleteDescriptionSetsChannelsLimitsAndTitle)
{
    checkChargerSelfInfo();
    EXPECT_EQ(deviceInfoRequests(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(form->check_Ladegeraet);

    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("2"));
    EXPECT_EQ(visibility(), QStringLiteral("12--"));
    EXPECT_EQ(enabledItems(*form), QStringLiteral("12--"));
    EXPECT_TRUE(form->isKanalShown(2));
    EXPECT_FALSE(form->isKanalShown(3));
    EXPECT_EQ(setting("KZTxExtensionAvailable"), QStringLiteral("NO"));
    EXPECT_EQ(setting("ProgramExtensionAvaiable"), QStringLiteral("NO"));
    EXPECT_EQ(setting("ChargerTextTop"), QStringLiteral("Bench charger 7"));
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("Bench charger 7")));

    EXPECT_EQ(cells(1), qMakePair(1, 20));
    EXPECT_EQ(cells(3), qMakePair(1, 6));
    EXPECT_EQ(cells(4), qMakePair(1, 12));
    EXPECT_EQ(cells(5), qMakePair(7, 9));
    EXPECT_EQ(limits("L"), qMakePair(0.5, 5.0));
    EXPECT_EQ(limits("N"), qMakePair(0.0, 15.0));
    EXPECT_EQ(limits("P"), qMakePair(10.0, 100.0));
    EXPECT_EQ(limits("05"), qMakePair(1.0, 30.0));
    EXPECT_EQ(limits("K"), qMakePair(0.1, 50.0));
    EXPECT_EQ(limits("YH"), qMakePair(1.0, 720.0));
    EXPECT_EQ(limits("l"), qMakePair(7.0, 9.0)); // the key is compared exactly

    // The same count again touches neither the visibility nor the menu items;
    // the extension switch follows the new flag.
    setSetting("Akku2Visible", QStringLiteral("NO"));
    form->channelMenuItem(3)->setEnabled(true);
    fake.setDeviceInfoField(3, QStringLiteral("1"));
    stopChannelTimers();
    readChargerSelfInfo();
    EXPECT_EQ(visibility(), QStringLiteral("1---"));
    EXPECT_EQ(enabledItems(*form), QStringLiteral("123-"));
    EXPECT_EQ(setting("KZTxExtensionAvailable"), QStringLiteral("YES"));
    EXPECT_EQ(setting("ProgramExtensionAvaiable"), QStringLiteral("YES"));
}

TEST_F(ChargerSelfInfoTest, SilentChargerChangesNothingAndSaysNothing)
{
    fake.setModel(FakeCharger::Model::Plain);
    checkChargerSelfInfo();
    EXPECT_EQ(deviceInfoRequests(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(form->check_Ladegeraet);
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("4"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));
    EXPECT_EQ(limits("L"), qMakePair(0.05, 4.0));
}

TEST_F(ChargerSelfInfoTest, OnlyTheThirdTryDecides)
{
    // Two wrong replies, then a good one: applied without a word.
    fake.injectFault(FakeFault::Refuse, 2, QStringLiteral("001"), QStringLiteral("G"));
    checkChargerSelfInfo();
    EXPECT_EQ(deviceInfoRequests(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("2"));
}

TEST_F(ChargerSelfInfoTest, WrongReplyOnThirdTryAsksForTheModelAtNextStart)
{
    setSetting("ChargerSelfInfo", QStringLiteral("YES"));
    form->channelMenuItem(2)->setChecked(false);
    // Silent twice, then a reply that is no device information.
    fake.injectFault(FakeFault::NoReply, 2, QStringLiteral("001"), QStringLiteral("G"));
    fake.injectFault(FakeFault::Refuse, 1, QStringLiteral("001"), QStringLiteral("G"));
    messages.answer(MessageService::Ok);
    messages.answer(MessageService::No); // the close question: keep running
    checkChargerSelfInfo();

    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("0988")));
    EXPECT_EQ(messages.shown[0].icon, MessageService::Information);
    EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0410")));
    EXPECT_EQ(messages.shown[1].text, getResource(QStringLiteral("1090")));
    EXPECT_EQ(terminator.calls, 0);
    EXPECT_TRUE(form->check_Ladegeraet);
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("YES"));
    EXPECT_EQ(setting("ChargerSelfInfo"), QStringLiteral("NO"));
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(form->channelMenuItem(n)->isChecked()) << n;
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("4"));
}

TEST_F(ChargerSelfInfoTest, BadFieldOnEveryTryNamesItsPositionAndAsksAgainLater)
{
    fake.setDeviceInfoField(12, QStringLiteral("123")); // wrong width
    checkChargerSelfInfo();
    EXPECT_EQ(deviceInfoRequests(), 3);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("0989")) + QStringLiteral(" 11"));
    EXPECT_EQ(messages.shown[0].icon, MessageService::Information);
    EXPECT_TRUE(form->check_Ladegeraet);
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("4"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));

    // The next answered poll of a channel window reads it again; now it is good.
    fake.setDeviceInfoField(12, QStringLiteral("01000"));
    messages.shown.clear();
    form->kanal(2)->logic().timerKanal_Timer();
    EXPECT_EQ(deviceInfoRequests(), 4);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(form->check_Ladegeraet);
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("2"));
}

TEST_F(ChargerSelfInfoTest, FailureWhileStoringKeepsBothTablesAsTheyWere)
{
    dbVelmoro.exec(QStringLiteral("CREATE TRIGGER fail_limits BEFORE UPDATE ON MinMaxWerte "
                                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const auto cellsBefore = cells(1);
    checkChargerSelfInfo();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("FATAL ERROR: Program Resources not found!") + QChar(13)
                                          + QStringLiteral("Contact your contractor!"));
    EXPECT_EQ(messages.shown[0].icon, MessageService::NoIcon);
    // Neither table has half a description; the settings written before stay,
    // and the main window is brought up to date as after a success.
    EXPECT_EQ(cells(1), cellsBefore);
    EXPECT_EQ(cells(1).second, 20);
    EXPECT_EQ(limits("L"), qMakePair(0.05, 4.0));
    EXPECT_EQ(cells(3), qMakePair(1, 6));
    EXPECT_EQ(setting("KZTxChannelCount"), QStringLiteral("2"));
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("Bench charger 7")));
    EXPECT_FALSE(form->check_Ladegeraet);
    EXPECT_EQ(terminator.calls, 0);
}

namespace {
// The check the program's input boxes make: the shared recordset's row for
// the key, its Min and Max in the unit the box shows.
bool withinLimits(const char* bez, double value)
{
    rsMinMaxWerte->moveFirst();
    if (!rsMinMaxWerte->findFirst(QStringLiteral("Bez"), QLatin1String(bez), Qt::CaseSensitive))
        return false;
    return value >= rsMinMaxWerte->field(QStringLiteral("Min")).toDouble()
           && value <= rsMinMaxWerte->field(QStringLiteral("Max")).toDouble();
}

QPair<int, int> sharedCellLimits(int nr)
{
    rsAkkutypen->moveFirst();
    if (!rsAkkutypen->findFirst([nr](const Recordset& rs) { return rs.field(QStringLiteral("Nr")).toInt() == nr; }))
        return {-1, -1};
    return {rsAkkutypen->field(QStringLiteral("ZMin")).toInt(), rsAkkutypen->field(QStringLiteral("ZMax")).toInt()};
}
} // namespace

TEST_F(ChargerSelfInfoTest, LaterChecksUseTheLimitsOfTheLatestDescription)
{
    openGlobalRecordsets();
    QStringList fields = FakeDeviceInfo::defaultFields(2, false);
    fields[6] = QStringLiteral("02"); // Li-ion cells 2 .. 4
    fields[7] = QStringLiteral("04");
    fields[16] = QStringLiteral("00500"); // charge current 0.5 .. 5 A
    fields[17] = QStringLiteral("05000");
    fake.setDeviceInfoFields(fields);

    const struct {
        const char* bez;
        double value;
        bool before;
        bool after;
    } checks[] = {
        {"L", 4.5, false, true},                             // above the old maximum, within the charger's
        {"L", 0.1, true, false},                             // below the charger's minimum
        {"L", 5.5, false, false}, {"05", 31.0, true, false}, // end-of-charge voltage now up to 30 V
        {"05", 0.8, true, false},                            // and from 1 V
        {"05", 1.5, true, true},
    };
    for (const auto& c : checks)
        EXPECT_EQ(withinLimits(c.bez, c.value), c.before) << c.bez << ' ' << c.value;
    EXPECT_EQ(sharedCellLimits(3), qMakePair(1, 6));

    checkChargerSelfInfo();
    ASSERT_TRUE(messages.shown.isEmpty());
    for (const auto& c : checks)
        EXPECT_EQ(withinLimits(c.bez, c.value), c.after) << c.bez << ' ' << c.value;
    EXPECT_EQ(sharedCellLimits(3), qMakePair(2, 4));

    // A second description with other limits is seen as well.
    fake.setDeviceInfoField(19, QStringLiteral("06000")); // charge current up to 6 A
    stopChannelTimers();
    readChargerSelfInfo();
    EXPECT_TRUE(withinLimits("L", 5.5));
}
