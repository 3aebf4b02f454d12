#include "printing/PrintSettings.h"

#include "core/programSettings.h"

#include <QLocale>
#include <cmath>

namespace PrintSettings {

namespace {
std::optional<double> usableHeight(std::optional<double> cm)
{
    if (!cm || !std::isfinite(*cm) || *cm < 0 || *cm > kMaxHeadAreaCm)
        return std::nullopt;
    return cm;
}
} // namespace

std::optional<double> parseHeadArea(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(t, &ok);
    if (!ok)
        value = QLocale::c().toDouble(t, &ok);
    return ok ? usableHeight(value) : std::nullopt;
}

std::optional<double> headAreaCm()
{
    return usableHeight(decimalSetting(objSettings().getSetting(QStringLiteral("HeadArea"))));
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
    else if (const auto cm = parseHeadArea(heightText))
        objSettings().setSetting(QStringLiteral("HeadArea"), decimalSettingText(*cm));
    else
        message = QStringLiteral("9031");
    objSettings().setSetting(QStringLiteral("PrintDate"), showDate ? QStringLiteral("YES") : QStringLiteral("NO"));
    return message;
}

} // namespace PrintSettings
