// Recording a series on a channel: the temporary series, recording now and
// queued, taking over the collected values, the ends of a recording, the
// program and remark stored with the series, and database failures in a tick.
#include "RecordingFixture.h"

#include "link/CommunicationResults.h"

using namespace recording;

namespace {
class KanalRecordingTest : public RecordingFixture {};

TEST_F(KanalRecordingTest, TemporarySeriesKeepsChargingAndDischargingValuesEachFromItsFirstValue)
{
    KanalLogic& k = load();
    EXPECT_EQ(k.lTempMessReiheId, 1);
    tick(values1(10, 7000, 1000));
    advance(30);
    tick(values1(20, 7100, 1000));
    tick(values1(25, 7150, 1000, "SM")); // ends the phase: not kept, new series
    EXPECT_EQ(k.lTempMessReiheId, 2);
    EXPECT_EQ(k.lLastTempMessReiheId, 1);
    advance(10);
    tick(values1(5, 6900, 500, "SE"));
    advance(7);
    tick(QStringLiteral("001,M,SE,")); // discharging without values: nothing to keep
    tick(values1(9, 6800, 500, "SE"));
    tick(status1("SA"));
    EXPECT_EQ(k.lTempMessReiheId, 3);
    tick(status1("SA")); // an empty series is not replaced
    EXPECT_EQ(k.lTempMessReiheId, 3);

    EXPECT_EQ(temp(1), (QStringList{"M:10;7000;1000;0", "M:20;7100;1000;30"}));
    EXPECT_EQ(temp(2), (QStringList{"M:5;6900;500;0", "M:9;6800;500;7"}));
    EXPECT_EQ(count("TempMessWerte"), 4);
    EXPECT_EQ(count("MessWerte"), 0);
}

TEST_F(KanalRecordingTest, RecordingNowWritesEveryStatusWithValuesUntilTheStatusThatEndsIt)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    EXPECT_TRUE(k.bRecording);
    EXPECT_FALSE(k.bRecordingInQueue);
    EXPECT_FALSE(k.bCurrentProgramWritten);
    EXPECT_EQ(seriesField(series, "Programm").toString(), program1());
    EXPECT_EQ(seriesField(series, "Mode").toString(), r("3101"));
    EXPECT_TRUE(k.isAkkuUsed(akku));

    link.calls.clear();
    advance(3);
    tick(values1(101, 7010, 1000));
    // The first recorded value stores the program again.
    EXPECT_EQ(link.calls, (QStringList{"M001", "W001"}));
    EXPECT_TRUE(k.bCurrentProgramWritten);
    link.calls.clear();
    advance(3);
    tick(values1(102, 7020, 1000));
    EXPECT_EQ(link.calls, QStringList{"M001"});
    advance(3);
    tick(status1("SW")); // waiting in a mode other than 6: still recording, but no values came
    EXPECT_TRUE(k.bRecording);
    advance(3);
    tick(QStringLiteral("001,M,SA,X3,"));
    EXPECT_FALSE(k.bRecording);
    advance(3);
    tick(values1(5, 7000, 1000));

    EXPECT_EQ(recorded(series), (QStringList{"M:101;7010;1000;3", "M:102;7020;1000;6"}));
    // Ended by status: the series and battery are kept, the battery is free.
    EXPECT_EQ(k.lMessReiheId, series);
    EXPECT_EQ(k.lAkkuId, akku);
    EXPECT_FALSE(k.isAkkuUsed(akku));
    EXPECT_TRUE(k.resetAkkuId(akku));
    EXPECT_EQ(k.lAkkuId, -1);
    EXPECT_FALSE(k.resetAkkuId(akku));
}

struct EndCase {
    const char* name;
    int mode;
    QString reply;
    bool goesOn;
};

class RecordingEnds : public KanalRecordingTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RecordingEnds, TheReplyThatEndsTheRecordingIsNotWritten)
{
    const EndCase c = GetParam();
    link.programFallback = program1(c.mode);
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    tick(values1(101, 7010, 1000));
    tick(c.reply);
    EXPECT_EQ(k.bRecording, c.goesOn);
    // None of these replies brings values of its own: nothing is recorded ...
    EXPECT_EQ(recorded(series).size(), 1);
    // ... and the next one with values is, while the recording goes on.
    tick(values1(102, 7020, 1000));
    EXPECT_EQ(recorded(series).size(), c.goesOn ? 2 : 1);
    EXPECT_EQ(k.lMessReiheId, series);
}

