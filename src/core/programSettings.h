#pragma once

#include <QString>
#include <memory>

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
