#include "mainwindow/MainFormLogic.h"

#include "core/ProgramResources.h"
#include "core/ProgramVersion.h"
#include "core/programSettings.h"
#include "mainwindow/MainFormControls.h"
#include "mainwindow/MainFormView.h"
#include "platform/MessageService.h"

namespace {
QString visibleKey(int channel)
{
    return QStringLiteral("Akku") + QString::number(channel) + QStringLiteral("Visible");
}

QString yesNo(bool yes)
{
    return yes ? QStringLiteral("YES") : QStringLiteral("NO");
}
} // namespace

MainFormLogic::MainFormLogic(MainFormView& view, programSettings& settings, ProgramResources& texts)
    : m_view(view),
      m_settings(settings),
      m_texts(texts)
{
}

QString MainFormLogic::setting(const QString& key) const
{
    return m_settings.getSetting(key);
}

QString MainFormLogic::text(const char* id) const
{
    return m_texts.getResource(QString::fromLatin1(id));
}

ChargerModel::Charger MainFormLogic::charger() const
{
    return ChargerModel::fromSettings(setting(QStringLiteral("UsedCharger")),
                                      setting(QStringLiteral("KZTxChannelCount")));
}

// --- start steps -------------------------------------------------------------------

void MainFormLogic::setProgramExtensionSetting()
{
    const QString key = ChargerModel::extensionSettingKey(charger().model);
    const QString value = key.isEmpty() ? QStringLiteral("NO") : setting(key);
    m_settings.setSetting(QStringLiteral("ProgramExtensionAvaiable"), value);
}

void MainFormLogic::ReloadWindowCaption()
{
    // The port as the port dialog would show it checked: "1" .. "10", or a
    // device path; anything else checks no option and reads "2".
    QString port = setting(QStringLiteral("ComPort"));
    bool numeric = false;
    const int portNumber = port.toInt(&numeric);
    if (!port.startsWith(QLatin1Char('/')) && !(numeric && portNumber >= 1 && portNumber <= 10))
        port = QStringLiteral("2");
    else if (numeric)
        port = QString::number(portNumber);

    const QString title = text("0001") + QStringLiteral(" - ") + text("0002") + QLatin1Char(' ') + programVersionText()
                          + text("0003") + QStringLiteral("    ") + setting(QStringLiteral("ChargerTextTop"))
                          + QStringLiteral("  velmoro ") + setting(QStringLiteral("UsedCharger"))
                          + QStringLiteral("    ") + QStringLiteral("Com Port: ") + port;
    m_view.setControlText(QStringLiteral("frmMDIMainForm"), title);
}

void MainFormLogic::setLanguageResources()
{
    ReloadWindowCaption();
    for (const MainMenuEntry& e : mainMenuEntries())
        if (e.textId)
            m_view.setControlText(QString::fromLatin1(e.name), text(e.textId));
    const char* const labelIds[] = {"1500", "1502", "1504", "1506"};
    for (int n = 1; n <= 4; ++n)
        m_view.setControlText(channelLabelPanelName(n), text(labelIds[n - 1]));
}

void MainFormLogic::optimizeStatusbar()
{
    const ChargerModel::Charger model = charger();
    for (int n = 1; n <= 4; ++n) {
        const ChargerModel::PanelState state = ChargerModel::statusPanels(model, n);
        for (const QString& panel : {channelLabelPanelName(n), channelTextPanelName(n)}) {
            if (state.visible)
                m_view.setControlVisible(panel, *state.visible);
            if (state.enabled)
                m_view.setControlEnabled(panel, *state.enabled);
        }
    }
    for (int n = 1; n <= 4; ++n)
        if (ChargerModel::isHiddenForGood(model.model, n))
            m_settings.setSetting(visibleKey(n), QStringLiteral("NO"));
}

void MainFormLogic::loadChannelWindows()
{
    m_view.loadKanalWindow(1);
    for (int n = 2; n <= 4; ++n)
        setChannelMenuEnabled(n, false);

    const ChargerModel::Charger model = charger();
    const int count = ChargerModel::windowCount(model);
    if (ChargerModel::isSelfDescribing(model.model)) {
        // One by one, as far as the charger counted.
        for (int n = 2; n <= count; ++n) {
            setChannelMenuEnabled(n, true);
            m_view.loadKanalWindow(n);
            showChannelWindow(n);
        }
    } else if (count > 1) {
        for (int n = 2; n <= count; ++n)
            m_view.loadKanalWindow(n);
        for (int n = 2; n <= count; ++n)
            setChannelMenuEnabled(n, true);
        showChannelWindows2To4();
    }
    showChannelWindow(1);
    m_view.placeKanalWindows();
}