INSTANTIATE_TEST_SUITE_P(Statuses, RecordingEnds,
                         ::testing::Values(EndCase{"Idle", 1, status1("SA"), false},
                                           EndCase{"SMWithValues", 1, values1(101, 7010, 1000, "SM"), false},
                                           EndCase{"Finished", 1, QStringLiteral("001,M,SF,X2,"), false},
                                           EndCase{"VoltageOutOfRange", 1, status1("SQV"), false},
                                           EndCase{"WaitingInModeSix", 6, status1("SW"), false},
                                           EndCase{"WaitingInModeFour", 4, status1("SW"), true},
                                           EndCase{"Refusal", 1, status1("SK"), true},
                                           EndCase{"TemperatureError", 1, status1("SQT"), true}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(KanalRecordingTest, OnlyValuesThatCameInTheTicksOwnReplyAreRecorded)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    advance(3);
    tick(values1(101, 7010, 1000));
    advance(3);
    tick(QString()); // no reply
    // The program read is refused and the status request then gets no reply:
    // shown as the refusal, but no values came.
    link.program = {status1("SK"), status1("SK")};
    advance(3);
    tick(QString());
    EXPECT_EQ(view.texts.value(QStringLiteral("txtStatus")), r("0878"));
    EXPECT_EQ(k.comResults()->iAntwortTyp, CommunicationResults::StatusReply);
    advance(3);
    tick(values1(102, 7020, 1000)); // the program comes again, and values with the status
    advance(3);
    tick(status1("SW"));
    advance(3);
    tick(status1("SQT"));
    EXPECT_TRUE(k.bRecording);
    EXPECT_EQ(recorded(series), (QStringList{"M:101;7010;1000;3", "M:102;7020;1000;12"}));
    EXPECT_EQ(temp(k.lTempMessReiheId).size() + temp(k.lLastTempMessReiheId).size(), 2);
}

TEST_F(KanalRecordingTest, EndValuesReadWhenTheLinkCameBackStayAndAQueuedRecordingStartsWithThem)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(status1("SA"));
    k.startRecording(akku, series, true, false);
    advance(3);
    tick(QString()); // the link goes
    // Back: a program started meanwhile and has ended a charge already.
    link.endwert.push_back(endReply1({kCharge1}));
    link.calls.clear();
    advance(3);
    tick(values1(50, 7100, 1000, "SE"));
    // Status first, then the end values; the last read stores the program with the series.
    EXPECT_EQ(link.calls, (QStringList{"W001", "M001", "D001", "W001", "W001"}));
    EXPECT_TRUE(k.bRecording);
    EXPECT_FALSE(k.bRecordingInQueue);
    EXPECT_TRUE(k.bEndwerteAvaiable);
    ASSERT_EQ(k.endwertList->Count(), 1);
    EXPECT_EQ(view.listItems(QStringLiteral("lstEndwertLaden")).size(), 1);
    const QStringList rec = recorded(series);
    ASSERT_EQ(rec.size(), 2);
    EXPECT_EQ(rec[0], QStringLiteral("E:2;1234;1450;0;95"));
    EXPECT_EQ(rec[1], QStringLiteral("M:50;7100;1000;0"));
    EXPECT_TRUE(k.bCurrentProgramWritten);
    EXPECT_EQ(seriesField(series, "Programm").toString(), program1());

    // Read again after a later loss, the same end value is recorded once.
    advance(3);
    tick(QString());
    link.endwert.push_back(endReply1({kCharge1}));
    advance(3);
    tick(values1(60, 7000, 1000, "SE"));
    EXPECT_EQ(recorded(series).size(), 3);
    EXPECT_EQ(k.endwertList->Count(), 1);
}

