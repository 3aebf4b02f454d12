#include "platform/UrlOpener.h"

#include "platform/ErrorGuard.h"

#include <QDesktopServices>
#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <utility>
#include <vector>

namespace {

// Openers still running when their UrlOpener went. Qt ends a process whose
// QProcess is deleted, so these are kept, untouched, until the program ends.
std::vector<QProcess*>& letGo()
{
    static auto* const processes = new std::vector<QProcess*>();
    return *processes;
}

} // namespace

QStringList UrlOpener::systemCommand()
{
#ifdef Q_OS_LINUX
    return {QStringLiteral("xdg-open")};
#else
    return {};
#endif
}

UrlOpener::UrlOpener(QStringList command, int verdictMs) : m_command(std::move(command)), m_verdictMs(verdictMs)
{
}

UrlOpener::~UrlOpener()
{
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->disconnect(this);
        process->setParent(nullptr);
        letGo().push_back(process);
    }
}

void UrlOpener::open(const QUrl& url, std::function<void()> failed)
{
    if (m_command.isEmpty()) {
        if (!QDesktopServices::openUrl(url) && failed)
            ErrorGuard::run(failed);
        Q_EMIT settled();
        return;
    }

    auto* process = new QProcess(this);
    process->setProgram(m_command.first());
    process->setArguments(m_command.mid(1) << QString::fromUtf8(url.toEncoded()));
    // No pipe of ours: a browser that outlives the program must not lose
    // its output or wait for input.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_waiting.emplace(process, std::move(failed));

    connect(process, &QProcess::finished, this, [this, process](int exitCode, QProcess::ExitStatus status) {
        settle(process, status != QProcess::NormalExit || exitCode != 0);
        process->deleteLater();
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        settle(process, true);
        process->deleteLater();
    });
    // The timer goes with its process, so it never names a later one.
    auto* verdictTime = new QTimer(process);
    verdictTime->setSingleShot(true);
    connect(verdictTime, &QTimer::timeout, this, [this, process] { settle(process, false); });
    verdictTime->start(m_verdictMs);
    process->start();
}

void UrlOpener::stopWaiting()
{
    std::vector<QProcess*> running;
    for (const auto& [process, failed] : m_waiting)
        running.push_back(process);
    for (QProcess* process : running)
        settle(process, false);
}

void UrlOpener::settle(QProcess* process, bool failed)
{
    const auto it = m_waiting.find(process);
    if (it == m_waiting.end())
        return;
    const std::function<void()> onFailure = std::move(it->second);
    m_waiting.erase(it);
    if (failed && onFailure)
        ErrorGuard::run(onFailure);
    Q_EMIT settled();
}
