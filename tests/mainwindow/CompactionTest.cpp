// Compacting the user database on a temporary copy: declined, done (also over
// a stale temporary file), and failing at every step with no row lost.
#include "DialogFixture.h"

#include "mainwindow/MainMenuModul.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace {
struct Snapshot {
    qint64 rows = -1;
    QString digest;
    int akkus = -1;
    bool operator==(const Snapshot&) const = default;
};

// Reads the file through a connection of its own, as the next start would.
Snapshot readFile(const QString& path)
{
    Snapshot s;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*), group_concat(MessWertId || ':' || MessWertString, '|') "
                                      "FROM (SELECT * FROM MessWerte ORDER BY MessWertId)"))
                && q.next()) {
                s.rows = q.value(0).toLongLong();
                s.digest = q.value(1).toString();
            }
            if (q.exec(QStringLiteral("SELECT count(*) FROM Akkus")) && q.next())
                s.akkus = q.value(0).toInt();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return s;
}

class CompactionTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        // Many rows, most of them deleted again: space a compaction gives back.
        Transaction t(dbVeluser);
        dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Pack A')"));
        for (int i = 0; i < 3000; ++i)
            dbVeluser.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (?, 0, ?)"),
                           {i % 7, QStringLiteral("%1;%2;4.123;1.000;0.500").arg(i).arg(i * 3)});
        dbVeluser.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID <> 3"));
        t.commit();
        // The last committed rows may still sit in the write-ahead log: the
        // compacted file must hold them all the same.
        before = expected();
    }
    static Snapshot expected()
    {
        Snapshot s;
        s.rows = dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM MessWerte")).toLongLong();
        s.digest = dbVeluser
                       .scalar(QStringLiteral("SELECT group_concat(MessWertId || ':' || MessWertString, '|') "
                                              "FROM (SELECT * FROM MessWerte ORDER BY MessWertId)"))
                       .toString();
        s.akkus = dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM Akkus")).toInt();
        return s;
    }
    QString tempPath() const { return QDir(folder.path()).filePath(QStringLiteral("Daten/veluser.$$$")); }
    Snapshot before;
};
} // namespace

TEST_F(CompactionTest, DeclinedAtEitherQuestionChangesNothing)
{
    for (int declined = 0; declined < 2; ++declined) {
        messages.shown.clear();
        if (declined == 1)
            messages.answer(MessageService::Yes);
        messages.answer(MessageService::No);
        compactUserDatabase();
        ASSERT_EQ(messages.shown.size(), declined + 1);
        EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("1028")));
        EXPECT_EQ(messages.shown[0].buttons, MessageService::YesNo);
        EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
        EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0110")));
        EXPECT_EQ(terminator.calls, 0);
        EXPECT_TRUE(dbVeluser.isOpen());
        EXPECT_FALSE(QFileInfo::exists(tempPath()));
    }
    EXPECT_EQ(messages.shown[1].text, getResource(QStringLiteral("1090")));
    EXPECT_EQ(expected(), before);
}

TEST_F(CompactionTest, SuccessReplacesTheFileAndEndsTheProgram)
{
    // A leftover from an earlier attempt is removed, not taken for the copy.
    QFile stale(tempPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("not a database");
    stale.close();
    dbVeluser.exec(QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, 'x')"));

    EXPECT_THROW(compactUserDatabase(), ProgramTerminated);
    EXPECT_EQ(messages.texts(), (QStringList{getResource(QStringLiteral("1028")), getResource(QStringLiteral("1090")),
                                             getResource(QStringLiteral("1030"))}));
    EXPECT_EQ(messages.shown[2].icon, MessageService::Information);
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_FALSE(QFileInfo::exists(tempPath()));
    // Ends at once: the temporary values are not emptied.
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte")).toInt(), 1);

    closeCoreForTest();
    EXPECT_FALSE(QFileInfo::exists(folder.veluserPath() + QStringLiteral("-wal")));
    EXPECT_EQ(readFile(folder.veluserPath()), before);
    EXPECT_EQ(before.rows, 3000 / 7 + 1);
    const qint64 pages = [this] {
        Database db;
        db.open(folder.veluserPath());
        return db.scalar(QStringLiteral("PRAGMA freelist_count")).toLongLong();
    }();
    EXPECT_EQ(pages, 0);
}

TEST_F(CompactionTest, FailureAtAnyStepKeepsEveryRowAndRunsOn)
{
    using Step = DatabaseCompaction::Step;
    for (Step failing : {Step::RemoveStale, Step::Copy, Step::Close, Step::Replace}) {
        messages.shown.clear();
        compactUserDatabase([failing](Step s) {
            if (s == failing)
                throw DatabaseError(QStringLiteral("disk full"));
        });
        ASSERT_EQ(messages.shown.size(), 3);
        EXPECT_EQ(messages.shown[2].text, QStringLiteral("Fehler"));
        EXPECT_EQ(messages.shown[2].buttons, MessageService::OkOnly);
        EXPECT_EQ(terminator.calls, 0);
        EXPECT_FALSE(QFileInfo::exists(tempPath())) << int(failing);
        // The program runs on with its user database open and writable.
        ASSERT_TRUE(dbVeluser.isOpen()) << int(failing);
        EXPECT_EQ(expected(), before);
        EXPECT_NO_THROW(dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('after')")));
        dbVeluser.exec(QStringLiteral("DELETE FROM Akkus WHERE AkkuName='after'"));
    }
    closeCoreForTest();
    EXPECT_EQ(readFile(folder.veluserPath()), before);
}

TEST_F(CompactionTest, StaleCopyThatCannotBeRemovedFailsSafely)
{
    ASSERT_TRUE(QDir().mkpath(tempPath() + QStringLiteral("/inside")));
    compactUserDatabase();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Fehler"));
    EXPECT_EQ(terminator.calls, 0);
    EXPECT_TRUE(dbVeluser.isOpen());
    EXPECT_EQ(expected(), before);
}
