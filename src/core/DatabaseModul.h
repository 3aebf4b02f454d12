#pragma once

#include "platform/Database.h"
#include "platform/Recordset.h"

#include <QString>
#include <memory>

// The two databases and the nine shared recordsets of the run.
extern Database dbVelmoro; // reference data: Daten/velmoro.mdb
extern Database dbVeluser; // the user's data: Daten/veluser.mdb

extern QString strSqlAkkutypen, strSqlGeraeteModi, strSqlFormierModi, strSqlMinMaxWerte, strSqlDiagramPoints,
    strSqlProgramme, strSqlAkkus, strSqlMessWerte, strSqlTempMessWerte;

extern std::unique_ptr<Recordset> rsAkkutypen, rsGeraeteModi, rsFormierModi, rsMinMaxWerte, rsDiagramPoints,
    rsProgramme, rsAkkus, rsMessWerte, rsTempMessWerte;

// Each of these ends the program with its fixed message when it fails.
void openDataDatabase(const QString& programFolder);
void openUserDatabase(const QString& programFolder);
void openSettings();
void openResources();
// The start's changes to both files, held in one transaction per file:
// beginStartChanges opens the one on velmoro.mdb before the first-start
// answers and the settings derived from the model are written into it;
// prepareUserDatabase opens the one on veluser.mdb and adds there the value
// index an older file lacks. commitStartChanges makes them stick once every
// step of the start has worked, the user database first, so that a refused
// commit of either leaves both files as they were (the index of an older
// file excepted, which changes no row); rollbackStartChanges undoes them. A
// failure of the writing or of a commit (full disk, lock, I/O) ends the
// program with the connecting message of its file, once the files are closed
// and the cause is in the log.
void beginStartChanges();
void prepareUserDatabase();
void commitStartChanges();
void rollbackStartChanges();
// MessWerte and TempMessWerte get one index on (MessReiheID, EW) in place of
// the single-column one of older files; the rows stay. Raises DatabaseError.
void ensureValueIndexes(Database& db);
// Ends the program with a clear message when a recordset cannot be opened.
void openGlobalRecordsets();
// Reads rsAkkutypen and rsMinMaxWerte again, after the limits in their tables
// changed (those not open yet are left alone). Raises DatabaseError.
void requeryLimitRecordsets();

// The SQL texts for a charger model and a language (also used by openGlobalRecordsets).
QString modelColumnSuffix(const QString& usedCharger);
QString buildSqlAkkutypen(const QString& usedCharger, const QString& language);
QString buildSqlGeraeteModi(const QString& language);
QString buildSqlMinMaxWerte(const QString& usedCharger);

// Releases every recordset, the settings and texts, and closes both databases.
void closeAllDatabases();
