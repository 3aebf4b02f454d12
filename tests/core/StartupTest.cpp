// Start-up and shut-down: the failure roads with their exact messages, the
// start sequence against real database files, and the close question.
#include "FakeCharger.h"
#include "TestSupport.h"

#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "core/velmoroLog.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/LastResort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString CR(QChar(13));

class StartupTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        objComCommunication.reset();
        closeCoreForTest();
        objLog.reset();
    }

    // Runs the whole start sequence; returns the exit code when it ended the program.
    // With onFakeCharger the serial link opens on the fake charger.
    int start(TempProgramFolder& folder, frmMDIMainForm& form, bool onFakeCharger = false)
    {
        if (onFakeCharger) {
            EXPECT_TRUE(charger.start());
            folder.execOn(
                folder.velmoroPath(),
                {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='ComPort'").arg(charger.portPath())});
        }
        setProgramFolder(folder.path());
        try {
            // What escapes the start reaches the last-resort handler, as in
            // the program, where the start runs inside an event.
            try {
                form.MDIForm_Load();
            } catch (const ProgramEndUnwind&) {
                throw;
            } catch (...) {
                LastResort::fail(FailureText::describeCurrentException());
            }
        } catch (const ProgramTerminated& t) {
            return t.exitCode;
        }
        return -1;
    }
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
    FakeCharger charger{4};
};

int rowCount(Database& db, const QString& table)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
}
} // namespace

TEST_F(StartupTest, MissingDatenFolderEndsWithReferenceMessageAndCreatesNothing)
{
    TempProgramFolder folder(false);
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Error in Connecting velmoro.mdb.") + CR
                                          + QStringLiteral(" Program without Database not runable! "));
    EXPECT_FALSE(QFileInfo::exists(folder.velmoroPath()));
    EXPECT_FALSE(QDir(folder.path() + QStringLiteral("/Daten")).exists());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(StartupTest, MissingUserDatabaseEndsWithItsOwnMessage)
{
    TempProgramFolder folder;
    QFile::remove(folder.veluserPath());
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Error in Connecting veluser.mdb") + CR
                                          + QStringLiteral(" Program without Database not runable! "));
    EXPECT_FALSE(QFileInfo::exists(folder.veluserPath()));
}

TEST_F(StartupTest, FileThatIsNoDatabaseIsRefused)
{
    TempProgramFolder folder;
    QFile f(folder.velmoroPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form), 1);
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Error in Connecting velmoro.mdb.")));
}

TEST_F(StartupTest, DamagedSettingsTableShowsFatalMessageThenDescription)
{
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(), {QStringLiteral("DROP TABLE Optionen")});
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form), 1);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("FATAL ERROR: Program Settings not found!") + CR
                                          + QStringLiteral("Contact your contractor!"));
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("Optionen")));
}

TEST_F(StartupTest, DamagedTextsTableShowsOneFatalMessage)
{
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(),
                  {QStringLiteral("ALTER TABLE NLSResources RENAME COLUMN ResourceText TO Other")});
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("FATAL ERROR: Program Resources not found!") + CR
                                          + QStringLiteral("Contact your contractor!"));
}

TEST_F(StartupTest, MissingSharedTableEndsWithClearMessage)
{
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(), {QStringLiteral("DROP TABLE DiagramPoints")});
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("FATAL ERROR: Program Data not found!")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("DiagramPoints")));
}

TEST_F(StartupTest, StartEmptiesTemporaryValuesAndShowsMainWindow)
{
    TempProgramFolder folder;
    folder.execOn(
        folder.veluserPath(),
        {QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (3, 0, '1;2;3;4')"),
         QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (7, 0, '1;2;3;4')")});
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form, true), -1);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(rowCount(dbVeluser, QStringLiteral("TempMessWerte")), 0);
    EXPECT_EQ(rowCount(dbVeluser, QStringLiteral("MessWerte")), 1);
    EXPECT_TRUE(form.windowTitle().contains(QStringLiteral("velmoro ")
                                            + objSettings().getSetting(QStringLiteral("UsedCharger"))));
    EXPECT_TRUE(QFileInfo::exists(folder.path() + QStringLiteral("/error.log")));
    for (auto* rs : {&rsAkkutypen, &rsGeraeteModi, &rsFormierModi, &rsMinMaxWerte, &rsDiagramPoints, &rsProgramme,
                     &rsAkkus, &rsMessWerte, &rsTempMessWerte})
        EXPECT_TRUE(*rs != nullptr);
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->portDevice(), charger.portPath());
}

