// The shipped databases come from the SQL text in data/ and from nowhere else.
#include "ShippedReferenceData.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kSourceDir = QStringLiteral(VELMORO_SOURCE_DIR);

// Runs the build's own database script; returns its exit code (-1 when it
// could not run at all).
int makeDatabases(const QString& dataDir, const QString& outDir, QString* errors = nullptr,
                  const QString& programDir = QString())
{
    QProcess p;
    QStringList args{kSourceDir + QStringLiteral("/scripts/make-databases"), dataDir, outDir};
    if (!programDir.isEmpty())
        args << programDir;
    p.start(QStringLiteral("sh"), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitCode();
}

// Columns the running program itself writes: settings values, and the limits
// a self-describing charger reports. Everything else must stay as built.
bool writtenByTheProgram(const QString& table, const QString& column)
{
    if (table == QLatin1String("Optionen"))
        return column.compare(QLatin1String("value"), Qt::CaseInsensitive) == 0;
    if (table == QLatin1String("Akkutypen") || table == QLatin1String("MinMaxWerte"))
        return column.endsWith(QLatin1String("KZTx"), Qt::CaseInsensitive);
    return false;
}

QVector<QStringList> comparableRows(const ShippedReferenceData& db, const QString& table)
{
    QVector<QStringList> out;
    for (const QVariantMap& r : db.rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table))) {
        QStringList cells;
        for (auto it = r.begin(); it != r.end(); ++it) {
            if (!writtenByTheProgram(table, it.key()))
                cells << it.key() + QLatin1Char('=')
                             + (it.value().isNull() ? QStringLiteral("NULL") : it.value().toString());
        }
        out << cells;
    }
    return out;
}

} // namespace

TEST(DatabaseBuildTest, ShippedReferenceDatabaseIsTheBuildOfTheDataFolder)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QString errors;
    ASSERT_EQ(makeDatabases(kSourceDir + QStringLiteral("/data"), out.path(), &errors), 0) << errors.toStdString();

    const ShippedReferenceData fresh(out.filePath(QStringLiteral("velmoro.mdb")));
    const ShippedReferenceData shipped;
    ASSERT_TRUE(fresh.isOpen() && shipped.isOpen());
    ASSERT_EQ(shipped.tableNames(), fresh.tableNames());
    EXPECT_EQ(shipped.rows(QStringLiteral("SELECT name, sql FROM sqlite_master ORDER BY name")),
              fresh.rows(QStringLiteral("SELECT name, sql FROM sqlite_master ORDER BY name")));
    for (const QString& table : fresh.tableNames()) {
        EXPECT_EQ(comparableRows(shipped, table), comparableRows(fresh, table))
            << table.toStdString() << " differs from data/: rebuild, or change the SQL instead of the file";
    }
}

TEST(DatabaseBuildTest, BuildStopsOnAMissingPieceAndKeepsTheUsersDatabase)
{
    QTemporaryDir data, shippedOut, out;
    ASSERT_TRUE(data.isValid() && shippedOut.isValid() && out.isValid());
    const QDir source(kSourceDir + QStringLiteral("/data"));
    for (const QString& name : source.entryList({QStringLiteral("*.sql")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), data.filePath(name)));

    // A user database that exists beside the program is never replaced.
    ASSERT_EQ(makeDatabases(data.path(), shippedOut.path(), nullptr, out.path()), 0);
    TempProgramFolder(false).execOn(out.filePath(QStringLiteral("veluser.mdb")),
                                    {QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('kept')")});
    ASSERT_EQ(makeDatabases(data.path(), shippedOut.path(), nullptr, out.path()), 0);
    const ShippedReferenceData user(out.filePath(QStringLiteral("veluser.mdb")),
                                    ShippedReferenceData::Access::ReadWrite);
    EXPECT_EQ(user.rows(QStringLiteral("SELECT AkkuName FROM Akkus")).size(), 1);

    // Without one of its pieces no reference database is written at all,
    // not even one that lacks only some rows.
    ASSERT_TRUE(QFile::remove(shippedOut.filePath(QStringLiteral("velmoro.mdb"))));
    ASSERT_TRUE(QFile::remove(data.filePath(QStringLiteral("velmoro-program-tables.sql"))));
    EXPECT_NE(makeDatabases(data.path(), shippedOut.path()), 0);
    EXPECT_FALSE(QFileInfo::exists(shippedOut.filePath(QStringLiteral("velmoro.mdb"))));
}

TEST(DatabaseBuildTest, NoDatabaseFileLivesInTheSources)
{
    // Database files are build output; what ships is reviewed as SQL text.
    for (const char* folder : {"data", "src", "scripts", "tests", "tools", "bench"}) {
        const QString path = kSourceDir + QLatin1Char('/') + QLatin1String(folder);
        QDirIterator it(path, {QStringLiteral("*.mdb"), QStringLiteral("*.sqlite"), QStringLiteral("*.db")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            ADD_FAILURE() << it.next().toStdString();
    }
}

TEST(DatabaseBuildTest, ARebuildIgnoresTheLogOfAProgramThatWasKilled)
{
    QTemporaryDir shippedOut, program;
    ASSERT_TRUE(shippedOut.isValid() && program.isValid());
    const QString dataDir = kSourceDir + QStringLiteral("/data");
    ASSERT_EQ(makeDatabases(dataDir, shippedOut.path(), nullptr, program.path()), 0);

    // A run that changed a setting and was killed leaves its write-ahead log.
    const QString file = program.filePath(QStringLiteral("velmoro.mdb"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("killed-run"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode=WAL")));
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0")));
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE Optionen SET value='STALE' WHERE key='ChargerTextTop'")));
        QFile::copy(file + QStringLiteral("-wal"), file + QStringLiteral("-wal.kept"));
        QFile::copy(file + QStringLiteral("-shm"), file + QStringLiteral("-shm.kept"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("killed-run"));
    QFile::remove(file + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));
    ASSERT_TRUE(QFile::rename(file + QStringLiteral("-wal.kept"), file + QStringLiteral("-wal")));
    ASSERT_TRUE(QFile::rename(file + QStringLiteral("-shm.kept"), file + QStringLiteral("-shm")));

    ASSERT_EQ(makeDatabases(dataDir, shippedOut.path(), nullptr, program.path()), 0);
    const ShippedReferenceData rebuilt(file, ShippedReferenceData::Access::ReadWrite);
    const auto rows = rebuilt.rows(QStringLiteral("SELECT value FROM Optionen WHERE key='ChargerTextTop'"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_NE(rows[0].value(QStringLiteral("value")).toString(), QStringLiteral("STALE"));
}
