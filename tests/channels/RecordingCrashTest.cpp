// A recording process killed with SIGKILL: the test starts this very test
// program again as a child that records against the fake charger (or moves
// temporary series) and kills itself without warning at a chosen moment, then
// looks at what the database holds. The moments are counted in SQLite's own
// steps (its progress callback after every virtual-machine step), so they
// fall inside the writes and not only between them, and each run lands on the
// same step. What must be there is what the fake charger sent, as the child
// reported it before the reply went out: never what the child read back.
#include "FakeCharger.h"
#include "KanalFakes.h"
#include "TestSupport.h"

#include "channels/KanalLogic.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "link/VelmoroComCommunication.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {
const char* const kFolderVar = "VELMORO_CRASH_FOLDER";
const char* const kModeVar = "VELMORO_CRASH_MODE";
const char* const kSeriesVar = "VELMORO_CRASH_SERIES";
// "T:S": the child kills itself at SQLite's S-th step counted from the start
// of its T-th tick (or move).
const char* const kKillVar = "VELMORO_CRASH_AT";
constexpr int kTransferRows = 20000;

void report(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The kill point of this child; steps are counted once its tick has begun.
struct KillPoint {
    int tick = 0;
    long long step = 0;
    bool armed = false;
    long long counted = 0;
};
KillPoint g_kill;

int countStep(void*)
{
    if (g_kill.armed && ++g_kill.counted >= g_kill.step)
        ::kill(::getpid(), SIGKILL);
    return 0;
}

// Calls countStep after every step of the user database's statements. The
// SQLite library is the one Qt's driver loaded; it is reached by name so the
// test needs neither its headers nor a link of its own.
void installKillPoint(const QString& point)
{
    g_kill.tick = point.section(QLatin1Char(':'), 0, 0).toInt();
    g_kill.step = point.section(QLatin1Char(':'), 1, 1).toLongLong();
    ASSERT_GT(g_kill.tick, 0) << qPrintable(point);
    ASSERT_GT(g_kill.step, 0) << qPrintable(point);
    const QVariant handle = dbVeluser.handle().driver()->handle();
    ASSERT_TRUE(handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0);
    void* db = *static_cast<void* const*>(handle.constData());
    void* library = ::dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr) << "the SQLite library Qt uses is not loaded";
    using ProgressHandler = void (*)(void*, int, int (*)(void*), void*);
    auto setProgress = reinterpret_cast<ProgressHandler>(::dlsym(library, "sqlite3_progress_handler"));
    ASSERT_NE(setProgress, nullptr);
    setProgress(db, 1, &countStep, nullptr);
}

void beginStep(int n)
{
    if (n == g_kill.tick)
        g_kill.armed = true;
}

void openChildCore(const QString& folder)
{
    setProgramFolder(folder);
    openDataDatabase(folder);
    openUserDatabase(folder);
    openSettings();
    openResources();
    openGlobalRecordsets();
    deleteTempMesswerte(0);
}

// Records a long program until it kills itself. "SENT <payload>" for every
// reply the fake charger gives, written before the reply goes out; "TICK <n>"
// after each tick.
void recordUntilKilled(qint32 series)
{
    FakeCharger fake(1);
    ASSERT_TRUE(fake.start());
    fake.setProgram(1, QStringLiteral("001,P,A02,M04,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    fake.setBattery(1, FakeBattery::Chemistry::NiMH, 6, 5000, 0.5);
    fake.setSecondsPerRequest(10);
    objComCommunication = std::make_unique<VelmoroComCommunication>(fake.portPath());
    ASSERT_TRUE(objComCommunication->openComPort());
    ASSERT_TRUE(fake.startProgram(1));

    FakeHost host;
    FakeView view;
    KanalLogic k(1, host, view);
    k.Form_Load();
    k.stopTimers();
    const qint32 akku =
        dbVeluser.scalar(QStringLiteral("SELECT AkkuId FROM MessReihen WHERE MessReiheID=?"), {series}).toInt();
    k.startRecording(akku, series, false, false);
    fake.clearFrameLog();
    qsizetype reported = 0; // touched on the fake's thread only
    fake.setFrameObserver([&fake, &reported](const FakeFrame&) {
        const QStringList replies = fake.replyLog();
        for (; reported < replies.size(); ++reported)
            report(QStringLiteral("SENT ") + replies[reported]);
    });
    for (int n = 1; n < 100000 && getppid() != 1; ++n) {
        beginStep(n);
        k.timerKanal_Timer();
        report(QStringLiteral("TICK %1").arg(n));
    }
}

// Moves one large temporary series again and again; after each: "DONE <series>".
void transferUntilKilled()
{
    {
        Transaction tx(dbVeluser);
        for (int i = 0; i < kTransferRows; ++i)
            dbVeluser.exec(
                QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, ?)"),
                {QStringLiteral("%1;7000;1000;%2").arg(i).arg(i * 3)});
        tx.commit();
    }
    for (qint32 series = 1001; series < 1000 + 100000 && getppid() != 1; ++series) {
        beginStep(series - 1000);
        transferTempMesswerte(1, series);
        report(QStringLiteral("DONE %1").arg(series));
    }
}
} // namespace

