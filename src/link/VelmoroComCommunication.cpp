#include "link/VelmoroComCommunication.h"

#include "link/ComFraming.h"
#include "link/ComPortNames.h"
#include "link/LinkSettings.h"
#include "platform/DeferredMessages.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSerialPort>
#include <algorithm>

std::unique_ptr<VelmoroComCommunication> objComCommunication;

namespace {
int g_defaultTimeoutMs = 2000;

// While channel 1 waits with window events let run, the wait is cut into
// slices this long, so events are served promptly without spinning.
constexpr int eventSliceMs = 40;

// Clears the busy mark however a conversation ends (also when a handler run
// during the wait ends the program by throwing in tests).
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyGuard() { m_busy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& m_busy;
};
} // namespace

void VelmoroComCommunication::setDefaultReplyTimeout(int milliseconds)
{
    g_defaultTimeoutMs = milliseconds;
}

int VelmoroComCommunication::defaultReplyTimeout()
{
    return g_defaultTimeoutMs;
}

VelmoroComCommunication::VelmoroComCommunication() : VelmoroComCommunication(linkSetting(QStringLiteral("ComPort")))
{
}

VelmoroComCommunication::VelmoroComCommunication(const QString& comPortSetting)
    : m_port(std::make_unique<QSerialPort>()),
      m_comPortSetting(comPortSetting),
      m_device(comPortDevice(comPortSetting)),
      m_portNumber(static_cast<qint16>(comPortNumber(comPortSetting))),
      m_timeoutMs(g_defaultTimeoutMs)
{
    m_port->setPortName(m_device);
    // Line parameters go in before the port is opened: pseudo-terminals
    // refuse a change of parity or data bits on an open port.
    m_port->setBaudRate(QSerialPort::Baud9600);
    m_port->setParity(QSerialPort::EvenParity);
    m_port->setDataBits(QSerialPort::Data7);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
}

VelmoroComCommunication::~VelmoroComCommunication()
{
    if (m_port->isOpen())
        m_port->close();
}

bool VelmoroComCommunication::openComPort()
{
    m_wantOpen = true;
    if (m_port->isOpen())
        return true;
    if (!m_device.isEmpty() && m_port->open(QIODevice::ReadWrite)) {
        m_port->clearError();
        m_failureReported = false;
        return true;
    }
    m_port->clearError();
    // The caller tells the user; the conversations after it stay quiet until
    // the port works again.
    m_failureReported = true;
    return false;
}

void VelmoroComCommunication::closeComPort()
{
    m_wantOpen = false;
    if (m_port->isOpen())
        m_port->close();
}

bool VelmoroComCommunication::isComPortOpen() const
{
    return m_port->isOpen();
}

void VelmoroComCommunication::reportFailure(int errorNumber, const QString& description)
{
    if (m_failureReported)
        return;
    m_failureReported = true;
    if (m_callerReports)
        return;
    // The number as the charger-side tools write it: a blank before a
    // positive number.
    const QString number = errorNumber >= 0 ? QStringLiteral(" %1").arg(errorNumber) : QString::number(errorNumber);
    // Shown after the poll that met the failure: a box opened inside the
    // conversation would stop every channel's polling until OK is pressed.
    DeferredMessages::post(QStringLiteral("link"), number + QChar(13) + description);
}

void VelmoroComCommunication::portFailed(int errorNumber, const QString& description)
{
    // The port is closed at once; the next conversation opens it again, so
    // an adapter that comes back is taken up without a restart.
    m_port->close();
    m_port->clearError();
    reportFailure(errorNumber, description);
}

bool VelmoroComCommunication::ensurePortReady()
{
    if (m_port->isOpen())
        return true;
    if (!m_wantOpen) {
        reportFailure(QSerialPort::NotOpenError, QStringLiteral("Port is not open"));
        return false;
    }
    if (!m_device.isEmpty() && m_port->open(QIODevice::ReadWrite)) {
        m_port->clearError();
        return true;
    }
    const int error = m_device.isEmpty() ? int(QSerialPort::DeviceNotFoundError) : int(m_port->error());
    const QString description =
        m_device.isEmpty() ? QStringLiteral("No such port: %1").arg(m_comPortSetting) : m_port->errorString();
    m_port->clearError();
    reportFailure(error, description);
    return false;
}

