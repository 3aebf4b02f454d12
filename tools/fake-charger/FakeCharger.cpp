#include "FakeChargerImpl.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
// Lists handed out get an array of their own: the fake's thread goes on
// appending to the original.
template <typename T>
QList<T> detachedCopy(const QList<T>& list)
{
    QList<T> copy;
    copy.reserve(list.size());
    for (const T& item : list)
        copy.push_back(item);
    return copy;
}
} // namespace

// --- FakeCharger -------------------------------------------------------------

FakeCharger::FakeCharger(int channels, Model model) : d(std::make_unique<Impl>(channels, model))
{
}

FakeCharger::~FakeCharger()
{
    stop();
}

bool FakeCharger::start()
{
    if (isRunning())
        return true;
    QByteArray folder = QFile::encodeName(QDir::tempPath() + QStringLiteral("/velmoro-fake-XXXXXX"));
    if (!::mkdtemp(folder.data())) {
        d->error = QStringLiteral("mkdtemp: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    d->folder = QFile::decodeName(folder);
    // The port's name must be unique: serial-port locks go by the last part
    // of the path.
    d->linkPath =
        d->folder + QStringLiteral("/tty") + d->folder.section(QLatin1Char('/'), -1).remove(QStringLiteral("velmoro-"));
    d->wakeFd = ::eventfd(0, EFD_CLOEXEC);
    if (d->wakeFd < 0 || !d->openPty()) {
        if (d->wakeFd < 0)
            d->error = QStringLiteral("eventfd: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        stop();
        return false;
    }
    {
        std::lock_guard lock(d->mutex);
        d->stopping = false;
        d->running = true;
    }
    d->thread = std::thread([this] { d->threadMain(); });
    return true;
}

void FakeCharger::stop()
{
    if (d->thread.joinable()) {
        {
            std::lock_guard lock(d->mutex);
            d->stopping = true;
        }
        const uint64_t one = 1;
        [[maybe_unused]] const auto ignored = ::write(d->wakeFd, &one, sizeof one);
        d->thread.join();
    }
    {
        std::lock_guard lock(d->mutex);
        d->running = false;
    }
    d->closePty();
    if (d->wakeFd >= 0)
        ::close(d->wakeFd);
    d->wakeFd = -1;
    if (!d->folder.isEmpty())
        QDir(d->folder).removeRecursively();
    d->folder.clear();
    d->linkPath.clear();
}

bool FakeCharger::isRunning() const
{
    std::lock_guard lock(d->mutex);
    return d->running;
}

QString FakeCharger::errorString() const
{
    return d->error;
}

int FakeCharger::channelCount() const
{
    return d->channelCount;
}

FakeCharger::Model FakeCharger::model() const
{
    std::lock_guard lock(d->mutex);
    return d->model;
}

void FakeCharger::setModel(Model model)
{
    std::lock_guard lock(d->mutex);
    d->model = model;
}

QString FakeCharger::portPath() const
{
    return d->linkPath;
}

QString FakeCharger::ptyPath() const
{
    std::lock_guard lock(d->mutex);
    return d->ptyName;
}

void FakeCharger::setStatus(int channel, const QString& code, const QString& detail)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setStatus(code, detail);
}

void FakeCharger::setValues(int channel, int current_mA, int voltage_mV, int capacity_mAh)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setValues(current_mA, voltage_mV, capacity_mAh);
}

void FakeCharger::setValuesIncluded(int channel, bool included)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setValuesIncluded(included);
}

void FakeCharger::setChannelState(int channel, const FakeChannelState& state)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setState(state);
}

FakeChannelState FakeCharger::channelState(int channel) const
{
    std::lock_guard lock(d->mutex);
    auto* ch = d->channel(channel);
    return ch ? ch->state() : FakeChannelState{};
}

QString FakeCharger::statusPayload(int channel) const
{
    std::lock_guard lock(d->mutex);
    auto* ch = d->channel(channel);
    return ch ? ch->statusPayload() : QString();
}

void FakeCharger::setProgram(int channel, const QString& programString)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setProgram(programString);
}

QString FakeCharger::program(int channel) const
{
    std::lock_guard lock(d->mutex);
    auto* ch = d->channel(channel);
    return ch ? ch->program() : QString();
}

bool FakeCharger::startProgram(int channel)
{
    std::lock_guard lock(d->mutex);
    auto* ch = d->channel(channel);
    return ch && ch->startProgram();
}

void FakeCharger::stopProgram(int channel)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->stopProgram();
}

void FakeCharger::setBattery(int channel, FakeBattery::Chemistry chemistry, int cells, int capacity_mAh,
                             double stateOfCharge)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setBattery(FakeBattery(chemistry, cells, capacity_mAh, stateOfCharge));
}

FakeBattery FakeCharger::battery(int channel) const
{
    std::lock_guard lock(d->mutex);
    auto* ch = d->channel(channel);
    return ch ? ch->battery() : FakeBattery{};
}

void FakeCharger::setEndValues(int channel, const QList<FakeEndValue>& values)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->setEndValues(values);
}

void FakeCharger::addEndValue(int channel, const FakeEndValue& value)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->addEndValue(value);
}

QList<FakeEndValue> FakeCharger::endValues(int channel) const
{
    std::lock_guard lock(d->mutex);
    auto* ch = d->channel(channel);
    return ch ? detachedCopy(ch->endValues()) : QList<FakeEndValue>{};
}

