#pragma once

#include <QString>
#include <QtGlobal>

// One end value of a charge or discharge. A plain record: every field is a
// public member with the type of its wire field (Integer 16 bit, Long 32 bit);
// a new record holds 0, false and the empty text everywhere.
struct CommunicationEndwert {
    // MesswertId of the row the channel window stored this end value in (temporary values); 0 until then.
    qint32 TempID = 0;
    // Channel of the reply ("001" .. "004"); empty when the reply named none of these.
    QString strKanal;
    // The end value carries a battery condition ("X" element).
    bool bWithAkkuzustand = false;
    // MessWertId of a stored end value (set by the stored-series window, never by a parse).
    qint32 lMesswertId = 0;
    // 2 end of a charge ("SL"), 3 end of a discharge ("SE"), 0 any other type,
    // -1 when the capacity, cycle-time or voltage element lacked its letter.
    qint16 iEndwertTyp = 0;
    // Battery-condition percentage ("P" element); 0 when absent.
    qint16 iProzent = 0;
    // Battery condition good: the digit of the "X" element is 1.
    bool bAkkuzustand = false;
    qint32 lSpannung = 0;        // mV at the end ("V")
    qint32 lZykluszeit = 0;      // minutes ("T")
    qint32 lSelbstentladung = 0; // mAh ("Y"); -1 when the reply had none
    qint32 lKapazitaet = 0;      // mAh ("K")
};
