#include "core/DatabaseModul.h"

#include "core/DbAccess.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "core/velmoroLog.h"
#include "platform/MessageService.h"
#include "platform/Terminator.h"

#include <QDir>

Database dbVelmoro;
Database dbVeluser;

QString strSqlAkkutypen, strSqlGeraeteModi, strSqlFormierModi, strSqlMinMaxWerte, strSqlDiagramPoints, strSqlProgramme,
    strSqlAkkus, strSqlMessWerte, strSqlTempMessWerte;

std::unique_ptr<Recordset> rsAkkutypen, rsGeraeteModi, rsFormierModi, rsMinMaxWerte, rsDiagramPoints, rsProgramme,
    rsAkkus, rsMessWerte, rsTempMessWerte;

namespace {
const QChar CR(13);

// The messages of a failed start are fixed; the reason goes to the log for
// whoever looks into it.
void logCause(const QString& first, const QString& cause)
{
    if (objLog) {
        objLog->writeLogSignature(QStringLiteral("Database"));
        objLog->writeLogEntry(first + QStringLiteral(": ") + cause);
    }
}

[[noreturn]] void failDatabase(const QString& first, const QString& cause)
{
    logCause(first, cause);
    msgBox(first + CR + QStringLiteral(" Program without Database not runable! "));
    endProgram(1);
}

const QString userConnecting = QStringLiteral("Error in Connecting veluser.mdb");
const QString dataConnecting = QStringLiteral("Error in Connecting velmoro.mdb.");

// The tables and columns of veluser.mdb the program reads and writes; a file
// without one of them is refused before anything is written to it.
void checkUserTables(Database& db)
{
    const char* const needed[][2] = {
        {"Programme", "Bez"},
        {"Akkus", "AkkuId, AkkuName"},
        {"MessReihen", "MessReiheID, AkkuId, Programm, Mode, bemerkung"},
        {"MessWerte", "MessWertId, MessReiheID, EW, MessWertString"},
        {"TempMessWerte", "MessWertId, MessReiheID, EW, MessWertString"},
        {"TempTempMessWerte", "MessWertId, MessReiheID, EW, MessWertString"},
    };
    for (const auto& table : needed)
        db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE 0").arg(QLatin1String(table[1]), QLatin1String(table[0])));
}

// Keys the start reads or writes; setSetting never adds a missing one, and a
// missing UsedLanguage would show bare text identifiers everywhere.
const char* const neededSettings[] = {
    "UsedLanguage",
    "UsedCharger",
    "FirstStartup",
    "ChargerSelfInfo",
    "ComPort",
    "KZTxChannelCount",
    "Akku1Visible",
    "Akku2Visible",
    "Akku3Visible",
    "Akku4Visible",
    "ProgramExtensionAvaiable",
};

QString databasePath(const QString& programFolder, const QString& file)
{
    return QDir(programFolder).filePath(QStringLiteral("Daten/") + file);
}
} // namespace

void openDataDatabase(const QString& programFolder)
{
    try {
        dbVelmoro.open(databasePath(programFolder, QStringLiteral("velmoro.mdb")));
    } catch (const DatabaseError& e) {
        failDatabase(dataConnecting, e.description());
    }
}

void openUserDatabase(const QString& programFolder)
{
    try {
        dbVeluser.open(databasePath(programFolder, QStringLiteral("veluser.mdb")), checkUserTables);
    } catch (const DatabaseError& e) {
        failDatabase(QStringLiteral("Error in Connecting veluser.mdb"), e.description());
    }
}

void ensureValueIndexes(Database& db)
{
    Transaction tx(db);
    for (const QString& table : {QStringLiteral("MessWerte"), QStringLiteral("TempMessWerte")}) {
        const QString index = table + QStringLiteral("_Reihe_EW");
        const QString old = table + QStringLiteral("_MessReiheID");
        auto exists = [&db](const QString& name) {
            return db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='index' AND name=?"), {name})
                       .toInt()
                   > 0;
        };
        // The old index goes first, so the new one can reuse its pages.
        if (exists(old))
            db.exec(QStringLiteral("DROP INDEX ") + old);
        if (!exists(index))
            db.exec(QStringLiteral("CREATE INDEX %1 ON %2 (MessReiheID, EW)").arg(index, table));
    }
    tx.commit();
}

namespace {
// A refused commit on a full disk leaves the write-ahead logs holding what
// room there was; closing the files gives it back, so the cause still
// reaches the log before the message.
[[noreturn]] void failStartChanges(const QString& first, const QString& cause)
{
    rollbackStartChanges();
    closeAllDatabases();
    failDatabase(first, cause);
}
} // namespace