TEST_F(StartupTest, PortThatDoesNotOpenIsReportedAndTheStartGoesOn)
{
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(),
                  {QStringLiteral("UPDATE Optionen SET value='/nonexistent/tty' WHERE key='ComPort'")});
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form, false), -1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("1092")));
    EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
    EXPECT_TRUE(form.isVisible());
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_FALSE(objComCommunication->isComPortOpen());
}

TEST_F(StartupTest, CloseQuestionNoKeepsRunningYesEmptiesTemporaryValuesAndEnds)
{
    TempProgramFolder folder;
    frmMDIMainForm form(services);
    ASSERT_EQ(start(folder, form, true), -1);
    dbVeluser.exec(QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, 'x')"));

    messages.answer(MessageService::No);
    EXPECT_FALSE(form.close());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].buttons, MessageService::YesNo);
    EXPECT_EQ(messages.shown[0].icon, MessageService::Information);
    EXPECT_EQ(terminator.calls, 0);
    EXPECT_NE(objLog, nullptr);

    messages.answer(MessageService::Yes);
    int cancel = 1;
    form.MDIForm_QueryUnload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_THROW(form.MDIForm_Unload(cancel), ProgramTerminated);
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_EQ(rowCount(dbVeluser, QStringLiteral("TempMessWerte")), 0);
    EXPECT_EQ(objLog, nullptr);
}

TEST_F(StartupTest, ShutDownGoesOnWhenTemporaryTableCannotBeEmptied)
{
    TempProgramFolder folder;
    frmMDIMainForm form(services);
    ASSERT_EQ(start(folder, form, true), -1);
    dbVeluser.exec(QStringLiteral("DROP TABLE TempMessWerte"));
    EXPECT_NO_THROW(closeApplication());
    EXPECT_EQ(objLog, nullptr);
}

namespace {
struct FakeFirstStart : FirstStartDialogs {
    bool language = true, charger = true, port = true;
    QStringList calls;
    static FirstStartAnswer answer(bool ok) { return ok ? FirstStartAnswer::Ok : FirstStartAnswer::Cancel; }
    FirstStartAnswer runFirstLanguage() override
    {
        calls << QStringLiteral("language");
        if (language)
            objSettings().setSetting(QStringLiteral("UsedLanguage"), QStringLiteral("DE"));
        return answer(language);
    }
    FirstStartAnswer runFirstCharger() override
    {
        calls << QStringLiteral("charger");
        if (charger)
            objSettings().setSetting(QStringLiteral("UsedCharger"), QStringLiteral("J4"));
        return answer(charger);
    }
    FirstStartAnswer runFirstComPort() override
    {
        calls << QStringLiteral("port");
        if (port)
            objSettings().setSetting(QStringLiteral("ComPort"), QStringLiteral("3"));
        return answer(port);
    }
};
} // namespace

TEST_F(StartupTest, FirstStartChainRunsOnlyForExactYes)
{
    FakeFirstStart dialogs;
    TestServices firstStart(services, {.firstStartDialogs = &dialogs});
    {
        TempProgramFolder folder;
        folder.execOn(folder.velmoroPath(),
                      {QStringLiteral("UPDATE Optionen SET value='yes' WHERE key='FirstStartup'")});
        openCoreForTest(folder);
        checkFirstStartup();
        EXPECT_TRUE(dialogs.calls.isEmpty());
        closeCoreForTest();
    }
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(), {QStringLiteral("UPDATE Optionen SET value='YES' WHERE key='FirstStartup'")});
    openCoreForTest(folder);
    checkFirstStartup();
    EXPECT_EQ(dialogs.calls, (QStringList{"language", "charger", "port"}));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("FirstStartup")), QStringLiteral("NO"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("UsedCharger")), QStringLiteral("J4"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("ComPort")), QStringLiteral("3"));
}

