// The database layer: never creates files, binds values, reads lazily,
// keeps multi-statement changes whole.
#include "TestSupport.h"

#include "core/DataFolder.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.open(folder.veluserPath());
        db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName, bemerkung) VALUES ('pack b', 'x'), ('Pack A', 'y')"));
    }
    TempProgramFolder folder;
    Database db;
};
} // namespace

TEST_F(DatabaseTest, OpeningMissingFileFailsAndCreatesNothing)
{
    Database other;
    const QString missing = folder.path() + QStringLiteral("/Daten/none.mdb");
    EXPECT_THROW(other.open(missing), DatabaseError);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(other.isOpen());
}

TEST_F(DatabaseTest, RefusedOpeningLeavesTheSideFilesOfTheConnectionHoldingTheFile)
{
    db.beginTransaction();
    db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('held')"));
    const int busy = Database::busyTimeout();
    Database::setBusyTimeout(50);
    Database other;
    EXPECT_THROW(other.open(folder.veluserPath()), DatabaseError);
    Database::setBusyTimeout(busy);
    for (const char* side : {"-wal", "-shm"})
        EXPECT_TRUE(QFileInfo::exists(folder.veluserPath() + QLatin1String(side))) << side;
    db.commit();
}

TEST_F(DatabaseTest, ValuesAreBoundNotPasted)
{
    const QString nasty = QStringLiteral("O'Neil'); DROP TABLE Akkus; --");
    db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES (?)"), {nasty});
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName=?"), {nasty}).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM Akkus")).toInt(), 3);
}

TEST_F(DatabaseTest, FailingStatementRaisesWithItsText)
{
    try {
        db.exec(QStringLiteral("INSERT INTO NoTable VALUES (1)"));
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("NoTable")));
    }
}

TEST_F(DatabaseTest, TransactionWithoutCommitLeavesNothing)
{
    try {
        Transaction t(db);
        db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('half')"));
        db.exec(QStringLiteral("INSERT INTO NoTable VALUES (1)"));
        t.commit();
    } catch (const DatabaseError&) {
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName='half'")).toInt(), 0);
    {
        Transaction t(db);
        db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('whole')"));
        t.commit();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName='whole'")).toInt(), 1);
}

TEST_F(DatabaseTest, RecordsetMovesFindsAndUpdatesLikeADynaset)
{
    auto rs = db.openRecordset(QStringLiteral("SELECT * FROM Akkus ORDER BY AkkuName"));
    ASSERT_TRUE(rs->isUpdatable());
    rs->moveFirst();
    EXPECT_EQ(rs->field(QStringLiteral("akkuname")).toString(),
              QStringLiteral("Pack A")); // names sort without regard to case
    EXPECT_EQ(rs->recordCount(), 2);

    EXPECT_FALSE(rs->findFirst(QStringLiteral("AkkuName"), QStringLiteral("nothing")));
    EXPECT_TRUE(rs->noMatch());
    EXPECT_TRUE(rs->findFirst(QStringLiteral("AkkuName"), QStringLiteral("PACK A")));
    EXPECT_FALSE(rs->noMatch());

    rs->edit();
    rs->setField(QStringLiteral("bemerkung"), QStringLiteral("changed"));
    EXPECT_EQ(rs->field(QStringLiteral("bemerkung")).toString(), QStringLiteral("changed"));
    rs->update();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT bemerkung FROM Akkus WHERE AkkuName='Pack A'")).toString(),
              QStringLiteral("changed"));

    rs->addNew();
    rs->setField(QStringLiteral("AkkuName"), QStringLiteral("new"));
    rs->update();
    const qlonglong id = rs->lastModified().toLongLong();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT AkkuName FROM Akkus WHERE AkkuId=?"), {id}).toString(),
              QStringLiteral("new"));
    rs->moveLast();
    EXPECT_EQ(rs->field(QStringLiteral("AkkuName")).toString(), QStringLiteral("new"));

    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->field(QStringLiteral("AkkuName")), DatabaseError);
    EXPECT_THROW(rs->field(QStringLiteral("NoSuchField")), DatabaseError);
}

