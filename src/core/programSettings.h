#pragma once

#include <QString>
#include <memory>
#include <optional>

class Recordset;

// The key/value settings of the table Optionen. Keys are matched without
// regard to case; setSetting only ever changes a key that exists.
class programSettings {
public:
    void setRsSettings(std::unique_ptr<Recordset> rs);
    bool hasRecordset() const { return m_rs != nullptr; }

    QString getSetting(const QString& key);
    void setSetting(const QString& key, const QString& value);
    bool hasKey(const QString& key) { return findKey(key); }

    // Drops the recordset (the database is being closed).
    void reset();

private:
    bool findKey(const QString& key);
    std::unique_ptr<Recordset> m_rs;
};

programSettings& objSettings();

// A decimal setting is stored in one form whatever the user's locale, so a
// later start under another locale reads it alike: a point before the
// decimals, no grouping, no exponent ("1.5").
QString decimalSettingText(double value);
// A stored decimal setting: that form, and the form older versions stored as
// the user typed it ("1,5" in German) under any locale. nullopt for a text
// that is no finite number.
std::optional<double> decimalSetting(const QString& stored);
