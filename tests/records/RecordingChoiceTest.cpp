// Choosing on a channel what it records: new battery, new series, now or with
// the next program start, stopping, and a queued series discarded.
#include "RecordsFixture.h"

#include "core/SeriesStore.h"
#include "platform/Database.h"

#include <QLocale>

namespace {

class RecordingChoiceTest : public RecordsTest {
protected:
    // A fresh channel with a battery of `seriesCount` series, the one numbered
    // `queuedNummer` empty and queued for the next program start; the others
    // hold three values each.
    std::pair<qint32, qint32> queueSeries(const char* name, int seriesCount, int queuedNummer)
    {
        channel = FakeChannel();
        messages.shown.clear();
        const qint32 a = akku(QString::fromLatin1(name));
        qint32 queued = -1;
        for (int n = 1; n <= seriesCount; ++n) {
            const qint32 id = series(a, n, n == queuedNummer ? 0 : 3);
            if (n == queuedNummer)
                queued = id;
        }
        channel.lAkkuId = a;
        channel.lMessReiheId = queued;
        channel.bRecordingInQueue = true;
        return {a, queued};
    }

    // A fresh channel, measuring or not and with end values or not, whose
    // battery has one series; the records dialog opened from it.
    std::unique_ptr<MesswerteErfassenLogic> openOnFreshChannel(const char* name, bool measuringNow, bool withEndValues)
    {
        channel = FakeChannel();
        measuring = measuringNow;
        endValues = withEndValues;
        messages.shown.clear();
        const qint32 a = akku(QString::fromLatin1(name));
        series(a, 1);
        channel.lAkkuId = a;
        return fromChannel();
    }
};

struct ChoiceCase {
    const char* name;
    bool chooseNext;               // optNaechster chosen by the user
    MessageService::Result answer; // to "0750" (when asked)
    bool measuring;
    bool endValues;
    bool asked;
    bool inQueue;
    bool withTemp;
    bool nextSelectedAfter;
};

TEST_F(RecordingChoiceTest, TheChoiceDecidesHowTheChannelStarts)
{
    const ChoiceCase cases[] = {
        {"next program", true, MessageService::Yes, true, false, false, true, false, true},
        {"now, yes", false, MessageService::Yes, true, false, true, false, true, false},
        {"now, yes, idle with end values", false, MessageService::Yes, false, true, true, false, true, false},
        {"now, no, idle", false, MessageService::No, false, true, true, true, false, true},
        {"now, no, measuring", false, MessageService::No, true, false, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = openOnFreshChannel(c.name, c.measuring, c.endValues);
        const qint32 a = channel.lAkkuId;
        EXPECT_FALSE(d->control(QStringLiteral("optNaechster")).checked);
        if (c.chooseNext)
            d->optNaechster_Click();
        if (c.asked)
            messages.answer(c.answer);
        d->addNewMeasurementRow(QStringLiteral("remark"));

        const qint32 made =
            dbVeluser.scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen WHERE AkkuId=? AND Nummer=2"), {a})
                .toInt();
        ASSERT_NE(made, 0);
        EXPECT_EQ(channel.calls.value(0),
                  QStringLiteral("start(%1,%2,%3,%4)").arg(a).arg(made).arg(c.inQueue).arg(c.withTemp));
        EXPECT_EQ(channel.calls.value(1), QStringLiteral("heading(%1,remark,2)").arg(QString::fromLatin1(c.name)));
        EXPECT_EQ(messages.shown.size(), c.asked ? 1 : 0);
        if (c.asked) {
            EXPECT_EQ(messages.shown[0].text, r("0750"));
            EXPECT_EQ(messages.shown[0].icon, MessageService::Question);
            EXPECT_EQ(messages.shown[0].title, r("0700"));
        }
        EXPECT_EQ(d->control(QStringLiteral("optNaechster")).checked, c.nextSelectedAfter);
        // Locked: only closing is left.
        EXPECT_TRUE(d->isLocked());
        for (const char* name :
             {"cmdNeuerAkku", "cmdNeueMessreihe", "cmdKeineErfassung", "frameErfassung", "optSofort", "optNaechster"})
            EXPECT_FALSE(d->control(QString::fromLatin1(name)).enabled) << name;
        EXPECT_EQ(d->control(QStringLiteral("cmdCancel")).text, r("0100"));
    }
}

TEST_F(RecordingChoiceTest, OpeningFromAChannelSetsTitleOptionsAndTheChannelsBattery)
{
    akku(QStringLiteral("Alpha"));
    const qint32 b = akku(QStringLiteral("Beta"), QStringLiteral("the second"));
    series(b, 1);
    series(b, 2);
    {
        // Idle, no end values: only the next program start is offered; no battery of its own.
        auto d = fromChannel();
        EXPECT_EQ(d->control(QStringLiteral("dlgMesswerteErfassen")).text, r("0700") + " - " + r("0701") + " 3");
        EXPECT_EQ(d->chosenAkkuName(), QStringLiteral("Alpha"));
        EXPECT_TRUE(d->control(QStringLiteral("optNaechster")).checked);
        EXPECT_FALSE(d->control(QStringLiteral("optSofort")).enabled);
        EXPECT_FALSE(d->control(QStringLiteral("cmdKeineErfassung")).enabled);
        EXPECT_FALSE(d->control(QStringLiteral("cmdAkkuLoeschen")).visible);
        EXPECT_EQ(d->seriesCount(), 0);
        EXPECT_TRUE(d->control(QStringLiteral("cmdNeueMessreihe")).enabled);
    }
    channel.lAkkuId = b;
    channel.bRecording = true;
    measuring = true;
    auto d = fromChannel();
    EXPECT_EQ(d->chosenAkkuId(), b);
    EXPECT_EQ(d->control(QStringLiteral("cboAkkus")).toolTip, QStringLiteral("the second"));
    EXPECT_EQ(d->seriesCount(), 2);
    EXPECT_TRUE(d->control(QStringLiteral("cmdKeineErfassung")).enabled);
    EXPECT_FALSE(d->control(QStringLiteral("frameErfassung")).enabled);
    // Opening never ended the recording.
    EXPECT_TRUE(channel.calls.isEmpty());

    d->cmdKeineErfassung_Click();
    EXPECT_EQ(channel.calls, QStringList({QStringLiteral("end"), QStringLiteral("heading(,,)")}));
    EXPECT_TRUE(d->isLocked());
    EXPECT_EQ(seriesOf(b), QStringList({QStringLiteral("s1:1"), QStringLiteral("s2:2")}));
}

TEST_F(RecordingChoiceTest, NewBatteryIsWrittenWithItsFirstSeriesAndRecorded)
{
    endValues = true;
    auto d = fromChannel();
    EXPECT_FALSE(d->control(QStringLiteral("cmdNeueMessreihe")).enabled); // no battery yet
    messages.answer(MessageService::Yes);
    d->addNewAkku(QStringLiteral(" Pack A"), QStringLiteral("pack remark"), QStringLiteral("first"));
    const qint32 a = dbVeluser.scalar(QStringLiteral("SELECT AkkuId FROM Akkus WHERE AkkuName=' Pack A'")).toInt();
    ASSERT_NE(a, 0);
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT bemerkung FROM Akkus WHERE AkkuId=?"), {a}).toString(),
              QStringLiteral("pack remark"));
    EXPECT_EQ(seriesOf(a), QStringList({QStringLiteral("first:1")}));
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT Datum FROM MessReihen WHERE AkkuId=?"), {a}).toString(),
              QStringLiteral("2024-05-01 09:30:00"));
    const qint32 s = dbVeluser.scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen WHERE AkkuId=?"), {a}).toInt();
    EXPECT_EQ(channel.calls, QStringList({QStringLiteral("start(%1,%2,0,1)").arg(a).arg(s),
                                          QStringLiteral("heading( Pack A,first,1)")}));
    EXPECT_EQ(d->chosenAkkuId(), a);
    EXPECT_EQ(d->seriesCount(), 1);
    EXPECT_TRUE(d->isLocked());
}

