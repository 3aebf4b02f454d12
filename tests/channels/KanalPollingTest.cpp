// The channel logic against a scripted link: the conversations of a start and
// of each tick, link loss and recovery with their intervals, replies of other
// channels, the retry after an unusable reply, and the re-entrancy guards.
#include "ChannelFixtures.h"

#include "channels/KanalLogic.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationResults.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {
QString ch(int n)
{
    return QStringLiteral("00%1").arg(n);
}
QString program(int n, int mode = 1, const QString& type = QStringLiteral("02"))
{
    return ch(n)
           + QStringLiteral(",P,A%1,M%2,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,")
                 .arg(type)
                 .arg(mode, 2, 10, QLatin1Char('0'));
}
QString status(int n, const char* code)
{
    return ch(n) + QStringLiteral(",M,") + QLatin1String(code) + QLatin1Char(',');
}
QString charging(int n, int mA = 1500, int mV = 1234, int mAh = 800, const char* code = "SL")
{
    return ch(n)
           + QStringLiteral(",M,%1,L%2,V%3,K%4,")
                 .arg(QLatin1String(code))
                 .arg(mA, 5, 10, QLatin1Char('0'))
                 .arg(mV, 5, 10, QLatin1Char('0'))
                 .arg(mAh, 5, 10, QLatin1Char('0'));
}
QString endValues(int n)
{
    return ch(n) + QStringLiteral(",D,SL,K01234,T95,V01450,SE,K01180,T88,V01002,");
}

class KanalPollingTest : public KanalLogicFixture {
protected:
    // A loaded channel window whose charger answers the start with a program,
    // end values and the given status.
    KanalLogic& load(int n, const QString& firstStatus = QString())
    {
        link.program.push_back(program(n));
        link.endwert.push_back(endValues(n));
        link.status.push_back(firstStatus.isEmpty() ? status(n, "SA") : firstStatus);
        return loadAsIs(n);
    }
    KanalLogic& loadAsIs(int n)
    {
        logic = std::make_unique<KanalLogic>(n, host, view, &link);
        logic->Form_Load();
        logic->stopTimers();
        link.calls.clear();
        return *logic;
    }
    QString statusShown() const { return view.texts.value(QStringLiteral("txtStatus")); }
};
} // namespace

TEST_F(KanalPollingTest, StartReadsProgramEndValuesAndStatusOfItsOwnChannel)
{
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        link.program.push_back(program(n));
        link.endwert.push_back(endValues(n));
        link.status.push_back(charging(n));
        logic = std::make_unique<KanalLogic>(n, host, view, &link);
        logic->Form_Load();
        logic->stopTimers();
        EXPECT_EQ(link.calls, (QStringList{"W" + ch(n), "D" + ch(n), "M" + ch(n)}));
        EXPECT_EQ(statusShown(), r("6012"));
        EXPECT_EQ(host.panels[QStringLiteral("Kanal%1Text").arg(n)], r("6012"));
        EXPECT_EQ(view.texts[QStringLiteral("txtAkkuTyp")], QStringLiteral("NiMH"));
        EXPECT_EQ(view.texts[QStringLiteral("txtMode")], getResource(QStringLiteral("3101")));
        EXPECT_EQ(logic->endwertList->Count(), 2);
        EXPECT_TRUE(logic->bEndwerteAvaiable);
        EXPECT_EQ(logic->pollTimer.interval(), 3000);
        link.calls.clear();
    }
    EXPECT_FALSE(host.lost);
}

