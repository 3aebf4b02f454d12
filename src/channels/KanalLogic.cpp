#include "channels/KanalLogic.h"

#include "channels/KanalLink.h"
#include "channels/KanalView.h"
#include "core/ChargerSelfInfo.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/EndValueDisplay.h"
#include "core/MesswertStringError.h"
#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "core/velmoroLog.h"
#include "link/CommunicationResults.h"
#include "platform/Database.h"
#include "platform/DeferredMessages.h"
#include "platform/MessageService.h"
#include "platform/Recordset.h"
#include "wiring/KanalDiagram.h"
#include "wiring/KanalHost.h"
#include "wiring/KanalProgramEditor.h"

namespace {
const char* const kConditionFields[] = {"lblSelbstentladung", "txtSelbstentladung", "lblAkkuzustand", "txtAkkuzustand"};

// Marks a stretch in which this window talks to the charger or shows a box;
// nested uses keep the outer mark.
class BusyMark {
public:
    explicit BusyMark(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~BusyMark() { m_flag = m_before; }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;

private:
    bool& m_flag;
    bool m_before;
};

// Two end values that the charger reports alike are the same end value.
bool sameEndValue(const CommunicationEndwert& a, const CommunicationEndwert& b)
{
    return a.strKanal == b.strKanal && a.iEndwertTyp == b.iEndwertTyp && a.lKapazitaet == b.lKapazitaet
           && a.lSpannung == b.lSpannung && a.lZykluszeit == b.lZykluszeit && a.lSelbstentladung == b.lSelbstentladung
           && a.bWithAkkuzustand == b.bWithAkkuzustand && a.bAkkuzustand == b.bAkkuzustand && a.iProzent == b.iProzent;
}

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

KanalLogic::KanalLogic(int channel, KanalHost& host, KanalView& view, ChargerPort* link)
    : m_channel(channel),
      m_channelId(QStringLiteral("00") + QString::number(channel)),
      m_host(host),
      m_view(view),
      m_link(link ? *link : sharedKanalLink())
{
    pollTimer.setObjectName(QStringLiteral("timerKanal") + QString::number(channel));
    // Every 14 s means every 14 s while the link is lost, not "about".
    pollTimer.setTimerType(Qt::PreciseTimer);
    pollTimer.setInterval(kPollInterval);
    flashingTimer.setObjectName(QStringLiteral("flashingTimer"));
    flashingTimer.setInterval(kFlashInterval);
    connect(&flashingTimer, &QTimer::timeout, this, &KanalLogic::flashingTimer_Timer);
    connect(&pollTimer, &QTimer::timeout, this, &KanalLogic::timerKanal_Timer);
    commProgram = std::make_shared<CommunicationProgram>();
    endwertList = std::make_shared<EntwertList>();
}

KanalLogic::~KanalLogic()
{
    stopTimers();
}

QString KanalLogic::windowName() const
{
    return m_channel == 1 ? QStringLiteral("frmKanal") : QStringLiteral("frmKanal") + QString::number(m_channel);
}

QString KanalLogic::text(const char* resourceId) const
{
    return getResource(QString::fromLatin1(resourceId));
}

QString KanalLogic::noSeriesHeading() const
{
    return text("0818") + QStringLiteral(" - ") + text("0820");
}

void KanalLogic::stopTimers()
{
    pollTimer.stop();
    flashingTimer.stop();
}

// --- life cycle ------------------------------------------------------------------

void KanalLogic::setCaptions()
{
    const char* const windowCaptions[] = {"0800", "0799", "0798", "0797"};
    m_view.setControlText(windowName(), text(windowCaptions[m_channel - 1]));
    const struct {
        const char* control;
        const char* id;
    } captions[] = {
        {"cmdProgram", "0802"},
        {"cmdMesswert", "0804"},
        {"cmdDruck", "0806"},
        {"cmdDiagramme", "0808"},
        {"frameAkkuprogramm", "0810"},
        {"lblAkkutyp", "0812"},
        {"lblMode", "0814"},
        {"lblNennkapazitaet", "0816"},
        {"frameStatus", "0822"},
        {"lblStrom", "0824"},
        {"lblSpannung", "0826"},
        {"lblKapazitaet", "0828"},
        {"lblMesswerteNachLaden", "0830"},
        {"lblMesswerteNachEntladen", "0832"},
        {"lblLadenNr", "0834"},
        {"lblEntladenNr", "0834"},
        {"lblLadenAh", "0836"},
        {"lblEntladenAh", "0836"},
        {"lblLadenVolt", "0838"},
        {"lblEntladenVolt", "0838"},
        {"lblLadenMin", "0840"},
        {"lblEntladenMin", "0840"},
        {"lblBemerkungen", "0842"},
        {"lblAkkuzustand", "0844"},
        {"lblSelbstentladung", "0850"},
    };
    for (const auto& c : captions)
        m_view.setControlText(QString::fromLatin1(c.control), text(c.id));
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
}

void KanalLogic::Form_Load()
{
    bRecording = false;
    bCurrentProgramWritten = false;
    bRecordingInQueue = false;
    bEndwerteAvaiable = false;
    lAkkuId = -1;
    lMessReiheId = -1;
    bMeasurementRunning = false;
    iNoAnswerCount = 0;
    lTempMessReiheId = -1;
    lLastTempMessReiheId = -1;
    bProgramDialogOpen = false;
    bDiagramLoading = false;
    bResetHeading = false;

    for (const char* field : kConditionFields)
        m_view.setControlVisible(QString::fromLatin1(field), false);
    m_view.setControlText(QStringLiteral("txtAkkuzustand"), QString());
    setCaptions();

    // Both timers run from the window's creation.
    pollTimer.setInterval(kPollInterval);
    pollTimer.start();
    flashingTimer.start();
    initChannel();
}

void KanalLogic::newRecords()
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
                if (isOtherChannel(m_comResults->strKanal) || !list)
                    return;
                for (const auto& endwert : *list)
                    if (endwert->strKanal != m_channelId)
                        return;
                m_statusEndwerte = list;
                comResults_EndwertRecieved(list);
            });
    connect(m_comResults.get(), &CommunicationResults::ProgramChanged, this,
            [this](std::shared_ptr<CommunicationProgram> program) {
                if (!program || isOtherChannel(m_comResults->strKanal) || program->strKanal != m_channelId)
                    return;
                comResults_ProgramChanged(program);
            });
    commProgram = std::make_shared<CommunicationProgram>();
    endwertList = std::make_shared<EntwertList>();
}