TEST_F(StartupTest, FirstStartWithSelfDescribingChargerSkipsModelChoice)
{
    FakeFirstStart dialogs;
    dialogs.port = false; // Cancel keeps the stored port and the start goes on
    TestServices firstStart(services, {.firstStartDialogs = &dialogs});
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(),
                  {QStringLiteral("UPDATE Optionen SET value='YES' WHERE key IN ('FirstStartup','ChargerSelfInfo')")});
    openCoreForTest(folder);
    const QString port = objSettings().getSetting(QStringLiteral("ComPort"));
    checkFirstStartup();
    EXPECT_EQ(dialogs.calls, (QStringList{"language", "port"}));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("UsedCharger")), QStringLiteral("KZTx"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("ComPort")), port);
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("FirstStartup")), QStringLiteral("NO"));
}

TEST_F(StartupTest, CancelInLanguageOrChargerEndsWithFirstStartupStillYes)
{
    for (int which = 0; which < 2; ++which) {
        FakeFirstStart dialogs;
        (which == 0 ? dialogs.language : dialogs.charger) = false;
        TestServices firstStart(services, {.firstStartDialogs = &dialogs});
        TempProgramFolder folder;
        folder.execOn(folder.velmoroPath(),
                      {QStringLiteral("UPDATE Optionen SET value='YES' WHERE key='FirstStartup'")});
        openCoreForTest(folder);
        objLog = std::make_unique<velmoroLog>(folder.path());
        EXPECT_THROW(checkFirstStartup(), ProgramTerminated);
        EXPECT_EQ(objSettings().getSetting(QStringLiteral("FirstStartup")), QStringLiteral("YES"));
        EXPECT_FALSE(dialogs.calls.contains(QStringLiteral("port")));
        EXPECT_EQ(objLog, nullptr); // closeApplication ran
        closeCoreForTest();
    }
}

namespace {
QStringList valueIndexes(Database& db)
{
    QStringList names;
    auto rs = db.openRecordset(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' "
                                              "AND tbl_name IN ('MessWerte','TempMessWerte') ORDER BY name"));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        names << rs->field(QStringLiteral("name")).toString();
    return names;
}

ino_t inodeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QStringList allValues(Database& db)
{
    QStringList rows;
    auto rs = db.openRecordset(QStringLiteral("SELECT * FROM MessWerte ORDER BY MessWertId"));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        rows << QStringLiteral("%1|%2|%3|%4")
                    .arg(rs->field(QStringLiteral("MessWertId")).toString(),
                         rs->field(QStringLiteral("MessReiheID")).toString(),
                         rs->field(QStringLiteral("EW")).toString(),
                         rs->field(QStringLiteral("MessWertString")).toString());
    return rows;
}
} // namespace

