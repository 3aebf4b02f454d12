#pragma once

#include <QtGlobal>
#include <optional>

// One stored value after its text was decoded. A plain holder: the decoder
// fills it, the series and diagram windows read it. Members the decoder does
// not fill for a kind of text keep these defaults, so readers tell the kinds
// apart by bEndwert, bWithAkkuzustand and bWithSelbstentladung, never by a zero.
struct LoadedMeasurementValue {
    qint16 iEndwertTyp = 0;      // 2 charge, 3 discharge, 0 neither
    qint32 lSelbstentladung = 0; // mAh
    bool bWithSelbstentladung = false;
    bool bEndwert = false; // decoded in the end-value layout
    qint16 iProzent = 0;   // battery condition in percent
    bool bWithAkkuzustand = false;
    bool bAkkuzustand = false;         // true for "T", false for "F"
    std::optional<qint32> lZykluszeit; // minutes; empty until an end value sets it
    qint32 lTimeDiff = 0;              // seconds since the series' start
    qint32 lLadestrom = 0;             // mA of a plain value
    qint32 lSpannung = 0;              // mV
    qint32 lKapazitaet = 0;            // mAh

    // The cycle time as a number: 0 while it is empty.
    qint32 zykluszeitValue() const { return lZykluszeit.value_or(0); }
};
