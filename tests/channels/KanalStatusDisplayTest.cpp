// The status display: every status and error code with its text, values and
// flags, the two error boxes, the program summary and the mode text.
#include "ChannelFixtures.h"
#include "WhileBoxOpen.h"

#include "channels/KanalLogic.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "link/CommunicationResults.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
const QString CR(QChar(13));

class KanalStatusDisplayTest : public KanalLogicFixture {
protected:
    void SetUp() override
    {
        KanalLogicFixture::SetUp();
        link.programFallback = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,");
        link.statusFallback = QStringLiteral("001,M,SA,");
        logic = std::make_unique<KanalLogic>(1, host, view, &link);
        logic->Form_Load();
        logic->stopTimers();
    }
    // Shows one status payload through the record, as a tick does.
    void show(const QString& payload)
    {
        logic->comResults()->splitRecievedString(QString(payload));
        logic->showStatus(*logic->comResults());
    }
    void seedValues()
    {
        for (const char* f : {"txtSpannung", "txtStrom", "txtKapazitaet"})
            view.texts[QString::fromLatin1(f)] = QStringLiteral("old");
    }
    QString values() const
    {
        return view.texts.value(QStringLiteral("txtSpannung")) + QLatin1Char('|')
               + view.texts.value(QStringLiteral("txtStrom")) + QLatin1Char('|')
               + view.texts.value(QStringLiteral("txtKapazitaet"));
    }
};
} // namespace

TEST_F(KanalStatusDisplayTest, EveryStatusAndErrorCodeShowsItsTextValuesAndFlags)
{
    const QString shown =
        formatVoltage(1234) + QLatin1Char('|') + formatCurrent(1500) + QLatin1Char('|') + formatCapacity(800);
    struct Case {
        const char* payload;
        const char* text;   // nullptr: the status text stays
        const char* values; // "old", "cleared", "shown"
        int measurement;    // -1 unchanged
        bool recordingEnds;
        bool newTempSeries;
    } cases[] = {
        {"001,M,SA,", "6010", "cleared", 0, true, true},
        {"001,M,SL,L01500,V01234,K00800,", "6012", "shown", 1, false, false},
        {"001,M,SE,L01500,V01234,K00800,", "6014", "shown", 1, false, false},
        {"001,M,SM,L01500,V01234,K00800,", "6016", "old", 0, true, true},
        {"001,M,SF,", "6018", "cleared", 0, true, true},
        {"001,M,SW,", "6020", "cleared", 0, false, false},
        {"001,M,SP,", "6022", "old", 0, false, true},
        {"001,M,SK,", "0878", "old", 0, false, false},
        {"001,M,SG,", nullptr, "old", -1, false, false},
        {"001,M,SQT,", "0882", "old", -1, false, false},
        {"001,M,SQV,", "0874", "old", 0, true, false},
        {"001,M,SQR,", nullptr, "old", -1, false, false},
        {"001,M,SQU,", "0884", "old", -1, false, false},
        {"001,M,SQP,", "0886", "old", 0, false, false},
        {"001,M,SQS,", "0888", "old", 0, false, false},
        // Short replies: the values keep their texts.
        {"001,M,SL,", "6012", "old", -1, false, false},
        {"001,M,SE,", "6014", "old", -1, false, false},
        // No reply and replies the display leaves alone.
        {"", "6000", "cleared", 0, false, true},
        {"-1", nullptr, "old", -1, false, false},
        {"001,D,SL,K01234,T95,V01450,", nullptr, "old", -1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.payload);
        seedValues();
        view.texts[QStringLiteral("txtStatus")] = QStringLiteral("before");
        host.panels[QStringLiteral("Kanal1Text")] = QStringLiteral("before");
        logic->bMeasurementRunning = true;
        logic->bRecording = true;
        logic->bTempValuesWritten = true;
        const qint32 temp = logic->lTempMessReiheId;
        show(QString::fromLatin1(c.payload));

        const QString expectedText = c.text ? r(c.text) : QStringLiteral("before");
        EXPECT_EQ(view.texts[QStringLiteral("txtStatus")], expectedText);
        EXPECT_EQ(host.panels[QStringLiteral("Kanal1Text")], expectedText);
        const QString v = QString::fromLatin1(c.values);
        EXPECT_EQ(values(), v == u"old"       ? QStringLiteral("old|old|old")
                            : v == u"cleared" ? QStringLiteral("||")
                                              : shown);
        if (c.measurement >= 0)
            EXPECT_EQ(logic->bMeasurementRunning, c.measurement == 1);
        else
            EXPECT_TRUE(logic->bMeasurementRunning);
        EXPECT_EQ(logic->bRecording, !c.recordingEnds);
        EXPECT_EQ(logic->lTempMessReiheId != temp, c.newTempSeries);
    }
    // An ended recording keeps its series and battery.
    logic->lMessReiheId = 4;
    logic->lAkkuId = 9;
    logic->bRecordingInQueue = false;
    show(QStringLiteral("001,M,SA,"));
    EXPECT_EQ(logic->lMessReiheId, 4);
    EXPECT_EQ(logic->lAkkuId, 9);
}