TEST_F(StartupTest, OldUserDatabaseGetsTheValueIndexInPlaceWithItsRowsIntact)
{
    TempProgramFolder folder;
    QStringList statements{QStringLiteral("DROP INDEX MessWerte_Reihe_EW"),
                           QStringLiteral("DROP INDEX TempMessWerte_Reihe_EW"),
                           QStringLiteral("CREATE INDEX MessWerte_MessReiheID ON MessWerte (MessReiheID)"),
                           QStringLiteral("CREATE INDEX TempMessWerte_MessReiheID ON TempMessWerte (MessReiheID)"),
                           QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('kept')")};
    for (int i = 0; i < 300; ++i)
        statements << QStringLiteral(
                          "INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (%1, %2, '%3;1;2;3')")
                          .arg(i % 3 + 1)
                          .arg(i % 10 == 9 ? 1 : 0)
                          .arg(i);
    folder.execOn(folder.veluserPath(), statements);
    Database old;
    old.open(folder.veluserPath());
    const QStringList rowsBefore = allValues(old);
    ASSERT_EQ(valueIndexes(old), (QStringList{"MessWerte_MessReiheID", "TempMessWerte_MessReiheID"}));
    old.close();
    const ino_t fileBefore = inodeOf(folder.veluserPath());

    frmMDIMainForm form(services);
    ASSERT_EQ(start(folder, form, true), -1);
    EXPECT_EQ(valueIndexes(dbVeluser), (QStringList{"MessWerte_Reihe_EW", "TempMessWerte_Reihe_EW"}));
    EXPECT_EQ(allValues(dbVeluser), rowsBefore);
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName='kept'")).toInt(), 1);
    EXPECT_EQ(inodeOf(folder.veluserPath()), fileBefore); // the same file, not a rebuilt one
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM MessWerte WHERE MessReiheID=2 AND EW=1")).toInt(),
              10);

    // A second start finds nothing to change.
    ensureValueIndexes(dbVeluser);
    EXPECT_EQ(valueIndexes(dbVeluser), (QStringList{"MessWerte_Reihe_EW", "TempMessWerte_Reihe_EW"}));
}

// ---------------------------------------------------------------------------
// A user database (or settings table) that cannot be used at start: each ends
// with its fixed message through the terminator, and no file is changed.
namespace {
QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Root writes to any file whatever its mode; the immutable flag stops root too.
std::shared_ptr<void> makeReadOnly(const QString& path, QString& skip)
{
    if (geteuid() != 0) {
        QFile::setPermissions(path, QFile::ReadOwner);
        return std::shared_ptr<void>(
            nullptr, [path](void*) { QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner); });
    }
    auto setImmutable = [path](bool on) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    };
    if (!setImmutable(true)) {
        skip = QStringLiteral("running as root and the file system refuses the immutable flag, "
                              "so no file can be made read-only for this process");
        return nullptr;
    }
    return std::shared_ptr<void>(nullptr, [setImmutable](void*) { setImmutable(false); });
}

// Another connection holds the write lock for the whole start; the busy time
// is shortened so the start gives up quickly.
std::shared_ptr<void> holdLock(const QString& path)
{
    const QString name = QStringLiteral("other-program");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(path);
        other.open();
        QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    const int busy = Database::busyTimeout();
    Database::setBusyTimeout(100);
    return std::shared_ptr<void>(nullptr, [name, busy](void*) {
        Database::setBusyTimeout(busy);
        {
            QSqlDatabase other = QSqlDatabase::database(name);
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
}

// Every write that would grow a file past the limit fails, as on a full
// disk. With the default the lock files fit, the emptying of TempMessWerte
// does not; below 32 KiB not even the first database's shared-memory file fits.
std::shared_ptr<void> fillDisk(rlim_t limit = 40000)
{
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = limit;
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tight);
    return std::shared_ptr<void>(nullptr, [old, oldSignal](void*) {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);
    });
}

const QString connecting = QStringLiteral("Error in Connecting veluser.mdb") + QChar(13)
                           + QStringLiteral(" Program without Database not runable! ");

struct Unusable {
    const char* name;
    // Damage done before the files' bytes are taken.
    std::function<void(const TempProgramFolder&)> damage;
    // State held while the program starts (a lock, a flag, a limit); sets skip when it cannot be made.
    std::function<std::shared_ptr<void>(const TempProgramFolder&, QString& skip)> hold;
    QStringList messages;         // the last one may be a prefix: the failure's description follows
    const char* logged = nullptr; // part of the cause written to error.log
};

void PrintTo(const Unusable& c, std::ostream* os)
{
    *os << c.name;
}

class UnusableAtStartTest : public StartupTest, public ::testing::WithParamInterface<Unusable> {};
} // namespace

