#pragma once

#include <QString>
#include <optional>

// A charge program as the fake charger understands it: the program string
// that the program editor builds and sends (channel, "P", the base block
// A M Z [P] F W [K] L E V D [Y], and the optional extended block
// S C B H N [O Q U]), without the G and R elements of a reply.
class FakeProgram {
public:
    // Parses a program string; nothing when it breaks the grammar (a missing
    // or misplaced element, an element that is not its letter and digits).
    static std::optional<FakeProgram> parse(const QString& text);

    QString channel;
    int batteryType = 0;      // A
    int mode = 0;             // M
    int cells = 0;            // Z
    int percent = -1;         // P, -1 when absent
    int forming = 0;          // F
    int period = 0;           // W
    int capacity = -1;        // K (mAh), -1 when absent
    int chargeCurrent = 0;    // L (mA)
    int dischargeCurrent = 0; // E (mA)
    int chargeVoltage = 0;    // V (mV)
    int dischargeVoltage = 0; // D (mV)
    QChar selfDischargeUnit;  // 'H' or 'D' of Y; null when absent
    int selfDischargeInterval = -1;
    bool extended = false;       // S C B H N were sent
    bool withChargeMode = false; // O Q U were sent
};