bool KanalLogic::isOtherChannel(const QString& strKanal) const
{
    return strKanal != m_channelId;
}

void KanalLogic::initChannel()
{
    BusyMark busy(m_busy);
    DeferredMessages::Hold noBoxes;
    m_wroteInTick = false;
    m_failedInTick = false;
    m_refusedInTick[0] = m_refusedInTick[1] = false;
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
    newRecords();
    bTempValuesWritten = true;
    renewTempMessreiheId();

    if (m_channel != 1 && (m_host.noKZTFound() || !m_host.channelPresent(m_channel))) {
        m_comResults->iAntwortTyp = CommunicationResults::NoReply;
        commProgram->iAkkuTyp = -2;
        showProgram(*commProgram);
    } else {
        const Read program = readProgram(false);
        // Another channel's reply leaves the program fields empty: asked again.
        m_readProgramAgain = program == Read::OtherChannel;
        if (program == Read::Taken && commProgram->iAkkuTyp == -2) {
            m_comResults->iAntwortTyp = CommunicationResults::NoReply;
            if (m_channel == 1) {
                m_host.setNoKZTFound(true);
                setPollInterval(kLostInterval);
            }
        } else {
            readEndwerte(false);
            readStatus();
            if (m_channel == 1)
                m_host.setNoKZTFound(false);
            // A channel that answers polls at the normal pace, also when it
            // had slowed down before this start.
            setPollInterval(kPollInterval);
        }
    }
    showStatus(*m_comResults);
}

void KanalLogic::resetForNewProgram()
{
    resetEndValues();
    endRecording();
    initChannel();
}

// --- the poll ----------------------------------------------------------------------

KanalLogic::Read KanalLogic::readProgram(bool wait)
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
    showProgram(*commProgram);
    return Read::Taken;
}

void KanalLogic::readEndwerte(bool replaceList)
{
    auto list = std::make_shared<EntwertList>();
    QString payload = m_link.getEndwert(m_channelId);
    if (!list->splitRecievedString(payload))
        return;
    for (const auto& endwert : *list)
        if (endwert->strKanal != m_channelId)
            return;
    if (replaceList)
        endwertList->RemoveAll();
    comResults_EndwertRecieved(list);
}

KanalLogic::Read KanalLogic::readStatus()
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

void KanalLogic::noticeProgramStart(qint16 previousStatus)
{
    if (previousStatus == 1 && m_comResults->iStatusTyp != 1)
        resetEndValues();
}

