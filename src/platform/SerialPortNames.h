#pragma once

#include <QString>
#include <QStringList>

// What the port numbers 1 .. 10 of the setting ComPort stand for on this
// system, and which serial devices the system reports as present.
class SerialPortNames {
public:
    static constexpr int kPortCount = 10;

    // The device of port number n (1 .. 10); empty for any other number.
    static QString deviceForNumber(int n);
    // The port number 1 .. 10 a setting names, compared as a number ("03" is 3);
    // 0 for anything else, a device path included.
    static int numberFromSetting(const QString& comPort);
    // A setting that begins with "/" names a device directly.
    static bool isDevicePath(const QString& comPort);
    // The devices (full paths) of the serial ports the system reports.
    static QStringList presentDevices();
};
