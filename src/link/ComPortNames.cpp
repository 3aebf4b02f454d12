#include "link/ComPortNames.h"

QString comPortDeviceForNumber(int n)
{
    if (n >= 1 && n <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    if (n >= 5 && n <= 8)
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 5);
    if (n == 9 || n == 10)
        return QStringLiteral("/dev/ttyACM%1").arg(n - 9);
    return QString();
}

int comPortNumber(const QString& comPortSetting)
{
    bool ok = false;
    const int n = comPortSetting.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= comPortCount ? n : 0;
}

QString comPortDevice(const QString& comPortSetting)
{
    const QString value = comPortSetting.trimmed();
    if (value.startsWith(QLatin1Char('/')))
        return value;
    return comPortDeviceForNumber(comPortNumber(value));
}
