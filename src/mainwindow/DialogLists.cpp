#include "mainwindow/DialogLists.h"

#include "platform/Database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
QVector<DataCombo::Entry> readEntries(Database& db, const QString& sql, const QVariantList& params)
{
    if (!db.isOpen())
        throw DatabaseError(QStringLiteral("Database is not open"));
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DatabaseError(q.lastError().text() + QStringLiteral(" [") + sql + QLatin1Char(']'));
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DatabaseError(q.lastError().text() + QStringLiteral(" [") + sql + QLatin1Char(']'));
    QVector<DataCombo::Entry> entries;
    while (q.next())
        entries.push_back({q.value(0).toString(), q.value(1).toString()});
    return entries;
}
} // namespace

QVector<DataCombo::Entry> DialogLists::languages(Database& db, const QString& languageCode)
{
    return readEntries(db,
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
    return readEntries(db,
                       QStringLiteral("SELECT Geraetekuerzel, Geraetebezeichnung FROM Ladegeraete "
                                      "ORDER BY rowid"),
                       {});
}
