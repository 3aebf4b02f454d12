#include "core/programSettings.h"

#include "link/LinkSettings.h"
#include "platform/Recordset.h"

#include <QLocale>
#include <cmath>

programSettings& objSettings()
{
    static programSettings settings;
    return settings;
}

void programSettings::setRsSettings(std::unique_ptr<Recordset> rs)
{
    m_rs = std::move(rs);
    // From here on the link reads its port and defaults from these settings.
    setLinkSettingReader([](const QString& key) { return objSettings().getSetting(key); });
}

void programSettings::reset()
{
    m_rs.reset();
}

bool programSettings::findKey(const QString& key)
{
    if (!m_rs)
        return false;
    m_rs->moveFirst();
    return m_rs->findFirst(QStringLiteral("key"), key, Qt::CaseInsensitive);
}

QString programSettings::getSetting(const QString& key)
{
    if (!findKey(key))
        return QString();
    const QVariant v = m_rs->field(QStringLiteral("value"));
    return v.isNull() ? QString() : v.toString();
}

void programSettings::setSetting(const QString& key, const QString& value)
{
    if (!findKey(key))
        return;
    // A value that is already stored is not written again: the start copies
    // settings at every run, and a disk that is full must not fail on that.
    const QVariant stored = m_rs->field(QStringLiteral("value"));
    if (!stored.isNull() && stored.toString() == value)
        return;
    m_rs->edit();
    m_rs->setField(QStringLiteral("value"), value);
    try {
        m_rs->update();
    } catch (...) {
        // A refused write must not leave the new value in the edit buffer,
        // where every later read would take it for the stored one.
        m_rs->cancelUpdate();
        throw;
    }
}

QString decimalSettingText(double value)
{
    if (value == 0)
        value = 0; // never "-0"
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> decimalSetting(const QString& stored)
{
    const QString t = stored.trimmed();
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = plain.toDouble(t, &ok);
    // A lone comma stored by an older version is a decimal comma: the decimal
    // settings (a header height of at most 15 cm) never needed grouping.
    if (!ok && t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.')))
        value = plain.toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    // Any other way of writing numbers an older version took from the user.
    if (!ok)
        value = QLocale().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
