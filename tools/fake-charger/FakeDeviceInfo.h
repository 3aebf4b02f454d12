#pragma once

#include <QString>
#include <QStringList>

// The device information of a self-describing charger: the 31 elements that
// follow the channel and "G" in its reply, element 2 (channel count) to
// element 32 (free text, underscores for blanks):
//
//    2 channels (1..4)        3 extended options (0/1)
//    4..11 smallest/largest cell count NiCd, NiMH, Li-ion, lead-acid (2 digits each)
//   12..13 end-of-charge voltage mV     14..15 end-of-discharge voltage mV
//   16..17 discharge current mA         18..19 charge current mA
//   20..21 capacity mAh                 (5 digits each)
//   22..23 end-of-charge value N        24..25 capacity percentage (3 digits each)
//   26..27 period of repeated charging (2 digits)
//   28..29 self-discharge days          30..31 self-discharge hours (3 digits each)
//   32 text
class FakeDeviceInfo {
public:
    static constexpr int firstElement = 2;
    static constexpr int lastElement = 32;
    static constexpr int fieldCount = lastElement - firstElement + 1;

    // Believable limits for a charger with this many channels.
    static QStringList defaultFields(int channels, bool extendedOptions);
    // The reply payload: channel, "G", the fields, and the final ",".
    static QString payload(const QString& channel, const QStringList& fields);
};