void KanalLogic::timerKanal_Timer()
{
    // A database that fails must not stop the polling: the user is told after
    // the tick, the values wait in memory and the next tick tries again;
    // everything stored so far is committed.
    DeferredMessages::Hold noBoxes;
    m_wroteInTick = false;
    m_failedInTick = false;
    m_refusedInTick[0] = m_refusedInTick[1] = false;
    struct ShortLockWait {
        ShortLockWait() { dbVeluser.setConnectionBusyTimeout(kTickLockWaitMs); }
        ~ShortLockWait() { dbVeluser.setConnectionBusyTimeout(Database::busyTimeout()); }
        ShortLockWait(const ShortLockWait&) = delete;
        ShortLockWait& operator=(const ShortLockWait&) = delete;
    } shortLockWait;
    guardDatabase([this] { pollTick(); });
    // Also a tick without a value of its own brings the held ones in.
    if (!m_busy)
        writeHeldValues();
    // The failure is over once a whole tick stored its values again; a
    // later one is told anew.
    if (m_wroteInTick && !m_failedInTick)
        m_databaseErrorShown = false;
}

void KanalLogic::pollTick()
{
    if (m_busy || !m_comResults)
        return;
    if (m_channel != 1 && (m_host.noKZTFound() || !m_host.channelPresent(m_channel)))
        return;
    // Another conversation is waiting for its reply and runs this tick from
    // its wait: the tick would only get "no reply" and count it as one.
    if (m_link.isBusy())
        return;
    BusyMark busy(m_busy);

    if (m_comResults->iAntwortTyp == CommunicationResults::NoReply)
        m_host.setCheckLadegeraet(true);
    else if (m_host.checkLadegeraet())
        checkChargerSelfInfo();

    const bool recovery = commProgram->iAkkuTyp == -4 || m_comResults->iAntwortTyp == CommunicationResults::NoReply;
    if (!(recovery ? recoveryRoad() : normalRoad()))
        return;

    setStatusFlashing(m_comResults->iAntwortTyp != CommunicationResults::NoReply);
    showStatus(*m_comResults);
    // Each writer on its own: a failing temporary series must not cost the
    // recorded one its value.
    guardDatabase([this] { writeNewTempValueToDB(*m_comResults); });
    if (bRecording) {
        guardDatabase([this] { writeNewValueToDB(*m_comResults); });
        bResetHeading = false;
    } else if (bRecordingInQueue) {
        bResetHeading = false;
    } else if (bResetHeading) {
        m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
        m_view.setControlText(QStringLiteral("txtBemerkung"), QString());
        bResetHeading = false;
    }
}

bool KanalLogic::recoveryRoad()
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
    readEndwerteAfterRecovery();
    if (m_channel == 1) {
        readProgram(false);
        iNoAnswerCount = 0;
        m_host.setNoKZTFound(false);
        setPollInterval(kPollInterval);
    }
    return true;
}

bool KanalLogic::normalRoad()
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
                showUnknownStatus();
            return false;
        }
    }
    noticeProgramStart(previousStatus);
    return true;
}

// --- status display --------------------------------------------------------------

void KanalLogic::setStatusFlashing(bool bFlashing)
{
    if (bFlashing) {
        if (!flashingTimer.isActive())
            flashingTimer.start();
        return;
    }
    flashingTimer.stop();
    m_frameStatusColor = kCaptionNormal;
    m_view.setCaptionColor(QStringLiteral("frameStatus"), m_frameStatusColor);
}

void KanalLogic::flashingTimer_Timer()
{
    m_frameStatusColor = m_frameStatusColor == kCaptionNormal ? kCaptionRed : kCaptionNormal;
    m_view.setCaptionColor(QStringLiteral("frameStatus"), m_frameStatusColor);
}

void KanalLogic::setStatusbarChannelText(const QString& statusText)
{
    m_host.setStatusbarPanelText(QStringLiteral("Kanal") + QString::number(m_channel) + QStringLiteral("Text"),
                                 statusText);
}

// --- recording and end values ---------------------------------------------------

void KanalLogic::renewTempMessreiheId()
{
    if (!bTempValuesWritten)
        return;
    lLastTempMessReiheId = lTempMessReiheId;
    lTempMessReiheId = m_host.getNewTempMessreiheID();
    bTempValuesWritten = false;
    // The start goes with its series; the new one starts at its first value.
    dtLastTempStart = dtTempStart;
    dtTempStart = QDateTime();
}

void KanalLogic::endRecording()
{
    bRecording = false;
    bRecordingInQueue = false;
    lMessReiheId = -1;
}

void KanalLogic::resetEndValues()
{
    endwertList = std::make_shared<EntwertList>();
    m_view.clearList(QStringLiteral("lstEndwertLaden"));
    m_view.clearList(QStringLiteral("lstEndwertEntladen"));
    bEndwerteAvaiable = false;
    m_tempStoredEndwerte.clear();
    // A queued recording starts with this program, and its times count from now.
    if (bRecordingInQueue) {
        if (!bRecording)
            dtRecordingStart = now();
        bRecording = true;
    }
    for (const char* field : kConditionFields)
        m_view.setControlVisible(QString::fromLatin1(field), false);
    m_view.setControlText(QStringLiteral("txtAkkuzustand"), QString());
}