TEST_F(KanalRecordingTest, EndedByTheUserNothingMoreIsWrittenAndTheSeriesIsForgotten)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    k.setFrameAkkumesswerteHeading(QStringLiteral("Pack"), QStringLiteral("first"), QStringLiteral("1"));
    tick(values1(101, 7010, 1000));
    k.endRecording();
    EXPECT_FALSE(k.bRecording);
    EXPECT_FALSE(k.bRecordingInQueue);
    EXPECT_EQ(k.lMessReiheId, -1);
    EXPECT_EQ(k.lAkkuId, akku);
    EXPECT_EQ(view.texts[QStringLiteral("frameAkkumesswerte")], r("0818") + QStringLiteral(" - Pack / 1"));
    tick(values1(102, 7020, 1000));
    EXPECT_EQ(recorded(series).size(), 1);
    // With the series forgotten the remark box takes no text.
    view.setControlText(QStringLiteral("txtBemerkung"), QStringLiteral("typed"));
    EXPECT_EQ(view.texts[QStringLiteral("txtBemerkung")], QString());
    EXPECT_EQ(seriesField(series, "bemerkung").toString(), QStringLiteral("first"));
}

TEST_F(KanalRecordingTest, QueuedRecordingStartsWithTheNextProgramAndCountsFromThatMoment)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load();
    k.startRecording(akku, series, true, false);
    EXPECT_TRUE(k.bRecordingInQueue);
    EXPECT_FALSE(k.bRecording);
    EXPECT_TRUE(k.isAkkuUsed(akku));
    advance(600);
    tick(status1("SA"));
    EXPECT_FALSE(k.bRecording);
    EXPECT_TRUE(recorded(series).isEmpty());

    // The charger starts a new program: the status leaves 1.
    link.programFallback = program1(4);
    advance(100);
    tick(values1(3, 7000, 1000));
    EXPECT_TRUE(k.bRecording);
    EXPECT_FALSE(k.bRecordingInQueue);
    EXPECT_TRUE(k.bCurrentProgramWritten);
    EXPECT_EQ(seriesField(series, "Programm").toString(), program1(4));
    EXPECT_EQ(seriesField(series, "Mode").toString(), r("3104"));
    advance(60);
    tick(values1(20, 7100, 1000));
    EXPECT_EQ(recorded(series), (QStringList{"M:3;7000;1000;0", "M:20;7100;1000;60"}));
}

TEST_F(KanalRecordingTest, TakingOverWhileChargingContinuesTheTimeAxisOfTheTemporarySeries)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    advance(5);
    tick(values1(110, 7010, 1000));
    advance(10);
    tick(values1(120, 7020, 1000));
    advance(10);
    k.startRecording(akku, series, false, true);
    EXPECT_TRUE(k.bCurrentProgramWritten);
    EXPECT_EQ(seriesField(series, "Programm").toString(), program1());
    link.calls.clear();
    advance(5);
    tick(values1(130, 7030, 1000));
    EXPECT_EQ(link.calls, QStringList{"M001"});
    EXPECT_EQ(recorded(series), (QStringList{"M:110;7010;1000;0", "M:120;7020;1000;10", "M:130;7030;1000;25"}));
    // The temporary rows stay where they are.
    EXPECT_EQ(temp(k.lTempMessReiheId).size(), 3);
}

TEST_F(KanalRecordingTest, TakingOverRightAfterAChargeEndedCopiesTheFinishedChargeWithItsOwnStart)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load();
    advance(50);
    tick(values1(10, 7000, 1000));
    advance(30);
    tick(values1(40, 7200, 1000));
    advance(30);
    tick(endReply1({kCharge1}));
    advance(3);
    tick(status1("SA"));
    const qint32 finished = k.lLastTempMessReiheId;
    EXPECT_NE(finished, k.lTempMessReiheId);
    EXPECT_TRUE(k.bEndwerteAvaiable);
    EXPECT_FALSE(k.bMeasurementRunning);

    advance(1000);
    k.startRecording(akku, series, false, true);
    EXPECT_EQ(recorded(series), (QStringList{"M:10;7000;1000;0", "M:40;7200;1000;30", "E:2;1234;1450;60;95"}));
    EXPECT_EQ(k.dtRecordingStart, QDateTime(QDate(2024, 5, 1), QTime(8, 0, 50)));
}

