#include "platform/SerialPortNames.h"

#include <QSerialPortInfo>
#include <cmath>

QString SerialPortNames::deviceForNumber(int n)
{
    if (n < 1 || n > kPortCount)
        return QString();
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    // Built-in ports first, then USB adapters, then USB modems (CDC-ACM).
    static const char* const devices[kPortCount] = {
        "/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3",   "/dev/ttyUSB0",
        "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3", "/dev/ttyACM0", "/dev/ttyACM1"};
    return QString::fromLatin1(devices[n - 1]);
#endif
}

int SerialPortNames::numberFromSetting(const QString& comPort)
{
    bool ok = false;
    const double value = comPort.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    for (int n = 1; n <= kPortCount; ++n) {
        if (value == n)
            return n;
    }
    return 0;
}

bool SerialPortNames::isDevicePath(const QString& comPort)
{
    return comPort.startsWith(QLatin1Char('/'));
}

QStringList SerialPortNames::presentDevices()
{
    QStringList devices;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        devices << info.systemLocation();
    return devices;
}
