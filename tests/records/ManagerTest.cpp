// Managing batteries and series: deletes with their values and renumbering,
// each all or nothing, and what the channels and other dialogs learn of them.
#include "../mainwindow/MainWindowParts.h"
#include "RecordsFixture.h"

#include "channels/frmKanal.h"
#include "core/SeriesStore.h"
#include "wiring/MainWindowHosts.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <chrono>
#include <future>
#include <thread>

namespace {

class ManagerTest : public RecordsTest {};

TEST_F(ManagerTest, DeletingABatteryTakesItsSeriesAndValuesAndNothingElse)
{
    const qint32 keep = akku(QStringLiteral("A keep"));
    const qint32 keepSeries = series(keep, 1);
    const qint32 gone = akku(QStringLiteral("B gone"));
    for (int n = 1; n <= 3; ++n)
        series(gone, n);
    auto d = manager();
    EXPECT_TRUE(d->control(QStringLiteral("cmdAkkuLoeschen")).visible);
    EXPECT_FALSE(d->control(QStringLiteral("cmdNeuerAkku")).visible);
    EXPECT_TRUE(d->control(QStringLiteral("cmdMessReiheAnzeigen")).enabled);
    d->cboAkkus_Click(1);
    ASSERT_EQ(d->chosenAkkuId(), gone);
    d->cmdAkkuLoeschen_Click();

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, r("0740") + "\r\r" + r("0742"));
    EXPECT_EQ(messages.shown[0].buttons, MessageService::YesNo);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessReihen")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID<>?"), {keepSeries}), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {keepSeries}), 3);
    EXPECT_EQ(host.resets, QList<qint32>({gone}));
    EXPECT_EQ(d->chosenAkkuId(), -1);
    EXPECT_EQ(d->akkus().size(), 1);
    EXPECT_EQ(d->seriesCount(), 0);
}

struct RenumberCase {
    const char* name;
    int count;
    int deleted;
    QStringList left;
};

TEST_F(ManagerTest, DeletingTheSelectedSeriesRenumbersTheLaterOnes)
{
    const RenumberCase cases[] = {
        {"second of four", 4, 2, {"s1:1", "s3:2", "s4:3"}},
        {"first of three", 3, 1, {"s2:1", "s3:2"}},
        {"last of three", 3, 3, {"s1:1", "s2:2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dbVeluser.exec(QStringLiteral("DELETE FROM Akkus"));
        dbVeluser.exec(QStringLiteral("DELETE FROM MessReihen"));
        dbVeluser.exec(QStringLiteral("DELETE FROM MessWerte"));
        const qint32 other = akku(QStringLiteral("Other"));
        series(other, 1);
        series(other, 2);
        const qint32 a = akku(QStringLiteral("Pack"));
        qint32 target = -1;
        for (int n = 1; n <= c.count; ++n) {
            const qint32 s = series(a, n);
            if (n == c.deleted)
                target = s;
        }
        auto d = manager();
        d->cboAkkus_Click(1);
        selectNummer(*d, c.deleted);
        ASSERT_EQ(d->selectedSeriesId(), target);
        d->cmdMessReiheLoeschen_Click();
        EXPECT_EQ(seriesOf(a), c.left);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {target}), 0);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte")), 3 * (c.count - 1) + 6);
        EXPECT_EQ(seriesOf(other), QStringList({QStringLiteral("s1:1"), QStringLiteral("s2:2")}));
        EXPECT_EQ(d->seriesCount(), c.count - 1);
        EXPECT_EQ(d->selectedSeriesId(), -1);
    }
}

TEST_F(ManagerTest, WithoutASelectedSeriesNothingIsAskedOrDeleted)
{
    const qint32 a = akku(QStringLiteral("Pack"));
    series(a, 1);
    series(a, 2);
    auto d = manager();
    const QString before = snapshot();
    d->cmdMessReiheLoeschen_Click();
    d->selectSeriesRow(7);
    d->cmdMessReiheLoeschen_Click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(snapshot(), before);
}

struct FailureCase {
    const char* name;
    const char* when;
    const char* table;
    bool wholeBattery;
};