TEST_F(KanalRecordingTest, AStartedProgramIsRecordedFromItsOwnStartInAPauseAndAfterItsEnd)
{
    for (const bool ended : {false, true}) {
        SCOPED_TRACE(ended ? "ended" : "in a pause");
        qint32 akku = 0;
        const qint32 series = newSeries(akku);
        KanalLogic& k = load();
        // An earlier charge leaves a finished temporary series behind.
        tick(values1(1, 7000, 1000));
        tick(status1("SA"));
        const quint32 before = k.programStartCount();

        advance(10);
        tick(values1(5, 6900, 500, "SE"));
        EXPECT_EQ(k.programStartCount(), before + 1);
        const qint32 program = k.lTempMessReiheId;
        advance(30);
        tick(values1(20, 6800, 500, "SE"));
        advance(30);
        tick(endReply1({kDischarge1}));
        advance(3);
        tick(ended ? QStringLiteral("001,M,SF,X2,") : status1("SW"));
        if (ended) {
            advance(3);
            tick(status1("SA"));
        }
        ASSERT_FALSE(k.bMeasurementRunning);
        ASSERT_TRUE(k.bEndwerteAvaiable);

        EXPECT_EQ(k.recordStartedProgram(akku, series), !ended);
        EXPECT_EQ(recorded(series), temp(program));
        EXPECT_EQ(recorded(series).size(), 3);
        EXPECT_EQ(k.bRecording, !ended);
        EXPECT_FALSE(k.bRecordingInQueue);
        EXPECT_EQ(k.lMessReiheId, series);
        EXPECT_EQ(seriesField(series, "Programm").toString(), program1());

        // The charge after the pause goes on along the program's time axis; a
        // later program never goes into the series of one that has ended.
        advance(60);
        tick(values1(30, 7000, 1000));
        if (ended)
            EXPECT_EQ(recorded(series).size(), 3);
        else
            EXPECT_EQ(recorded(series).value(3), QStringLiteral("M:30;7000;1000;123"));
        logic.reset();
    }
}

TEST_F(KanalRecordingTest, TakingOverASeriesThatHoldsNothingStartsNow)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load();
    advance(77);
    k.startRecording(akku, series, false, true);
    EXPECT_TRUE(recorded(series).isEmpty());
    EXPECT_EQ(k.dtRecordingStart, clock);
    advance(4);
    tick(values1(1, 7000, 1000));
    EXPECT_EQ(recorded(series), QStringList{"M:1;7000;1000;4"});
}

TEST_F(KanalRecordingTest, AFailedTakeOverChangesNothing)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    tick(values1(110, 7010, 1000));
    dbVeluser.exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON MessWerte BEGIN SELECT RAISE(ABORT, 'full'); END"));
    EXPECT_THROW(k.startRecording(akku, series, false, true), DatabaseError);
    EXPECT_FALSE(k.bRecording);
    EXPECT_EQ(k.lMessReiheId, -1);
    EXPECT_TRUE(recorded(series).isEmpty());
}

TEST_F(KanalRecordingTest, AProgramThatCannotBeStoredStartsNothingAndCopiesNothing)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    tick(values1(110, 7010, 1000));
    dbVeluser.exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON MessReihen BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    // With the collected values: none of them may stay behind in the series,
    // or a second try would hold them twice.
    EXPECT_THROW(k.startRecording(akku, series, false, true), DatabaseError);
    EXPECT_FALSE(k.bRecording);
    EXPECT_EQ(k.lMessReiheId, -1);
    EXPECT_EQ(k.lAkkuId, -1);
    EXPECT_TRUE(recorded(series).isEmpty());
    // Without them, now or queued: the window is not left recording either.
    EXPECT_THROW(k.startRecording(akku, series, false, false), DatabaseError);
    EXPECT_THROW(k.startRecording(akku, series, true, false), DatabaseError);
    EXPECT_FALSE(k.bRecording);
    EXPECT_FALSE(k.bRecordingInQueue);
    EXPECT_EQ(k.lMessReiheId, -1);

    dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse"));
    k.startRecording(akku, series, false, true);
    EXPECT_TRUE(k.bRecording);
    EXPECT_FALSE(recorded(series).isEmpty());
    EXPECT_EQ(recorded(series), temp(k.lTempMessReiheId));
}

