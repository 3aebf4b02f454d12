// Recording through the real windows, offscreen, against the fake charger: a
// whole discharge and charge recorded into a series, and the widgets that
// lead to the recording side (end-value lists, remark box).
#include "ChannelFixtures.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/ProgramResources.h"
#include "core/velmoroLog.h"
#include "link/CommunicationResults.h"
#include "link/EntwertList.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"
#include "wiring/KanalDiagram.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {
class RecordingFakeChargerTest : public StartedWindowFixture {
protected:
    qint32 newSeries(qint32& akku)
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Pack')"));
        akku = dbVeluser.lastInsertId().toInt();
        dbVeluser.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer) VALUES (?, 1)"), {akku});
        return dbVeluser.lastInsertId().toInt();
    }
    QStringList recorded(qint32 series, bool ew)
    {
        auto rs = dbVeluser.openRecordset(QStringLiteral("SELECT * FROM MessWerte WHERE MessReiheID=%1 AND EW=%2 "
                                                         "ORDER BY MessWertId")
                                              .arg(series)
                                              .arg(ew ? 1 : 0));
        QStringList texts;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            texts << rs->field(QStringLiteral("MessWertString")).toString();
        return texts;
    }
    KanalLogic& channel(int n) { return form->kanal(n)->logic(); }
};

TEST_F(RecordingFakeChargerTest, AQueuedRecordingHoldsEveryValueAndEndValueOfAWholeDischargeAndCharge)
{
    // Discharge, pause, charge of a small pack, 30 simulated seconds per request.
    fake.setProgram(1, QStringLiteral("001,P,A02,M03,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    fake.setBattery(1, FakeBattery::Chemistry::NiMH, 6, 300, 0.5);
    fake.setSecondsPerRequest(30);
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = channel(1);
    const QDateTime base(QDate(2024, 5, 1), QTime(8, 0, 0));
    k.setClock([&] { return base.addSecs(fake.simulatedSeconds()); });

    k.startRecording(akku, series, true, false);
    k.timerKanal_Timer(); // still idle: nothing
    ASSERT_TRUE(fake.startProgram(1));

    // What the charger reported while the recording ran, as the series must hold it.
    QStringList expectedValues;
    long long startSeconds = -1;
    int endReplies = 0;
    for (int tick = 0; tick < 2000; ++tick) {
        // The status request is each tick's first: its reply carries this time.
        const long long replied = fake.simulatedSeconds() + 30;
        k.timerKanal_Timer();
        if (startSeconds < 0 && k.bRecording)
            startSeconds = replied;
        if (!k.bRecording)
            break;
        const CommunicationResults& r = *k.comResults();
        // Only replies that brought values (a wait between the phases brings none).
        if (r.hasValues())
            expectedValues << QStringLiteral("%1;%2;%3;%4")
                                  .arg(r.lKapazitaet)
                                  .arg(r.lSpannung)
                                  .arg(r.lStrom)
                                  .arg(replied - startSeconds);
        if (r.iAntwortTyp == CommunicationResults::EndwertReply)
            ++endReplies;
    }
    ASSERT_FALSE(k.bRecording) << "the program did not finish";
    EXPECT_EQ(k.comResults()->iStatusTyp, 5);
    EXPECT_FALSE(k.bRecordingInQueue);
    EXPECT_EQ(k.lMessReiheId, series);

    const QStringList values = recorded(series, false);
    EXPECT_EQ(values, expectedValues);
    EXPECT_GT(values.size(), 40);
    // Both phases are there: the discharge current first, then the charge current.
    EXPECT_EQ(values.first().split(QLatin1Char(';'))[2], QStringLiteral("500"));
    EXPECT_EQ(values.last().split(QLatin1Char(';'))[2], QStringLiteral("1000"));

    // Every end value the charger reported, once, in its order.
    const QList<FakeEndValue> reported = fake.endValues(1);
    ASSERT_EQ(reported.size(), 2);
    EXPECT_EQ(endReplies, 2);
    const QStringList ends = recorded(series, true);
    ASSERT_EQ(ends.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const LoadedMeasurementValue v = parseMesswertString(ends[i], true);
        EXPECT_EQ(v.iEndwertTyp, reported[i].type == QLatin1String("SE") ? 3 : 2);
        EXPECT_EQ(v.lKapazitaet, reported[i].capacity);
        EXPECT_EQ(v.lSpannung, reported[i].voltage);
        EXPECT_EQ(v.zykluszeitValue(), reported[i].minutes);
    }
    EXPECT_EQ(parseMesswertString(ends[0], true).iEndwertTyp, 3);

    const QString stored =
        dbVeluser.scalar(QStringLiteral("SELECT Programm FROM MessReihen WHERE MessReiheID=?"), {series}).toString();
    EXPECT_TRUE(stored.startsWith(QStringLiteral("001,P,A02,M03,"))) << stored.toStdString();
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT Mode FROM MessReihen WHERE MessReiheID=?"), {series}).toString(),
              getResource(QStringLiteral("3103")));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RecordingFakeChargerTest, TheWidgetsLeadToTheDiagramAndStoreTheRemark)
{
    frmKanal* w = form->kanal(1);
    DiagramSpy diagram;
    w->logic().setDiagram(&diagram);
    fake.addEndValue(1, FakeEndValue{QStringLiteral("SL"), 1234, 95, 1450});
    fake.pushEndValues(1);
    w->logic().timerKanal_Timer();
    auto* list = w->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text().size(), 30);
    list->item(0)->setSelected(true);
    Q_EMIT list->itemDoubleClicked(list->item(0));
    ASSERT_EQ(diagram.requests.size(), 1);
    EXPECT_EQ(diagram.requests[0].lEndWertId, w->logic().endwertList->Item(1)->TempID);
    EXPECT_NE(diagram.requests[0].lEndWertId, 0);

    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    fake.setStatus(1, QStringLiteral("SL"));
    fake.setValues(1, 1000, 7000, 10);
    w->logic().timerKanal_Timer();
    w->startRecording(akku, series, false, false);
    w->setFrameAkkumesswerteHeading(QStringLiteral("Pack"), QStringLiteral("remark"), QStringLiteral("2"));
    EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("frameAkkumesswerte"))->title(),
              getResource(QStringLiteral("0818")) + QStringLiteral(" - Pack / 2"));
    auto* box = w->findChild<QLineEdit*>(QStringLiteral("txtBemerkung"));
    box->setText(QStringLiteral("typed by the user"));
    EXPECT_EQ(
        dbVeluser.scalar(QStringLiteral("SELECT bemerkung FROM MessReihen WHERE MessReiheID=?"), {series}).toString(),
        QStringLiteral("typed by the user"));
    w->endRecording();
    box->setText(QStringLiteral("nothing to store it with"));
    EXPECT_EQ(box->text(), QString());
}
} // namespace