bool KanalLogic::resetAkkuId(qint32 id)
{
    if (id != lAkkuId)
        return false;
    lAkkuId = -1;
    return true;
}

bool KanalLogic::isAkkuUsed(qint32 id) const
{
    return id == lAkkuId && (bRecording || bRecordingInQueue);
}

// --- status display ------------------------------------------------------------------

void KanalLogic::statusText(const char* resourceId)
{
    m_view.setControlText(QStringLiteral("txtStatus"), text(resourceId));
    setStatusbarChannelText(m_view.controlText(QStringLiteral("txtStatus")));
}

void KanalLogic::clearValues()
{
    for (const char* field : {"txtSpannung", "txtStrom", "txtKapazitaet"})
        m_view.setControlText(QString::fromLatin1(field), QString());
}

void KanalLogic::showAkkuzustand(const CommunicationResults& comRes)
{
    if (comRes.iFehlerCode == 10)
        m_view.setControlText(QStringLiteral("txtAkkuzustand"), text("0870"));
    else if (comRes.iFehlerCode == 11)
        m_view.setControlText(QStringLiteral("txtAkkuzustand"), text("0872"));
}

void KanalLogic::showErrorBox(const QString& message)
{
    // After the tick, and one of these boxes of this channel at a time.
    DeferredMessages::post(boxKey("fault"), message, MessageService::OkOnly, MessageService::Critical, text("0120"));
}

QString KanalLogic::boxKey(const char* kind) const
{
    return QStringLiteral("Kanal%1/").arg(m_channel) + QLatin1String(kind);
}

void KanalLogic::showStatus(CommunicationResults& comRes)
{
    // The charger refused the program read: whatever the reply, it shows as
    // that refusal.
    if (commProgram->iAkkuTyp == -4) {
        comRes.iAntwortTyp = CommunicationResults::StatusReply;
        comRes.iStatusTyp = 7;
        comRes.iFehlerCode = 2;
    }

    if (comRes.strKanal != m_channelId || comRes.iAntwortTyp == CommunicationResults::NoReply) {
        for (const char* field : {"txtAkkuTyp", "txtMode", "txtNennKapazitaet", "txtBemerkung"})
            m_view.setControlText(QString::fromLatin1(field), QString());
        clearValues();
        statusText("6000");
        bMeasurementRunning = false;
        renewTempMessreiheId();
        return;
    }

    if (comRes.iAntwortTyp == CommunicationResults::StatusWithoutValues) {
        if (comRes.iStatusTyp == 2)
            statusText("6012");
        else if (comRes.iStatusTyp == 3)
            statusText("6014");
        return;
    }

    if (comRes.iAntwortTyp == CommunicationResults::Unusable && comRes.bUnknownStatus
        && comRes.strKanal == m_channelId) {
        showUnknownStatus();
        return;
    }
    if (comRes.iAntwortTyp != CommunicationResults::StatusReply)
        return;

    auto showValues = [&] {
        m_view.setControlText(QStringLiteral("txtSpannung"), formatVoltage(comRes.lSpannung));
        m_view.setControlText(QStringLiteral("txtStrom"), formatCurrent(comRes.lStrom));
        m_view.setControlText(QStringLiteral("txtKapazitaet"), formatCapacity(comRes.lKapazitaet));
    };

    switch (comRes.iStatusTyp) {
    case 1:
        statusText("6010");
        clearValues();
        bMeasurementRunning = false;
        bRecording = false;
        bResetHeading = true;
        showAkkuzustand(comRes);
        renewTempMessreiheId();
        break;
    case 2:
        statusText("6012");
        showValues();
        bMeasurementRunning = true;
        break;
    case 3:
        statusText("6014");
        showValues();
        bMeasurementRunning = true;
        break;
    case 4:
        statusText("6016");
        bMeasurementRunning = false;
        bRecording = false;
        renewTempMessreiheId();
        break;
    case 5:
        statusText("6018");
        clearValues();
        bMeasurementRunning = false;
        bRecording = false;
        setStatusFlashing(false);
        renewTempMessreiheId();
        showAkkuzustand(comRes);
        break;
    case 6:
        statusText("6020");
        clearValues();
        bMeasurementRunning = false;
        if (commProgram->iMode == 6)
            bRecording = false;
        break;
    case 7:
        switch (comRes.iFehlerCode) {
        case 2:
            statusText("0878");
            bMeasurementRunning = false;
            break;
        case 3:
            showErrorBox(text("0880") + QChar(13) + QChar(13) + text("0881"));
            break;
        case 4:
            statusText("0882");
            break;
        case 5:
            statusText("0874");
            bMeasurementRunning = false;
            bRecording = false;
            break;
        case 6:
            showErrorBox(text("0876"));
            break;
        case 7:
            statusText("0884");
            break;
        case 8:
            statusText("0886");
            bMeasurementRunning = false;
            break;
        case 9:
            statusText("0888");
            bMeasurementRunning = false;
            break;
        default:
            statusText("6022");
            bMeasurementRunning = false;
            renewTempMessreiheId();
            break;
        }
        break;
    default:
        break;
    }
}

