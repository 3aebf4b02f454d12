#include "mainwindow/ChargerModel.h"

#include <algorithm>
#include <cmath>

namespace ChargerModel {

Model fromSetting(const QString& usedCharger)
{
    if (usedCharger == QLatin1String("KZT1"))
        return Model::KZT1;
    if (usedCharger == QLatin1String("KZT4"))
        return Model::KZT4;
    if (usedCharger == QLatin1String("KZT4 48V"))
        return Model::KZT4_48V;
    if (usedCharger == QLatin1String("J4"))
        return Model::J4;
    if (usedCharger == QLatin1String("KZTx"))
        return Model::KZTx;
    return Model::Other;
}

std::optional<int> toldChannelCount(const QString& kztxChannelCount)
{
    bool ok = false;
    const double value = kztxChannelCount.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double whole = std::nearbyint(value);
    return static_cast<int>(std::clamp(whole, 1.0, 4.0));
}

Charger fromSettings(const QString& usedCharger, const QString& kztxChannelCount)
{
    return {fromSetting(usedCharger), toldChannelCount(kztxChannelCount)};
}

bool isSelfDescribing(Model model)
{
    return model == Model::KZTx;
}

int windowCount(const Charger& charger)
{
    switch (charger.model) {
    case Model::KZT4:
    case Model::KZT4_48V:
    case Model::J4:
        return 4;
    case Model::KZTx:
        return charger.toldCount.value_or(1);
    case Model::KZT1:
    case Model::Other:
        break;
    }
    return 1;
}

int gridChannelCount(Model model)
{
    return model == Model::KZT4_48V ? 2 : 4;
}

bool isHiddenForGood(Model model, int channel)
{
    return model == Model::KZT4_48V && channel >= 3;
}

bool hasChannel(const Charger& charger, int channel)
{
    if (!isSelfDescribing(charger.model))
        return true;
    return channel <= charger.toldCount.value_or(1);
}

int programChannelCount(const Charger& charger)
{
    switch (charger.model) {
    case Model::KZT1:
        return 1;
    case Model::KZT4_48V:
        return 2;
    case Model::KZTx:
        return charger.toldCount.value_or(1);
    case Model::KZT4:
    case Model::J4:
    case Model::Other:
        break;
    }
    return 4;
}

QString extensionSettingKey(Model model)
{
    switch (model) {
    case Model::KZT1:
        return QStringLiteral("KZT1ExtensionAvailable");
    case Model::KZT4:
        return QStringLiteral("KZT4ExtensionAvailable");
    case Model::KZT4_48V:
        return QStringLiteral("KZT448VExtensionAvailable");
    case Model::KZTx:
        return QStringLiteral("KZTxExtensionAvailable");
    case Model::J4:
    case Model::Other:
        break;
    }
    return QString();
}

PanelState statusPanels(const Charger& charger, int channel)
{
    const bool beyondFirst = channel >= 2;
    switch (charger.model) {
    case Model::KZT1:
        return beyondFirst ? PanelState{false, std::nullopt} : PanelState{};
    case Model::KZT4:
    case Model::J4:
        return beyondFirst ? PanelState{std::nullopt, true} : PanelState{};
    case Model::KZT4_48V:
        if (isHiddenForGood(charger.model, channel))
            return {false, false};
        return beyondFirst ? PanelState{std::nullopt, true} : PanelState{};
    case Model::KZTx:
        // Without a count the first channel's panels are left as they are.
        if (!charger.toldCount)
            return beyondFirst ? PanelState{false, false} : PanelState{};
        return channel <= *charger.toldCount ? PanelState{true, true} : PanelState{false, false};
    case Model::Other:
        break;
    }
    return {};
}

SavedVisibility savedVisibility(const Charger& charger, int channel)
{
    switch (charger.model) {
    case Model::KZT1:
        return channel == 1 ? SavedVisibility::FromMenu : SavedVisibility::Untouched;
    case Model::KZT4_48V:
        return isHiddenForGood(charger.model, channel) ? SavedVisibility::Hidden : SavedVisibility::FromMenu;
    case Model::KZTx:
        // Without a count every channel is stored as hidden.
        return charger.toldCount && channel <= *charger.toldCount ? SavedVisibility::FromMenu : SavedVisibility::Hidden;
    case Model::KZT4:
    case Model::J4:
    case Model::Other:
        break;
    }
    return SavedVisibility::FromMenu;
}

QueryRule queryRule(const Charger& charger, ChannelQuery query)
{
    switch (charger.model) {
    case Model::KZT1:
        return {1, false};
    case Model::KZT4_48V:
        // Asked for use, all four windows answer; only the two channels forget.
        return {query == ChannelQuery::Reset ? 2 : 4, false};
    case Model::KZTx:
        return {charger.toldCount, true};
    case Model::KZT4:
    case Model::J4:
    case Model::Other:
        break;
    }
    return {4, false};
}

} // namespace ChargerModel
