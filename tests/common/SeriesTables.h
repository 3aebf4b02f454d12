#pragma once

// What the user database holds of the values of a series, as tests compare it.
#include "core/DatabaseModul.h"
#include "platform/Database.h"

#include <QString>
#include <QStringList>

// "M:text" for a measured value, "E:text" for an end value, of one series of
// a values table (MessWerte, TempMessWerte, ...), in order of writing.
inline QStringList seriesRows(const QString& table, qint32 series)
{
    auto rs = dbVeluser.openRecordset(
        QStringLiteral("SELECT * FROM %1 WHERE MessReiheID=%2 ORDER BY MessWertId").arg(table).arg(series));
    QStringList out;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        out << (rs->field(QStringLiteral("EW")).toBool() ? QStringLiteral("E:") : QStringLiteral("M:"))
                   + rs->field(QStringLiteral("MessWertString")).toString();
    return out;
}

// The rows of a table of the user database.
inline int rowCount(const QString& table)
{
    return dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
}
