#include "printing/PrintSettings.h"

#include "core/programSettings.h"

#include <QLocale>
#include <cmath>

namespace PrintSettings {

std::optional<double> parseHeadArea(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(t, &ok);
    if (!ok)
        value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > kMaxHeadAreaCm)
        return std::nullopt;
    return value;
}

std::optional<double> headAreaCm()
{
    return parseHeadArea(objSettings().getSetting(QStringLiteral("HeadArea")));
}

bool printDate()
{
    return objSettings().getSetting(QStringLiteral("PrintDate")) == QLatin1String("YES");
}

QString subTitle()
{
    return objSettings().getSetting(QStringLiteral("PrintingSubTitle"));
}

QString apply(const QString& heightText, bool showDate)
{
    QString message;
    if (heightText.isEmpty())
        message = QStringLiteral("9032");
    else if (!parseHeadArea(heightText))
        message = QStringLiteral("9031");
    else
        objSettings().setSetting(QStringLiteral("HeadArea"), heightText);
    objSettings().setSetting(QStringLiteral("PrintDate"), showDate ? QStringLiteral("YES") : QStringLiteral("NO"));
    return message;
}

} // namespace PrintSettings