bool VelmoroComCommunication::writeFrame(const QString& frame)
{
    const QByteArray bytes = frame.toLatin1();
    if (m_port->write(bytes) != bytes.size()) {
        portFailed(m_port->error(), m_port->errorString());
        return false;
    }
    const QDeadlineTimer deadline(m_timeoutMs, Qt::PreciseTimer);
    while (m_port->bytesToWrite() > 0) {
        if (m_port->waitForBytesWritten(int(std::max<qint64>(0, deadline.remainingTime()))))
            continue;
        const auto error = m_port->error();
        if (error == QSerialPort::TimeoutError || error == QSerialPort::NoError) {
            portFailed(QSerialPort::TimeoutError, QStringLiteral("The frame could not be written in time"));
        } else {
            portFailed(error, m_port->errorString());
        }
        return false;
    }
    return true;
}

void VelmoroComCommunication::sendString(QString& message)
{
    message = ComFraming::buildCommandFrame(message);
    if (ensurePortReady())
        writeFrame(message);
}

QString VelmoroComCommunication::converse(const QString& body, const QString& strFrom, bool bWait)
{
    // A conversation asked for from an event that runs during another one's
    // wait would write into the open exchange.
    if (m_busy)
        return QString();
    BusyGuard guard(m_busy);
    if (!ensurePortReady())
        return QString();
    // Whatever is still waiting in the port (a reply that came after its
    // time limit) belongs to an earlier command.
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
    m_port->clearError();

    QString frame = body;
    frame = ComFraming::buildCommandFrame(frame);
    if (!writeFrame(frame))
        return QString();
    // Every body, the program string too, begins with the channel asked.
    return receiveString(strFrom, bWait, ComFraming::replyChannel(body));
}

QString VelmoroComCommunication::receiveString(const QString& strFrom, bool bWait, const QString& askedChannel)
{
    const bool letEventsRun = bWait && strFrom == QLatin1String("001");
    const QDeadlineTimer deadline(m_timeoutMs, Qt::PreciseTimer); // monotonic: a clock change does not touch it
    QString buffer;
    bool anythingCame = false;
    for (;;) {
        if (letEventsRun && QCoreApplication::instance()) {
            QCoreApplication::processEvents();
            // A handler may have closed the port (a new port was chosen).
            if (!m_port->isOpen())
                return QString();
        }
        const QByteArray chunk = m_port->readAll();
        anythingCame = anythingCame || !chunk.isEmpty();
        buffer += QString::fromLatin1(chunk);
        if (!askedChannel.isEmpty())
            while (ComFraming::dropReplyOfOtherChannel(buffer, askedChannel)) {
            }
        if (ComFraming::containsEndOfText(buffer) || deadline.hasExpired())
            break;
        qint64 wait = deadline.remainingTime();
        if (letEventsRun)
            wait = std::min<qint64>(wait, eventSliceMs);
        if (m_port->waitForReadyRead(int(std::max<qint64>(0, wait))))
            continue;
        const auto error = m_port->error();
        if (error == QSerialPort::TimeoutError || error == QSerialPort::NoError) {
            m_port->clearError();
            continue;
        }
        // Read or resource error: the adapter is gone. No reply.
        portFailed(error, m_port->errorString());
        return QString();
    }
    if (anythingCame)
        m_failureReported = false; // the port works: a later failure is news again
    return ComFraming::decodeReplyFrame(buffer);
}

QString VelmoroComCommunication::getStatus(const QString& strFrom)
{
    return converse(strFrom + QStringLiteral(",M"), QString(), false);
}

QString VelmoroComCommunication::getEndwert(const QString& strFrom)
{
    return converse(strFrom + QStringLiteral(",D"), QString(), false);
}

QString VelmoroComCommunication::getProgram(const QString& strFrom, bool noKzt)
{
    return converse(strFrom + QStringLiteral(",W"), strFrom, noKzt);
}

QString VelmoroComCommunication::sendProgram(const QString& strProgram)
{
    return converse(strProgram, QString(), false);
}

QString VelmoroComCommunication::getGeraeteInfo(const QString& strFrom, bool noKzt)
{
    return converse(strFrom + QStringLiteral(",G"), strFrom, noKzt);
}
