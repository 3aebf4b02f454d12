// The whole road through the real windows, offscreen, against the fake
// charger: a new battery made from the channel's recording button, recorded
// now with the values collected so far, a discharge and a charge recorded,
// and the recording stopped from the same button.
#include "FakeChargerWindowFixture.h"
#include "ScriptedDialogs.h"
#include "SeriesTables.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DbAccess.h"
#include "link/CommunicationResults.h"
#include "records/dlgMesswerteErfassen.h"
#include "records/dlgNeuerAkku.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace {

class RecordingRoadTest : public StartedWindowFixture {
protected:
    int values(qint32 series, bool ew)
    {
        return dbVeluser
            .scalar(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=? AND EW=?"), {series, ew ? 1 : 0})
            .toInt();
    }
    // From the recording button of an idle channel: a new battery, made with
    // OK in its dialog after `meanwhile` ran; only the next program start is
    // offered. The new series, or 0.
    qint32 newBatteryOnIdleChannel(frmKanal& w, const QString& name, const std::function<void()>& meanwhile)
    {
        dialogs.then(as<dlgMesswerteErfassen>([](dlgMesswerteErfassen& d) {
            EXPECT_TRUE(d.optNaechster->isChecked());
            EXPECT_FALSE(d.optSofort->isEnabled());
            d.cmdNeuerAkku->click();
            d.cmdCancel->click();
        }));
        dialogs.then(as<dlgNeuerAkku>([&](dlgNeuerAkku& d) {
            meanwhile();
            d.txtName->setText(name);
            d.cmdOk->click();
        }));
        w.findChild<QPushButton*>(QStringLiteral("cmdMesswert"))->click();
        EXPECT_TRUE(dialogs.allUsed());
        return dbVeluser
            .scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen JOIN Akkus ON MessReihen.AkkuId=Akkus.AkkuId "
                                   "WHERE AkkuName=?"),
                    {name})
            .toInt();
    }
    // The channel polls as it would while the dialogs are open.
    static void polls(KanalLogic& k, int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            k.timerKanal_Timer();
    }
    ScriptedDialogs dialogs;
    TestServices scripted{services, {.dialogs = &dialogs}};
};

TEST_F(RecordingRoadTest, AProgramThatStartsWhileTheNewBatteryDialogIsOpenIsRecordedFromItsStart)
{
    fake.setSecondsPerRequest(30);
    frmKanal* w = form->kanal(1);
    KanalLogic& k = w->logic();
    polls(k, 2);
    ASSERT_FALSE(k.bMeasurementRunning);
    ASSERT_FALSE(k.bEndwerteAvaiable);

    qint32 collectedIn = -1;
    const qint32 series = newBatteryOnIdleChannel(*w, QStringLiteral("Started meanwhile"), [&] {
        ASSERT_TRUE(fake.startProgram(1));
        polls(k, 4);
        collectedIn = k.lTempMessReiheId;
    });
    ASSERT_NE(series, 0);
    EXPECT_EQ(messages.texts(), QStringList(r("0758")));
    EXPECT_TRUE(k.bRecording);
    EXPECT_FALSE(k.bRecordingInQueue);
    const QStringList collected = seriesRows(QStringLiteral("TempMessWerte"), collectedIn);
    ASSERT_EQ(collected.size(), 4);
    EXPECT_EQ(values(series, false), 4);
    EXPECT_EQ(seriesRows(QStringLiteral("MessWerte"), series), collected);
    polls(k, 2);
    EXPECT_EQ(values(series, false), 6);
}