TEST_F(KanalPollingTest, SilentChargerAtStartMarksTheLinkLostAndOtherChannelsReadNothing)
{
    KanalLogic& one = loadAsIs(1);
    EXPECT_TRUE(host.lost);
    EXPECT_EQ(one.pollTimer.interval(), 14000);
    EXPECT_EQ(statusShown(), r("6000"));
    EXPECT_EQ(one.comResults()->iAntwortTyp, CommunicationResults::NoReply);

    FakeView view2;
    FakeChargerPort link2;
    KanalLogic two(2, host, view2, &link2);
    two.Form_Load();
    two.stopTimers();
    EXPECT_TRUE(link2.calls.isEmpty());
    EXPECT_EQ(view2.texts[QStringLiteral("txtStatus")], r("6000"));
    // Its ticks stay idle while the link is lost; its frame goes on flashing.
    two.timerKanal_Timer();
    EXPECT_TRUE(link2.calls.isEmpty());
    EXPECT_EQ(two.pollTimer.interval(), 3000);
}

TEST_F(KanalPollingTest, ChannelOneDeclaresTheLinkLostAfterThreeMissingProgramReplies)
{
    KanalLogic& l = load(1);
    link.status.push_back(charging(1));
    l.timerKanal_Timer();
    EXPECT_EQ(statusShown(), r("6012"));

    link.silence();
    l.timerKanal_Timer(); // normal road, no reply
    EXPECT_EQ(statusShown(), r("6000"));
    EXPECT_FALSE(l.flashingTimer.isActive());
    EXPECT_FALSE(host.lost);
    for (int missing = 1; missing <= 3; ++missing) {
        l.timerKanal_Timer(); // recovery road
        EXPECT_EQ(l.iNoAnswerCount, missing);
        EXPECT_EQ(host.lost, missing == 3);
        EXPECT_EQ(l.pollTimer.interval(), missing == 3 ? 14000 : 3000);
    }
    EXPECT_EQ(link.calls, (QStringList{"M001", "M001", "W001", "W001", "W001"}));

    // While lost, its program reads let window events run.
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W001+wait"}));
    EXPECT_EQ(l.iNoAnswerCount, 4);
}

TEST_F(KanalPollingTest, ChannelOneRecoversWithoutRestartAndAsksForTheSelfDescriptionNext)
{
    KanalLogic& l = loadAsIs(1);
    ASSERT_TRUE(host.lost);
    host.check = false;
    l.timerKanal_Timer(); // still nothing: the missing reply asks for the description again
    EXPECT_TRUE(host.check);

    link.program.push_back(program(1));
    link.endwert.push_back(endValues(1));
    link.status.push_back(charging(1, 2000));
    link.program.push_back(program(1));
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W001+wait", "M001", "D001", "W001"}));
    EXPECT_FALSE(host.lost);
    EXPECT_EQ(l.iNoAnswerCount, 0);
    EXPECT_EQ(l.pollTimer.interval(), 3000);
    EXPECT_EQ(view.texts[QStringLiteral("txtStrom")], formatCurrent(2000));
    EXPECT_EQ(statusShown(), r("6012"));
    EXPECT_TRUE(l.flashingTimer.isActive());

    // The next tick takes the normal road again.
    link.status.push_back(charging(1));
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"M001"}));
}

TEST_F(KanalPollingTest, OtherChannelsSlowDownOnTheirOwnFailureAndSpeedUpOnAReply)
{
    KanalLogic& l = load(3);
    link.silence();
    l.timerKanal_Timer();
    EXPECT_EQ(l.pollTimer.interval(), 3000);
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls.last(), QStringLiteral("W003"));
    EXPECT_EQ(l.pollTimer.interval(), 6000);
    EXPECT_FALSE(host.lost); // only channel 1 decides that

    link.program.push_back(program(3));
    link.status.push_back(status(3, "SA"));
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W003", "M003", "D003"}));
    EXPECT_EQ(l.pollTimer.interval(), 3000);
    EXPECT_EQ(statusShown(), r("6010"));
}

