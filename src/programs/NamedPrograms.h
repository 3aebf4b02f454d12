#pragma once

#include "platform/SqlLists.h"

#include <QString>
#include <QVector>
#include <optional>

// The named programs of the user database (table Programme). Names are
// compared without regard to case, in every language; values are always
// bound, so any text is a valid name. Every call raises DatabaseError.
namespace NamedPrograms {
// Key and name of every program, in the order the program's language sorts
// names (numbers in a name by their value).
QVector<ListEntry> list();
// The program string stored under a key; nothing when no row has that key.
std::optional<QString> daten(const QString& programmId);
// The key of the first program (in the table's own order of names) whose name
// equals the trimmed name, regardless of case; nothing when none does.
std::optional<QString> findByName(const QString& name);
// Adds a program under the trimmed name; returns its key.
QString add(const QString& name, const QString& daten);
// Replaces the program string of a key; false when no row has that key.
bool overwrite(const QString& programmId, const QString& daten);
// False when no row has that key.
bool remove(const QString& programmId);
} // namespace NamedPrograms
