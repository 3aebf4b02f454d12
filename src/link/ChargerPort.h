#pragma once

#include <QString>

// The conversations the windows hold with the charger: a channel's status,
// end values and running program, and the program editor's fetch and send.
// The shared link object stands behind the program's port; tests answer from
// memory.
class ChargerPort {
public:
    virtual ~ChargerPort() = default;

    // Payload of the reply, "" for no reply, "-1" for a malformed one.
    virtual QString getStatus(const QString& strFrom) = 0;
    virtual QString getEndwert(const QString& strFrom) = 0;
    virtual QString getProgram(const QString& strFrom, bool noKzt) = 0;
    virtual QString sendProgram(const QString& strProgram) = 0;
    // A conversation is open (this call comes from events run during its
    // wait); a new one would get no reply.
    virtual bool isBusy() const = 0;

    // While one lives, a failed conversation is not shown by the port: the
    // caller tells the user in its own words (the program editor's "could not
    // be read" or "not confirmed"), so one failure never gives two boxes.
    class CallerReportsFailures {
    public:
        explicit CallerReportsFailures(ChargerPort& port) : m_port(port), m_was(port.m_callerReports)
        {
            m_port.m_callerReports = true;
        }
        ~CallerReportsFailures() { m_port.m_callerReports = m_was; }
        CallerReportsFailures(const CallerReportsFailures&) = delete;
        CallerReportsFailures& operator=(const CallerReportsFailures&) = delete;

    private:
        ChargerPort& m_port;
        bool m_was;
    };
    bool callerReportsFailures() const { return m_callerReports; }

private:
    bool m_callerReports = false;
};

// The port over the program's link object (objComCommunication).
ChargerPort& sharedChargerPort();
