-- User database veluser.mdb: named programs, batteries, series and their values.
PRAGMA journal_mode=WAL;
BEGIN;

CREATE TABLE Programme (
    ProgrammID INTEGER PRIMARY KEY AUTOINCREMENT,
    Bez        TEXT COLLATE NOCASE,
    Daten      TEXT
);

CREATE TABLE Akkus (
    AkkuId    INTEGER PRIMARY KEY AUTOINCREMENT,
    AkkuName  TEXT COLLATE NOCASE,
    bemerkung TEXT
);

CREATE TABLE MessReihen (
    MessReiheID INTEGER PRIMARY KEY AUTOINCREMENT,
    AkkuId      INTEGER,
    Nummer      INTEGER,
    Datum       TEXT,
    bemerkung   TEXT,
    Programm    TEXT,
    Mode        TEXT
);
CREATE INDEX MessReihen_AkkuId ON MessReihen (AkkuId);

CREATE TABLE MessWerte (
    MessWertId     INTEGER PRIMARY KEY AUTOINCREMENT,
    MessReiheID    INTEGER,
    EW             INTEGER NOT NULL DEFAULT 0,
    MessWertString TEXT
);
-- A series' values and its end values are found through this index alone.
CREATE INDEX MessWerte_Reihe_EW ON MessWerte (MessReiheID, EW);

CREATE TABLE TempMessWerte (
    MessWertId     INTEGER PRIMARY KEY AUTOINCREMENT,
    MessReiheID    INTEGER,
    EW             INTEGER NOT NULL DEFAULT 0,
    MessWertString TEXT
);
CREATE INDEX TempMessWerte_Reihe_EW ON TempMessWerte (MessReiheID, EW);

CREATE TABLE TempTempMessWerte (
    MessWertId     INTEGER PRIMARY KEY AUTOINCREMENT,
    MessReiheID    INTEGER,
    EW             INTEGER NOT NULL DEFAULT 0,
    MessWertString TEXT
);

COMMIT;
