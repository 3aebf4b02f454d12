// A database that refuses writes while the channels poll: the box is shown
// after the tick and once, every channel goes on polling and storing while it
// is open, and the refused values are written, in order, once the database
// takes writes again.
#include "RecordingFixture.h"
#include "WhileBoxOpen.h"

#include "core/velmoroLog.h"
#include "platform/DeferredMessages.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <array>
#include <utility>

using namespace recording;

namespace {

QString charging(int n, int mAh)
{
    return QStringLiteral("00%1,M,SL,L01000,V07000,K%2,").arg(n).arg(mAh, 5, 10, QLatin1Char('0'));
}

class KanalHeldValuesTest : public RecordingFixture {
protected:
    struct Channel {
        FakeView view;
        FakeChargerPort link;
        std::unique_ptr<KanalLogic> logic;
    };
    // Channels 2 to 4 beside the fixture's channel 1, each charging.
    void loadOthers()
    {
        for (int n = 2; n <= 4; ++n) {
            Channel& c = others[std::size_t(n - 2)];
            c.link.programFallback = QStringLiteral("00%1,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,").arg(n);
            c.link.status.push_back(QStringLiteral("00%1,M,SA,").arg(n));
            c.logic = std::make_unique<KanalLogic>(n, host, c.view, &c.link);
            c.logic->setClock([this] { return clock; });
            c.logic->Form_Load();
            c.logic->stopTimers();
        }
    }
    // One round of every channel's poll timer, three seconds after the last.
    void round()
    {
        advance(3);
        ++rounds;
        tick(values1(100 + rounds, 7000, 1000));
        for (Channel& c : others) {
            c.link.status.push_back(charging(c.logic->channelNumber(), rounds));
            c.logic->timerKanal_Timer();
        }
    }
    std::array<Channel, 3> others;
    int rounds = 0;
};

TEST_F(KanalHeldValuesTest, OneChannelsWritesFailWhileItsBoxIsOpenAndEveryChannelGoesOnPolling)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    loadOthers();

    // Channel 1's series are refused (a lock, a full disk); the others' are not.
    dbVeluser.exec(QStringLiteral("CREATE TRIGGER refuse1 BEFORE INSERT ON MessWerte WHEN NEW.MessReiheID=%1 "
                                  "BEGIN SELECT RAISE(ABORT, 'database is locked'); END")
                       .arg(series));
    dbVeluser.exec(QStringLiteral("CREATE TRIGGER refuse2 BEFORE INSERT ON TempMessWerte WHEN NEW.MessReiheID=%1 "
                                  "BEGIN SELECT RAISE(ABORT, 'database is locked'); END")
                       .arg(k.lTempMessReiheId));
    round();
    EXPECT_EQ(DeferredMessages::pendingCount(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());

    // A box that stays open while the test lets the timers of the channels fire.
    WhileBoxOpen box{services};
    int polledWhileOpen = 0;
    box.whileOpen = [&] {
        link.calls.clear();
        for (Channel& c : others)
            c.link.calls.clear();
        for (int i = 0; i < 5; ++i)
            round();
        polledWhileOpen = int(link.calls.count(QStringLiteral("M001")));
        for (const Channel& c : others)
            EXPECT_EQ(c.link.calls.count(QStringLiteral("M00%1").arg(c.logic->channelNumber())), 5);
        EXPECT_EQ(k.heldValues(true).size(), 6u);
        EXPECT_EQ(k.heldValues(false).size(), 6u);
        // The lock ends while the box is still open.
        dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse1"));
        dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse2"));
        round();
    };
    DeferredMessages::flush();

    ASSERT_EQ(box.texts.size(), 1);
    EXPECT_TRUE(box.texts[0].startsWith(r("0890")));
    EXPECT_EQ(polledWhileOpen, 5);
    EXPECT_EQ(DeferredMessages::pendingCount(), 0);

    // Nothing of channel 1 was lost: every value, in order, at the time it came.
    QStringList expected;
    for (int i = 1; i <= 7; ++i)
        expected << QStringLiteral("M:%1;7000;1000;%2").arg(100 + i).arg(3 * i);
    EXPECT_EQ(recorded(series), expected);
    QStringList expectedTemp;
    for (int i = 1; i <= 7; ++i)
        expectedTemp << QStringLiteral("M:%1;7000;1000;%2").arg(100 + i).arg(3 * (i - 1));
    EXPECT_EQ(temp(k.lTempMessReiheId), expectedTemp);
    EXPECT_TRUE(k.heldValues(true).empty());
    EXPECT_TRUE(k.heldValues(false).empty());
    // The other channels stored every round, the box open or not.
    for (const Channel& c : others)
        EXPECT_EQ(temp(c.logic->lTempMessReiheId).size(), 7);
}

TEST_F(KanalHeldValuesTest, AShortLockByAnotherProgramLosesNothing)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.startRecording(akku, series, false, false);
    // Another program holds the user database's write lock for a while.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otherProgram"));
        other.setDatabaseName(folder.veluserPath());
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
        for (int i = 1; i <= 3; ++i) {
            advance(3);
            tick(values1(100 + i, 7000, 1000));
        }
        EXPECT_EQ(k.heldValues(true).size(), 3u);
        EXPECT_EQ(k.heldValues(false).size(), 3u);
        ASSERT_TRUE(q.exec(QStringLiteral("COMMIT")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("otherProgram"));
    advance(3);
    tick(values1(104, 7000, 1000));
    EXPECT_EQ(recorded(series),
              (QStringList{"M:101;7000;1000;3", "M:102;7000;1000;6", "M:103;7000;1000;9", "M:104;7000;1000;12"}));
    EXPECT_EQ(temp(k.lTempMessReiheId).size(), 4);
    DeferredMessages::flush();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(r("0890")));
}

TEST_F(KanalHeldValuesTest, HeldValuesAreBoundedAndATakeOverWaitsForThem)
{
    objLog = std::make_unique<velmoroLog>(folder.path());
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.setHeldCapacity(3);
    dbVeluser.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON TempMessWerte "
                                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    for (int i = 1; i <= 5; ++i) {
        advance(3);
        tick(values1(100 + i, 7000, 1000));
    }
    ASSERT_EQ(k.heldValues(false).size(), 3u);
    EXPECT_EQ(k.heldValues(false).values().front().text, QStringLiteral("103;7000;1000;6"));
    objLog.reset();
    QFile log(folder.path() + QStringLiteral("/error.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_EQ(logged.count(QStringLiteral("Value not stored")), 2);
    EXPECT_TRUE(logged.contains(QStringLiteral("101;7000;1000;0")));
    EXPECT_TRUE(logged.contains(QStringLiteral("102;7000;1000;3")));

    // Taking the collected values over while some still wait: nothing starts.
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    EXPECT_THROW(k.startRecording(akku, series, false, true), DatabaseError);
    EXPECT_FALSE(k.bRecording);
    EXPECT_EQ(k.lMessReiheId, -1);
    EXPECT_EQ(recorded(series).size(), 0);

    dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse"));
    k.startRecording(akku, series, false, true);
    EXPECT_TRUE(k.bRecording);
    EXPECT_EQ(recorded(series), (QStringList{"M:103;7000;1000;6", "M:104;7000;1000;9", "M:105;7000;1000;12"}));
}

} // namespace
