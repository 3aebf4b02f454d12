#include "channels/KanalLogic.h"

#include "channels/KanalControls.h"
#include "channels/KanalLink.h"
#include "channels/KanalStatusRule.h"
#include "core/ChargerSelfInfo.h"
#include "core/DatabaseModul.h"
#include "core/EndValueDisplay.h"
#include "core/ProgramResources.h"
#include "core/velmoroLog.h"
#include "link/CommunicationResults.h"
#include "platform/DeferredMessages.h"
#include "wiring/KanalDiagram.h"
#include "wiring/KanalHost.h"
#include "wiring/KanalProgramEditor.h"

namespace {
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

QString programText(const QString& resourceId)
{
    return getResource(resourceId);
}

void writeToLog(const QString& line)
{
    if (objLog)
        objLog->writeLogEntry(line);
}
} // namespace

KanalLogic::KanalLogic(int channel, KanalHost& host, KanalView& view, ChargerPort* link)
    : m_channel(channel),
      m_channelId(QStringLiteral("00") + QString::number(channel)),
      m_host(host),
      m_link(link ? *link : sharedKanalLink()),
      m_display(channel, view, host, programText),
      m_store(dbVeluser, &rsMessWerte, &rsTempMessWerte),
      m_recorder(m_store, *this, writeToLog),
      m_poll(channel, m_link, host, *this, checkChargerSelfInfo)
{
    connect(&pollTimer, &QTimer::timeout, this, &KanalLogic::timerKanal_Timer);
}

KanalLogic::~KanalLogic()
{
    stopTimers();
}

QString KanalLogic::windowName() const
{
    return kanalWindowName(m_channel);
}

void KanalLogic::stopTimers()
{
    pollTimer.stop();
    flashingTimer.stop();
}

// --- life cycle ------------------------------------------------------------------

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

    m_display.hideCondition();
    m_display.setCaptions(windowName());

    // Both timers run from the window's creation.
    pollTimer.setInterval(KanalPoll::kPollInterval);
    pollTimer.start();
    flashingTimer.start();
    initChannel();
}

void KanalLogic::initChannel()
{
    BusyMark busy(m_busy);
    DeferredMessages::Hold noBoxes;
    m_recorder.beginTick();
    m_display.showNoSeriesHeading();
    m_poll.newRecords();
    endwertList = std::make_shared<EntwertList>();
    bTempValuesWritten = true;
    m_recorder.renewTempMessreiheId();
    m_poll.start();
    showStatus(*comResults());
}

void KanalLogic::resetForNewProgram()
{
    resetEndValues();
    endRecording();
    initChannel();
}

// --- the poll ----------------------------------------------------------------------

void KanalLogic::timerKanal_Timer()
{
    // A database that fails must not stop the polling: the user is told after
    // the tick, the values wait in memory and the next tick tries again;
    // everything stored so far is committed.
    DeferredMessages::Hold noBoxes;
    m_recorder.beginTick();
    SeriesStore::LockWait shortLockWait(m_store, kTickLockWaitMs);
    m_recorder.guardDatabase([this] { pollTick(); });
    // Also a tick without a value of its own brings the held ones in.
    if (!m_busy)
        m_recorder.writeHeldValues();
    m_recorder.endTick();
}

void KanalLogic::pollTick()
{
    if (m_busy || !m_poll.canPoll())
        return;
    BusyMark busy(m_busy);
    if (!m_poll.poll())
        return;

    CommunicationResults& comRes = *comResults();
    setStatusFlashing(comRes.iAntwortTyp != CommunicationResults::NoReply);
    showStatus(comRes);
    // Each writer on its own: a failing temporary series must not cost the
    // recorded one its value.
    m_recorder.guardDatabase([&] { m_recorder.writeNewTempValueToDB(comRes); });
    if (bRecording) {
        m_recorder.guardDatabase([&] { writeNewValueToDB(comRes); });
        bResetHeading = false;
    } else if (bRecordingInQueue) {
        bResetHeading = false;
    } else if (bResetHeading) {
        m_display.showNoSeriesHeading();
        m_display.clearRemark();
        bResetHeading = false;
    }
}

void KanalLogic::readEndwerteAfterRecovery()
{
    // Which end values are new is known only before the recorder stores them.
    const KanalRecorder::StoredEndwerte storedBefore = m_recorder.storedEndwerte();
    if (const auto list = m_poll.readEndwerte())
        m_recorder.takeEndwerteAfterRecovery(list, storedBefore);
}

// --- status display --------------------------------------------------------------