void beginStartChanges()
{
    try {
        dbVelmoro.beginTransaction();
    } catch (const DatabaseError& e) {
        failStartChanges(dataConnecting, e.description());
    }
}

void prepareUserDatabase()
{
    try {
        dbVeluser.beginTransaction();
        ensureValueIndexes(dbVeluser);
    } catch (const DatabaseError& e) {
        failStartChanges(userConnecting, e.description());
    }
}

void commitStartChanges()
{
    // The user database first: after it only the settings can still be
    // refused, and what it holds then (the index of an older file) changes
    // no row.
    try {
        dbVeluser.commit();
    } catch (const DatabaseError& e) {
        failStartChanges(userConnecting, e.description());
    }
    try {
        dbVelmoro.commit();
    } catch (const DatabaseError& e) {
        failStartChanges(dataConnecting, e.description());
    }
}

void rollbackStartChanges()
{
    for (Database* db : {&dbVeluser, &dbVelmoro}) {
        try {
            db->rollback();
        } catch (const DatabaseError&) {
            // The file keeps what it had: SQLite undoes an open transaction
            // at the latest when the connection closes.
        }
    }
}

void openSettings()
{
    try {
        auto rs = dbVelmoro.openRecordset(QStringLiteral("SELECT * FROM Optionen"));
        // The columns the settings need must be there, not just the table.
        if (!rs->hasField(QStringLiteral("key")) || !rs->hasField(QStringLiteral("value")))
            throw DatabaseError(QStringLiteral("Item not found in this collection."));
        rs->moveFirst();
        objSettings().setRsSettings(std::move(rs));
        for (const char* key : neededSettings) {
            if (!objSettings().hasKey(QLatin1String(key))) {
                objSettings().reset();
                throw DatabaseError(QStringLiteral("Setting not found: %1").arg(QLatin1String(key)));
            }
        }
    } catch (const DatabaseError& e) {
        logCause(QStringLiteral("FATAL ERROR: Program Settings not found!"), e.description());
        msgBox(QStringLiteral("FATAL ERROR: Program Settings not found!") + CR
               + QStringLiteral("Contact your contractor!"));
        msgBox(e.description());
        endProgram(1);
    }
}

void openResources()
{
    try {
        auto rs = dbVelmoro.openRecordset(QStringLiteral("SELECT * FROM NLSResources"));
        for (const char* col : {"ResourceID", "SprachCode", "ResourceText"}) {
            if (!rs->hasField(QLatin1String(col)))
                throw DatabaseError(QStringLiteral("Item not found in this collection."));
        }
        rs->moveFirst();
        objResources().setRsResources(std::move(rs));
        objResources().setLanguageKey(objSettings().getSetting(QStringLiteral("UsedLanguage")));
        objResources().getResource(QStringLiteral("0001"));
    } catch (const DatabaseError& e) {
        logCause(QStringLiteral("FATAL ERROR: Program Resources not found!"), e.description());
        msgBox(QStringLiteral("FATAL ERROR: Program Resources not found!") + CR
               + QStringLiteral("Contact your contractor!"));
        endProgram(1);
    }
}

QString modelColumnSuffix(const QString& usedCharger)
{
    if (usedCharger == QLatin1String("KZT4"))
        return QStringLiteral("KZT4");
    if (usedCharger == QLatin1String("KZT4 48V"))
        return QStringLiteral("KZT448V");
    if (usedCharger == QLatin1String("J4"))
        return QStringLiteral("J4");
    if (usedCharger == QLatin1String("KZTx"))
        return QStringLiteral("KZTx");
    return QStringLiteral("KZT1");
}

namespace {
// Texts are compared as text literals; an apostrophe in a code must not end
// the literal early.
QString sqlLiteral(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return t;
}
} // namespace

QString buildSqlAkkutypen(const QString& usedCharger, const QString& language)
{
    const QString suffix = modelColumnSuffix(usedCharger);
    return QStringLiteral("SELECT Akkutypen.Nr, Akkutypen.Nennspannung, Akkutypen.Zmin") + suffix
           + QStringLiteral(" AS ZMin, ") + QStringLiteral("Akkutypen.Zmax") + suffix
           + QStringLiteral(" AS ZMax, NLSResources.ResourceText ") + QStringLiteral("FROM Akkutypen, NLSResources ")
           + QStringLiteral("WHERE Akkutypen.SprachId=NLSResources.ResourceID ")
           + QStringLiteral("AND Akkutypen.Usable=True ") + QStringLiteral("AND NLSResources.SprachCode='")
           + sqlLiteral(language) + QStringLiteral("' COLLATE NOCASE ")
           + QStringLiteral("ORDER BY NLSResources.ResourceText COLLATE NOCASE ASC;");
}

