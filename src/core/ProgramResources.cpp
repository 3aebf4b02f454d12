#include "core/ProgramResources.h"

#include "core/QtLanguage.h"
#include "platform/Recordset.h"

ProgramResources& objResources()
{
    static ProgramResources resources;
    return resources;
}

QString getResource(const QString& resourceId)
{
    return objResources().getResource(resourceId);
}

void ProgramResources::setRsResources(std::unique_ptr<Recordset> rs)
{
    m_rs = std::move(rs);
    m_cacheValid = false;
}

void ProgramResources::reset()
{
    m_rs.reset();
    m_language.clear();
    m_cache.clear();
    m_cacheValid = false;
    if (this == &objResources())
        applyQtLanguage(QString());
}

void ProgramResources::setLanguageKey(const QString& languageCode)
{
    m_language = languageCode;
    m_cacheValid = false;
    // What Qt draws itself speaks the same language as the program's texts,
    // from the start and at once after a switch.
    if (this == &objResources())
        applyQtLanguage(languageCode);
}

void ProgramResources::fillCache()
{
    // One pass over the texts of the selected language; the first row of an
    // identifier wins, as a find-first would.
    m_cache.clear();
    if (m_rs) {
        m_rs->moveFirst();
        while (!m_rs->eof()) {
            // A code typed in another letter case ("en") is the same language.
            if (m_rs->field(QStringLiteral("SprachCode")).toString().compare(m_language, Qt::CaseInsensitive) == 0) {
                const QString id = m_rs->field(QStringLiteral("ResourceID")).toString();
                if (!m_cache.contains(id)) {
                    const QVariant text = m_rs->field(QStringLiteral("ResourceText"));
                    // A row without text reads as its identifier.
                    m_cache.insert(id, text.isNull() || text.toString().isEmpty() ? id : text.toString());
                }
            }
            m_rs->moveNext();
        }
    }
    m_cacheValid = true;
}

QString ProgramResources::getResource(const QString& resourceId)
{
    if (!m_cacheValid)
        fillCache();
    return m_cache.value(resourceId, resourceId);
}
