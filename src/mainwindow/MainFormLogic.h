#pragma once

#include "mainwindow/ChargerModel.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class MainFormView;
class ProgramResources;
class programSettings;

// What the main window decides, without its widgets: the start steps that
// follow the charger model (channel windows, their menu items, the status-bar
// panels, the extension switch), the texts and the title, the channel menu and
// panels, the print item, the close question and the questions to the channel
// windows. It reads and writes the settings and texts it is given and reaches
// the window through MainFormView.
class MainFormLogic {
public:
    MainFormLogic(MainFormView& view, programSettings& settings, ProgramResources& texts);

    // --- start steps -------------------------------------------------------------
    // ProgramExtensionAvaiable from the model's own extension switch.
    void setProgramExtensionSetting();
    // Title, menu captions and the panels' channel labels in the current language.
    void setLanguageResources();
    void ReloadWindowCaption();
    // Which panels the model shows and enables.
    void optimizeStatusbar();
    // Loads the channel windows of the model, enables their menu items, shows
    // those the settings say and lays them out.
    void loadChannelWindows();
    // Loads channel window n and shows it when its AkkuNVisible is "YES",
    // else hides it; its menu mark follows.
    void showChannelWindow(int channel);
    void showChannelWindows2To4();

    // --- channel menu and status bar ---------------------------------------------
    void setChannelMenuChecked(int channel, bool checked);
    void setChannelMenuEnabled(int channel, bool enabled);
    // Settings > Channels > Channel n: a checked item brings its window to the
    // front, an unchecked one shows it; it never hides a window.
    void channelMenuClicked(int channel);
    // A channel's label panel shows its window or brings it to the front; the
    // other panels do nothing.
    void panelDoubleClicked(const QString& key);
    void setStatusbarPanelText(const QString& key, const QString& text);

    // --- print item, close -------------------------------------------------------
    // Without argument (or with true) only the print item follows the active
    // window; with false that window is forgotten first.
    void checkAndSetPrintItem(std::optional<bool> bActive = std::nullopt);
    // The AkkuNVisible settings from the menu marks, as the model stores them.
    void saveChannelVisibility();
    // Asks "1090"; Yes stores the channel layout and sets cancel to 0, No sets it to 1.
    void queryUnload(int& cancel);

    // --- the charger model -------------------------------------------------------
    // "notUsed", the identifier of a channel window using the battery, or "" when
    // the channels cannot be asked.
    QString isAkkuUsed(qint32 lAkkuId);
    // The identifier of a channel window that forgot the battery, or "noReset".
    QString resetAkkuId(qint32 lAkkuId);
    int programChannelCount() const;
    bool channelPresent(int channel) const;
    int placedChannelCount() const;
    // KZTxChannelCount when it reads as a number, kept within 1 .. 4.
    std::optional<int> kztxChannelCount() const;

private:
    QString setting(const QString& key) const;
    QString text(const char* id) const;
    ChargerModel::Charger charger() const;
    QString askChannels(ChargerModel::ChannelQuery query, qint32 lAkkuId);

    MainFormView& m_view;
    programSettings& m_settings;
    ProgramResources& m_texts;
};