// Only runs as the child of the tests below.
TEST(RecordingCrashChild, WorksUntilKilled)
{
    const QString folder = QString::fromLocal8Bit(qgetenv(kFolderVar));
    if (folder.isEmpty())
        GTEST_SKIP() << "started by the crash tests only";
    openChildCore(folder);
    installKillPoint(QString::fromLatin1(qgetenv(kKillVar)));
    if (HasFatalFailure())
        return;
    if (qgetenv(kModeVar) == "transfer")
        transferUntilKilled();
    else
        recordUntilKilled(qgetenv(kSeriesVar).toInt());
}

namespace {
class RecordingCrashTest : public ::testing::Test {
protected:
    // Starts the child in a folder of its own, which kills itself at `killAt`
    // ("T:S"); returns every report it made.
    QStringList runUntilKilled(const TempProgramFolder& folder, const QByteArray& mode, qint32 series,
                               const QString& killAt)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kFolderVar), folder.path());
        env.insert(QString::fromLatin1(kModeVar), QString::fromLatin1(mode));
        env.insert(QString::fromLatin1(kSeriesVar), QString::number(series));
        env.insert(QString::fromLatin1(kKillVar), killAt);
        // What the killed child leaves in its temporary folder goes with ours.
        env.insert(QStringLiteral("TMPDIR"), scratch.path());
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--gtest_filter=RecordingCrashChild.*")});
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start();
        EXPECT_TRUE(child.waitForStarted(30000));
        EXPECT_TRUE(child.waitForFinished(120000)) << "the child did not reach its kill point " << qPrintable(killAt);
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished(10000);
        }
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit)
            << "the child ended before its kill point " << qPrintable(killAt) << ": "
            << child.readAllStandardError().right(2000).toStdString();
        QStringList reports;
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        for (const QByteArray& raw : lines) {
            const QString line = QString::fromLocal8Bit(raw).trimmed();
            if (line.startsWith(QLatin1String("TICK")) || line.startsWith(QLatin1String("DONE"))
                || line.startsWith(QLatin1String("SENT")))
                reports << line;
        }
        return reports;
    }

    static qint32 newSeries(const TempProgramFolder& folder)
    {
        Database db;
        db.open(folder.veluserPath());
        db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Pack')"));
        db.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer) VALUES (?, 1)"), {db.lastInsertId()});
        return db.lastInsertId().toInt();
    }

    static int number(const QString& line, int field) { return line.split(QLatin1Char(' ')).value(field).toInt(); }

    QTemporaryDir scratch;
};

// "K;V;I" of a status reply that carries values; empty for any other reply.
QString sentValue(const QString& reply)
{
    static const QRegularExpression withValues(QStringLiteral("^001,M,S[LE],[LE](\\d{5}),V(\\d{5}),K(\\d{5}),$"));
    const auto m = withValues.match(reply);
    if (!m.hasMatch())
        return QString();
    return QStringLiteral("%1;%2;%3").arg(m.captured(3).toInt()).arg(m.captured(2).toInt()).arg(m.captured(1).toInt());
}

