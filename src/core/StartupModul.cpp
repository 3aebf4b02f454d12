#include "core/StartupModul.h"

#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/MainFormServices.h"
#include "core/ProgramResources.h"
#include "core/StartupServices.h"
#include "core/programSettings.h"
#include "core/velmoroLog.h"
#include "platform/ErrorGuard.h"
#include "platform/FailureText.h"
#include "platform/MessageService.h"
#include "platform/Terminator.h"

namespace {
// Undoes the start's changes when a step before their commit fails.
struct UndoStartChanges {
    bool committed = false;
    UndoStartChanges() = default;
    UndoStartChanges(const UndoStartChanges&) = delete;
    UndoStartChanges& operator=(const UndoStartChanges&) = delete;
    ~UndoStartChanges()
    {
        if (!committed)
            rollbackStartChanges();
    }
};

void logStartEntry(const QString& entry)
{
    if (!objLog)
        return;
    objLog->writeLogSignature(QStringLiteral("Start"));
    objLog->writeLogEntry(entry);
}

// A write refused on a full disk leaves the write-ahead logs as long as they
// had grown; giving that room back lets the cause still reach the log.
void giveBackLogRoom()
{
    dbVeluser.shrinkWriteAheadLog();
    dbVelmoro.shrinkWriteAheadLog();
}

void registerCleanup()
{
    // Whatever road ends the program, the databases are closed properly
    // (the write-ahead log is folded back) and the log file is flushed.
    Terminator::setCleanup("databases", [] { closeAllDatabases(); });
    Terminator::setCleanup("log", [] { objLog.reset(); });
}

// A disk that takes the settings but not the emptying does not fail the start:
// the leftover rows stay until the next orderly end, and this run numbers its
// temporary series above them, so none of them is mixed into a series of it.
void emptyTemporaryValues(MainFormServices& mainForm)
{
    try {
        deleteTempMesswerte(0);
        return;
    } catch (const DatabaseError& e) {
        giveBackLogRoom();
        logStartEntry(QStringLiteral("The temporary values of the last run could not be emptied: ") + e.description());
    }
    try {
        mainForm.setNextTempMessreiheID(firstFreeTempMessreiheID());
    } catch (const DatabaseError& e) {
        logStartEntry(QStringLiteral("The first free temporary series could not be read: ") + e.description());
    }
}
} // namespace

void installErrorTexts()
{
    ErrorGuard::setDescriber([](const QString& description) {
        return FailureText::compose(getResource(QStringLiteral("0892")), description);
    });
}

void initApplication(MainFormServices& mainForm)
{
    registerCleanup();
    objLog = std::make_unique<velmoroLog>(programFolder());

    openDataDatabase(programFolder());
    openUserDatabase(programFolder());
    openSettings();
    openResources();
    installErrorTexts();

    {
        // Whatever the start writes (the first-start answers, the settings
        // derived from the model) stays in the open transactions until every
        // step that may still fail has worked; a failed or cancelled start
        // leaves both files as they were.
        UndoStartChanges undo;
        try {
            beginStartChanges();
            checkFirstStartup();
            prepareUserDatabase();
            openGlobalRecordsets();
            mainForm.setProgramExtensionSetting();
            mainForm.setLanguageResources();
            mainForm.optimizeStatusbar();
        } catch (const ProgramEndUnwind&) {
            throw;
        } catch (...) {
            const QString cause = FailureText::describeCurrentException();
            rollbackStartChanges();
            giveBackLogRoom(); // the files stay open: the last-resort message needs the texts
            logStartEntry(QStringLiteral("The start failed: ") + cause);
            throw; // shown by the last-resort handler, which ends the program
        }
        undo.committed = true;
        commitStartChanges();
    }
    // Only now, with every change of the start kept, are the last run's
    // temporary values thrown away.
    emptyTemporaryValues(mainForm);

    reopenComCommunication();

    mainForm.loadChannelWindows();
    mainForm.showMainForm();
}

void closeApplication()
{
    // A database that cannot be emptied must not keep the program from ending.
    try {
        deleteTempMesswerte(0);
    } catch (const DatabaseError&) {
    }
    objLog.reset();
}

void checkFirstStartup()
{
    if (objSettings().getSetting(QStringLiteral("FirstStartup")) != QLatin1String("YES"))
        return;
    FirstStartDialogs* dialogs = StartupServices::current().firstStartDialogs;
    if (!dialogs)
        return;
    // A dialog closed from its frame ends the chain; the start goes on.
    FirstStartAnswer answer = dialogs->runFirstLanguage();
    if (answer == FirstStartAnswer::Cancel) {
        closeApplication();
        endProgram(0);
    }
    if (answer == FirstStartAnswer::Ok) {
        if (objSettings().getSetting(QStringLiteral("ChargerSelfInfo")) == QLatin1String("YES")) {
            objSettings().setSetting(QStringLiteral("UsedCharger"), QStringLiteral("KZTx"));
        } else {
            answer = dialogs->runFirstCharger();
            if (answer == FirstStartAnswer::Cancel) {
                closeApplication();
                endProgram(0);
            }
        }
    }
    // Cancel in the port dialog keeps the stored port; the start goes on.
    if (answer == FirstStartAnswer::Ok)
        dialogs->runFirstComPort();
    objSettings().setSetting(QStringLiteral("FirstStartup"), QStringLiteral("NO"));
}

void showNotImplemented()
{
    msgBox(QStringLiteral("Funktion ist noch nicht implementiert!"));
}
