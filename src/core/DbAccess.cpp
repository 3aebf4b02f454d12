#include "core/DbAccess.h"

#include "core/DatabaseModul.h"
#include "core/MesswertStringError.h"
#include "core/SeriesStore.h"
#include "link/CommunicationEndwert.h"
#include "link/CommunicationResults.h"

#include <QStringList>
#include <limits>

namespace {
qint64 wholeSeconds(const QDateTime& t)
{
    const qint64 ms = t.toMSecsSinceEpoch();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

template <typename T>
T fieldAs(const QStringList& fields, int index, const QString& text)
{
    const QString f = fields.at(index).trimmed();
    bool ok = false;
    const qlonglong v = f.toLongLong(&ok, 10);
    if (!ok)
        throw MesswertStringError(
            QStringLiteral("Stored value \"%1\": field %2 is no whole number").arg(text).arg(index + 1));
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        throw MesswertStringError(
            QStringLiteral("Stored value \"%1\": field %2 is out of range").arg(text).arg(index + 1));
    return static_cast<T>(v);
}
} // namespace

qint32 messwertSeconds(const QDateTime& start, const QDateTime& now)
{
    if (!start.isValid() || !now.isValid())
        throw MesswertStringError(QStringLiteral("The start time of the series was never set"));
    const qint64 diff = wholeSeconds(now) - wholeSeconds(start);
    if (diff < std::numeric_limits<qint32>::min() || diff > std::numeric_limits<qint32>::max())
        throw MesswertStringError(QStringLiteral("The start time of the series lies too far away"));
    return static_cast<qint32>(diff);
}

QString buildMesswertString(const CommunicationResults& comRes, const QDateTime& start, const QDateTime& now)
{
    const qint32 seconds = messwertSeconds(start, now);
    return QStringLiteral("%1;%2;%3;%4").arg(comRes.lKapazitaet).arg(comRes.lSpannung).arg(comRes.lStrom).arg(seconds);
}

QString buildEndwertString(const CommunicationEndwert& endwert, const QDateTime& start, const QDateTime& now)
{
    const qint32 seconds = messwertSeconds(start, now);
    QString text = QStringLiteral("%1;%2;%3;%4;%5")
                       .arg(endwert.iEndwertTyp)
                       .arg(endwert.lKapazitaet)
                       .arg(endwert.lSpannung)
                       .arg(seconds)
                       .arg(endwert.lZykluszeit);
    if (endwert.bWithAkkuzustand)
        text +=
            (endwert.bAkkuzustand ? QStringLiteral(";T;") : QStringLiteral(";F;")) + QString::number(endwert.iProzent);
    if (endwert.lSelbstentladung != -1)
        text += QLatin1Char(';') + QString::number(endwert.lSelbstentladung);
    return text;
}

LoadedMeasurementValue parseMesswertString(const QString& text, bool bEndwert)
{
    const QStringList f = text.split(QLatin1Char(';'));
    const int last = int(f.size()) - 1;
    LoadedMeasurementValue v;
    v.bEndwert = bEndwert;
    if (!bEndwert) {
        if (f.size() < 4)
            throw MesswertStringError(
                QStringLiteral("Stored value \"%1\" has %2 fields, a measured value needs 4").arg(text).arg(f.size()));
        v.lKapazitaet = fieldAs<qint32>(f, 0, text);
        v.lSpannung = fieldAs<qint32>(f, 1, text);
        v.lLadestrom = fieldAs<qint32>(f, 2, text);
        v.lTimeDiff = fieldAs<qint32>(f, 3, text);
        return v;
    }
    if (f.size() < 5)
        throw MesswertStringError(
            QStringLiteral("Stored value \"%1\" has %2 fields, an end value needs 5").arg(text).arg(f.size()));
    v.iEndwertTyp = fieldAs<qint16>(f, 0, text);
    v.lKapazitaet = fieldAs<qint32>(f, 1, text);
    v.lSpannung = fieldAs<qint32>(f, 2, text);
    v.lTimeDiff = fieldAs<qint32>(f, 3, text);
    v.lZykluszeit = fieldAs<qint32>(f, 4, text);
    int i = 5;
    if (last > 5) {
        // The condition flag is told by its first letter, case-sensitively; any
        // other letter leaves the field to be read as the self-discharge.
        const QString flag = f.at(5);
        if (flag.startsWith(QLatin1Char('T')) || flag.startsWith(QLatin1Char('F'))) {
            v.bWithAkkuzustand = true;
            v.bAkkuzustand = flag.startsWith(QLatin1Char('T'));
            v.iProzent = fieldAs<qint16>(f, 6, text);
            i = 7;
        } else {
            v.bWithAkkuzustand = false;
        }
    }
    if (last >= i) {
        v.bWithSelbstentladung = true;
        v.lSelbstentladung = fieldAs<qint32>(f, i, text);
    } else {
        v.bWithSelbstentladung = false;
    }
    return v;
}

void deleteTempMesswerte(qint32 lTempId)
{
    SeriesStore(dbVeluser).deleteTempMesswerte(lTempId);
    strSqlTempMessWerte = QStringLiteral("SELECT * FROM TempMessWerte");
    rsTempMessWerte = dbVeluser.openRecordset(strSqlTempMessWerte);
}

qint32 firstFreeTempMessreiheID()
{
    return SeriesStore(dbVeluser).firstFreeTempMessreiheID();
}

void transferTempMesswerte(qint32 lTempId, qint32 lMessReiheId)
{
    SeriesStore(dbVeluser).transferTempMesswerte(lTempId, lMessReiheId);
}
