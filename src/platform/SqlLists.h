#pragma once

#include <QString>
#include <QVariantList>
#include <QVector>

class Database;

// One entry of a list filled from a query: the text shown and the value the
// list carries for it (the bound column).
struct ListEntry {
    QString value;
    QString text;
};

// Fills lists from queries. Raise DatabaseError.
namespace SqlLists {

// The first column of each row is the value, the second the text shown.
QVector<ListEntry> readEntries(Database& db, const QString& sql, const QVariantList& params = {});

// The value and the text by column name (names match without regard to case),
// for queries whose columns come in the order the query wants.
QVector<ListEntry> readEntries(Database& db, const QString& sql, const QString& valueColumn, const QString& textColumn);

} // namespace SqlLists