QString buildSqlGeraeteModi(const QString& language)
{
    return QStringLiteral("SELECT GeraeteModi.ModusNr,GeraeteModi.LBlock, GeraeteModi.EBlock, ")
           + QStringLiteral("GeraeteModi.TSel, GeraeteModi.FormCbo, GeraeteModi.TageText, ")
           + QStringLiteral("GeraeteModi.Ladeschluss, GeraeteModi.Entladeschluss, ")
           + QStringLiteral("NLSResources.ResourceText ") + QStringLiteral("FROM GeraeteModi,NLSResources ")
           + QStringLiteral("WHERE GeraeteModi.SprachId=NLSResources.ResourceID ")
           + QStringLiteral("AND NLSResources.SprachCode='") + sqlLiteral(language)
           + QStringLiteral("' COLLATE NOCASE;");
}

QString buildSqlMinMaxWerte(const QString& usedCharger)
{
    QString model;
    if (usedCharger == QLatin1String("KZT4"))
        model = QStringLiteral("Kzt4");
    else if (usedCharger == QLatin1String("KZT4 48V"))
        model = QStringLiteral("Kzt448V");
    else if (usedCharger == QLatin1String("J4"))
        model = QStringLiteral("J4");
    else if (usedCharger == QLatin1String("KZTx"))
        model = QStringLiteral("Kztx");
    else
        model = QStringLiteral("Kzt1");
    return QStringLiteral("SELECT Bez, Kommentar, Min%1 as Min, Max%1 as Max FROM MinMaxWerte;").arg(model);
}

void openGlobalRecordsets()
{
    const QString charger = objSettings().getSetting(QStringLiteral("UsedCharger"));
    const QString language = objSettings().getSetting(QStringLiteral("UsedLanguage"));

    strSqlAkkutypen = buildSqlAkkutypen(charger, language);
    strSqlGeraeteModi = buildSqlGeraeteModi(language);
    strSqlFormierModi =
        QStringLiteral("SELECT FormierModi.Modus, FormierModi.SendeCode ") + QStringLiteral("FROM FormierModi;");
    strSqlMinMaxWerte = buildSqlMinMaxWerte(charger);
    strSqlProgramme = QStringLiteral("SELECT * FROM Programme ORDER BY Bez");
    strSqlAkkus = QStringLiteral("SELECT * FROM Akkus ORDER BY AkkuName");
    strSqlMessWerte = QStringLiteral("SELECT * FROM MessWerte");
    strSqlTempMessWerte = QStringLiteral("SELECT * FROM TempMessWerte");
    strSqlDiagramPoints = QStringLiteral("SELECT * FROM DiagramPoints ORDER BY ID");

    try {
        rsAkkutypen = dbVelmoro.openRecordset(strSqlAkkutypen);
        rsGeraeteModi = dbVelmoro.openRecordset(strSqlGeraeteModi);
        rsFormierModi = dbVelmoro.openRecordset(strSqlFormierModi);
        rsMinMaxWerte = dbVelmoro.openRecordset(strSqlMinMaxWerte);
        rsProgramme = dbVeluser.openRecordset(strSqlProgramme);
        rsAkkus = dbVeluser.openRecordset(strSqlAkkus);
        // Opened as append handles: their rows are never read at start.
        rsMessWerte = dbVeluser.openRecordset(strSqlMessWerte);
        rsTempMessWerte = dbVeluser.openRecordset(strSqlTempMessWerte);
        rsDiagramPoints = dbVelmoro.openRecordset(strSqlDiagramPoints);
    } catch (const DatabaseError& e) {
        // Without its shared tables the program cannot run at all.
        logCause(QStringLiteral("FATAL ERROR: Program Data not found!"), e.description());
        msgBox(QStringLiteral("FATAL ERROR: Program Data not found!") + CR + QStringLiteral("Contact your contractor!")
                   + CR + CR + e.description(),
               MessageService::OkOnly, MessageService::Critical);
        endProgram(1);
    }
}

void requeryLimitRecordsets()
{
    for (Recordset* rs : {rsAkkutypen.get(), rsMinMaxWerte.get()})
        if (rs)
            rs->requery();
}

void closeAllDatabases()
{
    for (auto* rs : {&rsAkkutypen, &rsGeraeteModi, &rsFormierModi, &rsMinMaxWerte, &rsDiagramPoints, &rsProgramme,
                     &rsAkkus, &rsMessWerte, &rsTempMessWerte})
        rs->reset();
    objSettings().reset();
    objResources().reset();
    dbVelmoro.close();
    dbVeluser.close();
}
