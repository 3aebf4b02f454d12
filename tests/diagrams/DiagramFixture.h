#pragma once

// The shipped databases of a fresh program folder with the diagram's shared
// recordset open, and a way to write values straight into the value tables.
#include "TestSupport.h"

#include "core/DatabaseModul.h"

#include <QString>
#include <QVariant>

class DiagramFixture : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        strSqlDiagramPoints = QStringLiteral("SELECT * FROM DiagramPoints ORDER BY ID");
        rsDiagramPoints = dbVelmoro.openRecordset(strSqlDiagramPoints);
    }

    // One row; returns its MessWertId.
    static qint32 add(const char* table, qint32 series, bool ew, const QString& text)
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO %1 (MessReiheID, EW, MessWertString) VALUES (?, ?, ?)")
                           .arg(QLatin1String(table)),
                       {series, ew ? 1 : 0, text});
        return dbVeluser.lastInsertId().toInt();
    }
    // A plain value whose time is `minute` minutes.
    static qint32 value(const char* table, qint32 series, int minute, qint32 mV = 1300, qint32 mA = 1000,
                        qint32 mAh = 100)
    {
        return add(table, series, false, QStringLiteral("%1;%2;%3;%4").arg(mAh).arg(mV).arg(mA).arg(minute * 60));
    }
    static qint32 endValue(const char* table, qint32 series, int type)
    {
        return add(table, series, true, QStringLiteral("%1;1234;1450;0;95").arg(type));
    }
    // count plain values of a series with times 0 .. count-1 minutes, in one statement.
    static void values(const char* table, qint32 series, int count, int firstMinute = 0)
    {
        dbVeluser.exec(QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i < ?) "
                                      "INSERT INTO %1 (MessReiheID, EW, MessWertString) "
                                      "SELECT ?, 0, '100;' || (1200 + i % 300) || ';1000;' || ((? + i) * 60) FROM c")
                           .arg(QLatin1String(table)),
                       {count - 1, series, firstMinute});
    }
};