void KanalLogic::showStatus(CommunicationResults& comRes)
{
    KanalStatusRule::applyRefusal(comRes, *commProgram);
    const KanalStatusRule::Meaning meaning = KanalStatusRule::meaning(comRes, m_channelId, commProgram->iMode);
    m_display.showStatus(meaning, comRes);
    if (meaning.measurement != KanalStatusRule::Measurement::Keep)
        bMeasurementRunning = meaning.measurement == KanalStatusRule::Measurement::Running;
    if (meaning.endsRecording) {
        bRecording = false;
        m_recorder.noteProgramEnd();
    }
    if (meaning.resetHeading)
        bResetHeading = true;
    if (meaning.newTempSeries)
        m_recorder.renewTempMessreiheId();
}

void KanalLogic::showUnknownStatus()
{
    m_display.showStatus(KanalStatusRule::unknownStatus(), *comResults());
    bMeasurementRunning = false;
}

// --- events of the status record -----------------------------------------------------

void KanalLogic::comResults_EndwertRecieved(const std::shared_ptr<EntwertList>& list)
{
    m_recorder.takeEndwerte(list);
}

void KanalLogic::comResults_ProgramChanged(const std::shared_ptr<CommunicationProgram>& program)
{
    commProgram = program;
    showProgram(*commProgram);
    if (bProgramDialogOpen && m_programEditor)
        m_programEditor->programChangedFromOutside(program);
}

// --- end values ------------------------------------------------------------------------

void KanalLogic::resetEndValues()
{
    m_recorder.resetEndValues();
    m_display.clearEndValues();
}

void KanalLogic::endValuesChanged()
{
    m_display.showEndValues(endwertList.get());
}

QString KanalLogic::formatEndValueLine(int number, const CommunicationEndwert& endwert)
{
    return EndValueDisplay::formatEndValueLine(number, endwert);
}

qint32 KanalLogic::diagramSeries() const
{
    const qint16 status = comResults() ? comResults()->iStatusTyp : 0;
    if ((status == 1 || status == 5) && lLastTempMessReiheId != -1)
        return lLastTempMessReiheId;
    return lTempMessReiheId;
}

qint32 KanalLogic::diagramButtonSeries() const
{
    const qint16 status = comResults() ? comResults()->iStatusTyp : 0;
    if (status == 4 || status == 1 || status == 5)
        return lLastTempMessReiheId;
    return lTempMessReiheId;
}

void KanalLogic::openDiagram(qint32 series, qint32 endWertId)
{
    BusyMark loading(bDiagramLoading);
    KanalDiagram::Request request;
    request.lMessReiheId = series;
    request.bTempCreated = true;
    request.lEndWertId = endWertId;
    request.cProg = commProgram;
    request.callerForm = m_diagramCaller;
    if (m_diagram)
        m_diagram->showDiagram(request);
}

void KanalLogic::openDiagramOf(const QString& listName)
{
    const int row = m_display.selectedRow(listName);
    if (row < 0 || bDiagramLoading)
        return;
    openDiagram(diagramSeries(), m_display.rowData(listName, row));
}

void KanalLogic::cmdDiagramme_Click()
{
    if (bDiagramLoading)
        return;
    openDiagram(diagramButtonSeries(), 0);
}

void KanalLogic::lstEndwertLaden_DblClick()
{
    openDiagramOf(QStringLiteral("lstEndwertLaden"));
}

void KanalLogic::lstEndwertEntladen_DblClick()
{
    openDiagramOf(QStringLiteral("lstEndwertEntladen"));
}

// --- recording ------------------------------------------------------------------------

void KanalLogic::writeNewValueToDB(const CommunicationResults& comRes)
{
    m_recorder.writeNewValueToDB(comRes, m_poll.statusEndwerte().get());
}

void KanalLogic::startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp)
{
    m_recorder.startRecording(lakku, lmess, bInQueue, bWithTemp, bMeasurementRunning);
}

void KanalLogic::setFrameAkkumesswerteHeading(const QString& strAkkuName, const QString& strMessreiheName,
                                              const QString& strMessreiheNr)
{
    m_display.setFrameAkkumesswerteHeading(strAkkuName, strMessreiheName, strMessreiheNr);
}

void KanalLogic::txtBemerkung_Change()
{
    if (lMessReiheId == -1) {
        // Nothing can be typed while no series is known.
        if (!m_display.remark().isEmpty())
            m_display.clearRemark();
        return;
    }
    // The program empties the box itself when the charger does not answer and
    // when a recording has ended: that keeps the stored remark.
    const CommunicationResults* comRes = comResults();
    if (!comRes || comRes->strKanal != m_channelId)
        return;
    if (comRes->iAntwortTyp == CommunicationResults::NoReply)
        return;
    if (bResetHeading && !bRecording && !bRecordingInQueue)
        return;
    m_recorder.storeRemark(m_display.remark());
}

qint32 KanalLogic::newTempSeriesId()
{
    return m_host.getNewTempMessreiheID();
}

bool KanalLogic::programForSeries(QString& program, QString& mode)
{
    CommunicationProgram read;
    if (!m_poll.readProgramForSeries(program, read))
        return false;
    mode = getModeText(read);
    return true;
}
