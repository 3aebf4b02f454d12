#pragma once

#include "TestSupport.h" // readable failure output for texts

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

// Read-only view of a reference database file for checks of its rows: the
// built Daten/velmoro.mdb unless another file is given.
class ShippedReferenceData {
public:
    enum class Access { ReadOnly, ReadWrite };
    ShippedReferenceData();
    // ReadWrite only for files of a test's own (a database in WAL mode cannot
    // be opened read-only once its side files are gone).
    explicit ShippedReferenceData(const QString& file, Access access = Access::ReadOnly);
    ~ShippedReferenceData();
    ShippedReferenceData(const ShippedReferenceData&) = delete;
    ShippedReferenceData& operator=(const ShippedReferenceData&) = delete;

    bool isOpen() const { return m_open; }
    // Every row of a query, columns by name; a failing query is a test failure.
    QVector<QVariantMap> rows(const QString& sql) const;
    QStringList tableNames() const;

    QStringList usableLanguages() const;
    // The text of an identifier in a language; a null string when there is no row.
    QString text(const QString& resourceId, const QString& language) const;
    // Identifier -> text, for one language.
    QHash<QString, QString> texts(const QString& language) const;
    QString setting(const QString& key) const;

private:
    QString m_connection;
    QSqlDatabase m_db;
    bool m_open = false;
};
