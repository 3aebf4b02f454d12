#include "programs/NamedPrograms.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "platform/Database.h"

#include <QCollator>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {
qint64 key(const QString& programmId)
{
    bool ok = false;
    const qint64 id = programmId.trimmed().toLongLong(&ok);
    return ok ? id : -1;
}

// The rows in the order of the table's own text comparison.
QVector<ListEntry> rowsByName()
{
    return SqlLists::readEntries(dbVeluser, strSqlProgramme, QStringLiteral("ProgrammID"), QStringLiteral("Bez"));
}
} // namespace

namespace NamedPrograms {

QVector<ListEntry> list()
{
    QVector<ListEntry> entries = rowsByName();
    // The table compares letters by their codes, which puts "Ärger" after
    // "zulu"; a person looks for it beside "Alpha", as the program's
    // language sorts, and finds "Pack 2" before "Pack 10".
    QCollator collator(QLocale(objResources().languageKey().trimmed().toLower()));
    collator.setNumericMode(true);
    std::stable_sort(entries.begin(), entries.end(), [&collator](const ListEntry& a, const ListEntry& b) {
        return collator.compare(a.text, b.text) < 0;
    });
    return entries;
}

std::optional<QString> daten(const QString& programmId)
{
    const qint64 id = key(programmId);
    if (id < 0)
        return std::nullopt;
    QSqlQuery q(dbVeluser.handle());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT Daten FROM Programme WHERE ProgrammID = ?"));
    q.addBindValue(id);
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

std::optional<QString> findByName(const QString& name)
{
    const QString wanted = name.trimmed();
    // The column's own collation folds only plain letters; "Ä" and "ä" are
    // one name to the user as well.
    for (const ListEntry& e : rowsByName())
        if (QString::compare(e.text.trimmed(), wanted, Qt::CaseInsensitive) == 0)
            return e.value;
    return std::nullopt;
}

QString add(const QString& name, const QString& daten)
{
    dbVeluser.exec(QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES (?, ?)"), {name.trimmed(), daten});
    return dbVeluser.lastInsertId().toString();
}

bool overwrite(const QString& programmId, const QString& daten)
{
    const qint64 id = key(programmId);
    return id >= 0
           && dbVeluser.exec(QStringLiteral("UPDATE Programme SET Daten = ? WHERE ProgrammID = ?"), {daten, id}) > 0;
}

bool remove(const QString& programmId)
{
    const qint64 id = key(programmId);
    return id >= 0 && dbVeluser.exec(QStringLiteral("DELETE FROM Programme WHERE ProgrammID = ?"), {id}) > 0;
}

} // namespace NamedPrograms
