#include "channels/KanalLogic.h"

#include "channels/KanalHost.h"
#include "channels/KanalLink.h"
#include "channels/KanalView.h"
#include "core/ChargerSelfInfo.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationResults.h"
#include "platform/MessageService.h"

namespace {
const char* const kConditionFields[] = {"lblSelbstentladung", "txtSelbstentladung", "lblAkkuzustand",
                                         "txtAkkuzustand"};

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

struct StatusFields {
    explicit StatusFields(const CommunicationResults& r)
        : strKanal(r.strKanal), iFehlerCode(r.iFehlerCode), iAntwortTyp(r.iAntwortTyp), iStatusTyp(r.iStatusTyp),
          lKapazitaet(r.lKapazitaet), lSpannung(r.lSpannung), lStrom(r.lStrom)
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

KanalLogic::KanalLogic(int channel, KanalHost& host, KanalView& view, KanalLink* link)
    : m_channel(channel),
      m_channelId(QStringLiteral("00") + QString::number(channel)),
      m_host(host),
      m_view(view),
      m_link(link ? *link : sharedKanalLink())
{
    pollTimer.setObjectName(QStringLiteral("timerKanal") + QString::number(channel));
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
        {"cmdProgram", "0802"},          {"cmdMesswert", "0804"},
        {"cmdDruck", "0806"},            {"cmdDiagramme", "0808"},
        {"frameAkkuprogramm", "0810"},   {"lblAkkutyp", "0812"},
        {"lblMode", "0814"},             {"lblNennkapazitaet", "0816"},
        {"frameStatus", "0822"},         {"lblStrom", "0824"},
        {"lblSpannung", "0826"},         {"lblKapazitaet", "0828"},
        {"lblMesswerteNachLaden", "0830"}, {"lblMesswerteNachEntladen", "0832"},
        {"lblLadenNr", "0834"},          {"lblEntladenNr", "0834"},
        {"lblLadenAh", "0836"},          {"lblEntladenAh", "0836"},
        {"lblLadenVolt", "0838"},        {"lblEntladenVolt", "0838"},
        {"lblLadenMin", "0840"},         {"lblEntladenMin", "0840"},
        {"lblBemerkungen", "0842"},      {"lblAkkuzustand", "0844"},
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
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
    newRecords();
    bTempValuesWritten = true;
    renewTempMessreiheId();

    if (m_channel != 1 && m_host.noKZTFound()) {
        m_comResults->iAntwortTyp = CommunicationResults::NoReply;
        commProgram->iAkkuTyp = -2;
        showProgram(*commProgram);
    } else {
        const Read program = readProgram(false);
        if (program == Read::Taken && commProgram->iAkkuTyp == -2) {
            m_comResults->iAntwortTyp = CommunicationResults::NoReply;
            if (m_channel == 1) {
                m_host.setNoKZTFound(true);
                pollTimer.setInterval(kLostInterval);
            }
        } else {
            readEndwerte(false);
            readStatus();
            if (m_channel == 1)
                m_host.setNoKZTFound(false);
            // A channel that answers polls at the normal pace, also when it
            // had slowed down before this start.
            pollTimer.setInterval(kPollInterval);
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
    if (m_busy || !m_comResults)
        return;
    if (m_channel != 1 && m_host.noKZTFound())
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
    writeNewTempValueToDB(*m_comResults);
    if (bRecording) {
        writeNewValueToDB(*m_comResults);
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
                pollTimer.setInterval(kLostInterval);
            }
        } else {
            pollTimer.setInterval(kWaitInterval);
        }
        return true;
    }
    if (m_channel != 1)
        pollTimer.setInterval(kPollInterval);
    readEndwerte(true);
    const qint16 previousStatus = m_comResults->iStatusTyp;
    if (readStatus() == Read::OtherChannel)
        return false;
    noticeProgramStart(previousStatus);
    if (m_channel == 1) {
        readProgram(false);
        iNoAnswerCount = 0;
        m_host.setNoKZTFound(false);
        pollTimer.setInterval(kPollInterval);
    }
    return true;
}

bool KanalLogic::normalRoad()
{
    if (m_channel == 1)
        iNoAnswerCount = 0;
    const qint16 previousStatus = m_comResults->iStatusTyp;
    if (readStatus() == Read::OtherChannel)
        return false;
    if (m_comResults->iAntwortTyp == CommunicationResults::Unusable) {
        if (readStatus() == Read::OtherChannel)
            return false;
        if (m_comResults->iAntwortTyp == CommunicationResults::Unusable)
            return false;
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
    // A queued recording starts with this program.
    if (bRecordingInQueue)
        bRecording = true;
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
    if (m_errorBoxOpen)
        return;
    BusyMark open(m_errorBoxOpen);
    msgBox(message, MessageService::OkOnly, MessageService::Critical, text("0120"));
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

    // A type without a row of its own (also the -2 of a read without reply)
    // shows no name rather than whichever row happened to be current.
    QString typeText;
    if (program.iAkkuTyp == 5) {
        typeText = text("0912");
    } else if (rsAkkutypen) {
        rsAkkutypen->moveFirst();
        const int type = program.iAkkuTyp;
        if (rsAkkutypen->findFirst([type](const Recordset& rs) { return rs.field(QStringLiteral("Nr")).toInt() == type; }))
            typeText = rsAkkutypen->field(QStringLiteral("ResourceText")).toString();
    }
    m_view.setControlText(QStringLiteral("txtAkkuTyp"), typeText);
    m_view.setControlText(QStringLiteral("txtMode"), getModeText(program));
    m_view.setControlText(QStringLiteral("txtNennKapazitaet"),
                          program.lKapazitaet == -3 ? QStringLiteral("---") : formatCapacity(program.lKapazitaet));
}

QString KanalLogic::getModeText(const CommunicationProgram& program) const
{
    if (!rsGeraeteModi)
        return QString();
    rsGeraeteModi->moveFirst();
    const QString mode = QString::number(program.iMode);
    if (!rsGeraeteModi->findFirst(
            [&mode](const Recordset& rs) { return rs.field(QStringLiteral("ModusNr")).toString() == mode; }))
        return QString();
    return rsGeraeteModi->field(QStringLiteral("ResourceText")).toString();
}

// --- events of the status record -----------------------------------------------------

void KanalLogic::comResults_EndwertRecieved(const std::shared_ptr<EntwertList>& list)
{
    if (list->Count() == 1) {
        const auto endwert = list->Item(1);
        writeEndValueToTempDB(endwert);
        endwertList->Add(endwert);
    } else {
        endwertList = list;
        for (const auto& endwert : *endwertList)
            writeEndValueToTempDB(endwert);
    }
    showEndValues();
    bEndwerteAvaiable = true;
}

void KanalLogic::comResults_ProgramChanged(const std::shared_ptr<CommunicationProgram>& program)
{
    commProgram = program;
    showProgram(*commProgram);
    // An open program editor is offered the new program once the editor exists.
}

// --- end values, recording and the temporary series --------------------------------
// Storing end values and measured values, the end-value lists and recording a
// series are filled in by the recording side of the channel window.

void KanalLogic::writeEndValueToTempDB(const std::shared_ptr<CommunicationEndwert>&) {}

void KanalLogic::showEndValues() {}

void KanalLogic::writeNewTempValueToDB(const CommunicationResults&) {}

void KanalLogic::writeNewValueToDB(const CommunicationResults&) {}

void KanalLogic::startRecording(qint32, qint32, bool, bool) {}

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