TEST_F(KanalPollingTest, ResetForNewProgramRestartsTheChannelOnANewTemporarySeries)
{
    KanalLogic& l = load(2);
    const qint32 first = l.lTempMessReiheId;
    l.bRecording = true;
    l.lMessReiheId = 12;
    l.bEndwerteAvaiable = true;
    link.program.push_back(program(2, 4));
    link.status.push_back(status(2, "SA"));
    l.resetForNewProgram();
    EXPECT_EQ(link.calls, (QStringList{"W002", "D002", "M002"}));
    EXPECT_NE(l.lTempMessReiheId, first);
    EXPECT_EQ(l.lLastTempMessReiheId, first);
    EXPECT_FALSE(l.bRecording);
    EXPECT_EQ(l.lMessReiheId, -1);
    EXPECT_EQ(view.texts[QStringLiteral("txtMode")], getResource(QStringLiteral("3104")));
}

TEST_F(KanalPollingTest, ReplyOfAnotherChannelIsNeverShownOrTaken)
{
    KanalLogic& l = load(1, charging(1, 1000));
    const QString shownCurrent = view.texts[QStringLiteral("txtStrom")];

    // Normal road.
    link.status.push_back(charging(2, 3333, 4444, 5555, "SE"));
    l.timerKanal_Timer();
    EXPECT_EQ(view.texts[QStringLiteral("txtStrom")], shownCurrent);
    EXPECT_EQ(l.comResults()->strKanal, QStringLiteral("001"));
    EXPECT_EQ(l.comResults()->iStatusTyp, 2);
    EXPECT_EQ(l.comResults()->lStrom, 1000);

    // The retry after an unusable reply.
    link.status.push_back(QStringLiteral("-1"));
    link.status.push_back(charging(3, 3333));
    l.timerKanal_Timer();
    EXPECT_EQ(view.texts[QStringLiteral("txtStrom")], shownCurrent);
    EXPECT_EQ(l.comResults()->lStrom, 1000);

    // End values and a program that come instead of a status.
    const auto endValuesBefore = l.endwertList;
    l.bEndwerteAvaiable = false;
    link.status.push_back(endValues(2));
    l.timerKanal_Timer();
    EXPECT_EQ(l.endwertList, endValuesBefore);
    EXPECT_FALSE(l.bEndwerteAvaiable);
    const auto programBefore = l.commProgram;
    link.status.push_back(program(4, 6));
    l.timerKanal_Timer();
    EXPECT_EQ(l.commProgram, programBefore);
    EXPECT_EQ(l.commProgram->iMode, 1);

    // The recovery road: program, end values and status of another channel.
    link.silence();
    l.timerKanal_Timer();
    link.program.push_back(program(2, 6));
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W001"}));
    EXPECT_EQ(l.commProgram->iMode, 1);
    EXPECT_EQ(l.iNoAnswerCount, 0); // a reply came, but not one to count or take

    link.program.push_back(program(1));
    link.endwert.push_back(endValues(3));
    link.status.push_back(charging(2, 3333));
    l.timerKanal_Timer();
    EXPECT_EQ(statusShown(), r("6000"));
    EXPECT_EQ(l.comResults()->lStrom, 1000);
    EXPECT_EQ(l.endwertList, endValuesBefore);
}

TEST_F(KanalPollingTest, UnusableReplyIsAskedOnceMoreThenTheTickEnds)
{
    KanalLogic& l = load(1, status(1, "SA"));
    link.status.push_back(QStringLiteral("-1"));
    link.status.push_back(charging(1));
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"M001", "M001"}));
    EXPECT_EQ(statusShown(), r("6012"));

    view.texts[QStringLiteral("txtStatus")] = QStringLiteral("kept");
    link.status.push_back(QStringLiteral("-1"));
    link.status.push_back(QStringLiteral("001,M,SL,X01500,V01234,K00800,"));
    link.status.push_back(charging(1));
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"M001", "M001"}));
    EXPECT_EQ(statusShown(), QStringLiteral("kept"));

    // A status code the program does not know, twice: the state is unknown,
    // and the last values are no longer shown as if they were current.
    ASSERT_TRUE(l.bMeasurementRunning);
    link.status.clear();
    for (const char* code : {"SX", "SQZ"}) {
        link.status.push_back(QStringLiteral("001,M,%1,").arg(QLatin1String(code)));
        link.status.push_back(QStringLiteral("001,M,%1,").arg(QLatin1String(code)));
        link.calls.clear();
        l.timerKanal_Timer();
        EXPECT_EQ(link.calls, (QStringList{"M001", "M001"}));
        EXPECT_EQ(statusShown(), r("6024"));
        EXPECT_EQ(host.panels[QStringLiteral("Kanal1Text")], r("6024"));
        EXPECT_EQ(view.texts.value(QStringLiteral("txtStrom")), QString());
        EXPECT_EQ(view.texts.value(QStringLiteral("txtSpannung")), QString());
        EXPECT_FALSE(l.bMeasurementRunning);
        // A known state afterwards shows again.
        link.status.push_back(charging(1, 1600));
        l.timerKanal_Timer();
        EXPECT_EQ(statusShown(), r("6012"));
        EXPECT_EQ(view.texts.value(QStringLiteral("txtStrom")), formatCurrent(1600));
    }
}

