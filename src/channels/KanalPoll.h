#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class CommunicationProgram;
class CommunicationResults;
class EntwertList;
class KanalHost;
class ChargerPort;

// The poll road of one channel window: its conversations with the charger at
// the window's start and at each tick, the parse of every reply into the
// channel's records, and what a missing or foreign reply means for the link
// and the pace of the poll. What a reply means for the display and the series
// is the window's: the road tells it through Events.
class KanalPoll : public QObject {
public:
    static constexpr int kPollInterval = 3000;
    static constexpr int kLostInterval = 14000;
    static constexpr int kWaitInterval = 6000;

    class Events {
    public:
        virtual ~Events() = default;
        // The program was read into the channel's program record.
        virtual void programRead(const CommunicationProgram& program) = 0;
        // A status reply brought another program or end values of this channel.
        virtual void programReported(const std::shared_ptr<CommunicationProgram>& program) = 0;
        virtual void endwerteRead(const std::shared_ptr<EntwertList>& list) = 0;
        // The link came back: the window reads the end values again now
        // (readEndwerte), knowing what it held before.
        virtual void readEndwerteAfterRecovery() = 0;
        // The status shows that a new program started.
        virtual void programStarted() = 0;
        // A reply with a status code the program does not know.
        virtual void unknownStatus() = 0;
    };

    // channel: 1 .. 4. checkSelfInfo: reads the device information of a
    // self-describing charger when the host asks for it.
    KanalPoll(int channel, ChargerPort& link, KanalHost& host, Events& events, std::function<void()> checkSelfInfo);
    ~KanalPoll() override;

    // The poll timer (timerKanal1 .. timerKanal4).
    QTimer pollTimer;
    // Missing program replies of channel 1 in a row.
    qint16 iNoAnswerCount = 0;
    // The channel's status record, its program as last read (both made anew
    // by newRecords) and the end values that came with the status reply
    // being handled (none when it carried none this channel could take).
    CommunicationResults* comResults() const { return m_comResults.get(); }
    std::shared_ptr<CommunicationProgram> commProgram;
    const std::shared_ptr<EntwertList>& statusEndwerte() const { return m_statusEndwerte; }

    void newRecords();
    // The conversations of the window's start.
    void start();
    // Whether a tick may talk to the charger now.
    bool canPoll() const;
    // The conversations of a tick; true when the status record holds a reply
    // to show.
    bool poll();
    // The end values of this channel, none when the reply is another
    // channel's or unusable.
    std::shared_ptr<EntwertList> readEndwerte();
    // The running program for a series: the reply as the charger sent it and
    // its parse. False while another conversation waits for its reply, and
    // for no reply, an unusable one and the refusal.
    bool readProgramForSeries(QString& reply, CommunicationProgram& program);
    // Changed only when it differs: setting it restarts the timer, which
    // would add the tick's own wait to the interval.
    void setPollInterval(int milliseconds);

private:
    enum class Read { Taken, OtherChannel };

    // Channels 2 .. 4 wait while the link is lost, and skip a channel the
    // charger does not have.
    bool skipped() const;
    // Each keeps out what belongs to another channel.
    Read readProgram(bool wait);
    Read readStatus();
    bool recoveryRoad();
    bool normalRoad();
    void noticeProgramStart(qint16 previousStatus);

    int m_channel;
    QString m_channelId;
    ChargerPort& m_link;
    KanalHost& m_host;
    Events& m_events;
    std::function<void()> m_checkSelfInfo;
    std::unique_ptr<CommunicationResults> m_comResults;
    std::shared_ptr<EntwertList> m_statusEndwerte;
    // The start's program read got another channel's reply: read it at the
    // next tick.
    bool m_readProgramAgain = false;
};