TEST_F(RecordingRoadTest, ANewBatteryOnAChannelThatStaysIdleWaitsForTheNextProgramStart)
{
    frmKanal* w = form->kanal(2);
    KanalLogic& k = w->logic();
    const qint32 series = newBatteryOnIdleChannel(*w, QStringLiteral("Waiting"), [&] { polls(k, 2); });
    ASSERT_NE(series, 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(k.bRecordingInQueue);
    EXPECT_FALSE(k.bRecording);
    EXPECT_EQ(k.lMessReiheId, series);
    polls(k, 2);
    EXPECT_EQ(values(series, false), 0);
}

TEST_F(RecordingRoadTest, ANewBatteryRecordsTheCollectedValuesADischargeAndAChargeUntilStopped)
{
    fake.setProgram(1, QStringLiteral("001,P,A02,M03,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    fake.setBattery(1, FakeBattery::Chemistry::NiMH, 6, 300, 0.5);
    fake.setSecondsPerRequest(30);
    frmKanal* w = form->kanal(1);
    KanalLogic& k = w->logic();
    ASSERT_TRUE(fake.startProgram(1));
    for (int i = 0; i < 5; ++i)
        k.timerKanal_Timer();
    ASSERT_TRUE(k.bMeasurementRunning);
    const int collected =
        dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte WHERE MessReiheID=?"), {k.lTempMessReiheId})
            .toInt();
    ASSERT_GE(collected, 4);

    // The recording button: a new battery, recorded now with what was collected.
    dialogs.then(as<dlgMesswerteErfassen>([&](dlgMesswerteErfassen& d) {
        EXPECT_EQ(d.windowTitle(),
                  getResource(QStringLiteral("0700")) + " - " + getResource(QStringLiteral("0701")) + " 1");
        EXPECT_TRUE(d.optSofort->isEnabled());
        d.cmdNeuerAkku->click();
        EXPECT_FALSE(d.cmdNeuerAkku->isEnabled());
        d.cmdCancel->click();
    }));
    dialogs.then(as<dlgNeuerAkku>([](dlgNeuerAkku& d) {
        d.txtName->setText(QStringLiteral("Road pack"));
        d.txtMessreiheBemerkung->setText(QStringLiteral("first run"));
        d.cmdOk->click();
    }));
    messages.answer(MessageService::Yes);
    w->findChild<QPushButton*>(QStringLiteral("cmdMesswert"))->click();
    ASSERT_TRUE(dialogs.allUsed());
    ASSERT_EQ(messages.shown.size(), 1) << messages.shown.value(1).text.toStdString();
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("0750")));

    const qint32 akku = dbVeluser.scalar(QStringLiteral("SELECT AkkuId FROM Akkus WHERE AkkuName='Road pack'")).toInt();
    const qint32 series =
        dbVeluser.scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen WHERE AkkuId=?"), {akku}).toInt();
    ASSERT_NE(series, 0);
    EXPECT_TRUE(k.bRecording);
    EXPECT_EQ(k.lAkkuId, akku);
    EXPECT_EQ(k.lMessReiheId, series);
    EXPECT_EQ(values(series, false), collected);
    EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("frameAkkumesswerte"))->title(),
              getResource(QStringLiteral("0818")) + QStringLiteral(" - Road pack / 1"));
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("txtBemerkung"))->text(), QStringLiteral("first run"));
    EXPECT_TRUE(dbVeluser.scalar(QStringLiteral("SELECT Programm FROM MessReihen WHERE MessReiheID=?"), {series})
                    .toString()
                    .startsWith(QStringLiteral("001,P,A02,M03,")));

    // The discharge ends, the charge runs.
    bool charging = false;
    for (int tick = 0; tick < 2000 && !charging; ++tick) {
        k.timerKanal_Timer();
        charging = values(series, true) == 1 && k.comResults()->lStrom == 1000;
    }
    ASSERT_TRUE(charging);
    for (int i = 0; i < 3; ++i)
        k.timerKanal_Timer();
    ASSERT_TRUE(k.bRecording);
    const int recorded = values(series, false);
    EXPECT_GT(recorded, collected + 10);

    // Stopped from the same button; the series keeps what it holds.
    dialogs.then(as<dlgMesswerteErfassen>([](dlgMesswerteErfassen& d) {
        EXPECT_TRUE(d.cmdKeineErfassung->isEnabled());
        d.cmdKeineErfassung->click();
        d.cmdCancel->click();
    }));
    w->cmdMesswert_Click();
    EXPECT_FALSE(k.bRecording);
    EXPECT_EQ(k.lMessReiheId, -1);
    for (int i = 0; i < 3; ++i)
        k.timerKanal_Timer();
    EXPECT_EQ(values(series, false), recorded);
    EXPECT_EQ(values(series, true), 1);
    EXPECT_EQ(
        dbVeluser.scalar(QStringLiteral("SELECT bemerkung FROM MessReihen WHERE MessReiheID=?"), {series}).toString(),
        QStringLiteral("first run"));
    EXPECT_EQ(messages.shown.size(), 1);
}

} // namespace