// A tick of this recording takes about 90 steps (writing the temporary
// value, then the recorded one); the points are spread over the tenth tick
// and run over into the next.
const char* const kRecordKillPoints[] = {"10:1",  "10:9",  "10:23", "10:38", "10:46",
                                         "10:55", "10:70", "10:84", "10:91", "10:120"};
} // namespace

TEST_F(RecordingCrashTest, KilledWhileRecordingKeepsEveryValueTheChargerSentAndASoundFile)
{
    for (const char* killAt : kRecordKillPoints) {
        SCOPED_TRACE(killAt);
        TempProgramFolder folder;
        const qint32 series = newSeries(folder);
        const QStringList reports = runUntilKilled(folder, "record", series, QString::fromLatin1(killAt));

        // The values sent, in order, and how many of them came before the last
        // tick that ended: those had their whole tick to be stored.
        QStringList sent;
        qsizetype settled = 0;
        int ticks = 0;
        for (const QString& line : reports) {
            if (line.startsWith(QLatin1String("TICK"))) {
                settled = sent.size();
                ticks = number(line, 1);
            } else if (line.startsWith(QLatin1String("SENT"))) {
                const QString value = sentValue(line.mid(5));
                if (!value.isEmpty())
                    sent << value;
            }
        }
        ASSERT_GE(ticks, 9);
        ASSERT_GE(settled, 9);

        Database db;
        db.open(folder.veluserPath());
        EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        QStringList stored;
        auto rs = db.openRecordset(
            QStringLiteral("SELECT * FROM MessWerte WHERE MessReiheID=%1 AND EW=0 ORDER BY MessWertId").arg(series));
        int previousSeconds = -1;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            const QString text = rs->field(QStringLiteral("MessWertString")).toString();
            const LoadedMeasurementValue v = parseMesswertString(text, false);
            EXPECT_GE(v.lTimeDiff, previousSeconds);
            previousSeconds = v.lTimeDiff;
            stored << text.section(QLatin1Char(';'), 0, 2);
        }
        // Every value of a finished tick, once and in order; of the tick that
        // was killed at most its own value.
        EXPECT_EQ(stored.mid(0, settled), sent.mid(0, settled));
        EXPECT_LE(stored.size(), settled + 1);
        if (stored.size() > settled) {
            EXPECT_EQ(stored.last(), sent.value(settled));
        }
        // The program was stored with the series before the first value.
        EXPECT_TRUE(db.scalar(QStringLiteral("SELECT Programm FROM MessReihen WHERE MessReiheID=?"), {series})
                        .toString()
                        .startsWith(QStringLiteral("001,P,A02,M04")));
    }
}

TEST_F(RecordingCrashTest, KilledWhileMovingATemporarySeriesLeavesEachMoveWholeOrAbsent)
{
    // A move of these rows takes about 1,080,000 steps: the points are spread
    // over the third move, from its first statement to just before its commit.
    for (const char* killAt : {"3:1", "3:150000", "3:420000", "3:700000", "3:950000", "3:1080000"}) {
        SCOPED_TRACE(killAt);
        TempProgramFolder folder;
        const QStringList reports = runUntilKilled(folder, "transfer", 0, QString::fromLatin1(killAt));
        ASSERT_FALSE(reports.isEmpty());
        const int lastDone = number(reports.last(), 1);
        EXPECT_GE(lastDone, 1002);

        Database db;
        db.open(folder.veluserPath());
        EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        auto rs = db.openRecordset(QStringLiteral(
            "SELECT MessReiheID, count(*) AS n FROM MessWerte GROUP BY MessReiheID ORDER BY MessReiheID"));
        int series = 0;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            ++series;
            EXPECT_EQ(rs->field(QStringLiteral("n")).toInt(), kTransferRows)
                << "series " << rs->field(QStringLiteral("MessReiheID")).toInt();
            EXPECT_EQ(rs->field(QStringLiteral("MessReiheID")).toInt(), 1000 + series);
        }
        EXPECT_GE(1000 + series, lastDone);
        EXPECT_LE(1000 + series, lastDone + 1);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte")).toInt(), kTransferRows);
    }
}
