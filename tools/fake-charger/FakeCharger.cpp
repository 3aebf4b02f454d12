#include "FakeCharger.h"

#include "FakeChannel.h"
#include "FakeDeviceInfo.h"
#include "FakeProgram.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr char DC2 = 0x12;
constexpr char DC4 = 0x14;
constexpr char ETX = 0x03;
constexpr char CR = 0x0D;

// How long a frame that ends in ETX waits for its CR, and how long the two
// pieces of a split reply lie apart. Neither changes what a reply means.
constexpr int crGraceMs = 50;
constexpr int splitPauseMs = 5;

struct Output {
    QByteArray bytes;
    int pauseBeforeMs = 0;
};

struct Rule {
    FakeFault fault = FakeFault::NoReply;
    int times = 1;
    QString channel;
    QString command;
    bool raw = false;
    QByteArray rawBytes;
    // Periodic rule: only every `every`-th matching request gets the fault.
    int every = 0;
    int seen = 0;
};

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

bool isChannelId(const QString& s)
{
    return s.size() == 3 && s.startsWith(QLatin1String("00")) && s.at(2) >= QLatin1Char('1')
           && s.at(2) <= QLatin1Char('4');
}
} // namespace

struct FakeCharger::Impl {
    Impl(int count, Model m) : channelCount(std::clamp(count, 1, 4)), model(m)
    {
        for (int i = 1; i <= channelCount; ++i)
            channels.emplace_back(i);
        deviceInfo = FakeDeviceInfo::defaultFields(channelCount, false);
    }

    // --- state, guarded by mutex -----------------------------------------
    const int channelCount;
    Model model;
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::vector<FakeChannel> channels;
    long long simSeconds = 0;
    int secondsPerRequest = 0;
    std::deque<Rule> rules;
    std::vector<QByteArray> held;
    QList<FakeFrame> log;
    QStringList replies;
    int handled = 0;
    long long written = 0;
    std::function<void(const FakeFrame&)> observer;
    QStringList deviceInfo;
    int echoG = 1;
    int echoR = 4;
    std::deque<std::function<void()>> tasks;
    bool stopping = false;
    bool running = false;
    QString error;
    QString ptyName;

    // --- port, touched only by the fake's thread once it runs -------------
    int master = -1;
    int slave = -1; // held open so the master never sees a hang-up between the program's opens
    int wakeFd = -1;
    QString folder;
    QString linkPath;
    QByteArray input;
    std::thread thread;

    FakeChannel* channel(int n) { return n >= 1 && n <= channelCount ? &channels[size_t(n - 1)] : nullptr; }

    // Runs fn on the fake's thread (or here when it does not run) and waits.
    void runInThread(const std::function<void()>& fn);
    void threadMain();
    void runTasks();
    void readInput();
    void processInput();
    void handleFrame(const QByteArray& raw, bool withCr);
    std::vector<Output> respondLocked(const FakeFrame& frame);
    QString normalReplyLocked(FakeChannel& ch, const FakeFrame& frame);
    QString echoLocked(const QString& program) const;
    void advanceLocked(long long seconds);
    bool writeAll(const QByteArray& bytes, bool counted = false);
    bool openPty();
    void closePty();
    int queuedAtPort() const;
};

void FakeCharger::Impl::advanceLocked(long long seconds)
{
    for (long long s = 0; s < seconds; ++s)
        for (FakeChannel& ch : channels)
            ch.tick();
    simSeconds += seconds;
}