TEST_F(ManagerTest, AFailureInTheMiddleOfADeleteChangesNothing)
{
    const FailureCase cases[] = {
        {"battery row refused", "DELETE", "Akkus", true},
        {"series rows refused", "DELETE", "MessReihen", true},
        {"renumbering refused", "UPDATE", "MessReihen", false},
        {"series row refused", "DELETE", "MessReihen", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dbVeluser.exec(QStringLiteral("DROP TRIGGER IF EXISTS refuse"));
        dbVeluser.exec(QStringLiteral("DELETE FROM Akkus"));
        dbVeluser.exec(QStringLiteral("DELETE FROM MessReihen"));
        dbVeluser.exec(QStringLiteral("DELETE FROM MessWerte"));
        messages.shown.clear();
        const qint32 a = akku(QStringLiteral("Pack"));
        for (int n = 1; n <= 3; ++n)
            series(a, n);
        auto d = manager();
        selectNummer(*d, 1);
        refuse(c.when, c.table);
        const QString before = snapshot();
        d->guarded([&] {
            if (c.wholeBattery)
                d->cmdAkkuLoeschen_Click();
            else
                d->cmdMessReiheLoeschen_Click();
        });
        EXPECT_EQ(snapshot(), before);
        ASSERT_EQ(messages.shown.size(), 2);
        EXPECT_EQ(messages.shown[1].icon, MessageService::Critical);
        EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("refused")));
        // The lists still show what is there.
        EXPECT_EQ(d->chosenAkkuId(), a);
        EXPECT_EQ(d->seriesCount(), 3);
        EXPECT_TRUE(host.resets.isEmpty());
    }
}

TEST_F(ManagerTest, TheLastSeriesGoesWithItsBatteryAfterBothQuestions)
{
    const qint32 a = akku(QStringLiteral("Single"));
    series(a, 1);
    auto d = manager();
    selectNummer(*d, 1);
    messages.answer(MessageService::Yes);
    messages.answer(MessageService::No);
    d->cmdMessReiheLoeschen_Click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, r("0744") + "\r\r" + r("0742"));
    EXPECT_EQ(messages.shown[1].text, r("0740") + "\r\r" + r("0742"));
    EXPECT_EQ(seriesOf(a), QStringList(QStringLiteral("s1:1")));

    selectNummer(*d, 1);
    d->cmdMessReiheLoeschen_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MessWerte")), 0);
}

