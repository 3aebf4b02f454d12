#pragma once

// Database procedures around the measured values, and the stored-value text
// (MessWertString) that every measured value and end value is kept as.
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

// 0 empties TempMessWerte; any other identifier removes that temporary series.
// Then rsTempMessWerte is opened afresh. Raises DatabaseError.
void deleteTempMesswerte(qint32 lTempId = 0);

// Copies a temporary series into MessWerte under the recorded series, in the
// order its values were taken, as one transaction: either every row arrives
// or none. The temporary rows stay; TempTempMessWerte keeps the copies until
// the next transfer. Raises DatabaseError.
void transferTempMesswerte(qint32 lTempId, qint32 lMessReiheId);
