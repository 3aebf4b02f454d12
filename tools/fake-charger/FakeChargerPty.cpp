#include "FakeChargerImpl.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

// The fake's side of the pseudo-terminal and its thread: frames read, cut
// and handed to the replies; replies written.

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
