#include "FakeDeviceInfo.h"

QStringList FakeDeviceInfo::defaultFields(int channels, bool extendedOptions)
{
    return {
        QString::number(channels),
        extendedOptions ? QStringLiteral("1") : QStringLiteral("0"),
        QStringLiteral("01"),
        QStringLiteral("20"), // NiCd cells
        QStringLiteral("01"),
        QStringLiteral("20"), // NiMH cells
        QStringLiteral("01"),
        QStringLiteral("06"), // Li-ion cells
        QStringLiteral("01"),
        QStringLiteral("12"), // lead-acid cells
        QStringLiteral("01000"),
        QStringLiteral("30000"), // end-of-charge voltage
        QStringLiteral("00800"),
        QStringLiteral("25000"), // end-of-discharge voltage
        QStringLiteral("00050"),
        QStringLiteral("05000"), // discharge current
        QStringLiteral("00050"),
        QStringLiteral("08000"), // charge current
        QStringLiteral("00100"),
        QStringLiteral("50000"), // capacity
        QStringLiteral("000"),
        QStringLiteral("200"), // end-of-charge value
        QStringLiteral("010"),
        QStringLiteral("150"), // capacity percentage
        QStringLiteral("01"),
        QStringLiteral("99"), // period
        QStringLiteral("001"),
        QStringLiteral("060"), // self-discharge days
        QStringLiteral("001"),
        QStringLiteral("720"), // self-discharge hours
        QStringLiteral("velmoro_KZTx_fake"),
    };
}

QString FakeDeviceInfo::payload(const QString& channel, const QStringList& fields)
{
    return channel + QStringLiteral(",G,") + fields.join(QLatin1Char(',')) + QLatin1Char(',');
}
