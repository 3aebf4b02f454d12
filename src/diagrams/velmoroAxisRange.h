#pragma once

#include <QtGlobal>

// The range of one diagram axis: taken from the data (automatic) or fixed
// between two bounds in the axis's own unit (minutes on X; volts, amperes or
// ampere-hours on Y). A plain holder: the options dialog refuses a fixed
// range whose start is not below its end, not this record.
struct velmoroAxisRange {
    bool bAutomatic = true;
    qint16 iMinValue = 0; // kept for the record's layout; nothing reads it
    qint16 iMaxValue = 0;
    double dMaxValue = 0.0;
    double dMinValue = 0.0;

    static velmoroAxisRange fixed(double dMin, double dMax)
    {
        velmoroAxisRange r;
        r.bAutomatic = false;
        r.dMinValue = dMin;
        r.dMaxValue = dMax;
        return r;
    }
    bool operator==(const velmoroAxisRange&) const = default;
};
