#include "RawPort.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

RawPort::RawPort(const QString& path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return;
    termios t{};
    tcgetattr(m_fd, &t);
    cfmakeraw(&t);
    tcsetattr(m_fd, TCSANOW, &t);
}

RawPort::~RawPort()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RawPort::write(const QByteArray& bytes)
{
    return m_fd >= 0 && ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray RawPort::readReply(int boundMs)
{
    return readWhile(boundMs, [](const QByteArray& got) { return got.contains('\x03') ? 0 : qsizetype(512); });
}

QByteArray RawPort::readExactly(qsizetype n, int boundMs)
{
    return readWhile(boundMs, [n](const QByteArray& got) { return n - got.size(); });
}

QByteArray RawPort::readWhile(int boundMs, const std::function<qsizetype(const QByteArray&)>& wanted)
{
    QByteArray got;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    for (qsizetype more = wanted(got); m_fd >= 0 && more > 0; more = wanted(got)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(limit - std::chrono::steady_clock::now());
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, int(std::max<long long>(0, left.count()))) <= 0)
            break;
        char buf[512];
        const ssize_t k = ::read(m_fd, buf, size_t(std::min<qsizetype>(more, qsizetype(sizeof buf))));
        if (k <= 0)
            break;
        got.append(buf, k);
    }
    return got;
}

QString RawPort::ask(const QString& body)
{
    write(frame(body));
    return payloadOf(readReply());
}

bool RawPort::hungUp()
{
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return true;
    if (p.revents & (POLLHUP | POLLERR))
        return true;
    char c;
    return ::read(m_fd, &c, 1) < 0 && errno == EIO;
}

QByteArray RawPort::frame(const QString& body)
{
    return QByteArray("\x12,") + body.toLatin1() + QByteArray(",\x03\r");
}

QString RawPort::payloadOf(const QByteArray& reply)
{
    const qsizetype a = reply.indexOf("\x14,");
    const qsizetype e = reply.indexOf('\x03');
    if (a < 0 || e < a)
        return QStringLiteral("<none>");
    return QString::fromLatin1(reply.mid(a + 2, e - a - 2));
}