TEST_F(RecordingChoiceTest, AFailedStartLeavesNoRowsBehindAndTheChoiceOpen)
{
    const qint32 a = akku(QStringLiteral("Old"));
    series(a, 1);
    channel.lAkkuId = a;
    channel.failStart = [] { throw DatabaseError(QStringLiteral("disk full")); };
    const QString before = snapshot();

    auto d = fromChannel();
    d->optNaechster_Click();
    d->addNewAkku(QStringLiteral("New"), QString(), QString());
    EXPECT_EQ(snapshot(), before);
    d->addNewMeasurementRow(QStringLiteral("second"));
    EXPECT_EQ(snapshot(), before);

    ASSERT_EQ(messages.shown.size(), 2);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.icon, MessageService::Critical);
        EXPECT_TRUE(shown.text.contains(QStringLiteral("disk full"))) << shown.text.toStdString();
    }
    EXPECT_FALSE(d->isLocked());
    EXPECT_TRUE(d->control(QStringLiteral("cmdNeuerAkku")).enabled);
    EXPECT_EQ(channel.lMessReiheId, -1);
    EXPECT_EQ(d->seriesCount(), 1);
    // Once the channel can start, the same choice works.
    channel.failStart = nullptr;
    d->addNewMeasurementRow(QStringLiteral("second"));
    EXPECT_EQ(seriesOf(a), QStringList({QStringLiteral("s1:1"), QStringLiteral("second:2")}));
    EXPECT_TRUE(d->isLocked());
}

