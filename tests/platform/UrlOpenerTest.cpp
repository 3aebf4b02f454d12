// The desktop's opener of pages: an opener that goes on running (a browser it
// runs in the foreground) counts as having shown the page, its later end says
// nothing, and it outlives its UrlOpener.
#include "platform/UrlOpener.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <sys/types.h>

namespace {

// The process id the opener's command wrote, once it has started.
qint64 startedPid(const QString& pidFile)
{
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        QFile f(pidFile);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray text = f.readAll().trimmed();
            if (!text.isEmpty())
                return text.toLongLong();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return 0;
}

const QUrl kPage = QUrl::fromLocalFile(QStringLiteral("/nowhere/velmoro-en.html"));

} // namespace

TEST(UrlOpenerTest, AnOpenerThatRunsOnCountsAsShownAndItsLaterFailureSaysNothing)
{
    QTemporaryDir dir;
    const QString pidFile = QDir(dir.path()).filePath(QStringLiteral("pid"));
    const QString go = QDir(dir.path()).filePath(QStringLiteral("go"));
    // Ends, with a failure, only when told.
    UrlOpener opener({QStringLiteral("sh"), QStringLiteral("-c"),
                      QStringLiteral("echo $$ > \"$0\"; while [ ! -e \"$1\" ]; do sleep 0.05; done; exit 3"), pidFile,
                      go},
                     3600 * 1000);
    int failures = 0;
    opener.open(kPage, [&failures] { ++failures; });
    ASSERT_NE(startedPid(pidFile), 0);
    EXPECT_EQ(opener.pending(), 1);

    // The verdict time is over.
    opener.stopWaiting();
    EXPECT_EQ(opener.pending(), 0);
    auto* process = opener.findChild<QProcess*>();
    ASSERT_NE(process, nullptr);
    QSignalSpy finished(process, &QProcess::finished);
    QFile(go).open(QIODevice::WriteOnly);
    ASSERT_TRUE(finished.wait(60000));
    QCoreApplication::processEvents();
    EXPECT_EQ(failures, 0);
}

TEST(UrlOpenerTest, AnOpenerStillRunningWhenItsUrlOpenerGoesIsLeftRunning)
{
    QTemporaryDir dir;
    const QString pidFile = QDir(dir.path()).filePath(QStringLiteral("pid"));
    qint64 pid = 0;
    {
        UrlOpener opener(
            {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo $$ > \"$0\"; exec sleep 600"), pidFile});
        opener.open(kPage, {});
        pid = startedPid(pidFile);
        ASSERT_NE(pid, 0);
    }
    QCoreApplication::processEvents();
    // Still there (the user's browser, for all the program knows); the test
    // ends it itself.
    EXPECT_EQ(::kill(pid_t(pid), 0), 0);
    ::kill(pid_t(pid), SIGKILL);
}
#endif
