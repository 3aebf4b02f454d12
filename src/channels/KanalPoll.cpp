#include "channels/KanalPoll.h"

#include "channels/KanalLink.h"
#include "link/ChargerPort.h"
#include "link/CommunicationResults.h"
#include "wiring/KanalHost.h"

namespace {
// What a status reply changes in the record.
struct StatusFields {
    explicit StatusFields(const CommunicationResults& r)
        : strKanal(r.strKanal),
          iFehlerCode(r.iFehlerCode),
          iAntwortTyp(r.iAntwortTyp),
          iStatusTyp(r.iStatusTyp),
          lKapazitaet(r.lKapazitaet),
          lSpannung(r.lSpannung),
          lStrom(r.lStrom)
    {
    }
    void restore(CommunicationResults& r) const
    {
        r.strKanal = strKanal;
        r.iFehlerCode = iFehlerCode;
        r.iAntwortTyp = iAntwortTyp;
        r.iStatusTyp = iStatusTyp;
        r.lKapazitaet = lKapazitaet;
        r.lSpannung = lSpannung;
        r.lStrom = lStrom;
    }
    QString strKanal;
    qint16 iFehlerCode, iAntwortTyp, iStatusTyp;
    qint32 lKapazitaet, lSpannung, lStrom;
};
} // namespace

KanalPoll::KanalPoll(int channel, ChargerPort& link, KanalHost& host, Events& events,
                     std::function<void()> checkSelfInfo)
    : commProgram(std::make_shared<CommunicationProgram>()),
      m_channel(channel),
      m_channelId(QStringLiteral("00") + QString::number(channel)),
      m_link(link),
      m_host(host),
      m_events(events),
      m_checkSelfInfo(std::move(checkSelfInfo))
{
    pollTimer.setObjectName(QStringLiteral("timerKanal") + QString::number(channel));
    // Every 14 s means every 14 s while the link is lost, not "about".
    pollTimer.setTimerType(Qt::PreciseTimer);
    pollTimer.setInterval(kPollInterval);
}

KanalPoll::~KanalPoll() = default;

void KanalPoll::newRecords()
{
    // The old record may be the one whose event is being handled right now
    // (a box opened from the handler lets the user restart the channel).
    if (m_comResults) {
        disconnect(m_comResults.get(), nullptr, this, nullptr);
        m_comResults.release()->deleteLater();
    }
    m_comResults = std::make_unique<CommunicationResults>();
    connect(m_comResults.get(), &CommunicationResults::EndwertRecieved, this,
            [this](std::shared_ptr<EntwertList> list) {
                if (m_comResults->strKanal != m_channelId || !list)
                    return;
                for (const auto& endwert : *list)
                    if (endwert->strKanal != m_channelId)
                        return;
                m_statusEndwerte = list;
                m_events.endwerteRead(list);
            });
    connect(m_comResults.get(), &CommunicationResults::ProgramChanged, this,
            [this](std::shared_ptr<CommunicationProgram> program) {
                if (!program || m_comResults->strKanal != m_channelId || program->strKanal != m_channelId)
                    return;
                m_events.programReported(program);
            });
    commProgram = std::make_shared<CommunicationProgram>();
}

bool KanalPoll::skipped() const
{
    return m_channel != 1 && (m_host.noKZTFound() || !m_host.channelPresent(m_channel));
}

void KanalPoll::start()
{
    if (skipped()) {
        m_comResults->iAntwortTyp = CommunicationResults::NoReply;
        commProgram->iAkkuTyp = -2;
        m_events.programRead(*commProgram);
        return;
    }
    const Read program = readProgram(false);
    // Another channel's reply leaves the program fields empty: asked again.
    m_readProgramAgain = program == Read::OtherChannel;
    if (program == Read::Taken && commProgram->iAkkuTyp == -2) {
        m_comResults->iAntwortTyp = CommunicationResults::NoReply;
        if (m_channel == 1) {
            m_host.setNoKZTFound(true);
            setPollInterval(kLostInterval);
        }
        return;
    }
    if (const auto list = readEndwerte())
        m_events.endwerteRead(list);
    readStatus();
    if (m_channel == 1)
        m_host.setNoKZTFound(false);
    // A channel that answers polls at the normal pace, also when it had
    // slowed down before this start.
    setPollInterval(kPollInterval);
}

bool KanalPoll::canPoll() const
{
    // Another conversation is waiting for its reply and runs this tick from
    // its wait: the tick would only get "no reply" and count it as one.
    return m_comResults && !skipped() && !m_link.isBusy();
}

bool KanalPoll::poll()
{
    if (m_comResults->iAntwortTyp == CommunicationResults::NoReply)
        m_host.setCheckLadegeraet(true);
    else if (m_host.checkLadegeraet() && m_checkSelfInfo)
        m_checkSelfInfo();

    const bool recovery = commProgram->iAkkuTyp == -4 || m_comResults->iAntwortTyp == CommunicationResults::NoReply;
    return recovery ? recoveryRoad() : normalRoad();
}

