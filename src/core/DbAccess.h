#pragma once

// The stored-value text (MessWertString) that every measured value and end
// value is kept as, and the procedures on the temporary values of the
// program's user database (their statements are SeriesStore's).
//
// Plain layout:     capacity;voltage;current;seconds
// End-value layout: type;capacity;voltage;seconds;cycle[;T|F;percent][;selfdischarge]
//
// Seconds count from the start time of the series to the moment the text is built.

#include "core/LoadedMeasurementValue.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

class CommunicationResults;
struct CommunicationEndwert;

// Whole seconds from start to now, both taken at whole seconds as a clock
// shows them. Raises MesswertStringError when start was never set or the
// difference does not fit a 32-bit integer.
qint32 messwertSeconds(const QDateTime& start, const QDateTime& now);

// Plain text of the status record's capacity, voltage and current, field 4
// counted from start to now. Raises MesswertStringError as messwertSeconds.
QString buildMesswertString(const CommunicationResults& comRes, const QDateTime& start,
                            const QDateTime& now = QDateTime::currentDateTime());

// End-value text of one end value, field 4 counted from start to now; the
// condition only when the end value carries one, the self-discharge only when
// it is not -1. Raises MesswertStringError as messwertSeconds.
QString buildEndwertString(const CommunicationEndwert& endwert, const QDateTime& start,
                           const QDateTime& now = QDateTime::currentDateTime());

// Decodes one stored-value text; bEndwert says which layout to expect (the
// row's EW). Raises MesswertStringError for too few fields, a field that is
// no whole number, or a number that does not fit its member.
LoadedMeasurementValue parseMesswertString(const QString& text, bool bEndwert);

// SeriesStore::deleteTempMesswerte on the program's user database; then
// rsTempMessWerte is opened afresh. Raises DatabaseError.
void deleteTempMesswerte(qint32 lTempId = 0);
// SeriesStore::firstFreeTempMessreiheID on the program's user database.
qint32 firstFreeTempMessreiheID();

// SeriesStore::transferTempMesswerte on the program's user database.
// Raises DatabaseError.
void transferTempMesswerte(qint32 lTempId, qint32 lMessReiheId);