TEST_P(UnusableAtStartTest, EndsWithItsMessageInOrderAndChangesNoFile)
{
    const Unusable& c = GetParam();
    TempProgramFolder folder;
    if (c.damage)
        c.damage(folder);
    const QString daten = folder.path() + QStringLiteral("/Daten");
    const QByteArray user = bytesOf(folder.veluserPath());
    const QByteArray reference = bytesOf(folder.velmoroPath());
    const QStringList files = filesIn(daten);

    QString skip;
    std::shared_ptr<void> held = c.hold ? c.hold(folder, skip) : nullptr;
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    frmMDIMainForm form(services);
    const int exitCode = start(folder, form);
    closeCoreForTest();
    objLog.reset();
    held.reset();

    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_FALSE(form.isVisible());
    const QStringList shown = messages.texts();
    ASSERT_EQ(shown.size(), c.messages.size()) << shown.join(QStringLiteral(" | ")).toStdString();
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_TRUE(i + 1 < shown.size() ? shown[i] == c.messages[i] : shown[i].startsWith(c.messages[i]))
            << shown[i].toStdString();
    EXPECT_TRUE(bytesOf(folder.veluserPath()) == user) << "veluser.mdb was changed";
    EXPECT_TRUE(bytesOf(folder.velmoroPath()) == reference) << "velmoro.mdb was changed";
    EXPECT_EQ(filesIn(daten), files);
    if (c.logged) {
        const QString log = QString::fromUtf8(bytesOf(folder.path() + QStringLiteral("/error.log")));
        EXPECT_TRUE(log.contains(QLatin1String(c.logged), Qt::CaseInsensitive)) << log.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    UserDatabaseUnusableAtStart, UnusableAtStartTest,
    ::testing::Values(
        Unusable{"EmptyFile",
                 [](const TempProgramFolder& f) { QFile(f.veluserPath()).resize(0); },
                 nullptr,
                 {connecting},
                 "is empty"},
        Unusable{
            "MissingTempMessWerte",
            [](const TempProgramFolder& f) { f.execOn(f.veluserPath(), {QStringLiteral("DROP TABLE TempMessWerte")}); },
            nullptr,
            {connecting},
            "TempMessWerte"},
        Unusable{"ReadOnly",
                 nullptr,
                 [](const TempProgramFolder& f, QString& skip) { return makeReadOnly(f.veluserPath(), skip); },
                 {connecting},
                 "cannot be written"},
        Unusable{"LockedByAnotherProgram",
                 nullptr,
                 [](const TempProgramFolder& f, QString&) { return holdLock(f.veluserPath()); },
                 {connecting},
                 "locked"},
        Unusable{"DiskFullAtOpening",
                 nullptr,
                 [](const TempProgramFolder&, QString&) { return fillDisk(20000); },
                 {QStringLiteral("Error in Connecting velmoro.mdb.") + QChar(13)
                  + QStringLiteral(" Program without Database not runable! ")},
                 "disk I/O error"},
        // The disk refuses a write of the start (a setting): the temporary
        // values of the last run stay.
        Unusable{"WriteRefusedDuringTheStart",
                 [](const TempProgramFolder& f) {
                     f.execOn(f.veluserPath(), {QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, "
                                                               "MessWertString) VALUES (1, 0, '1;12000;1500;1')")});
                     // A setting the start must change, and cannot.
                     f.execOn(f.velmoroPath(),
                              {QStringLiteral("UPDATE Optionen SET value='stale' "
                                              "WHERE key='ProgramExtensionAvaiable'"),
                               QStringLiteral("CREATE TRIGGER fullDisk BEFORE UPDATE ON Optionen "
                                              "BEGIN SELECT RAISE(FAIL, 'database or disk is full'); END")});
                 },
                 nullptr,
                 {QStringLiteral("The program met an error it cannot recover from and ends now.")},
                 "database or disk is full"},
        Unusable{
            "SettingsWithoutKeys",
            [](const TempProgramFolder& f) { f.execOn(f.velmoroPath(), {QStringLiteral("DELETE FROM Optionen")}); },
            nullptr,
            {QStringLiteral("FATAL ERROR: Program Settings not found!") + QChar(13)
                 + QStringLiteral("Contact your contractor!"),
             QStringLiteral("Setting not found: UsedLanguage")},
            "Setting not found: UsedLanguage"},
        Unusable{"TextsTableWithoutItsColumns",
                 [](const TempProgramFolder& f) {
                     f.execOn(f.velmoroPath(),
                              {QStringLiteral("ALTER TABLE NLSResources RENAME COLUMN ResourceText TO Text")});
                 },
                 nullptr,
                 {QStringLiteral("FATAL ERROR: Program Resources not found!") + QChar(13)
                  + QStringLiteral("Contact your contractor!")},
                 "Program Resources not found"}),
    [](const ::testing::TestParamInfo<Unusable>& info) { return std::string(info.param.name); });

