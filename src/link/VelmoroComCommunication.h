#pragma once

#include <QString>
#include <memory>

class QSerialPort;

// The serial link to the charger: one framed command written, then one framed
// reply read, synchronously on the user-interface thread.
//
// Every command returns the reply's payload, which ends with the "," that
// precedes ETX (for example "001,M,SA,"); "" when no reply came within the
// time limit (or the port failed); "-1" when what came is not a well-formed
// reply frame. No command ever throws or changes its arguments.
//
// A reply that answers another channel than the one asked (one that came
// after its own time limit, while the next conversation waited) is passed
// over, and the wait goes on until the same time limit: a late reply costs
// its own conversation and not the next one as well.
//
// Port failures (an adapter pulled out, a port that will not open) are shown
// once per episode; after that the link answers "" silently and reopens the
// port at each conversation until one succeeds again.
class VelmoroComCommunication {
public:
    // Configures the port of the setting ComPort; does not open it.
    VelmoroComCommunication();
    // Configures the port of the given ComPort value ("1" .. "10" or a device path).
    explicit VelmoroComCommunication(const QString& comPortSetting);
    virtual ~VelmoroComCommunication();

    VelmoroComCommunication(const VelmoroComCommunication&) = delete;
    VelmoroComCommunication& operator=(const VelmoroComCommunication&) = delete;

    // True when the port opened; false on any failure, without a message
    // (the caller reports it).
    bool openComPort();
    void closeComPort();
    bool isComPortOpen() const;

    // Replaces `message` by its command frame and writes the frame.
    void sendString(QString& message);

    // Status of a channel: body strFrom & ",M".
    virtual QString getStatus(const QString& strFrom);
    // End values of a channel: body strFrom & ",D".
    virtual QString getEndwert(const QString& strFrom);
    // Running program of a channel: body strFrom & ",W". With strFrom "001"
    // and noKzt true, pending window events run during the wait.
    virtual QString getProgram(const QString& strFrom, bool noKzt);
    // Writes a program: the body is the program string unchanged.
    virtual QString sendProgram(const QString& strProgram);
    // Device information: body strFrom & ",G"; waits as getProgram does.
    virtual QString getGeraeteInfo(const QString& strFrom, bool noKzt);

    // While one lives, a port failure of this link is not shown by the link:
    // the caller tells the user in its own words (the program editor's "could
    // not be read" or "not confirmed"), so one failure never gives two boxes.
    // The failure counts as told, so the polls after it stay quiet too.
    class CallerReportsFailures {
    public:
        explicit CallerReportsFailures(VelmoroComCommunication& link) : m_link(link), m_was(link.m_callerReports)
        {
            m_link.m_callerReports = true;
        }
        ~CallerReportsFailures() { m_link.m_callerReports = m_was; }
        CallerReportsFailures(const CallerReportsFailures&) = delete;
        CallerReportsFailures& operator=(const CallerReportsFailures&) = delete;

    private:
        VelmoroComCommunication& m_link;
        bool m_was;
    };

    // True while a conversation waits for its reply. A command asked for
    // meanwhile (from an event run during that wait) gets "" at once and
    // writes nothing.
    bool isBusy() const { return m_busy; }

    // Time limit of one reply, 2000 ms unless changed.
    void setReplyTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int replyTimeout() const { return m_timeoutMs; }
    // The limit that links created from now on start with.
    static void setDefaultReplyTimeout(int milliseconds);
    static int defaultReplyTimeout();

    // The port as configured: the ComPort value, its number (0 for a device
    // path) and the device it names ("" when it names none).
    QString comPortSetting() const { return m_comPortSetting; }
    qint16 portNumber() const { return m_portNumber; }
    QString portDevice() const { return m_device; }
    const QSerialPort& serialPort() const { return *m_port; }

private:
    QString converse(const QString& body, const QString& strFrom, bool bWait);
    QString receiveString(const QString& strFrom, bool bWait, const QString& askedChannel);
    bool ensurePortReady();
    bool writeFrame(const QString& frame);
    void portFailed(int errorNumber, const QString& description);
    void reportFailure(int errorNumber, const QString& description);

    std::unique_ptr<QSerialPort> m_port;
    QString m_comPortSetting;
    QString m_device;
    qint16 m_portNumber = 0;
    int m_timeoutMs;
    bool m_busy = false;
    // openComPort was asked for and closeComPort was not: a conversation may
    // reopen the port after a failure.
    bool m_wantOpen = false;
    // The current failure episode has been shown (or reported by the caller
    // of openComPort).
    bool m_failureReported = false;
    // A CallerReportsFailures lives.
    bool m_callerReports = false;
};

// The one link of the program, created by openComCommunication (and anew
// after the COM port changed). Empty until then; never empty afterwards, even
// when no port could be opened.
extern std::unique_ptr<VelmoroComCommunication> objComCommunication;
