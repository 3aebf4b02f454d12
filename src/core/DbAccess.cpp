#include "core/DbAccess.h"

#include "core/DatabaseModul.h"

void deleteTempMesswerte(long lTempId)
{
    if (lTempId != 0)
        dbVeluser.exec(QStringLiteral("DELETE FROM TempMessWerte WHERE MessReiheID=?"),
                       {QVariant::fromValue(qlonglong(lTempId))});
    else
        dbVeluser.exec(QStringLiteral("DELETE FROM TempMessWerte"));
    strSqlTempMessWerte = QStringLiteral("SELECT * FROM TempMessWerte");
    rsTempMessWerte = dbVeluser.openRecordset(strSqlTempMessWerte);
}