TEST_F(DatabaseTest, RecordsetOverJoinIsReadOnly)
{
    auto rs = db.openRecordset(QStringLiteral("SELECT a.AkkuName FROM Akkus a, MessReihen m WHERE a.AkkuId=m.AkkuId"));
    EXPECT_FALSE(rs->isUpdatable());
    EXPECT_THROW(rs->addNew(), DatabaseError);
}

TEST_F(DatabaseTest, AppendingNeverReadsTheTable)
{
    for (int i = 0; i < 50; ++i)
        db.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, 'v')"));
    auto rs = db.openRecordset(QStringLiteral("SELECT * FROM MessWerte"));
    rs->addNew();
    rs->setField(QStringLiteral("MessReiheID"), 2);
    rs->setField(QStringLiteral("EW"), true);
    rs->setField(QStringLiteral("MessWertString"), QStringLiteral("1;2;3;4"));
    rs->update();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM MessWerte")).toInt(), 51);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT EW FROM MessWerte WHERE MessReiheID=2")).toInt(), 1);
}

TEST_F(DatabaseTest, OpeningMissingTableFailsAtOnce)
{
    EXPECT_THROW(db.openRecordset(QStringLiteral("SELECT * FROM NoSuchTable")), DatabaseError);
    EXPECT_THROW(db.openRecordset(QStringLiteral("SELECT NoColumn FROM Akkus")), DatabaseError);
}

TEST(DataFolderTest, WritableProgramFolderIsUsedAsIs)
{
    TempProgramFolder exe;
    QTemporaryDir user;
    EXPECT_EQ(resolveProgramFolder(exe.path(), user.path()), exe.path());
    EXPECT_FALSE(QFileInfo::exists(user.path() + QStringLiteral("/Daten/velmoro.mdb")));
}

TEST(DataFolderTest, ReadOnlyProgramFolderSeedsUserFolderOnceAndNeverOverwrites)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root can write anywhere";
    TempProgramFolder exe;
    QTemporaryDir user;
    QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::ExeOwner);
    const QString chosen = resolveProgramFolder(exe.path(), user.path() + QStringLiteral("/velmoro"));
    QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(chosen, user.path() + QStringLiteral("/velmoro"));
    EXPECT_TRUE(QFileInfo::exists(chosen + QStringLiteral("/Daten/veluser.mdb")));
}

namespace {
// Every file below root, relative to it, sorted.
QStringList filesBelow(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}
} // namespace

TEST(DatabasePathTest, FoldersWithUriCharactersOpenTheRightFileAndCreateNothingElse)
{
    // Each name holds a character that would end or change the path of a raw URI.
    for (const QString& name : {QStringLiteral("a#b"), QStringLiteral("a?mode=rwc"), QStringLiteral("x%41y"),
                                QStringLiteral("with blank"), QStringLiteral("all #?%41 of them")}) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir root;
        const QString folder = root.path() + QLatin1Char('/') + name;
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/veluser.mdb");
        ASSERT_TRUE(QFile::copy(buildPath(QStringLiteral("shipped/Daten/veluser.mdb")), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        const QStringList before = filesBelow(root.path());
        {
            Database db;
            ASSERT_NO_THROW(db.open(file));
            db.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('found')"));
        }
        EXPECT_EQ(filesBelow(root.path()), before);
        Database again;
        again.open(file);
        EXPECT_EQ(again.scalar(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName='found'")).toInt(), 1);

        // A missing file in such a folder is still refused, not created.
        Database missing;
        EXPECT_THROW(missing.open(folder + QStringLiteral("/none.mdb")), DatabaseError);
        again.close();
        EXPECT_EQ(filesBelow(root.path()), before);
    }
}