void KanalLogic::showProgram(const CommunicationProgram& program)
{
    if (program.strKanal != m_channelId)
        return;
    if (program.iAkkuTyp == -1 || program.iAkkuTyp == -4) {
        m_view.setControlText(QStringLiteral("txtAkkuTyp"), QString());
        m_view.setControlText(QStringLiteral("txtMode"), QString());
        m_view.setControlText(QStringLiteral("txtNennKapazitaet"), QStringLiteral("---"));
        return;
    }

    m_view.setControlText(QStringLiteral("txtAkkuTyp"), EndValueDisplay::batteryTypeText(program.iAkkuTyp));
    m_view.setControlText(QStringLiteral("txtMode"), getModeText(program));
    m_view.setControlText(QStringLiteral("txtNennKapazitaet"), EndValueDisplay::capacityText(program));
}

QString KanalLogic::getModeText(const CommunicationProgram& program) const
{
    return EndValueDisplay::modeText(program);
}

// --- events of the status record -----------------------------------------------------

void KanalLogic::comResults_EndwertRecieved(const std::shared_ptr<EntwertList>& list)
{
    // The charger repeats end values it reported before (its full list after
    // the link came back, or with each new end): one that is the same at the
    // same position is already in the temporary series and keeps its row.
    auto store = [this](const std::shared_ptr<CommunicationEndwert>& endwert, std::size_t position) {
        if (position <= m_tempStoredEndwerte.size()) {
            const auto& stored = m_tempStoredEndwerte[position - 1];
            if (stored && sameEndValue(*stored, *endwert)) {
                endwert->TempID = stored->TempID;
                return;
            }
        }
        // This handler runs inside the status parse: a failure stops here.
        guardDatabase([&] { writeEndValueToTempDB(endwert); });
        if (endwert->TempID == 0 && !m_held[0].holdsEndwert(endwert.get()))
            return;
        if (m_tempStoredEndwerte.size() < position)
            m_tempStoredEndwerte.resize(position);
        m_tempStoredEndwerte[position - 1] = endwert;
    };

    if (list->Count() == 1) {
        const auto endwert = list->Item(1);
        store(endwert, std::size_t(endwertList->Count()) + 1);
        endwertList->Add(endwert);
    } else {
        endwertList = list;
        std::size_t position = 0;
        for (const auto& endwert : *endwertList)
            store(endwert, ++position);
    }
    showEndValues();
    bEndwerteAvaiable = true;
}

void KanalLogic::comResults_ProgramChanged(const std::shared_ptr<CommunicationProgram>& program)
{
    commProgram = program;
    showProgram(*commProgram);
    if (bProgramDialogOpen && m_programEditor)
        m_programEditor->programChangedFromOutside(program);
}

// --- end values, recording and the temporary series --------------------------------

QDateTime KanalLogic::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

void KanalLogic::reportDatabaseError(const QString& description)
{
    m_failedInTick = true;
    if (m_databaseErrorShown)
        return;
    m_databaseErrorShown = true;
    DeferredMessages::post(boxKey("0890"), text("0890") + QChar(13) + QChar(13) + description, MessageService::OkOnly,
                           MessageService::Critical, text("0410"));
}

void KanalLogic::guardDatabase(const std::function<void()>& step)
{
    try {
        step();
    } catch (const DatabaseError& e) {
        reportDatabaseError(e.description());
    } catch (const MesswertStringError& e) {
        reportDatabaseError(e.description());
    }
}

qint32 KanalLogic::appendValueRow(Recordset* rs, qint32 series, bool ew, const QString& valueText)
{
    if (!rs)
        throw DatabaseError(QStringLiteral("The table of measured values is not open."));
    rs->addNew();
    rs->setField(QStringLiteral("MessReiheID"), series);
    rs->setField(QStringLiteral("EW"), ew);
    rs->setField(QStringLiteral("MessWertString"), valueText);
    try {
        rs->update();
    } catch (const DatabaseError&) {
        rs->cancelUpdate();
        throw;
    }
    m_wroteInTick = true;
    return rs->lastModified().toInt();
}