TEST_F(KanalPollingTest, AnotherChannelsReplyToTheStartsProgramReadIsAskedAgainAtTheNextTick)
{
    link.program.push_back(program(2));
    link.endwert.push_back(endValues(1));
    link.status.push_back(status(1, "SA"));
    KanalLogic& l = loadAsIs(1);
    EXPECT_EQ(view.texts.value(QStringLiteral("txtAkkuTyp")), QString());

    link.program.push_back(program(1));
    link.status.push_back(status(1, "SA"));
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W001", "M001"}));
    EXPECT_EQ(l.commProgram->strKanal, ch(1));
    EXPECT_EQ(view.texts.value(QStringLiteral("txtAkkuTyp")), r("3002"));

    link.status.push_back(status(1, "SA"));
    link.calls.clear();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"M001"}));
}

TEST_F(KanalPollingTest, WhileTheLinkIsLostChannelOneAsksEveryFourteenSecondsWithoutTheWaitAdded)
{
    KanalLogic& l = loadAsIs(1);
    ASSERT_TRUE(host.lost);
    ASSERT_EQ(l.pollTimer.interval(), 14000);
    l.pollTimer.start();
    // The conversation waits for its missing reply (shortened here; the real
    // wait is two seconds).
    constexpr int waitMs = 60;
    link.duringConversation = [] {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < waitMs) {
        }
    };
    l.timerKanal_Timer();
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W001+wait", "W001+wait"}));
    EXPECT_EQ(l.pollTimer.interval(), 14000);
    // The timer was not started afresh after the waits: the next tick is due
    // 14 s after the last one was, not 14 s after its wait had ended.
    EXPECT_LE(l.pollTimer.remainingTime(), 14000 - 2 * waitMs);
    l.pollTimer.stop();
}

TEST_F(KanalPollingTest, ProgramStartEndsTheOldEndValuesOnBothRoads)
{
    // Normal road: status 1, then 2.
    KanalLogic& l = load(1, status(1, "SA"));
    l.bRecordingInQueue = true;
    ASSERT_TRUE(l.bEndwerteAvaiable);
    link.status.push_back(charging(1));
    l.timerKanal_Timer();
    EXPECT_FALSE(l.bEndwerteAvaiable);
    EXPECT_EQ(l.endwertList->Count(), 0);
    EXPECT_TRUE(l.bRecording);

    // 2 to 3 is no program start.
    l.bEndwerteAvaiable = true;
    link.status.push_back(charging(1, 1500, 1234, 800, "SE"));
    l.timerKanal_Timer();
    EXPECT_TRUE(l.bEndwerteAvaiable);

    // Recovery road: idle when the link went, charging when it came back.
    KanalLogic& m = load(2, status(2, "SA"));
    m.bRecordingInQueue = true;
    link.silence();
    m.timerKanal_Timer();
    ASSERT_EQ(m.comResults()->iAntwortTyp, CommunicationResults::NoReply);
    link.program.push_back(program(2));
    link.status.push_back(charging(2));
    m.timerKanal_Timer();
    EXPECT_FALSE(m.bEndwerteAvaiable);
    EXPECT_TRUE(m.bRecording);
}

