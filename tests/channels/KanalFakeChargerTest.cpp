// The real main window and channel windows, started offscreen through the
// whole start sequence, against the fake charger on a pseudo-terminal. Ticks
// are called directly; the fake's clock moves only when the test says so.
#include "ChannelFixtures.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "core/velmoroLog.h"
#include "link/CommunicationResults.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/PanelStatusBar.h"

#include <QMdiSubWindow>
#include <gtest/gtest.h>
#include <memory>

namespace {
class KanalFakeChargerTest : public FakeChargerWindowFixture {
protected:
    // The whole start with the charger model; every poll timer stopped after it.
    frmMDIMainForm& start(const QString& charger, const QString& count = QStringLiteral("1"))
    {
        startMainWindow(charger,
                        {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='KZTxChannelCount'").arg(count)});
        fake.clearFrameLog();
        return *form;
    }
    KanalLogic& channel(int n) { return form->kanal(n)->logic(); }
    QString shown(int n, const char* control) { return form->kanal(n)->controlText(QString::fromLatin1(control)); }
    QString panel(int n) { return form->stbFirstStatusbar->panelText(QStringLiteral("Kanal%1Text").arg(n)); }
};
} // namespace

TEST_F(KanalFakeChargerTest, StartAsksEachChannelForProgramEndValuesAndStatusInTurn)
{
    fake.setStatus(2, QStringLiteral("SL"));
    fake.setValues(2, 1000, 7250, 120);
    fake.addEndValue(3, FakeEndValue{QStringLiteral("SL"), 1234, 95, 1450});
    form = nullptr;
    folder.execOn(folder.velmoroPath(),
                  {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='ComPort'").arg(fake.portPath())});
    setProgramFolder(folder.path());
    form = std::make_unique<frmMDIMainForm>(services);
    form->MDIForm_Load();
    for (int n = 1; n <= 4; ++n)
        form->kanal(n)->stopTimers();

    QStringList expected;
    for (const char* c : {"001", "002", "003", "004"})
        for (const char* command : {"W", "D", "M"})
            expected << QLatin1String(c) + QLatin1Char(',') + QLatin1String(command);
    EXPECT_EQ(fake.frameLog(), expected);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("Com Port: ") + fake.portPath()));

    EXPECT_EQ(shown(1, "txtStatus"), r("6010"));
    EXPECT_EQ(shown(2, "txtStatus"), r("6012"));
    EXPECT_EQ(panel(2), r("6012"));
    EXPECT_EQ(shown(2, "txtSpannung"), formatVoltage(7250));
    EXPECT_EQ(shown(2, "txtAkkuTyp"), r("3002"));
    EXPECT_TRUE(channel(3).bEndwerteAvaiable);
    EXPECT_EQ(channel(3).endwertList->Count(), 1);
    EXPECT_FALSE(form->bNoKZTFound);
    // Temporary series are drawn in loading order; channel 3 stored its end
    // value under 3 and, idle, closed that series and drew the next one.
    EXPECT_EQ(channel(1).lTempMessReiheId, 1);
    EXPECT_EQ(channel(2).lTempMessReiheId, 2);
    EXPECT_EQ(channel(3).lLastTempMessReiheId, 3);
    EXPECT_EQ(channel(3).lTempMessReiheId, 4);
    EXPECT_EQ(channel(4).lTempMessReiheId, 5);
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT MessWertString FROM TempMessWerte WHERE MessReiheID=3 AND EW=1"))
                  .toString(),
              QStringLiteral("2;1234;1450;0;95"));
}

TEST_F(KanalFakeChargerTest, RunningProgramShowsChangingValuesAndTheStatusBarFollows)
{
    start(QStringLiteral("KZT4"));
    ASSERT_TRUE(fake.startProgram(1));
    fake.setSecondsPerRequest(120);
    QStringList voltages;
    for (int tick = 0; tick < 4; ++tick) {
        channel(1).timerKanal_Timer();
        EXPECT_EQ(shown(1, "txtStatus"), r("6012"));
        EXPECT_EQ(panel(1), r("6012"));
        voltages << shown(1, "txtSpannung");
    }
    EXPECT_TRUE(channel(1).bMeasurementRunning);
    voltages.removeDuplicates();
    EXPECT_GE(voltages.size(), 3);
    EXPECT_EQ(fake.frameLog(), (QStringList{"001,M", "001,M", "001,M", "001,M"}));
}

TEST_F(KanalFakeChargerTest, PulledOutChargerShowsNoReplySlowsDownAndRecoversWhenBack)
{
    start(QStringLiteral("J4"));
    fake.pullOut();
    channel(1).timerKanal_Timer();
    EXPECT_EQ(shown(1, "txtStatus"), r("6000"));
    EXPECT_EQ(panel(1), r("6000"));
    for (int tick = 0; tick < 3; ++tick)
        channel(1).timerKanal_Timer();
    EXPECT_TRUE(form->bNoKZTFound);
    EXPECT_EQ(channel(1).pollTimer.interval(), 14000);

    // The other channels stay quiet while the link is lost.
    fake.plugIn();
    fake.clearFrameLog();
    channel(2).timerKanal_Timer();
    channel(4).timerKanal_Timer();
    EXPECT_TRUE(fake.frameLog().isEmpty());

    fake.setStatus(1, QStringLiteral("SE"));
    fake.setValues(1, 500, 1180, 300);
    channel(1).timerKanal_Timer();
    EXPECT_EQ(fake.frameLog(), (QStringList{"001,W", "001,M", "001,D", "001,W"}));
    EXPECT_FALSE(form->bNoKZTFound);
    EXPECT_EQ(channel(1).pollTimer.interval(), 3000);
    EXPECT_EQ(shown(1, "txtStatus"), r("6014"));
    EXPECT_EQ(shown(1, "txtStrom"), formatCurrent(500));

    // Channel 2 goes on where it stopped: its last poll had been answered.
    fake.clearFrameLog();
    channel(2).timerKanal_Timer();
    EXPECT_EQ(fake.frameLog(), (QStringList{"002,M"}));
    // One message for the whole episode, none per poll.
    EXPECT_LE(messages.shown.size(), 1);
}

TEST_F(KanalFakeChargerTest, OtherChannelsLateReplyAndMalformedReplyOnTheRealLink)
{
    start(QStringLiteral("KZT4"));
    fake.setStatus(1, QStringLiteral("SL"));
    fake.setValues(1, 1500, 1234, 800);
    channel(1).timerKanal_Timer();
    ASSERT_EQ(shown(1, "txtStrom"), formatCurrent(1500));

    // Channel 2's reply comes only while channel 1 waits for its own.
    fake.setStatus(2, QStringLiteral("SE"));
    fake.setValues(2, 3333, 4444, 5555);
    fake.injectFault(FakeFault::LateReply, 1, QStringLiteral("002"), QStringLiteral("M"));
    channel(2).timerKanal_Timer();
    EXPECT_EQ(shown(2, "txtStatus"), r("6000"));
    fake.setValues(1, 1550, 1240, 805);
    channel(1).timerKanal_Timer();
    EXPECT_EQ(shown(1, "txtStrom"), formatCurrent(1550));
    EXPECT_EQ(shown(1, "txtStatus"), r("6012"));
    EXPECT_EQ(channel(1).comResults()->strKanal, QStringLiteral("001"));

    fake.setValues(1, 1600, 1250, 810);
    fake.injectFault(FakeFault::Malformed, 1, QStringLiteral("001"), QStringLiteral("M"));
    fake.clearFrameLog();
    channel(1).timerKanal_Timer();
    EXPECT_EQ(fake.frameLog(), (QStringList{"001,M", "001,M"}));
    EXPECT_EQ(shown(1, "txtStrom"), formatCurrent(1600));
}

TEST_F(KanalFakeChargerTest, ClosedChannelWindowIsHiddenAndStillPolls)
{
    start(QStringLiteral("KZT4"));
    QMdiSubWindow* sub = form->kanalSubWindow(3);
    ASSERT_FALSE(sub->isHidden());
    channel(3).pollTimer.start();
    sub->close();
    EXPECT_TRUE(sub->isHidden());
    EXPECT_FALSE(form->mnuEinstellungenKanaeleKanal3->isChecked());
    EXPECT_TRUE(channel(3).pollTimer.isActive());
    channel(3).stopTimers();

    fake.setStatus(3, QStringLiteral("SF"), QStringLiteral("X3"));
    channel(3).timerKanal_Timer();
    EXPECT_EQ(fake.frameLog(), (QStringList{"003,M"}));
    EXPECT_EQ(panel(3), r("6018"));
    EXPECT_EQ(shown(3, "txtAkkuzustand"), r("0870"));

    // Brought back from the status bar.
    Q_EMIT form->stbFirstStatusbar->panelClick(QStringLiteral("Kanal3Label"));
    EXPECT_FALSE(sub->isHidden());
    EXPECT_TRUE(form->mnuEinstellungenKanaeleKanal3->isChecked());
}

TEST_F(KanalFakeChargerTest, OneChannelModelPollsOnlyChannelOne)
{
    start(QStringLiteral("KZT1"));
    EXPECT_EQ(form->kanal(2), nullptr);
    EXPECT_FALSE(form->stbFirstStatusbar->isPanelVisible(QStringLiteral("Kanal2Text")));
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("velmoro KZT1")));
    channel(1).timerKanal_Timer();
    EXPECT_EQ(fake.frameLog(), (QStringList{"001,M"}));
}