void KanalLogic::writeEndValueToTempDB(const std::shared_ptr<CommunicationEndwert>& endwert)
{
    const QDateTime at = now();
    if (!bTempValuesWritten)
        dtTempStart = at;
    bTempValuesWritten = true;
    storeValue({false, lTempMessReiheId, true, buildEndwertString(*endwert, dtTempStart, at), endwert});
}

QString KanalLogic::formatEndValueLine(int number, const CommunicationEndwert& endwert)
{
    return EndValueDisplay::formatEndValueLine(number, endwert);
}

void KanalLogic::showEndValues()
{
    const QString laden = QStringLiteral("lstEndwertLaden");
    const QString entladen = QStringLiteral("lstEndwertEntladen");
    m_view.clearList(entladen);
    m_view.clearList(laden);
    if (!endwertList || endwertList->Count() == 0)
        return;
    if (endwertList->Item(1)->strKanal != m_channelId)
        return;

    const auto lists =
        EndValueDisplay::buildLists(*endwertList, [](const CommunicationEndwert& e) { return e.TempID; });
    for (const auto& row : lists.laden)
        m_view.addListItem(laden, row.text, row.itemData);
    for (const auto& row : lists.entladen)
        m_view.addListItem(entladen, row.text, row.itemData);

    const QString lblZustand = QStringLiteral("lblAkkuzustand");
    const QString txtZustand = QStringLiteral("txtAkkuzustand");
    m_view.setControlVisible(lblZustand, lists.conditionVisible);
    m_view.setControlVisible(txtZustand, lists.conditionVisible);
    m_view.setControlText(txtZustand, lists.conditionText);
    const QString lblSelbst = QStringLiteral("lblSelbstentladung");
    const QString txtSelbst = QStringLiteral("txtSelbstentladung");
    m_view.setControlVisible(lblSelbst, lists.selfDischargeVisible);
    m_view.setControlVisible(txtSelbst, lists.selfDischargeVisible);
    // A hidden self-discharge box keeps its text in the channel window.
    if (lists.selfDischargeVisible)
        m_view.setControlText(txtSelbst, lists.selfDischargeText);
}

qint32 KanalLogic::diagramSeries() const
{
    const qint16 status = m_comResults ? m_comResults->iStatusTyp : 0;
    if ((status == 1 || status == 5) && lLastTempMessReiheId != -1)
        return lLastTempMessReiheId;
    return lTempMessReiheId;
}

void KanalLogic::openDiagramOf(const QString& listName)
{
    const int row = m_view.selectedListRow(listName);
    if (row < 0 || bDiagramLoading)
        return;
    BusyMark loading(bDiagramLoading);
    KanalDiagram::Request request;
    request.lMessReiheId = diagramSeries();
    request.bTempCreated = true;
    request.lEndWertId = m_view.listItemData(listName, row);
    request.cProg = commProgram;
    request.callerForm = m_diagramCaller;
    if (m_diagram)
        m_diagram->showDiagram(request);
}

qint32 KanalLogic::diagramButtonSeries() const
{
    const qint16 status = m_comResults ? m_comResults->iStatusTyp : 0;
    if (status == 4 || status == 1 || status == 5)
        return lLastTempMessReiheId;
    return lTempMessReiheId;
}

void KanalLogic::cmdDiagramme_Click()
{
    if (bDiagramLoading)
        return;
    BusyMark loading(bDiagramLoading);
    KanalDiagram::Request request;
    request.lMessReiheId = diagramButtonSeries();
    request.bTempCreated = true;
    request.lEndWertId = 0;
    request.cProg = commProgram;
    request.callerForm = m_diagramCaller;
    if (m_diagram)
        m_diagram->showDiagram(request);
}

void KanalLogic::lstEndwertLaden_DblClick()
{
    openDiagramOf(QStringLiteral("lstEndwertLaden"));
}

void KanalLogic::lstEndwertEntladen_DblClick()
{
    openDiagramOf(QStringLiteral("lstEndwertEntladen"));
}

void KanalLogic::writeNewTempValueToDB(const CommunicationResults& comRes)
{
    if (!comRes.hasValues() || (comRes.iStatusTyp != 2 && comRes.iStatusTyp != 3))
        return;
    const QDateTime at = now();
    if (!bTempValuesWritten)
        dtTempStart = at;
    bTempValuesWritten = true;
    storeValue({false, lTempMessReiheId, false, buildMesswertString(comRes, dtTempStart, at), nullptr});
}

