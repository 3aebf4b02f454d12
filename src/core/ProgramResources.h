#pragma once

#include <QHash>
#include <QString>
#include <memory>

class Recordset;

// The texts of the user interface by four-digit resource identifier in the
// selected language. An identifier without a text comes back unchanged.
class ProgramResources {
public:
    void setRsResources(std::unique_ptr<Recordset> rs);
    // For the program's own texts object (objResources) this also switches
    // the texts Qt draws itself (applyQtLanguage); reset goes back to English.
    void setLanguageKey(const QString& languageCode);
    QString languageKey() const { return m_language; }
    QString getResource(const QString& resourceId);

    void reset();

private:
    void fillCache();

    std::unique_ptr<Recordset> m_rs;
    QString m_language;
    QHash<QString, QString> m_cache;
    bool m_cacheValid = false;
};

ProgramResources& objResources();

// Shorthand used all over the program.
QString getResource(const QString& resourceId);