// --- the conversations --------------------------------------------------------------

KanalPoll::Read KanalPoll::readProgram(bool wait)
{
    QString payload = m_link.getProgram(m_channelId, wait);
    CommunicationProgram parsed = *commProgram;
    const QString before = parsed.strKanal;
    parsed.strKanal.clear();
    parsed.splitRecievedString(payload, true);
    if (!parsed.strKanal.isEmpty() && parsed.strKanal != m_channelId)
        return Read::OtherChannel;
    if (parsed.strKanal.isEmpty())
        parsed.strKanal = before;
    // Into the record itself: whoever holds it sees the new program.
    *commProgram = parsed;
    m_events.programRead(*commProgram);
    return Read::Taken;
}

std::shared_ptr<EntwertList> KanalPoll::readEndwerte()
{
    auto list = std::make_shared<EntwertList>();
    QString payload = m_link.getEndwert(m_channelId);
    if (!list->splitRecievedString(payload))
        return nullptr;
    for (const auto& endwert : *list)
        if (endwert->strKanal != m_channelId)
            return nullptr;
    return list;
}

KanalPoll::Read KanalPoll::readStatus()
{
    const StatusFields before(*m_comResults);
    m_comResults->strKanal.clear();
    m_statusEndwerte.reset();
    QString payload = m_link.getStatus(m_channelId);
    m_comResults->splitRecievedString(payload);
    if (m_comResults->strKanal.isEmpty()) {
        m_comResults->strKanal = before.strKanal;
        return Read::Taken;
    }
    if (m_comResults->strKanal != m_channelId) {
        // Another channel's reply: this record keeps what it held.
        before.restore(*m_comResults);
        return Read::OtherChannel;
    }
    return Read::Taken;
}

bool KanalPoll::readProgramForSeries(QString& reply, CommunicationProgram& program)
{
    // A conversation is waiting for its reply (this call comes from an event
    // run during that wait): the program is stored with a later value.
    if (m_link.isBusy())
        return false;
    reply = m_link.getProgram(m_channelId, false);
    QString parsed = reply;
    CommunicationProgram read;
    read.splitRecievedString(parsed, true);
    // No reply, an unusable one and the refusal "SK" are no program.
    if (read.iAkkuTyp < 0 || read.strKanal != m_channelId)
        return false;
    program = read;
    return true;
}

void KanalPoll::setPollInterval(int milliseconds)
{
    if (pollTimer.interval() != milliseconds)
        pollTimer.setInterval(milliseconds);
}

// --- the roads of a tick ---------------------------------------------------------------

void KanalPoll::noticeProgramStart(qint16 previousStatus)
{
    if (previousStatus == 1 && m_comResults->iStatusTyp != 1)
        m_events.programStarted();
}

bool KanalPoll::recoveryRoad()
{
    const bool wait = m_channel == 1 && m_host.noKZTFound();
    if (readProgram(wait) == Read::OtherChannel)
        return false;
    if (commProgram->iAkkuTyp == -2) {
        m_comResults->iAntwortTyp = CommunicationResults::NoReply;
        if (m_channel == 1) {
            ++iNoAnswerCount;
            if (iNoAnswerCount >= 3) {
                m_host.setNoKZTFound(true);
                setPollInterval(kLostInterval);
            }
        } else {
            setPollInterval(kWaitInterval);
        }
        return true;
    }
    m_readProgramAgain = false;
    if (m_channel != 1)
        setPollInterval(kPollInterval);
    // The status first: when it shows that a new program started meanwhile,
    // the end values are forgotten before those of the new program are read
    // (read the other way round, the reset would wipe them, and a queued
    // recording would start without them).
    const qint16 previousStatus = m_comResults->iStatusTyp;
    if (readStatus() == Read::OtherChannel)
        return false;
    noticeProgramStart(previousStatus);
    m_events.readEndwerteAfterRecovery();
    if (m_channel == 1) {
        readProgram(false);
        iNoAnswerCount = 0;
        m_host.setNoKZTFound(false);
        setPollInterval(kPollInterval);
    }
    return true;
}

bool KanalPoll::normalRoad()
{
    if (m_channel == 1)
        iNoAnswerCount = 0;
    if (m_readProgramAgain && readProgram(false) == Read::Taken && commProgram->iAkkuTyp != -2)
        m_readProgramAgain = false;
    const qint16 previousStatus = m_comResults->iStatusTyp;
    if (readStatus() == Read::OtherChannel)
        return false;
    if (m_comResults->iAntwortTyp == CommunicationResults::Unusable) {
        if (readStatus() == Read::OtherChannel)
            return false;
        if (m_comResults->iAntwortTyp == CommunicationResults::Unusable) {
            if (m_comResults->bUnknownStatus && m_comResults->strKanal == m_channelId)
                m_events.unknownStatus();
            return false;
        }
    }
    noticeProgramStart(previousStatus);
    return true;
}
