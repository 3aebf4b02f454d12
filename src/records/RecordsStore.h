#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>
#include <QtGlobal>

class Database;

// The writes and reads of batteries and series. Every change of more than one
// statement is one transaction: a failure raises DatabaseError and changes nothing.
// A change waits for another program's write lock as long as any other does.
namespace RecordsStore {

struct Akku {
    qint32 id = -1;
    QString name;
    QString remark;
};

struct NewSeries {
    qint32 akkuId = -1;
    qint32 seriesId = -1;
    int nummer = 0;
};

// Every battery, ordered by name.
QVector<Akku> readAkkus(Database& db);

// The text that Datum of a new series holds.
QString datumText(const QDateTime& when);

// A new battery with its first series (number 1).
NewSeries insertAkkuWithSeries(Database& db, const QString& name, const QString& remark, const QString& seriesRemark,
                               const QDateTime& when);
// A new series of a battery, numbered one more than its highest (1 for a
// battery without series).
NewSeries insertSeries(Database& db, qint32 akkuId, const QString& remark, const QDateTime& when);

// The battery with its series and their values.
void deleteAkku(Database& db, qint32 akkuId);
// The series of that battery with its values; the later series of the battery
// move down by one. A series that is not the battery's changes nothing.
// Returns whether a series was deleted.
bool deleteSeries(Database& db, qint32 akkuId, qint32 seriesId);
// A series that waited for a program start and was never recorded: deleted as
// deleteSeries does, and the battery with it when nothing else is left of it.
// A series that holds values has been recorded meanwhile: it is kept.
enum class Discard { Discarded, WithAkku, Kept };
Discard discardSeries(Database& db, qint32 akkuId, qint32 seriesId);

// Whether no battery is called exactly so (letter case counts; the stored
// names are compared as stored with the name trimmed).
bool isAkkuNameUnique(Database& db, const QString& name);

} // namespace RecordsStore