TEST_F(ManagerTest, ABatteryInUseIsNotDeleted)
{
    const qint32 a = akku(QStringLiteral("Busy"));
    series(a, 1);
    series(a, 2);
    auto d = manager();
    selectNummer(*d, 2);
    const QString before = snapshot();

    host.usedBy[a] = QStringLiteral("002");
    d->cmdAkkuLoeschen_Click();
    d->cmdMessReiheLoeschen_Click();
    ASSERT_EQ(messages.shown.size(), 2);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.text, r("0752"));
        EXPECT_EQ(shown.icon, MessageService::Information);
    }

    // A channel starts to use it while the question is open.
    messages.shown.clear();
    host.usedBy.clear();
    host.scriptedUse = {QStringLiteral("notUsed"), QStringLiteral("002")};
    d->cmdAkkuLoeschen_Click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, r("0746") + " 2 " + r("0747"));
    // The channels cannot be asked: treated as in use.
    host.scriptedUse = {QString()};
    d->cmdAkkuLoeschen_Click();
    EXPECT_EQ(messages.shown.last().text, r("0752"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ManagerTest, ASeriesIsNotDeletedWhenItsBatteryCameIntoUseWhileTheQuestionWasOpen)
{
    const qint32 a = akku(QStringLiteral("Busy"));
    series(a, 1);
    series(a, 2);
    auto d = manager();
    selectNummer(*d, 2);
    const QString before = snapshot();
    const struct {
        const char* name;
        QString answerAfterQuestion;
        QString told;
    } cases[] = {
        {"channel 3", QStringLiteral("003"), r("0746") + " 3 " + r("0756")},
        {"channels cannot be asked", QString(), r("0752")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        host.scriptedUse = {QStringLiteral("notUsed"), c.answerAfterQuestion};
        d->cmdMessReiheLoeschen_Click();
        ASSERT_EQ(messages.shown.size(), 2);
        EXPECT_EQ(messages.shown[0].text, r("0744") + "\r\r" + r("0742"));
        EXPECT_EQ(messages.shown[1].text, c.told);
        EXPECT_EQ(snapshot(), before);
    }
}

// Holds the write lock of the user database from another connection, as
// another program would, and gives it back after a moment.
class LockHolder {
public:
    explicit LockHolder(const QString& path)
    {
        auto taken = m_locked.get_future();
        m_thread = std::thread([path, this] {
            const QString name = QStringLiteral("lock-holder");
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(path);
                db.open();
                QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE"));
                m_locked.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                QSqlQuery(db).exec(QStringLiteral("COMMIT"));
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
        taken.wait();
    }
    ~LockHolder() { m_thread.join(); }

private:
    std::promise<void> m_locked;
    std::thread m_thread;
};

TEST_F(ManagerTest, ADeleteWaitsForAnotherProgramsLockAsEveryChangeDoes)
{
    const qint32 a = akku(QStringLiteral("Pack"));
    const qint32 first = series(a, 1);
    series(a, 2);
    // A wait far longer than the other program holds the lock.
    dbVeluser.setConnectionBusyTimeout(60000);
    {
        LockHolder other(dbVeluser.path());
        EXPECT_NO_THROW(EXPECT_TRUE(SeriesStore(dbVeluser).deleteSeries(a, first)));
    }
    EXPECT_EQ(seriesOf(a), QStringList(QStringLiteral("s2:1")));
    {
        LockHolder other(dbVeluser.path());
        EXPECT_NO_THROW(SeriesStore(dbVeluser).insertSeries(a, QStringLiteral("new"), QDateTime::currentDateTime()));
    }
    EXPECT_EQ(seriesOf(a), QStringList({QStringLiteral("s2:1"), QStringLiteral("new:2")}));
    dbVeluser.setConnectionBusyTimeout(Database::busyTimeout());
}

TEST_F(ManagerTest, EveryChannelWindowHoldingADeletedBatteryForgetsIt)
{
    const qint32 a = akku(QStringLiteral("Shared"));
    series(a, 1);
    const qint32 other = akku(QStringLiteral("Zother"));
    auto form = mainWindowWithChannels(services);
    ASSERT_NE(form->kanal(4), nullptr);
    // Channels 1 and 3 last recorded this battery, channel 2 another one.
    form->kanal(1)->logic().lAkkuId = a;
    form->kanal(2)->logic().lAkkuId = other;
    form->kanal(3)->logic().lAkkuId = a;

    MesswerteErfassenLogic d(nullptr, services.mainWindow(), services.recordsNotifier()); // asks the main window
    d.Form_Load();
    d.bEditMode = true;
    bool bShow = false;
    d.initializeDialog(bShow);
    ASSERT_EQ(d.chosenAkkuId(), a);
    d.cmdAkkuLoeschen_Click();
    EXPECT_EQ(form->kanal(1)->logic().lAkkuId, -1);
    EXPECT_EQ(form->kanal(2)->logic().lAkkuId, other);
    EXPECT_EQ(form->kanal(3)->logic().lAkkuId, -1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus")), 1);
}

TEST_F(ManagerTest, TheManagerShowsWhatARecordingDialogChangedAndTheOtherWayRound)
{
    const qint32 a = akku(QStringLiteral("Pack"));
    series(a, 1);
    auto m = manager();
    measuring = true;
    channel.lAkkuId = a;
    auto rec = fromChannel();
    rec->addNewMeasurementRow(QStringLiteral("new"));
    EXPECT_EQ(m->seriesCount(), 2);
    rec->addNewAkku(QStringLiteral("Too late"), QString(), QString()); // locked: nothing
    EXPECT_EQ(m->akkus().size(), 1);

    channel = FakeChannel();
    auto rec2 = fromChannel();
    ASSERT_EQ(rec2->chosenAkkuId(), a);
    m->cmdAkkuLoeschen_Click();
    EXPECT_EQ(rec2->chosenAkkuId(), -1);
    EXPECT_FALSE(rec2->control(QStringLiteral("cmdNeueMessreihe")).enabled);
    EXPECT_EQ(rec2->seriesCount(), 0);
}

} // namespace
