#include "platform/SqlLists.h"

#include "platform/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QSqlQuery runQuery(Database& db, const QString& sql, const QVariantList& params)
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
    return q;
}

int columnOf(const QSqlRecord& record, const QString& name, const QString& sql)
{
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw DatabaseError(QStringLiteral("Item not found in this collection: %1 [%2]").arg(name, sql));
}
} // namespace

QVector<ListEntry> SqlLists::readEntries(Database& db, const QString& sql, const QVariantList& params)
{
    QSqlQuery q = runQuery(db, sql, params);
    QVector<ListEntry> entries;
    while (q.next())
        entries.push_back({q.value(0).toString(), q.value(1).toString()});
    return entries;
}

QVector<ListEntry> SqlLists::readEntries(Database& db, const QString& sql, const QString& valueColumn,
                                         const QString& textColumn)
{
    QSqlQuery q = runQuery(db, sql, {});
    const QSqlRecord record = q.record();
    const int value = columnOf(record, valueColumn, sql);
    const int text = columnOf(record, textColumn, sql);
    QVector<ListEntry> entries;
    while (q.next())
        entries.push_back({q.value(value).toString(), q.value(text).toString()});
    return entries;
}