TEST_F(RecordingChoiceTest, NewSeriesNumbersFollowTheHighestAndRespectChannelsUsingTheBattery)
{
    const qint32 a = akku(QStringLiteral("Three"));
    for (int n = 1; n <= 3; ++n)
        series(a, n);
    const qint32 empty = akku(QStringLiteral("Empty"));
    EXPECT_EQ(SeriesStore(dbVeluser).insertSeries(a, QString(), QDateTime::currentDateTime()).nummer, 4);
    EXPECT_EQ(SeriesStore(dbVeluser).insertSeries(empty, QString(), QDateTime::currentDateTime()).nummer, 1);

    channel.lAkkuId = a;
    auto d = fromChannel();
    host.usedBy[a] = QStringLiteral("002");
    EXPECT_FALSE(d->cmdNeueMessreihe_Allowed());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, r("0748") + " 2 " + r("0749"));
    host.usedBy[a] = QString(); // the channels cannot be asked
    EXPECT_FALSE(d->cmdNeueMessreihe_Allowed());
    host.usedBy.remove(a);
    EXPECT_TRUE(d->cmdNeueMessreihe_Allowed());

    // No battery chosen: no new series, and the button says so.
    d->cboAkkus_Click(-1);
    EXPECT_FALSE(d->control(QStringLiteral("cmdNeueMessreihe")).enabled);
    EXPECT_FALSE(d->cmdNeueMessreihe_Allowed());
    d->cboAkkus_Click(0);
    EXPECT_TRUE(d->control(QStringLiteral("cmdNeueMessreihe")).enabled);
}

struct DiscardCase {
    const char* name;
    int queuedNummer;
    int seriesCount;
    MessageService::Result answer;
    bool shown;
    bool akkuLeft;
    int seriesLeft;
};