void KanalLogic::writeNewValueToDB(const CommunicationResults& comRes)
{
    bool written = false;
    // Only values that came with this very reply: a state without values
    // ("SW", an error state, the refusal shown for a missing reply) would
    // repeat the old ones with a new time.
    if (comRes.hasValues()) {
        written =
            storeValue({true, lMessReiheId, false, buildMesswertString(comRes, dtRecordingStart, now()), nullptr});
    } else if (comRes.iAntwortTyp == CommunicationResults::EndwertReply) {
        // Only the newest end value of this very reply; a reply whose end
        // values did not parse (or were not this channel's) brings none.
        if (m_statusEndwerte && m_statusEndwerte->Count() > 0) {
            const auto last = m_statusEndwerte->Item(m_statusEndwerte->Count());
            written =
                storeValue({true, lMessReiheId, true, buildEndwertString(*last, dtRecordingStart, now()), nullptr});
        }
    }
    bRecordingInQueue = false;
    // Asked again with the next value until the charger has given a program
    // (a held value stores it with a later one).
    if (written && !bCurrentProgramWritten)
        bCurrentProgramWritten = storeProgramInMessreihe(lAkkuId, lMessReiheId);
}

bool KanalLogic::storeProgramInMessreihe(qint32 lakku, qint32 lmess)
{
    // A series deleted meanwhile: nothing to store, and no need to ask the charger.
    if (dbVeluser
            .scalar(QStringLiteral("SELECT count(*) FROM MessReihen WHERE AkkuId=? AND MessReiheID=?"), {lakku, lmess})
            .toInt()
        == 0)
        return false;
    // A conversation is waiting for its reply (this call comes from an event
    // run during that wait): the program is stored with a later value.
    if (m_link.isBusy())
        return false;
    const QString reply = m_link.getProgram(m_channelId, false);
    QString parsed = reply;
    CommunicationProgram program;
    program.splitRecievedString(parsed, true);
    // No reply, an unusable one and the refusal "SK" are no program.
    if (program.iAkkuTyp < 0 || program.strKanal != m_channelId)
        return false;
    dbVeluser.exec(QStringLiteral("UPDATE MessReihen SET Programm=?, Mode=? WHERE AkkuId=? AND MessReiheID=?"),
                   {reply, getModeText(program), lakku, lmess});
    return true;
}

void KanalLogic::startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp)
{
    // The program goes with the series before anything else: storing it can
    // fail, and after a committed take-over that failure would leave the
    // values copied but the window not recording (a second try would copy
    // them twice). Storing it again later only overwrites it.
    // Values still held would be missing from the copy: they go in first, or
    // the recording does not start.
    if (bWithTemp)
        while (!m_held[0].empty())
            writeHeldValuesOrThrow(0);
    const bool stored = storeProgramInMessreihe(lakku, lmess);
    QDateTime start;
    if (bWithTemp) {
        // Just after a program ended its series has already been replaced by
        // a new, empty one: take over the finished one.
        qint32 tempId = lTempMessReiheId;
        start = dtTempStart;
        if (!bInQueue && bEndwerteAvaiable && !bMeasurementRunning && lLastTempMessReiheId != -1) {
            tempId = lLastTempMessReiheId;
            start = dtLastTempStart;
        }
        // The recorded series goes on along the time axis of the series it
        // takes over; one that holds nothing yet starts now.
        if (!start.isValid())
            start = now();
        transferTempMesswerte(tempId, lmess);
    } else {
        start = now();
    }

    lAkkuId = lakku;
    lMessReiheId = lmess;
    bRecordingInQueue = bInQueue;
    bRecording = !bInQueue;
    bCurrentProgramWritten = false;
    dtRecordingStart = start;
    // Without the collected values the program is stored again with the
    // first recorded value (a queued recording records a later program).
    if (bWithTemp)
        bCurrentProgramWritten = stored;
}

void KanalLogic::setFrameAkkumesswerteHeading(const QString& strAkkuName, const QString& strMessreiheName,
                                              const QString& strMessreiheNr)
{
    if (strAkkuName.trimmed().isEmpty()) {
        m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
        m_view.setControlText(QStringLiteral("txtBemerkung"), QString());
        return;
    }
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"),
                          text("0818") + QStringLiteral(" - ") + strAkkuName + QStringLiteral(" / ") + strMessreiheNr);
    m_view.setControlText(QStringLiteral("txtBemerkung"), strMessreiheName);
}

void KanalLogic::txtBemerkung_Change()
{
    const QString box = QStringLiteral("txtBemerkung");
    if (lMessReiheId == -1) {
        // Nothing can be typed while no series is known.
        if (!m_view.controlText(box).isEmpty())
            m_view.setControlText(box, QString());
        return;
    }
    // The program empties the box itself when the charger does not answer and
    // when a recording has ended: that keeps the stored remark.
    if (!m_comResults || m_comResults->strKanal != m_channelId)
        return;
    if (m_comResults->iAntwortTyp == CommunicationResults::NoReply)
        return;
    if (bResetHeading && !bRecording && !bRecordingInQueue)
        return;
    QString remark = m_view.controlText(box).left(200);
    if (remark.size() == 200 && remark.back().isHighSurrogate())
        remark.chop(1);
    const qint32 series = lMessReiheId;
    // A series deleted meanwhile has no row: nothing is written.
    guardDatabase([&] {
        dbVeluser.exec(QStringLiteral("UPDATE MessReihen SET bemerkung=? WHERE MessReiheID=?"), {remark, series});
    });
}

