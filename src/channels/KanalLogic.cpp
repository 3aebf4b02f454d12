#include "channels/KanalLogic.h"

#include "channels/KanalHost.h"
#include "channels/KanalLink.h"
#include "channels/KanalView.h"
#include "core/ProgramResources.h"

namespace {
const char* const kConditionFields[] = {"lblSelbstentladung", "txtSelbstentladung", "lblAkkuzustand",
                                         "txtAkkuzustand"};
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
}

KanalLogic::~KanalLogic() = default;

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

void KanalLogic::initChannel()
{
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
    bTempValuesWritten = true;
    renewTempMessreiheId();
}

void KanalLogic::resetForNewProgram()
{
    resetEndValues();
    endRecording();
    initChannel();
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