TEST_F(KanalStatusDisplayTest, ShortTrickleReplyChangesNothingAtAll)
{
    show(QStringLiteral("001,M,SL,L01500,V01234,K00800,"));
    const QString before = view.texts[QStringLiteral("txtStatus")];
    const QString vals = values();
    show(QStringLiteral("001,M,SM,"));
    EXPECT_EQ(view.texts[QStringLiteral("txtStatus")], before);
    EXPECT_EQ(values(), vals);
    EXPECT_TRUE(logic->bMeasurementRunning);
}

TEST_F(KanalStatusDisplayTest, NoReplyEmptiesProgramFieldsAndRemarkButKeepsTheRecording)
{
    view.texts[QStringLiteral("txtBemerkung")] = QStringLiteral("remark");
    ASSERT_FALSE(view.texts[QStringLiteral("txtAkkuTyp")].isEmpty());
    logic->bRecording = true;
    show(QString());
    for (const char* f : {"txtAkkuTyp", "txtMode", "txtNennKapazitaet", "txtBemerkung"})
        EXPECT_EQ(view.texts[QString::fromLatin1(f)], QString()) << f;
    EXPECT_TRUE(logic->bRecording);
    EXPECT_EQ(view.texts[QStringLiteral("txtStatus")], r("6000"));
}

TEST_F(KanalStatusDisplayTest, IdleAndFinishedShowTheBatteryCondition)
{
    view.texts[QStringLiteral("txtAkkuzustand")] = QStringLiteral("old");
    show(QStringLiteral("001,M,SA,X3,"));
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuzustand")], r("0870"));
    EXPECT_TRUE(logic->bResetHeading);

    logic->setStatusFlashing(true);
    show(QStringLiteral("001,M,SF,X2,"));
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuzustand")], r("0872"));
    EXPECT_FALSE(logic->flashingTimer.isActive());
    EXPECT_EQ(view.colors[QStringLiteral("frameStatus")], KanalLogic::kCaptionNormal);

    show(QStringLiteral("001,M,SF,"));
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuzustand")], r("0872"));
}

TEST_F(KanalStatusDisplayTest, WaitingEndsTheRecordingOnlyInModeSix)
{
    logic->bRecording = true;
    logic->commProgram->iMode = 3;
    show(QStringLiteral("001,M,SW,"));
    EXPECT_TRUE(logic->bRecording);
    EXPECT_EQ(values(), QStringLiteral("||"));
    logic->commProgram->iMode = 6;
    show(QStringLiteral("001,M,SW,"));
    EXPECT_FALSE(logic->bRecording);
}