void FakeCharger::pushEndValues(int channel)
{
    std::lock_guard lock(d->mutex);
    if (auto* ch = d->channel(channel))
        ch->requestPush();
}

void FakeCharger::setPushEndValuesOnPhaseEnd(bool push)
{
    std::lock_guard lock(d->mutex);
    for (FakeChannel& ch : d->channels)
        ch.setPushOnPhaseEnd(push);
}

void FakeCharger::setEchoDigits(int g, int r)
{
    std::lock_guard lock(d->mutex);
    d->echoG = g;
    d->echoR = r;
}

void FakeCharger::setDeviceInfoFields(const QStringList& fields)
{
    std::lock_guard lock(d->mutex);
    d->deviceInfo = fields;
}

void FakeCharger::setDeviceInfoField(int element, const QString& value)
{
    std::lock_guard lock(d->mutex);
    const int index = element - FakeDeviceInfo::firstElement;
    if (index >= 0 && index < d->deviceInfo.size())
        d->deviceInfo[index] = value;
}

QStringList FakeCharger::deviceInfoFields() const
{
    std::lock_guard lock(d->mutex);
    return detachedCopy(d->deviceInfo);
}

void FakeCharger::setSecondsPerRequest(int seconds)
{
    std::lock_guard lock(d->mutex);
    d->secondsPerRequest = std::max(0, seconds);
}

void FakeCharger::advance(int seconds)
{
    std::lock_guard lock(d->mutex);
    d->advanceLocked(std::max(0, seconds));
}

long long FakeCharger::simulatedSeconds() const
{
    std::lock_guard lock(d->mutex);
    return d->simSeconds;
}

void FakeCharger::injectFault(FakeFault fault, int times, const QString& channel, const QString& command)
{
    if (times == 0)
        return;
    std::lock_guard lock(d->mutex);
    Impl::Rule rule;
    rule.fault = fault;
    rule.times = times < 0 ? -1 : times;
    rule.channel = channel;
    rule.command = command;
    d->rules.push_back(rule);
}

void FakeCharger::injectPeriodicFault(FakeFault fault, int every, const QString& channel, const QString& command)
{
    if (every <= 0)
        return;
    std::lock_guard lock(d->mutex);
    Impl::Rule rule;
    rule.fault = fault;
    rule.times = -1;
    rule.every = every;
    rule.channel = channel;
    rule.command = command;
    d->rules.push_back(rule);
}

void FakeCharger::injectRawReply(const QByteArray& bytes, const QString& channel, const QString& command)
{
    std::lock_guard lock(d->mutex);
    Impl::Rule rule;
    rule.raw = true;
    rule.rawBytes = bytes;
    rule.channel = channel;
    rule.command = command;
    d->rules.push_back(rule);
}

void FakeCharger::clearFaults()
{
    std::lock_guard lock(d->mutex);
    d->rules.clear();
}

void FakeCharger::releaseLateReplies()
{
    d->runInThread([this] {
        std::vector<QByteArray> late;
        {
            std::lock_guard lock(d->mutex);
            late.swap(d->held);
        }
        qsizetype total = 0;
        for (const QByteArray& bytes : late)
            total += bytes.size();
        const int before = d->queuedAtPort();
        for (const QByteArray& bytes : late)
            d->writeAll(bytes);
        // The pseudo-terminal hands bytes on asynchronously: wait (bounded)
        // until they are readable, so a command sent next finds them there.
        if (before < 0 || total == 0)
            return;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (d->queuedAtPort() >= 0 && d->queuedAtPort() < before + total && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
}

void FakeCharger::pullOut()
{
    d->runInThread([this] { d->closePty(); });
}

bool FakeCharger::plugIn()
{
    bool ok = true;
    d->runInThread([this, &ok] {
        if (d->master < 0 && !d->linkPath.isEmpty())
            ok = d->openPty();
    });
    return ok;
}

bool FakeCharger::isPluggedIn() const
{
    std::lock_guard lock(d->mutex);
    return !d->ptyName.isEmpty();
}

QStringList FakeCharger::frameLog() const
{
    std::lock_guard lock(d->mutex);
    QStringList bodies;
    for (const FakeFrame& f : d->log)
        if (f.wellFormed)
            bodies << f.body;
    return bodies;
}

QList<FakeFrame> FakeCharger::frames() const
{
    // A list of its own, so the caller never shares the array that the
    // fake's thread appends to.
    std::lock_guard lock(d->mutex);
    return detachedCopy(d->log);
}

void FakeCharger::clearFrameLog()
{
    std::lock_guard lock(d->mutex);
    d->log.clear();
    d->replies.clear();
}

QStringList FakeCharger::replyLog() const
{
    std::lock_guard lock(d->mutex);
    return detachedCopy(d->replies);
}

int FakeCharger::handledFrames() const
{
    std::lock_guard lock(d->mutex);
    return d->handled;
}

bool FakeCharger::waitForHandledFrames(int count, int timeoutMs) const
{
    std::unique_lock lock(d->mutex);
    return d->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return d->handled >= count; });
}

long long FakeCharger::bytesWritten() const
{
    std::lock_guard lock(d->mutex);
    return d->written;
}

void FakeCharger::setFrameObserver(std::function<void(const FakeFrame&)> observer)
{
    std::lock_guard lock(d->mutex);
    d->observer = std::move(observer);
}
