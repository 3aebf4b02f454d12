// A recording process killed with SIGKILL: the test starts this very test
// program again as a child that records against the fake charger (or moves
// temporary series), kills it without warning, and then looks at what the
// database holds. The child reports after each step what it has committed;
// whatever it reported must be there, and the file must be sound.
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
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {
const char* const kFolderVar = "VELMORO_CRASH_FOLDER";
const char* const kModeVar = "VELMORO_CRASH_MODE";
const char* const kSeriesVar = "VELMORO_CRASH_SERIES";
constexpr int kTransferRows = 20000;

void report(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
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

// Records a long program until it is killed; after each tick: "TICK <n> ROWS <committed rows>".
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
    const qint32 akku = dbVeluser.scalar(QStringLiteral("SELECT AkkuId FROM MessReihen WHERE MessReiheID=?"), {series}).toInt();
    k.startRecording(akku, series, false, false);
    for (int n = 1; n < 100000 && getppid() != 1; ++n) {
        k.timerKanal_Timer();
        const int rows =
            dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {series}).toInt();
        report(QStringLiteral("TICK %1 ROWS %2").arg(n).arg(rows));
    }
}

// Moves one large temporary series again and again; after each: "DONE <series>".
void transferUntilKilled()
{
    {
        Transaction tx(dbVeluser);
        for (int i = 0; i < kTransferRows; ++i)
            dbVeluser.exec(QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, ?)"),
                           {QStringLiteral("%1;7000;1000;%2").arg(i).arg(i * 3)});
        tx.commit();
    }
    for (qint32 series = 1001; series < 1000 + 100000 && getppid() != 1; ++series) {
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
    if (qgetenv(kModeVar) == "transfer")
        transferUntilKilled();
    else
        recordUntilKilled(qgetenv(kSeriesVar).toInt());
}

namespace {
class RecordingCrashTest : public ::testing::Test {
protected:
    // Starts the child, reads its reports until `enough` says so, kills it
    // with SIGKILL and returns every report it made.
    QStringList runAndKill(const QByteArray& mode, qint32 series, const std::function<bool(const QString&)>& enough)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kFolderVar), folder.path());
        env.insert(QString::fromLatin1(kModeVar), QString::fromLatin1(mode));
        env.insert(QString::fromLatin1(kSeriesVar), QString::number(series));
        // What the killed child leaves in its temporary folder goes with ours.
        env.insert(QStringLiteral("TMPDIR"), scratch.path());
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--gtest_filter=RecordingCrashChild.*")});
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start();
        EXPECT_TRUE(child.waitForStarted(30000));

        QStringList reports;
        QByteArray pending;
        auto collect = [&] {
            pending += child.readAllStandardOutput();
            int end;
            while ((end = pending.indexOf('\n')) >= 0) {
                const QString line = QString::fromLocal8Bit(pending.left(end)).trimmed();
                pending.remove(0, end + 1);
                if (line.startsWith(QLatin1String("TICK")) || line.startsWith(QLatin1String("DONE")))
                    reports << line;
            }
        };
        bool killed = false;
        while (child.state() == QProcess::Running) {
            if (!child.waitForReadyRead(60000))
                break;
            collect();
            if (!reports.isEmpty() && enough(reports.last())) {
                ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
                killed = true;
                break;
            }
        }
        child.waitForFinished(60000);
        collect();
        EXPECT_TRUE(killed) << "the child ended before it was killed: "
                            << child.readAllStandardError().right(2000).toStdString();
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
        return reports;
    }

    static int number(const QString& line, int field)
    {
        return line.split(QLatin1Char(' ')).value(field).toInt();
    }

    TempProgramFolder folder;
    QTemporaryDir scratch;
};

TEST_F(RecordingCrashTest, KilledWhileRecordingKeepsEveryValueItHadWrittenAndASoundFile)
{
    qint32 series = 0;
    {
        Database db;
        db.open(folder.veluserPath());
        db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Pack')"));
        db.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer) VALUES (?, 1)"), {db.lastInsertId()});
        series = db.lastInsertId().toInt();
    }
    const QStringList reports =
        runAndKill("record", series, [](const QString& line) { return number(line, 1) >= 60; });
    ASSERT_FALSE(reports.isEmpty());
    const int committed = number(reports.last(), 3);
    ASSERT_GE(committed, 50);

    Database db;
    db.open(folder.veluserPath());
    EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    const int rows = db.scalar(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=?"), {series}).toInt();
    // At most the value of the tick in progress is missing from the reports.
    EXPECT_GE(rows, committed);
    EXPECT_LE(rows, committed + 1);
    auto rs = db.openRecordset(QStringLiteral("SELECT * FROM MessWerte WHERE MessReiheID=%1 ORDER BY MessWertId").arg(series));
    int previousSeconds = -1;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const LoadedMeasurementValue v = parseMesswertString(rs->field(QStringLiteral("MessWertString")).toString(),
                                                             rs->field(QStringLiteral("EW")).toBool());
        EXPECT_GE(v.lTimeDiff, previousSeconds);
        previousSeconds = v.lTimeDiff;
    }
    // The program was stored with the series before the first value.
    EXPECT_TRUE(db.scalar(QStringLiteral("SELECT Programm FROM MessReihen WHERE MessReiheID=?"), {series})
                    .toString()
                    .startsWith(QStringLiteral("001,P,A02,M04")));
}

TEST_F(RecordingCrashTest, KilledWhileMovingATemporarySeriesLeavesEachMoveWholeOrAbsent)
{
    const QStringList reports = runAndKill("transfer", 0, [](const QString& line) { return number(line, 1) >= 1003; });
    ASSERT_FALSE(reports.isEmpty());
    const int lastDone = number(reports.last(), 1);

    Database db;
    db.open(folder.veluserPath());
    EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    auto rs = db.openRecordset(QStringLiteral("SELECT MessReiheID, count(*) AS n FROM MessWerte GROUP BY MessReiheID ORDER BY MessReiheID"));
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
} // namespace
