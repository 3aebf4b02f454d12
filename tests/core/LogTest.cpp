// The error log: blocks appended run after run, failures ignored.
#include "core/velmoroLog.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ErrorLog, EachRunAppendsItsBlocksAfterTheOlderOnes)
{
    QTemporaryDir dir;
    for (const char* run : {"first", "second"}) {
        velmoroLog log(dir.path());
        ASSERT_TRUE(log.isOpen());
        log.writeLogSignature(QStringLiteral("No Program Value for Current Measurementrow"));
        log.writeLogEntry(QStringLiteral("Current RowId: ") + QLatin1String(run));
    }
    QFile file(dir.filePath(QStringLiteral("error.log")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray all = file.readAll();
    ASSERT_TRUE(all.endsWith("\r\n"));
    const QList<QByteArray> lines = all.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 12);
    for (const QByteArray& line : lines)
        EXPECT_TRUE(line.endsWith('\r') || line == lines.last()) << line.constData();
    for (int block : {0, 6}) {
        EXPECT_EQ(lines[block], "\r");
        EXPECT_EQ(lines[block + 1], QByteArray(69, '*') + '\r');
        EXPECT_EQ(lines[block + 2], "LogType: No Program Value for Current Measurementrow\r");
        EXPECT_TRUE(lines[block + 3].startsWith("Log Writen: ")) << lines[block + 3].constData();
        EXPECT_GT(lines[block + 3].size(), 20);
        EXPECT_EQ(lines[block + 4], "\r");
    }
    EXPECT_EQ(lines[5], "Current RowId: first\r");
    EXPECT_EQ(lines[11], "Current RowId: second");
}

TEST(ErrorLog, AFolderThatCannotBeWrittenIsIgnored)
{
    QTemporaryDir dir;
    velmoroLog log(dir.filePath(QStringLiteral("missing/deeper")));
    EXPECT_FALSE(log.isOpen());
    log.writeLogSignature(QStringLiteral("x"));
    log.writeLogEntry(QStringLiteral("y"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing/deeper/error.log"))));
}

TEST(ErrorLog, TheTimeOfABlockIsWrittenAlikeInEveryLocale)
{
    QTemporaryDir dir;
    for (const QLocale& locale :
         {QLocale::c(), QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(locale);
        velmoroLog(dir.path()).writeLogSignature(QStringLiteral("x"));
    }
    QLocale::setDefault(QLocale::c());
    QFile file(dir.filePath(QStringLiteral("error.log")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // An ISO stamp of the local time, in plain digits.
    const QRegularExpression stamp(
        QStringLiteral("^Log Writen: [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$"));
    int stamped = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n")))
        if (line.startsWith(QStringLiteral("Log Writen: "))) {
            EXPECT_TRUE(stamp.match(line).hasMatch()) << line.toStdString();
            ++stamped;
        }
    EXPECT_EQ(stamped, 3);
}
