-- Reference database velmoro.mdb: settings, texts of every language, and the
-- tables of charger models, battery types, device modes and limits.
PRAGMA journal_mode=DELETE;
BEGIN;

CREATE TABLE Optionen (
    "key"   TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
    "value" TEXT
);

CREATE TABLE NLSResources (
    ResourceID   TEXT NOT NULL,
    SprachCode   TEXT NOT NULL,
    ResourceText TEXT,
    PRIMARY KEY (ResourceID, SprachCode)
);

CREATE TABLE Sprachen (
    SprachCode  TEXT NOT NULL PRIMARY KEY,
    SprachResID TEXT NOT NULL,
    Usable      INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE Ladegeraete (
    Geraetebezeichnung TEXT NOT NULL,
    Geraetekuerzel     TEXT NOT NULL PRIMARY KEY
);

CREATE TABLE Akkutypen (
    Nr           INTEGER NOT NULL PRIMARY KEY,
    Nennspannung REAL,
    SprachId     TEXT NOT NULL,
    Usable       INTEGER NOT NULL DEFAULT 1,
    ZminKZT1 INTEGER, ZmaxKZT1 INTEGER,
    ZminKZT4 INTEGER, ZmaxKZT4 INTEGER,
    ZminKZT448V INTEGER, ZmaxKZT448V INTEGER,
    ZminJ4 INTEGER, ZmaxJ4 INTEGER,
    ZminKZTx INTEGER, ZmaxKZTx INTEGER
);

CREATE TABLE GeraeteModi (
    ModusNr        TEXT NOT NULL PRIMARY KEY,
    LBlock         INTEGER NOT NULL DEFAULT 0,
    EBlock         INTEGER NOT NULL DEFAULT 0,
    TSel           INTEGER NOT NULL DEFAULT 0,
    FormCbo        INTEGER NOT NULL DEFAULT 0,
    TageText       INTEGER NOT NULL DEFAULT 0,
    Ladeschluss    INTEGER NOT NULL DEFAULT 0,
    Entladeschluss INTEGER NOT NULL DEFAULT 0,
    SprachId       TEXT NOT NULL
);

CREATE TABLE FormierModi (
    ID        INTEGER PRIMARY KEY,
    Modus     TEXT NOT NULL,
    SendeCode TEXT NOT NULL
);

CREATE TABLE MinMaxWerte (
    Bez       TEXT NOT NULL PRIMARY KEY,
    Kommentar TEXT,
    MinKzt1 REAL, MaxKzt1 REAL,
    MinKzt4 REAL, MaxKzt4 REAL,
    MinKzt448V REAL, MaxKzt448V REAL,
    MinJ4 REAL, MaxJ4 REAL,
    MinKztx REAL, MaxKztx REAL
);

CREATE TABLE DiagramPoints (
    ID          INTEGER NOT NULL PRIMARY KEY,
    Schwellwert INTEGER NOT NULL,
    xteWert     INTEGER NOT NULL
);

COMMIT;
