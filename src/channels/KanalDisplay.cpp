#include "channels/KanalDisplay.h"

#include "channels/KanalView.h"
#include "core/EndValueDisplay.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationResults.h"
#include "platform/DeferredMessages.h"
#include "platform/MessageService.h"
#include "wiring/KanalHost.h"

namespace {
const char* const kConditionFields[] = {"lblSelbstentladung", "txtSelbstentladung", "lblAkkuzustand", "txtAkkuzustand"};
} // namespace

KanalDisplay::KanalDisplay(int channel, KanalView& view, KanalHost& host, Texts texts)
    : m_channel(channel),
      m_channelId(QStringLiteral("00") + QString::number(channel)),
      m_view(view),
      m_host(host),
      m_texts(std::move(texts))
{
    flashingTimer.setObjectName(QStringLiteral("flashingTimer"));
    flashingTimer.setInterval(kFlashInterval);
    QObject::connect(&flashingTimer, &QTimer::timeout, &flashingTimer, [this] { flashingTimer_Timer(); });
}

QString KanalDisplay::text(const char* resourceId) const
{
    return m_texts(QString::fromLatin1(resourceId));
}

QString KanalDisplay::noSeriesHeading() const
{
    return text("0818") + QStringLiteral(" - ") + text("0820");
}

void KanalDisplay::setCaptions(const QString& windowName)
{
    const char* const windowCaptions[] = {"0800", "0799", "0798", "0797"};
    m_view.setControlText(windowName, text(windowCaptions[m_channel - 1]));
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
    showNoSeriesHeading();
}

// --- status ------------------------------------------------------------------------

void KanalDisplay::showStatus(const KanalStatusRule::Meaning& meaning, const CommunicationResults& comRes)
{
    using KanalStatusRule::Values;
    if (meaning.clearProgram)
        for (const char* field : {"txtAkkuTyp", "txtMode", "txtNennKapazitaet", "txtBemerkung"})
            m_view.setControlText(QString::fromLatin1(field), QString());
    if (meaning.statusText)
        statusText(meaning.statusText);
    if (meaning.values == Values::Show)
        showValues(comRes);
    else if (meaning.values == Values::Clear)
        clearValues();
    if (meaning.stopFlashing)
        setStatusFlashing(false);
    if (meaning.conditionText)
        m_view.setControlText(QStringLiteral("txtAkkuzustand"), text(meaning.conditionText));
    if (meaning.boxText && meaning.boxMoreText)
        showErrorBox(text(meaning.boxText) + QChar(13) + QChar(13) + text(meaning.boxMoreText));
    else if (meaning.boxText)
        showErrorBox(text(meaning.boxText));
}

void KanalDisplay::statusText(const char* resourceId)
{
    m_view.setControlText(QStringLiteral("txtStatus"), text(resourceId));
    setStatusbarChannelText(m_view.controlText(QStringLiteral("txtStatus")));
}

void KanalDisplay::setStatusbarChannelText(const QString& statusText)
{
    m_host.setStatusbarPanelText(QStringLiteral("Kanal") + QString::number(m_channel) + QStringLiteral("Text"),
                                 statusText);
}

void KanalDisplay::clearValues()
{
    for (const char* field : {"txtSpannung", "txtStrom", "txtKapazitaet"})
        m_view.setControlText(QString::fromLatin1(field), QString());
}

void KanalDisplay::showValues(const CommunicationResults& comRes)
{
    m_view.setControlText(QStringLiteral("txtSpannung"), formatVoltage(comRes.lSpannung));
    m_view.setControlText(QStringLiteral("txtStrom"), formatCurrent(comRes.lStrom));
    m_view.setControlText(QStringLiteral("txtKapazitaet"), formatCapacity(comRes.lKapazitaet));
}

void KanalDisplay::setStatusFlashing(bool bFlashing)
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

void KanalDisplay::flashingTimer_Timer()
{
    m_frameStatusColor = m_frameStatusColor == kCaptionNormal ? kCaptionRed : kCaptionNormal;
    m_view.setCaptionColor(QStringLiteral("frameStatus"), m_frameStatusColor);
}

// --- program -------------------------------------------------------------------------

void KanalDisplay::showProgram(const CommunicationProgram& program)
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

QString KanalDisplay::getModeText(const CommunicationProgram& program) const
{
    return EndValueDisplay::modeText(program);
}

// --- end values ----------------------------------------------------------------------

void KanalDisplay::showEndValues(const EntwertList* endValues)
{
    const QString laden = QStringLiteral("lstEndwertLaden");
    const QString entladen = QStringLiteral("lstEndwertEntladen");
    m_view.clearList(entladen);
    m_view.clearList(laden);
    if (!endValues || endValues->Count() == 0)
        return;
    if (endValues->Item(1)->strKanal != m_channelId)
        return;

    const auto lists = EndValueDisplay::buildLists(*endValues, [](const CommunicationEndwert& e) { return e.TempID; });
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

void KanalDisplay::clearEndValues()
{
    m_view.clearList(QStringLiteral("lstEndwertLaden"));
    m_view.clearList(QStringLiteral("lstEndwertEntladen"));
    hideCondition();
}

void KanalDisplay::hideCondition()
{
    for (const char* field : kConditionFields)
        m_view.setControlVisible(QString::fromLatin1(field), false);
    m_view.setControlText(QStringLiteral("txtAkkuzustand"), QString());
}

int KanalDisplay::selectedRow(const QString& listName) const
{
    return m_view.selectedListRow(listName);
}

qint32 KanalDisplay::rowData(const QString& listName, int row) const
{
    return m_view.listItemData(listName, row);
}

// --- the recorded series -----------------------------------------------------------

void KanalDisplay::setFrameAkkumesswerteHeading(const QString& strAkkuName, const QString& strMessreiheName,
                                                const QString& strMessreiheNr)
{
    if (strAkkuName.trimmed().isEmpty()) {
        showNoSeriesHeading();
        clearRemark();
        return;
    }
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"),
                          text("0818") + QStringLiteral(" - ") + strAkkuName + QStringLiteral(" / ") + strMessreiheNr);
    m_view.setControlText(QStringLiteral("txtBemerkung"), strMessreiheName);
}

void KanalDisplay::showNoSeriesHeading()
{
    m_view.setControlText(QStringLiteral("frameAkkumesswerte"), noSeriesHeading());
}

QString KanalDisplay::remark() const
{
    return m_view.controlText(QStringLiteral("txtBemerkung"));
}

void KanalDisplay::clearRemark()
{
    m_view.setControlText(QStringLiteral("txtBemerkung"), QString());
}

// --- boxes ------------------------------------------------------------------------------

QString KanalDisplay::boxKey(const char* kind) const
{
    return QStringLiteral("Kanal%1/").arg(m_channel) + QLatin1String(kind);
}

void KanalDisplay::showErrorBox(const QString& message)
{
    // After the tick, and one of these boxes of this channel at a time.
    DeferredMessages::post(boxKey("fault"), message, MessageService::OkOnly, MessageService::Critical, text("0120"));
}

void KanalDisplay::showDatabaseError(const QString& description)
{
    DeferredMessages::post(boxKey("0890"), text("0890") + QChar(13) + QChar(13) + description, MessageService::OkOnly,
                           MessageService::Critical, text("0410"));
}