TEST_F(KanalRecordingTest, OnlyTheLastEndValueOfAReplyIsRecordedAndAnUnreadableReplyWritesNothing)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    advance(60);
    tick(endReply1({kCharge1, kDischarge1, kCharge2}));
    EXPECT_EQ(recorded(series), QStringList{"E:2;1300;1460;60;97"});
    EXPECT_EQ(k.endwertList->Count(), 3);

    tick(QStringLiteral("001,D,SL,K0123,")); // its groups do not parse
    EXPECT_EQ(k.comResults()->iAntwortTyp, CommunicationResults::EndwertReply);
    EXPECT_EQ(k.endwertList->Count(), 0);
    tick(QStringLiteral("002,D,") + kCharge1 + QLatin1Char(','));                     // another channel's
    tick(QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,")); // a program instead
    EXPECT_EQ(recorded(series).size(), 1);
    EXPECT_TRUE(k.bRecording);
}

TEST_F(KanalRecordingTest, TheRefusalIsNeverStoredAsTheProgramAndTheProgramIsAskedForUntilGiven)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    link.program = {status1("SK"), QString(), status1("SK")};
    k.startRecording(akku, series, false, true);
    EXPECT_FALSE(k.bCurrentProgramWritten);
    EXPECT_TRUE(seriesField(series, "Programm").isNull());

    tick(values1(101, 7010, 1000)); // no reply to the program read
    EXPECT_FALSE(k.bCurrentProgramWritten);
    tick(values1(102, 7020, 1000)); // refused again
    EXPECT_FALSE(k.bCurrentProgramWritten);
    EXPECT_TRUE(seriesField(series, "Programm").isNull());
    tick(values1(103, 7030, 1000));
    EXPECT_TRUE(k.bCurrentProgramWritten);
    EXPECT_EQ(seriesField(series, "Programm").toString(), program1());
    link.calls.clear();
    tick(values1(104, 7040, 1000));
    EXPECT_EQ(link.calls, QStringList{"M001"});
    EXPECT_EQ(recorded(series).size(), 4);
}

TEST_F(KanalRecordingTest, RemarkIsStoredAsTypedButNotWhenTheProgramEmptiesTheBox)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku, QStringLiteral("old"));
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    k.setFrameAkkumesswerteHeading(QStringLiteral("Pack"), QStringLiteral("old"), QStringLiteral("1"));
    view.setControlText(QStringLiteral("txtBemerkung"), QStringLiteral("x").repeated(250));
    EXPECT_EQ(seriesField(series, "bemerkung").toString(), QStringLiteral("x").repeated(200));
    view.setControlText(QStringLiteral("txtBemerkung"), QStringLiteral("new pack"));
    EXPECT_EQ(seriesField(series, "bemerkung").toString(), QStringLiteral("new pack"));

    // No reply: the display empties the box, the stored remark stays.
    tick(QString());
    EXPECT_EQ(view.texts[QStringLiteral("txtBemerkung")], QString());
    EXPECT_EQ(seriesField(series, "bemerkung").toString(), QStringLiteral("new pack"));

    // The recording ends by status; the tick resets heading and box, the remark stays.
    link.status.push_back(status1("SA"));
    k.timerKanal_Timer(); // recovery road
    view.setControlText(QStringLiteral("txtBemerkung"), QStringLiteral("again"));
    tick(status1("SA"));
    EXPECT_EQ(view.texts[QStringLiteral("frameAkkumesswerte")], r("0818") + QStringLiteral(" - ") + r("0820"));
    EXPECT_EQ(view.texts[QStringLiteral("txtBemerkung")], QString());
    EXPECT_EQ(seriesField(series, "bemerkung").toString(), QStringLiteral("again"));
    // The series is still known: a remark typed now is stored with it.
    view.setControlText(QStringLiteral("txtBemerkung"), QStringLiteral("after the end"));
    EXPECT_EQ(seriesField(series, "bemerkung").toString(), QStringLiteral("after the end"));
}