TEST_F(RecordingChoiceTest, AQueuedSeriesIsDiscardedOnlyWhenTheUserSaysSo)
{
    const DiscardCase cases[] = {
        {"first series, yes", 1, 1, MessageService::Yes, true, false, 0},
        {"third series, yes", 3, 3, MessageService::Yes, true, true, 2},
        {"declined", 1, 1, MessageService::No, false, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [a, queued] = queueSeries(c.name, c.seriesCount, c.queuedNummer);
        messages.answer(c.answer);
        bool bShow = false;
        auto d = fromChannel(bShow);
        EXPECT_EQ(bShow, c.shown);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, r("0726"));
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuId=?"), {a}), c.akkuLeft ? 1 : 0);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessReihen WHERE AkkuId=?"), {a}), c.seriesLeft);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessReihen WHERE MessReiheID=?"), {queued}),
                  c.shown ? 0 : 1);
        if (c.shown) {
            EXPECT_FALSE(channel.bRecordingInQueue);
            EXPECT_EQ(channel.lMessReiheId, -1);
            EXPECT_EQ(channel.lAkkuId, c.akkuLeft ? a : -1);
            // The channel forgot the series before its remark box was emptied.
            EXPECT_EQ(channel.calls, QStringList(QStringLiteral("heading(,,)")));
            EXPECT_EQ(channel.remarkSeriesAtHeading, -1);
            EXPECT_EQ(d->chosenAkkuId(), c.akkuLeft ? a : -1);
            EXPECT_EQ(d->control(QStringLiteral("cmdNeueMessreihe")).enabled, c.akkuLeft);
        } else {
            EXPECT_TRUE(channel.bRecordingInQueue);
            EXPECT_EQ(channel.lMessReiheId, queued);
            EXPECT_TRUE(channel.calls.isEmpty());
        }
    }
}

TEST_F(RecordingChoiceTest, ASeriesThatStartedFromTheQueueIsNeverOfferedForDiscarding)
{
    const qint32 a = akku(QStringLiteral("Running"));
    const qint32 s = series(a, 1);
    channel.lAkkuId = a;
    channel.lMessReiheId = s;
    channel.bRecordingInQueue = true;
    channel.bRecording = true;
    measuring = true;
    bool bShow = false;
    auto d = fromChannel(bShow);
    EXPECT_TRUE(bShow);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {s}), 3);
    EXPECT_TRUE(channel.calls.isEmpty());
}

struct StartedMeanwhileCase {
    const char* name;
    int queuedNummer;
    bool recording;    // the channel records the series when the answer comes
    bool stillQueued;  // its queue mark is still set
    int valuesWritten; // values the recording stored meanwhile
};

TEST_F(RecordingChoiceTest, AQueuedSeriesThatStartsWhileTheQuestionIsOpenIsKept)
{
    const StartedMeanwhileCase cases[] = {
        {"first series, recording, nothing stored yet", 1, true, true, 0},
        {"third series, recording with values", 3, true, false, 5},
        {"a whole charge recorded and ended", 1, false, false, 40},
        // The channel still looks queued but the series holds values.
        {"values stored, channel not yet told", 2, false, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [a, queued] = queueSeries(c.name, c.queuedNummer, c.queuedNummer);

        // The charger starts the program while the question is open.
        WhileBoxOpen polling(services);
        polling.on(r("0726"), [&] {
            channel.programStarts();
            channel.bRecording = c.recording;
            channel.bRecordingInQueue = c.stillQueued;
            channel.bMeasurementRunning = c.recording;
            for (int i = 0; i < c.valuesWritten; ++i)
                dbVeluser.exec(
                    QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (?, 0, ?)"),
                    {queued, QStringLiteral("1;2;3;%1").arg(i)});
        });
        const QStringList before = seriesOf(a);
        messages.answer(MessageService::Yes);
        bool bShow = false;
        auto d = fromChannel(bShow);

        EXPECT_EQ(seriesOf(a), before);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuId=?"), {a}), 1);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {queued}),
                  c.valuesWritten);
        ASSERT_EQ(messages.shown.size(), 2);
        EXPECT_EQ(messages.shown[0].text, r("0726"));
        EXPECT_EQ(messages.shown[1].text, r("0755"));
        EXPECT_EQ(messages.shown[1].buttons, MessageService::OkOnly);
        // The channel goes on as it is; the dialog shows it so.
        EXPECT_TRUE(channel.calls.isEmpty());
        EXPECT_EQ(channel.lMessReiheId, queued);
        EXPECT_EQ(channel.lAkkuId, a);
        EXPECT_TRUE(bShow);
        EXPECT_EQ(d->chosenAkkuId(), a);
        EXPECT_EQ(d->control(QStringLiteral("cmdKeineErfassung")).enabled, c.recording);
        EXPECT_EQ(d->control(QStringLiteral("frameErfassung")).enabled, !c.recording);
        EXPECT_EQ(d->seriesCount(), c.queuedNummer);
    }
}