bool FakeCharger::Impl::openPty()
{
    const int m = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m < 0) {
        error = QStringLiteral("posix_openpt: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Never block on a read the poll did not promise (the descriptor number
    // may have been reused by a new pseudo-terminal meanwhile).
    ::fcntl(m, F_SETFL, ::fcntl(m, F_GETFL) | O_NONBLOCK);
    char name[128];
    if (grantpt(m) != 0 || unlockpt(m) != 0 || ptsname_r(m, name, sizeof name) != 0) {
        error = QStringLiteral("pseudo-terminal set-up: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        ::close(m);
        return false;
    }
    const int s = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (s < 0) {
        error =
            QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(name), QString::fromLocal8Bit(std::strerror(errno)));
        ::close(m);
        return false;
    }
    // Raw from the start: no echo of our own replies, no line editing, and
    // bytes countable at the port before the program has opened it.
    termios t{};
    if (tcgetattr(s, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(s, TCSANOW, &t);
    }
    const QByteArray link = QFile::encodeName(linkPath);
    const QByteArray tmp = link + ".new";
    ::unlink(tmp.constData());
    if (::symlink(name, tmp.constData()) != 0 || ::rename(tmp.constData(), link.constData()) != 0) {
        error = QStringLiteral("%1: %2").arg(linkPath, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(s);
        ::close(m);
        return false;
    }
    master = m;
    slave = s;
    input.clear();
    std::lock_guard lock(mutex);
    ptyName = QString::fromLocal8Bit(name);
    return true;
}

void FakeCharger::Impl::closePty()
{
    if (!linkPath.isEmpty())
        ::unlink(QFile::encodeName(linkPath).constData());
    if (master >= 0)
        ::close(master);
    if (slave >= 0)
        ::close(slave);
    master = slave = -1;
    input.clear();
    std::lock_guard lock(mutex);
    ptyName.clear();
    held.clear();
}

int FakeCharger::Impl::queuedAtPort() const
{
    int n = 0;
    if (slave < 0 || ::ioctl(slave, FIONREAD, &n) != 0)
        return -1;
    return n;
}

bool FakeCharger::Impl::writeAll(const QByteArray& bytes, bool counted)
{
    // Counted before the write: the reader may hold the reply before write()
    // even returns here, and must then see it counted.
    if (!counted) {
        std::lock_guard lock(mutex);
        written += bytes.size();
    }
    qsizetype done = 0;
    while (done < bytes.size() && master >= 0) {
        const ssize_t k = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (k > 0) {
            done += k;
            continue;
        }
        if (k < 0 && (errno == EINTR))
            continue;
        if (k < 0 && errno == EAGAIN) {
            pollfd p{master, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        break;
    }
    if (done < bytes.size()) {
        std::lock_guard lock(mutex);
        written -= bytes.size() - done;
    }
    return done == bytes.size();
}

void FakeCharger::Impl::runInThread(const std::function<void()>& fn)
{
    std::unique_lock lock(mutex);
    if (!running || std::this_thread::get_id() == thread.get_id()) {
        lock.unlock();
        fn();
        return;
    }
    bool done = false;
    tasks.push_back([&fn, &done, this] {
        fn();
        std::lock_guard inner(mutex);
        done = true;
        changed.notify_all();
    });
    lock.unlock();
    const uint64_t one = 1;
    [[maybe_unused]] const auto ignored = ::write(wakeFd, &one, sizeof one);
    lock.lock();
    changed.wait(lock, [&] { return done; });
}

void FakeCharger::Impl::runTasks()
{
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(mutex);
            if (tasks.empty())
                return;
            task = std::move(tasks.front());
            tasks.pop_front();
        }
        task();
    }
}

void FakeCharger::Impl::threadMain()
{
    for (;;) {
        pollfd fds[2];
        nfds_t n = 0;
        fds[n++] = {wakeFd, POLLIN, 0};
        const int polledMaster = master;
        if (polledMaster >= 0)
            fds[n++] = {polledMaster, POLLIN, 0};
        if (::poll(fds, n, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const auto ignored = ::read(wakeFd, &count, sizeof count);
            runTasks();
            std::lock_guard lock(mutex);
            if (stopping)
                return;
        }
        if (n > 1 && master == polledMaster && master >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            readInput();
    }
}

void FakeCharger::Impl::readInput()
{
    char buf[1024];
    const ssize_t k = ::read(master, buf, sizeof buf);
    if (k > 0) {
        input.append(buf, k);
        processInput();
    } else if (k < 0 && errno != EINTR && errno != EAGAIN) {
        // Cannot happen while our own end of the slave is open; never spin.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void FakeCharger::Impl::processInput()
{
    for (;;) {
        const qsizetype start = input.indexOf(DC2);
        if (start < 0) {
            input.clear(); // line noise
            return;
        }
        input.remove(0, start);
        const qsizetype etx = input.indexOf(ETX, 1);
        const qsizetype next = input.indexOf(DC2, 1);
        if (next > 0 && (etx < 0 || next < etx)) {
            // A frame cut off by the next one: logged, not answered.
            handleFrame(input.left(next), false);
            input.remove(0, next);
            continue;
        }
        if (etx < 0)
            return; // the rest is still on its way
        qsizetype end = etx + 1;
        if (end == input.size() && master >= 0) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, crGraceMs) > 0 && (p.revents & POLLIN)) {
                char buf[256];
                const ssize_t k = ::read(master, buf, sizeof buf);
                if (k > 0)
                    input.append(buf, k);
            }
        }
        const bool withCr = end < input.size() && input.at(end) == CR;
        if (withCr)
            ++end;
        const QByteArray raw = input.left(end);
        input.remove(0, end);
        handleFrame(raw, withCr);
    }
}

void FakeCharger::Impl::handleFrame(const QByteArray& raw, bool withCr)
{
    FakeFrame frame;
    frame.raw = raw;
    const qsizetype etx = raw.indexOf(ETX);
    frame.wellFormed = withCr && etx >= 3 && raw.size() >= 2 && raw.at(1) == ',' && raw.at(etx - 1) == ',';
    if (frame.wellFormed) {
        frame.body = QString::fromLatin1(raw.mid(2, etx - 3));
        frame.channel = frame.body.section(QLatin1Char(','), 0, 0);
        frame.command = frame.body.section(QLatin1Char(','), 1, 1);
    }
    std::vector<Output> outputs;
    std::function<void(const FakeFrame&)> observe;
    {
        std::lock_guard lock(mutex);
        if (frame.wellFormed)
            advanceLocked(secondsPerRequest);
        frame.simulatedSeconds = simSeconds;
        log.push_back(frame);
        if (frame.wellFormed)
            outputs = respondLocked(frame);
        observe = observer;
        // The frame counts as handled, with the bytes of its reply, before
        // the reply is written: whoever reads the reply must find both.
        for (const Output& out : outputs)
            written += out.bytes.size();
        ++handled;
        changed.notify_all();
    }
    if (observe)
        observe(frame);
    for (const Output& out : outputs) {
        if (out.pauseBeforeMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(out.pauseBeforeMs));
        writeAll(out.bytes, true);
    }
}

QString FakeCharger::Impl::echoLocked(const QString& program) const
{
    QString echo = program + QStringLiteral(",G%1,").arg(echoG);
    const auto parsed = FakeProgram::parse(program);
    if (parsed && parsed->extended)
        echo += QStringLiteral("R%1,").arg(echoR);
    return echo;
}

QString FakeCharger::Impl::normalReplyLocked(FakeChannel& ch, const FakeFrame& frame)
{
    const QString& cmd = frame.command;
    if (cmd == QLatin1String("M"))
        return ch.takePush() ? ch.endValuePayload() : ch.statusPayload();
    if (cmd == QLatin1String("D"))
        return ch.endValuePayload();
    if (cmd == QLatin1String("W"))
        return echoLocked(ch.program());
    if (cmd == QLatin1String("P")) {
        if (!FakeProgram::parse(frame.body))
            return ch.id() + QStringLiteral(",M,SP,");
        ch.setProgram(frame.body);
        ch.startProgram();
        return echoLocked(frame.body);
    }
    if (cmd == QLatin1String("G") && model == Model::SelfDescribing)
        return FakeDeviceInfo::payload(ch.id(), deviceInfo);
    return QString();
}

std::vector<Output> FakeCharger::Impl::respondLocked(const FakeFrame& frame)
{
    std::vector<Output> out;
    // Replies held back from earlier requests arrive first.
    for (QByteArray& late : held)
        out.push_back({std::move(late), 0});
    held.clear();

    FakeChannel* ch = isChannelId(frame.channel) ? channel(frame.channel.right(1).toInt()) : nullptr;
    if (!ch)
        return out;

    std::optional<Rule> rule;
    for (auto it = rules.begin(); it != rules.end(); ++it) {
        if ((!it->channel.isEmpty() && it->channel != frame.channel)
            || (!it->command.isEmpty() && it->command != frame.command))
            continue;
        if (it->every > 0 && ++it->seen % it->every != 0)
            continue;
        rule = *it;
        if (it->times > 0 && --it->times == 0)
            rules.erase(it);
        break;
    }
    if (rule && rule->raw) {
        out.push_back({rule->rawBytes, 0});
        return out;
    }

    QString payload;
    const FakeFault fault = rule ? rule->fault : FakeFault::NoReply;
    if (rule && fault == FakeFault::NoReply)
        return out;
    if (rule && fault == FakeFault::Refuse) {
        payload = ch->id() + QStringLiteral(",M,SK,");
    } else if (rule && fault == FakeFault::OtherChannel) {
        FakeChannel* other = channel(ch->number() % channelCount + 1);
        payload =
            other && other != ch ? other->statusPayload() : QStringLiteral("00%1,M,SA,").arg(ch->number() == 1 ? 2 : 1);
    } else {
        payload = normalReplyLocked(*ch, frame);
    }
    if (payload.isEmpty())
        return out;
    replies << payload;
    if (rule && fault == FakeFault::BadEcho) {
        QStringList e = payload.split(QLatin1Char(','));
        if (e.size() > 2 && !e[2].isEmpty() && e[2].back().isDigit()) {
            const int digit = e[2].back().digitValue();
            e[2].back() = QChar(u'0' + (digit + 1) % 10);
        }
        payload = e.join(QLatin1Char(','));
    }

    const QByteArray body = payload.toLatin1();
    QByteArray frameBytes = QByteArray(1, DC4) + ',' + body + ETX;
    if (!rule) {
        out.push_back({frameBytes, 0});
        return out;
    }
    switch (fault) {
    case FakeFault::Malformed:
        out.push_back({QByteArray(1, DC4) + body + ETX, 0});
        break;
    case FakeFault::Truncated:
        out.push_back({QByteArray(1, DC4) + ',' + body, 0});
        break;
    case FakeFault::Noise:
        out.push_back({QByteArray("\x7f#~ q") + frameBytes + QByteArray("z%\x11"), 0});
        break;
    case FakeFault::SplitReply: {
        const qsizetype half = frameBytes.size() / 2;
        out.push_back({frameBytes.left(half), 0});
        out.push_back({frameBytes.mid(half), splitPauseMs});
        break;
    }
    case FakeFault::LateReply:
        held.push_back(frameBytes);
        break;
    default:
        out.push_back({frameBytes, 0});
        break;
    }
    return out;
}

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
    Rule rule;
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
    Rule rule;
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
    Rule rule;
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
