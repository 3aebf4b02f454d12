#pragma once

#include "platform/DataCombo.h"

#include <QString>
#include <QVector>

class Database;

// The lists of the language and charger-model dialogs, read from the
// reference database. Raise DatabaseError.
class DialogLists {
public:
    // Every usable language, named in the given language and sorted by that
    // name; the value is the language code.
    static QVector<DataCombo::Entry> languages(Database& db, const QString& languageCode);
    // Every charger model: its name shown, its code as value.
    static QVector<DataCombo::Entry> chargers(Database& db);
};