namespace {
QString logOf(const TempProgramFolder& folder)
{
    return QString::fromUtf8(bytesOf(folder.path() + QStringLiteral("/error.log")));
}

// A first start whose answers reach the settings and whose user database
// commits (nothing to write there), after which the disk refuses the commit
// of the settings.
struct FirstStartThenFullDisk : FakeFirstStart {
    std::shared_ptr<void> full;
    FirstStartAnswer runFirstComPort() override
    {
        const FirstStartAnswer answer = FakeFirstStart::runFirstComPort();
        full = fillDisk(4096); // below one page of the write-ahead log
        return answer;
    }
};
} // namespace

TEST_F(StartupTest, FirstStartRefusedAfterTheFirstCommitKeepsItsQuestionsAndTheTemporaryValues)
{
    FirstStartThenFullDisk dialogs;
    TestServices firstStart(services, {.firstStartDialogs = &dialogs});
    TempProgramFolder folder;
    folder.execOn(folder.velmoroPath(), {QStringLiteral("UPDATE Optionen SET value='YES' WHERE key='FirstStartup'")});
    folder.execOn(folder.veluserPath(), {QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) "
                                                        "VALUES (2, 0, '1;12000;1500;1')")});
    const QByteArray user = bytesOf(folder.veluserPath());
    const QByteArray reference = bytesOf(folder.velmoroPath());
    const QStringList files = filesIn(folder.path() + QStringLiteral("/Daten"));

    frmMDIMainForm form(services);
    const int exitCode = start(folder, form);
    closeCoreForTest();
    objLog.reset();
    dialogs.full.reset();

    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(dialogs.calls, (QStringList{"language", "charger", "port"}));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Error in Connecting velmoro.mdb.") + CR
                                            + QStringLiteral(" Program without Database not runable! ")});
    EXPECT_TRUE(bytesOf(folder.velmoroPath()) == reference) << "the first-start answers were kept";
    EXPECT_TRUE(bytesOf(folder.veluserPath()) == user) << "the temporary values were touched";
    EXPECT_EQ(filesIn(folder.path() + QStringLiteral("/Daten")), files);
    EXPECT_TRUE(logOf(folder).contains(QStringLiteral("commit"), Qt::CaseInsensitive)) << logOf(folder).toStdString();
}

// The disk takes every change of the start but not the emptying of the last
// run's temporary values: the start goes on, and the rows left behind can
// never join a series of this run.
TEST_F(StartupTest, TemporaryValuesThatCannotBeEmptiedStayApartAndTheStartGoesOn)
{
    TempProgramFolder folder;
    folder.execOn(folder.veluserPath(),
                  {QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM c WHERE i<2999) "
                                  "INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) "
                                  "SELECT i%4+1, 0, printf('%d;12000;1500;%d', i, i) FROM c")});
    std::shared_ptr<void> full = fillDisk();
    frmMDIMainForm form(services);
    EXPECT_EQ(start(folder, form, true), -1);
    full.reset();

    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(rowCount(dbVeluser, QStringLiteral("TempMessWerte")), 3000);
    // Each channel window took one identifier as it loaded, all above the
    // leftovers' 1 to 4.
    EXPECT_EQ(form.getNewTempMessreiheID(), 5 + form.programChannelCount());
    EXPECT_TRUE(logOf(folder).contains(QStringLiteral("could not be emptied"))) << logOf(folder).toStdString();
}