TEST_F(KanalPollingTest, RefusedProgramReadShowsTheRefusalUntilAProgramComes)
{
    link.program.push_back(status(1, "SK"));
    link.status.push_back(charging(1));
    KanalLogic& l = loadAsIs(1);
    EXPECT_EQ(l.commProgram->iAkkuTyp, -4);
    EXPECT_EQ(statusShown(), r("0878"));
    EXPECT_EQ(view.texts[QStringLiteral("txtNennKapazitaet")], QStringLiteral("---"));
    EXPECT_EQ(l.comResults()->iStatusTyp, 7);
    EXPECT_EQ(l.comResults()->iFehlerCode, 2);

    // The next tick takes the recovery road; the refusal shows also without a status reply.
    link.program.push_back(status(1, "SK"));
    link.program.push_back(status(1, "SK"));
    l.timerKanal_Timer();
    EXPECT_EQ(link.calls, (QStringList{"W001", "M001", "D001", "W001"}));
    EXPECT_EQ(statusShown(), r("0878"));

    link.program.push_back(program(1));
    link.status.push_back(charging(1));
    link.program.push_back(program(1));
    l.timerKanal_Timer();
    EXPECT_EQ(statusShown(), r("6012"));
}

TEST_F(KanalPollingTest, BusyLinkOrRunningTickKeepsTheTickOut)
{
    KanalLogic& l = load(1);
    link.busy = true;
    l.timerKanal_Timer();
    EXPECT_TRUE(link.calls.isEmpty());
    EXPECT_EQ(l.iNoAnswerCount, 0);
    link.busy = false;

    // A timer firing during this window's own conversation (events run while
    // it waits) starts no second tick.
    link.status.push_back(charging(1));
    int nested = 0;
    link.duringConversation = [&] {
        ++nested;
        l.timerKanal_Timer();
    };
    l.timerKanal_Timer();
    link.duringConversation = nullptr;
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(link.calls, (QStringList{"M001"}));
}

TEST_F(KanalPollingTest, ClosingTheHeadingAfterIdleUnlessRecording)
{
    KanalLogic& l = load(1, charging(1));
    view.texts[QStringLiteral("frameAkkumesswerte")] = QStringLiteral("Pack A / 3");
    view.texts[QStringLiteral("txtBemerkung")] = QStringLiteral("remark");
    l.bRecordingInQueue = true;
    link.status.push_back(status(1, "SA"));
    l.timerKanal_Timer();
    EXPECT_EQ(view.texts[QStringLiteral("frameAkkumesswerte")], QStringLiteral("Pack A / 3"));
    EXPECT_FALSE(l.bResetHeading);

    l.bRecordingInQueue = false;
    link.status.push_back(status(1, "SA"));
    l.timerKanal_Timer();
    EXPECT_EQ(view.texts[QStringLiteral("frameAkkumesswerte")], r("0818") + QStringLiteral(" - ") + r("0820"));
    EXPECT_EQ(view.texts[QStringLiteral("txtBemerkung")], QString());
    EXPECT_FALSE(l.bResetHeading);
}

TEST_F(KanalPollingTest, ChannelTheChargerDoesNotHaveIsNeverAsked)
{
    // A self-describing charger with two channels: window 3 must not wait out
    // a missing reply at every poll.
    host.channelsPresent = 2;
    logic = std::make_unique<KanalLogic>(3, host, view, &link);
    logic->Form_Load();
    logic->stopTimers();
    logic->timerKanal_Timer();
    logic->timerKanal_Timer();
    EXPECT_TRUE(link.calls.isEmpty());

    // Once the charger reports more channels, the window takes up its polls.
    host.channelsPresent = 4;
    link.program.push_back(program(3));
    link.endwert.push_back(endValues(3));
    link.status.push_back(status(3, "SA"));
    logic->timerKanal_Timer();
    EXPECT_FALSE(link.calls.isEmpty());
}
