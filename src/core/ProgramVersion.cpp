#include "core/ProgramVersion.h"

#include <QVersionNumber>

QString programVersionText(const QString& dottedVersion)
{
    const QVersionNumber v = QVersionNumber::fromString(dottedVersion);
    return QString::number(v.majorVersion()) + QLatin1Char('.') + QString::number(v.minorVersion())
           + QString::number(v.microVersion());
}

QString programVersionText()
{
    return programVersionText(QStringLiteral(VELMORO_VERSION));
}
