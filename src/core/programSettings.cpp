#include "core/programSettings.h"

#include "link/LinkSettings.h"
#include "platform/Recordset.h"

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
