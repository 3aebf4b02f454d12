#include "ShippedReferenceData.h"

#include "TestSupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <gtest/gtest.h>

ShippedReferenceData::ShippedReferenceData()
    : ShippedReferenceData(buildPath(QStringLiteral("shipped/Daten/velmoro.mdb")))
{
}

ShippedReferenceData::ShippedReferenceData(const QString& file, Access access)
    : m_connection(QUuid::createUuid().toString())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(file);
    // Read-only: checks must never change the file that other tests copy.
    if (access == Access::ReadOnly)
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    m_open = m_db.open();
    if (!m_open)
        ADD_FAILURE() << "cannot open " << file.toStdString() << ": " << m_db.lastError().text().toStdString();
}

ShippedReferenceData::~ShippedReferenceData()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

QVector<QVariantMap> ShippedReferenceData::rows(const QString& sql) const
{
    QVector<QVariantMap> result;
    QSqlQuery q(m_db);
    if (!q.exec(sql)) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return result;
    }
    while (q.next()) {
        QVariantMap row;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            row.insert(rec.fieldName(i), rec.value(i));
        result.push_back(row);
    }
    return result;
}

QStringList ShippedReferenceData::tableNames() const
{
    QStringList names;
    for (const QVariantMap& r : rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")))
        names << r.value(QStringLiteral("name")).toString();
    return names;
}

QStringList ShippedReferenceData::usableLanguages() const
{
    QStringList codes;
    for (const QVariantMap& r :
         rows(QStringLiteral("SELECT SprachCode FROM Sprachen WHERE Usable=True ORDER BY SprachCode")))
        codes << r.value(QStringLiteral("SprachCode")).toString();
    return codes;
}

QString ShippedReferenceData::text(const QString& resourceId, const QString& language) const
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT ResourceText FROM NLSResources WHERE ResourceID=? AND SprachCode=?"));
    q.addBindValue(resourceId);
    q.addBindValue(language);
    if (!q.exec() || !q.next())
        return QString();
    const QString t = q.value(0).toString();
    return t.isNull() ? QStringLiteral("") : t;
}

QHash<QString, QString> ShippedReferenceData::texts(const QString& language) const
{
    QHash<QString, QString> map;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT ResourceID, ResourceText FROM NLSResources WHERE SprachCode=?"));
    q.addBindValue(language);
    if (!q.exec()) {
        ADD_FAILURE() << q.lastError().text().toStdString();
        return map;
    }
    while (q.next())
        map.insert(q.value(0).toString(), q.value(1).toString());
    return map;
}

QString ShippedReferenceData::setting(const QString& key) const
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT value FROM Optionen WHERE key=? COLLATE NOCASE"));
    q.addBindValue(key);
    if (!q.exec() || !q.next())
        return QString();
    return q.value(0).toString();
}
