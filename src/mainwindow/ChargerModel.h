#pragma once

#include <QString>
#include <optional>

// What the charger model of the setting UsedCharger means for the main
// window: how many channels it has, which windows, panels and menu items
// belong to them, which extension switch it reads and how the channels are
// asked about a battery. Pure functions of the two settings that decide it,
// so one table test covers every model.
namespace ChargerModel {

enum class Model { KZT1, KZT4, KZT4_48V, J4, KZTx, Other };

// The model of a UsedCharger text, compared exactly ("kzt4" is no model).
Model fromSetting(const QString& usedCharger);

// KZTxChannelCount when it reads as a number: converted as a whole number
// (halves to even), then kept within 1 .. 4 so a larger count addresses no
// panel or window that is not there.
std::optional<int> toldChannelCount(const QString& kztxChannelCount);

// A model with the channel count a self-describing charger told.
struct Charger {
    Model model = Model::Other;
    std::optional<int> toldCount;
};
Charger fromSettings(const QString& usedCharger, const QString& kztxChannelCount);

// Only a self-describing charger says how many channels it has; its windows
// come up one by one as it counts them.
bool isSelfDescribing(Model model);

// The channel windows loaded at start: 1 .. that number.
int windowCount(const Charger& charger);
// How many channel windows the grid of the main window is laid out for.
int gridChannelCount(Model model);
// A channel whose window is loaded but never shown (3 and 4 of the two-channel model).
bool isHiddenForGood(Model model, int channel);
// Whether the charger has this channel at all; a window of a channel it does
// not have would wait out a missing reply at every poll.
bool hasChannel(const Charger& charger, int channel);
// How many channels a program is sent to when it goes to every channel.
int programChannelCount(const Charger& charger);

// The setting that says whether the model has the program extension; empty
// for a model without one (the extension is then off).
QString extensionSettingKey(Model model);

// How the status-bar panels of a channel (its label and its text) are set:
// a value is set, nullopt leaves the panel as it is.
struct PanelState {
    std::optional<bool> visible;
    std::optional<bool> enabled;
};
PanelState statusPanels(const Charger& charger, int channel);

// What the close stores as the channel's AkkuNVisible setting.
enum class SavedVisibility { Untouched, FromMenu, Hidden };
SavedVisibility savedVisibility(const Charger& charger, int channel);

// Which channel windows are asked whether they use a battery, or to forget it.
enum class ChannelQuery { Used, Reset };
struct QueryRule {
    // Channels 1 .. that number; nullopt when the channels cannot be asked.
    std::optional<int> channels;
    // Every channel is asked and the last that answers counts; otherwise the
    // first that answers ends the question.
    bool askEvery = false;
};
QueryRule queryRule(const Charger& charger, ChannelQuery query);

} // namespace ChargerModel