void MainFormLogic::showChannelWindow(int channel)
{
    if (!m_view.loadKanalWindow(channel))
        return;
    if (setting(visibleKey(channel)) == QLatin1String("YES")) {
        m_view.showKanalWindow(channel);
        setChannelMenuChecked(channel, true);
    } else {
        m_view.hideKanalWindow(channel);
        setChannelMenuChecked(channel, false);
    }
}

void MainFormLogic::showChannelWindows2To4()
{
    for (int n = 2; n <= 4; ++n)
        showChannelWindow(n);
}

// --- channel menu and status bar ------------------------------------------------------

void MainFormLogic::setChannelMenuChecked(int channel, bool checked)
{
    if (channel >= 1 && channel <= 4)
        m_view.setControlChecked(channelMenuItemName(channel), checked);
}

void MainFormLogic::setChannelMenuEnabled(int channel, bool enabled)
{
    if (channel >= 1 && channel <= 4)
        m_view.setControlEnabled(channelMenuItemName(channel), enabled);
}

void MainFormLogic::channelMenuClicked(int channel)
{
    if (channel < 1 || channel > 4)
        return;
    if (m_view.isControlChecked(channelMenuItemName(channel))) {
        m_view.activateKanalWindow(channel);
    } else {
        setChannelMenuChecked(channel, true);
        m_view.showKanalWindow(channel);
    }
}

void MainFormLogic::panelDoubleClicked(const QString& key)
{
    for (int n = 1; n <= 4; ++n) {
        if (key != channelLabelPanelName(n))
            continue;
        if (m_view.isKanalWindowShown(n)) {
            m_view.activateKanalWindow(n);
        } else {
            m_view.showKanalWindow(n);
            setChannelMenuChecked(n, true);
        }
        return;
    }
}

void MainFormLogic::setStatusbarPanelText(const QString& key, const QString& text)
{
    m_view.setControlText(key, text);
}

// --- print item, close -------------------------------------------------------------

void MainFormLogic::checkAndSetPrintItem(std::optional<bool> bActive)
{
    if (bActive.has_value() && !*bActive)
        m_view.forgetActiveForm();
    m_view.setControlEnabled(QStringLiteral("mnuDateiPrint"), m_view.hasActiveForm());
}

void MainFormLogic::saveChannelVisibility()
{
    const ChargerModel::Charger model = charger();
    for (int n = 1; n <= 4; ++n) {
        switch (ChargerModel::savedVisibility(model, n)) {
        case ChargerModel::SavedVisibility::FromMenu:
            m_settings.setSetting(visibleKey(n), yesNo(m_view.isControlChecked(channelMenuItemName(n))));
            break;
        case ChargerModel::SavedVisibility::Hidden:
            m_settings.setSetting(visibleKey(n), yesNo(false));
            break;
        case ChargerModel::SavedVisibility::Untouched:
            break;
        }
    }
}

void MainFormLogic::queryUnload(int& cancel)
{
    const auto answer = msgBox(text("1090"), MessageService::YesNo, MessageService::Information, text("0410"));
    if (answer == MessageService::Yes) {
        saveChannelVisibility();
        cancel = 0;
    } else {
        cancel = 1;
    }
}

// --- the charger model -----------------------------------------------------------------

QString MainFormLogic::askChannels(ChargerModel::ChannelQuery query, qint32 lAkkuId)
{
    const ChargerModel::QueryRule rule = ChargerModel::queryRule(charger(), query);
    if (!rule.channels)
        return QString();
    QString answer = query == ChargerModel::ChannelQuery::Used ? QStringLiteral("notUsed") : QStringLiteral("noReset");
    for (int n = 1; n <= *rule.channels; ++n) {
        // A window that was never loaded holds no battery.
        if (!m_view.isKanalWindowLoaded(n) || !m_view.askKanalWindow(n, query, lAkkuId))
            continue;
        answer = QStringLiteral("00") + QString::number(n);
        if (!rule.askEvery)
            break;
    }
    return answer;
}

QString MainFormLogic::isAkkuUsed(qint32 lAkkuId)
{
    return askChannels(ChargerModel::ChannelQuery::Used, lAkkuId);
}

QString MainFormLogic::resetAkkuId(qint32 lAkkuId)
{
    return askChannels(ChargerModel::ChannelQuery::Reset, lAkkuId);
}

int MainFormLogic::programChannelCount() const
{
    return ChargerModel::programChannelCount(charger());
}

bool MainFormLogic::channelPresent(int channel) const
{
    return ChargerModel::hasChannel(charger(), channel);
}

int MainFormLogic::placedChannelCount() const
{
    return ChargerModel::gridChannelCount(charger().model);
}

std::optional<int> MainFormLogic::kztxChannelCount() const
{
    return ChargerModel::toldChannelCount(setting(QStringLiteral("KZTxChannelCount")));
}
