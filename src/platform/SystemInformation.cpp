#include "platform/SystemInformation.h"

#include "platform/Database.h"

#include <QSerialPortInfo>
#include <QSysInfo>
#include <QtGlobal>

std::optional<SystemInformation> SystemInformation::collect(Database& db)
{
    SystemInformation info;
    try {
        info.sqliteVersion = db.scalar(QStringLiteral("SELECT sqlite_version()")).toString();
    } catch (const DatabaseError&) {
        return std::nullopt;
    }
    if (info.sqliteVersion.isEmpty())
        return std::nullopt;
    info.operatingSystem = QSysInfo::prettyProductName();
    info.kernel = QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion();
    info.architecture = QSysInfo::currentCpuArchitecture();
    info.qtVersion = QString::fromLatin1(qVersion());
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        QString line = port.systemLocation();
        const QString description = port.description().trimmed();
        if (!description.isEmpty())
            line += QStringLiteral(" (") + description + QLatin1Char(')');
        info.serialPorts << line;
    }
    return info;
}
