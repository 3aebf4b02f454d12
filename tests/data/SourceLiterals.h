#pragma once

#include <QMap>
#include <QPair>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QVector>

// The program's sources (every .cpp and .h below a folder), read at test time
// so the checks cover code added after they were written. Each query answers
// literal -> places ("file:line").
class SourceLiterals {
public:
    explicit SourceLiterals(const QString& root);

    int fileCount() const { return static_cast<int>(m_files.size()); }
    // Identifiers passed as a literal to getResource, bare or wrapped
    // (getResource("0410"), getResource(QStringLiteral("0410")), ...).
    QMap<QString, QStringList> resourceIds() const;
    // Keys passed as a literal to getSetting or setSetting.
    QMap<QString, QStringList> settingKeys() const;
    // Every string literal of exactly four digits, wherever it stands.
    QMap<QString, QStringList> fourDigitLiterals() const;
    // Every quoted include of a file in a folder ("core/DbAccess.h").
    QMap<QString, QStringList> folderIncludes() const;

private:
    QMap<QString, QStringList> matches(const QRegularExpression& re) const;
    QVector<QPair<QString, QString>> m_files; // path relative to the root, content
};
