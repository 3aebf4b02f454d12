#include "mainwindow/DialogLists.h"

#include "platform/SqlLists.h"

QVector<DataCombo::Entry> DialogLists::languages(Database& db, const QString& languageCode)
{
    return SqlLists::readEntries(db,
                                 QStringLiteral("SELECT Sprachen.SprachCode, NLSResources.ResourceText "
                                                "FROM Sprachen, NLSResources "
                                                "WHERE Sprachen.SprachResID = NLSResources.ResourceID "
                                                "AND Sprachen.Usable=True "
                                                "AND NLSResources.SprachCode=? COLLATE NOCASE "
                                                "ORDER BY NLSResources.ResourceText COLLATE NOCASE ASC"),
                                 {languageCode});
}

QVector<DataCombo::Entry> DialogLists::chargers(Database& db)
{
    return SqlLists::readEntries(db,
                                 QStringLiteral("SELECT Geraetekuerzel, Geraetebezeichnung FROM Ladegeraete "
                                                "ORDER BY rowid"),
                                 {});
}