struct LateStateCase {
    const char* name;
    bool measuringAtOpening;
    bool endValuesAtOpening;
    bool measuringAtAnswer;
    MessageService::Result answer;
    bool inQueue;
    bool withTemp;
};

TEST_F(RecordingChoiceTest, TheChannelsStateWhenTheRecordNowQuestionIsAnsweredDecides)
{
    const LateStateCase cases[] = {
        {"program ended meanwhile, no", true, false, false, MessageService::No, true, false},
        {"program started meanwhile, no", false, true, true, MessageService::No, false, false},
        {"program ended meanwhile, yes", true, false, false, MessageService::Yes, false, true},
        {"still measuring, no", true, false, true, MessageService::No, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = openOnFreshChannel(c.name, c.measuringAtOpening, c.endValuesAtOpening);
        const qint32 a = channel.lAkkuId;
        WhileBoxOpen polling(services);
        polling.on(r("0750"), [&] { channel.bMeasurementRunning = c.measuringAtAnswer; });
        messages.answer(c.answer);
        d->addNewMeasurementRow(QStringLiteral("late"));
        const qint32 made =
            dbVeluser.scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen WHERE AkkuId=? AND Nummer=2"), {a})
                .toInt();
        EXPECT_EQ(channel.calls.value(0),
                  QStringLiteral("start(%1,%2,%3,%4)").arg(a).arg(made).arg(c.inQueue).arg(c.withTemp));
        EXPECT_EQ(d->control(QStringLiteral("optNaechster")).checked, c.inQueue);
    }
}

struct StartWhileOpenCase {
    const char* name;
    bool measuringAtOpening;
    bool endValuesAtOpening;
    bool chooseNext;
    MessageService::Result answer; // to "0750" when asked
    bool programStarts;            // a program starts while the dialogs are open
    bool measuringAtAnswer;
    const char* call; // what the channel is told: %1 battery, %2 series
    const char* told; // what the user is told afterwards, or nullptr
};

TEST_F(RecordingChoiceTest, AProgramThatStartsWhileTheDialogIsOpenIsRecordedFromItsStartWhenTheSeriesWouldWaitForIt)
{
    const StartWhileOpenCase cases[] = {
        {"idle, still idle", false, false, false, MessageService::Yes, false, false, "start(%1,%2,1,0)", nullptr},
        {"idle, program runs", false, false, false, MessageService::Yes, true, true, "fromStart(%1,%2)", "0758"},
        {"idle, program ran and ended", false, false, false, MessageService::Yes, true, false, "fromStart(%1,%2)",
         "0759"},
        {"next chosen while measuring", true, false, true, MessageService::Yes, false, true, "start(%1,%2,1,0)",
         nullptr},
        {"next chosen, a new program runs", true, false, true, MessageService::Yes, true, true, "fromStart(%1,%2)",
         "0758"},
        // The explicit choices stay as they are.
        {"now, no, measuring", false, true, false, MessageService::No, true, true, "start(%1,%2,0,0)", nullptr},
        {"now, no, ended again", false, true, false, MessageService::No, true, false, "start(%1,%2,1,0)", nullptr},
        {"now, yes", false, true, false, MessageService::Yes, true, true, "start(%1,%2,0,1)", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = openOnFreshChannel(c.name, c.measuringAtOpening, c.endValuesAtOpening);
        const qint32 a = channel.lAkkuId;
        if (c.chooseNext)
            d->optNaechster_Click();
        // The channel polls on while the new series dialog is open.
        if (c.programStarts)
            channel.programStarts();
        channel.bMeasurementRunning = c.measuringAtAnswer;
        channel.startedProgramRuns = c.measuringAtAnswer;
        const bool asked = !d->control(QStringLiteral("optNaechster")).checked;
        if (asked)
            messages.answer(c.answer);
        d->addNewMeasurementRow(QStringLiteral("while open"));

        const qint32 made =
            dbVeluser.scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen WHERE AkkuId=? AND Nummer=2"), {a})
                .toInt();
        EXPECT_EQ(channel.calls.value(0), QString::fromLatin1(c.call).arg(a).arg(made));
        QStringList told;
        if (asked)
            told << r("0750");
        if (c.told)
            told << r(c.told);
        EXPECT_EQ(messages.texts(), told);
        if (c.told) {
            EXPECT_EQ(messages.shown.last().icon, MessageService::Information);
            EXPECT_EQ(messages.shown.last().title, r("0700"));
            EXPECT_TRUE(d->control(QStringLiteral("optSofort")).checked);
        }
        EXPECT_TRUE(d->isLocked());
    }
}

TEST_F(RecordingChoiceTest, ANewSeriesIsRefusedWhenTheBatteryCameIntoUseWhileItsDialogWasOpen)
{
    const qint32 a = akku(QStringLiteral("Pack"));
    series(a, 1);
    channel.lAkkuId = a;
    measuring = true;
    auto d = fromChannel();
    ASSERT_TRUE(d->cmdNeueMessreihe_Allowed());
    const QString before = snapshot();
    host.usedBy[a] = QStringLiteral("004");
    d->addNewMeasurementRow(QStringLiteral("too late"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(channel.calls.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList(r("0748") + " 4 " + r("0749")));
    EXPECT_FALSE(d->isLocked());
}

TEST_F(RecordingChoiceTest, AFailedDiscardKeepsTheQueueAndDoesNotShowTheDialog)
{
    const qint32 a = akku(QStringLiteral("Queued"));
    const qint32 s = series(a, 1, 0);
    channel.lAkkuId = a;
    channel.lMessReiheId = s;
    channel.bRecordingInQueue = true;
    refuse("DELETE", "MessReihen");
    const QString before = snapshot();
    bool bShow = true;
    auto d = fromChannel(bShow);
    EXPECT_FALSE(bShow);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(channel.bRecordingInQueue);
    EXPECT_EQ(channel.lMessReiheId, s);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].icon, MessageService::Critical);
}

TEST_F(RecordingChoiceTest, BatteryNamesAreCheckedExactlyAsStored)
{
    akku(QStringLiteral(" Lead"));
    akku(QStringLiteral("NiMH pack"));
    const struct {
        const char* name;
        bool unique;
    } cases[] = {
        {"NiMH pack", false}, {"  NiMH pack ", false}, {"nimh PACK", true},
        {"Lead", true},       {" Lead", true},         {"Other", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SeriesStore(dbVeluser).isAkkuNameUnique(QString::fromLatin1(c.name)), c.unique) << c.name;
}

TEST_F(RecordingChoiceTest, RemarkLimitsFallBackToTheColumnWidth)
{
    EXPECT_EQ(MesswerteErfassenLogic::remarkLimit(QStringLiteral("120")), 120);
    EXPECT_EQ(MesswerteErfassenLogic::remarkLimit(QStringLiteral(" 80 ")), 80);
    for (const char* bad : {"", "abc", "0", "-5", "12,5"})
        EXPECT_EQ(MesswerteErfassenLogic::remarkLimit(QString::fromLatin1(bad)), MesswerteErfassenLogic::kRemarkWidth)
            << bad;
}

} // namespace
