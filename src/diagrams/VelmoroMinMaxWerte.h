#pragma once

#include <QtGlobal>

// The smallest and largest voltage (mV), current (mA) and capacity (mAh) met
// while a series is loaded into the diagram. Its user seeds all six fields
// with the first value before it feeds the others: a fresh record holds 0,
// which would otherwise stand as a bound no value reached.
struct VelmoroMinMaxWerte {
    qint32 MinSpannung = 0;
    qint32 MaxSpannung = 0;
    qint32 MinStrom = 0;
    qint32 MaxStrom = 0;
    qint32 MinKapazitaet = 0;
    qint32 MaxKapazitaet = 0;

    // Each widens its pair by one value; the two bounds are tested apart, so
    // in an unseeded record one value can move both.
    void checkMinMaxSpannung(qint32 lMessValue) { widen(MinSpannung, MaxSpannung, lMessValue); }
    void checkMinMaxStrom(qint32 lMessValue) { widen(MinStrom, MaxStrom, lMessValue); }
    void checkMinMaxKapazitaet(qint32 lMessValue) { widen(MinKapazitaet, MaxKapazitaet, lMessValue); }

    // All six bounds from one value each.
    void seed(qint32 lSpannung, qint32 lStrom, qint32 lKapazitaet)
    {
        MinSpannung = MaxSpannung = lSpannung;
        MinStrom = MaxStrom = lStrom;
        MinKapazitaet = MaxKapazitaet = lKapazitaet;
    }
    bool operator==(const VelmoroMinMaxWerte&) const = default;

private:
    static void widen(qint32& lo, qint32& hi, qint32 v)
    {
        if (v > hi)
            hi = v;
        if (v < lo)
            lo = v;
    }
};