TEST_F(KanalRecordingTest, HeadingShowsBatteryAndSeriesOrTheNoSeriesTextForABlankName)
{
    KanalLogic& k = load();
    k.setFrameAkkumesswerteHeading(QStringLiteral(" Pack "), QStringLiteral("remark"), QStringLiteral("3"));
    EXPECT_EQ(view.texts[QStringLiteral("frameAkkumesswerte")], r("0818") + QStringLiteral(" -  Pack  / 3"));
    k.setFrameAkkumesswerteHeading(QStringLiteral("  "), QStringLiteral("remark"), QStringLiteral("3"));
    EXPECT_EQ(view.texts[QStringLiteral("frameAkkumesswerte")], r("0818") + QStringLiteral(" - ") + r("0820"));
    EXPECT_EQ(view.texts[QStringLiteral("txtBemerkung")], QString());
}

TEST_F(KanalRecordingTest, ASeriesDeletedMeanwhileGetsNeitherRemarkNorProgram)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    tick(values1(101, 7010, 1000));
    tick(status1("SA"));
    dbVeluser.exec(QStringLiteral("DELETE FROM MessReihen WHERE MessReiheID=?"), {series});
    view.setControlText(QStringLiteral("txtBemerkung"), QStringLiteral("too late"));
    EXPECT_EQ(count("MessReihen"), 0);
    EXPECT_TRUE(messages.shown.isEmpty());

    // Started again on the vanished series: the charger is not even asked.
    link.calls.clear();
    k.startRecording(akku, series, false, false);
    EXPECT_EQ(link.calls, QStringList());
    EXPECT_EQ(count("MessReihen"), 0);
}

TEST_F(KanalRecordingTest, DatabaseFailureInATickIsToldOnceAfterItAndTheValuesWaitForTheDatabase)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    tick(values1(101, 7010, 1000));
    dbVeluser.exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON MessWerte BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    advance(3);
    tick(values1(102, 7020, 1000));
    advance(3);
    tick(values1(103, 7030, 1000));
    EXPECT_TRUE(messages.shown.isEmpty());
    DeferredMessages::flush();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(r("0890") + QChar(13) + QChar(13)));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("disk full")));
    EXPECT_EQ(messages.shown[0].title, r("0410"));
    // The temporary series went on, nothing already recorded was lost, the
    // refused values wait in memory.
    EXPECT_EQ(temp(k.lTempMessReiheId).size(), 3);
    EXPECT_EQ(recorded(series).size(), 1);
    EXPECT_EQ(k.heldValues(true).size(), 2u);
    EXPECT_TRUE(k.bRecording);

    // The database takes writes again: the held values go in first, with
    // the times they came.
    dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse"));
    advance(3);
    tick(values1(104, 7040, 1000));
    EXPECT_EQ(recorded(series),
              (QStringList{"M:101;7010;1000;0", "M:102;7020;1000;3", "M:103;7030;1000;6", "M:104;7040;1000;9"}));
    EXPECT_TRUE(k.heldValues(true).empty());
    // A failure after values were stored again is told again; one table
    // refusing does not hold up the other.
    dbVeluser.exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON TempMessWerte BEGIN SELECT RAISE(ABORT, 'x'); END"));
    tick(values1(105, 7050, 1000));
    DeferredMessages::flush();
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(recorded(series).size(), 5);
    EXPECT_EQ(k.heldValues(false).size(), 1u);
    dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse"));
    tick(status1("SA")); // a tick without values of its own brings the held one in
    EXPECT_TRUE(k.heldValues(false).empty());
    EXPECT_EQ(temp(k.lLastTempMessReiheId).size(), 5);
}

TEST_F(KanalRecordingTest, NewTemporarySeriesAreDrawnAfterEveryResetEvenWhenEmpty)
{
    KanalLogic& k = load();
    EXPECT_EQ(k.lTempMessReiheId, 1);
    link.status.push_back(status1("SA"));
    k.resetForNewProgram();
    EXPECT_EQ(k.lTempMessReiheId, 2);
    EXPECT_EQ(k.lLastTempMessReiheId, 1);
    advance(9);
    tick(values1(1, 7000, 1000));
    EXPECT_EQ(temp(2), QStringList{"M:1;7000;1000;0"});
}
} // namespace