TEST_F(KanalStatusDisplayTest, DeviceFaultAndReversedBatteryShowTheirBoxesAfterTheTickOnePerChannel)
{
    show(QStringLiteral("001,M,SL,L01500,V01234,K00800,"));
    show(QStringLiteral("001,M,SG,"));
    // Not inside the poll: the box waits until the tick has ended.
    EXPECT_TRUE(messages.shown.isEmpty());
    DeferredMessages::flush();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, r("0880") + CR + CR + r("0881"));
    EXPECT_EQ(messages.shown[0].buttons, MessageService::OkOnly);
    EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
    EXPECT_EQ(messages.shown[0].title, r("0120"));
    EXPECT_EQ(view.texts[QStringLiteral("txtStatus")], r("6012"));

    // The box comes again with the next reply that carries the code ...
    show(QStringLiteral("001,M,SQR,"));
    DeferredMessages::flush();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, r("0876"));

    // ... but not while one of this channel waits or is open; and while it
    // is open this channel and the others go on polling.
    FakeView view2;
    FakeChargerPort link2;
    link2.programFallback = QStringLiteral("002,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,");
    link2.status.push_back(QStringLiteral("002,M,SA,"));
    link2.statusFallback = QStringLiteral("002,M,SQR,");
    KanalLogic other(2, host, view2, &link2);
    other.Form_Load();
    other.stopTimers();
    WhileBoxOpen box{services};
    int ticksWhileOpen = 0;
    box.whileOpen = [&] {
        for (int i = 0; i < 3; ++i) {
            link.status.push_back(QStringLiteral("001,M,SQR,"));
            logic->timerKanal_Timer();
            other.timerKanal_Timer();
            ++ticksWhileOpen;
        }
        // The poll timer of channel 1 fires while its box is open: the tick runs.
        EXPECT_EQ(link.calls.count(QStringLiteral("M001")), 4);
        EXPECT_EQ(link2.calls.count(QStringLiteral("M002")), 3);
    };
    link.calls.clear();
    link2.calls.clear();
    link.status.push_back(QStringLiteral("001,M,SG,"));
    logic->timerKanal_Timer();
    show(QStringLiteral("001,M,SG,")); // a second one of the same tick: dropped
    DeferredMessages::flush();
    EXPECT_EQ(ticksWhileOpen, 3);
    // Channel 1's "SG" box (its "SQR" came while it was open), then the one
    // box of channel 2, posted by its first tick meanwhile (its later ticks
    // found theirs waiting).
    EXPECT_EQ(box.texts, (QStringList{r("0880") + CR + CR + r("0881"), r("0876")}));
    EXPECT_EQ(DeferredMessages::pendingCount(), 0);
}

TEST_F(KanalStatusDisplayTest, ProgramSummaryForKnownUnknownAndRefusedPrograms)
{
    CommunicationProgram p;
    p.strKanal = QStringLiteral("001");
    p.iAkkuTyp = 3;
    p.iMode = 6;
    p.lKapazitaet = 2500;
    logic->showProgram(p);
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuTyp")], r("3003"));
    EXPECT_EQ(view.texts[QStringLiteral("txtMode")], r("3106"));
    EXPECT_EQ(view.texts[QStringLiteral("txtNennKapazitaet")], formatCapacity(2500));

    p.iAkkuTyp = 5;
    p.lKapazitaet = -3;
    logic->showProgram(p);
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuTyp")], r("0912"));
    EXPECT_EQ(view.texts[QStringLiteral("txtNennKapazitaet")], QStringLiteral("---"));

    // A type without a row shows no name, not the row that happened to be current.
    p.iAkkuTyp = -2;
    p.iMode = 42;
    logic->showProgram(p);
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuTyp")], QString());
    EXPECT_EQ(view.texts[QStringLiteral("txtMode")], QString());

    for (qint16 type : {qint16(-1), qint16(-4)}) {
        p.iAkkuTyp = type;
        logic->showProgram(p);
        EXPECT_EQ(view.texts[QStringLiteral("txtAkkuTyp")], QString());
        EXPECT_EQ(view.texts[QStringLiteral("txtMode")], QString());
        EXPECT_EQ(view.texts[QStringLiteral("txtNennKapazitaet")], QStringLiteral("---"));
    }

    // Another channel's program leaves the summary alone.
    p.iAkkuTyp = 1;
    p.strKanal = QStringLiteral("002");
    logic->showProgram(p);
    EXPECT_EQ(view.texts[QStringLiteral("txtNennKapazitaet")], QStringLiteral("---"));
}

TEST_F(KanalStatusDisplayTest, ModeTextComparesTheModeNumberAsText)
{
    CommunicationProgram p;
    for (int mode = 1; mode <= 7; ++mode) {
        p.iMode = qint16(mode);
        EXPECT_EQ(logic->getModeText(p), getResource(QStringLiteral("31%1").arg(mode, 2, 10, QLatin1Char('0'))));
    }
    p.iMode = 0;
    EXPECT_EQ(logic->getModeText(p), QString());
}

TEST_F(KanalStatusDisplayTest, ProgramReportedInsteadOfAStatusReplacesTheChannelsProgram)
{
    link.status.push_back(QStringLiteral("001,P,A01,M04,Z10,F2,W30,L02000,E01000,V14500,D10000,G1,"));
    logic->timerKanal_Timer();
    EXPECT_EQ(logic->commProgram->iMode, 4);
    EXPECT_EQ(view.texts[QStringLiteral("txtAkkuTyp")], r("3001"));
    EXPECT_EQ(view.texts[QStringLiteral("txtMode")], r("3104"));
}