// --- values the database refused ----------------------------------------------------

qint32 KanalLogic::writeValue(const HeldValues::Value& value)
{
    return appendValueRow(value.recorded ? rsMessWerte.get() : rsTempMessWerte.get(), value.series, value.ew,
                          value.text);
}

bool KanalLogic::storeValue(HeldValues::Value value)
{
    const int table = value.recorded ? 1 : 0;
    HeldValues& held = m_held[table];
    if (!held.empty() && !m_refusedInTick[table]) {
        try {
            writeHeldValuesOrThrow(table);
        } catch (const DatabaseError& e) {
            m_refusedInTick[table] = true;
            reportDatabaseError(e.description());
        }
    }
    if (held.empty() && !m_refusedInTick[table]) {
        try {
            const qint32 row = writeValue(value);
            if (value.endwert)
                value.endwert->TempID = row;
            return true;
        } catch (const DatabaseError& e) {
            m_refusedInTick[table] = true;
            reportDatabaseError(e.description());
        }
    }
    holdValue(std::move(value));
    return false;
}

void KanalLogic::holdValue(HeldValues::Value value)
{
    const int table = value.recorded ? 1 : 0;
    const auto dropped = m_held[table].hold(std::move(value));
    if (dropped && objLog)
        objLog->writeLogEntry(
            QStringLiteral("Value not stored, %1 values held: %2 %3 %4 %5")
                .arg(m_held[table].size())
                .arg(dropped->recorded ? QStringLiteral("MessWerte") : QStringLiteral("TempMessWerte"))
                .arg(dropped->series)
                .arg(dropped->ew ? QStringLiteral("EW") : QStringLiteral("MW"))
                .arg(dropped->text));
}

void KanalLogic::writeHeldValues()
{
    for (int table : {0, 1}) {
        if (m_held[table].empty() || m_refusedInTick[table])
            continue;
        try {
            writeHeldValuesOrThrow(table);
        } catch (const DatabaseError& e) {
            m_refusedInTick[table] = true;
            reportDatabaseError(e.description());
        }
    }
}

void KanalLogic::writeHeldValuesOrThrow(int table)
{
    const auto& held = m_held[table].values();
    const std::size_t batch = std::min(kHeldBatch, held.size());
    bool endValues = false;
    for (std::size_t i = 0; i < batch && !endValues; ++i)
        endValues = held[i].endwert != nullptr;
    m_held[table].writeOldest(
        batch, [this](const HeldValues::Value& v) { return writeValue(v); },
        [](const std::function<void()>& body) {
            Transaction transaction(dbVeluser);
            body();
            transaction.commit();
        });
    // Their lines lead to their rows now.
    if (endValues)
        showEndValues();
}

// --- what the issue of faults changed in the poll ---------------------------------------

void KanalLogic::setPollInterval(int milliseconds)
{
    if (pollTimer.interval() != milliseconds)
        pollTimer.setInterval(milliseconds);
}

void KanalLogic::showUnknownStatus()
{
    statusText("6024");
    clearValues();
    bMeasurementRunning = false;
}

void KanalLogic::readEndwerteAfterRecovery()
{
    // Which end values are new is known only before the handler stores them.
    const auto storedBefore = m_tempStoredEndwerte;
    auto list = std::make_shared<EntwertList>();
    QString payload = m_link.getEndwert(m_channelId);
    if (!list->splitRecievedString(payload))
        return;
    for (const auto& endwert : *list)
        if (endwert->strKanal != m_channelId)
            return;
    endwertList->RemoveAll();
    comResults_EndwertRecieved(list);
    if (!bRecording)
        return;
    // They came while the link was lost: the recorded series gets them as it
    // would have got each from its status reply.
    bool written = false;
    std::size_t position = 0;
    for (const auto& endwert : *list) {
        ++position;
        if (position <= storedBefore.size() && storedBefore[position - 1]
            && sameEndValue(*storedBefore[position - 1], *endwert))
            continue;
        guardDatabase([&] {
            written =
                storeValue({true, lMessReiheId, true, buildEndwertString(*endwert, dtRecordingStart, now()), nullptr})
                || written;
        });
    }
    bRecordingInQueue = false;
    if (written && !bCurrentProgramWritten)
        guardDatabase([this] { bCurrentProgramWritten = storeProgramInMessreihe(lAkkuId, lMessReiheId); });
}
