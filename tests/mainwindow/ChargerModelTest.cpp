// What each charger model means for the main window, one row per model.
#include "mainwindow/ChargerModel.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <string>

using namespace ChargerModel;

namespace {
// Per channel 1 .. 4, the panels as "ve" (visible, enabled): '+' set on, '-' set off, '.' left alone.
QString panels(const Charger& charger)
{
    QStringList out;
    auto mark = [](std::optional<bool> v) { return !v ? QLatin1Char('.') : *v ? QLatin1Char('+') : QLatin1Char('-'); };
    for (int n = 1; n <= 4; ++n) {
        const PanelState s = statusPanels(charger, n);
        out << QString(mark(s.visible)) + mark(s.enabled);
    }
    return out.join(QLatin1Char(' '));
}

// Per channel 1 .. 4: 'M' from its menu mark, 'H' stored hidden, '.' untouched.
QString saved(const Charger& charger)
{
    QString out;
    for (int n = 1; n <= 4; ++n) {
        switch (savedVisibility(charger, n)) {
        case SavedVisibility::FromMenu:
            out += QLatin1Char('M');
            break;
        case SavedVisibility::Hidden:
            out += QLatin1Char('H');
            break;
        case SavedVisibility::Untouched:
            out += QLatin1Char('.');
            break;
        }
    }
    return out;
}

// The channels asked, "*" when every one is asked, "?" when none can be.
QString query(const Charger& charger, ChannelQuery q)
{
    const QueryRule rule = queryRule(charger, q);
    if (!rule.channels)
        return QStringLiteral("?");
    return QString::number(*rule.channels) + (rule.askEvery ? QStringLiteral("*") : QString());
}

// The channels for which the test holds, as "12--".
template <typename Test>
QString channels(Test&& test)
{
    QString out;
    for (int n = 1; n <= 4; ++n)
        out += test(n) ? QString::number(n) : QStringLiteral("-");
    return out;
}
} // namespace

TEST(ChargerModel, EveryModelDecidesItsChannelsPanelsMenusAndQueries)
{
    struct Case {
        const char* charger;
        const char* count;
        Model model;
        int windows;
        int grid;
        int program;
        const char* present;
        const char* hidden;
        const char* extension;
        const char* panels;
        const char* saved;
        const char* used;
        const char* reset;
    } cases[] = {
        {"KZT1", "4", Model::KZT1, 1, 4, 1, "1234", "----", "KZT1ExtensionAvailable", ".. -. -. -.", "M...", "1", "1"},
        {"KZT4", "1", Model::KZT4, 4, 4, 4, "1234", "----", "KZT4ExtensionAvailable", ".. .+ .+ .+", "MMMM", "4", "4"},
        {"J4", "1", Model::J4, 4, 4, 4, "1234", "----", "", ".. .+ .+ .+", "MMMM", "4", "4"},
        {"KZT4 48V", "1", Model::KZT4_48V, 4, 2, 2, "1234", "--34", "KZT448VExtensionAvailable", ".. .+ -- --", "MMHH",
         "4", "2"},
        {"KZTx", "2", Model::KZTx, 2, 4, 2, "12--", "----", "KZTxExtensionAvailable", "++ ++ -- --", "MMHH", "2*",
         "2*"},
        {"KZTx", "1", Model::KZTx, 1, 4, 1, "1---", "----", "KZTxExtensionAvailable", "++ -- -- --", "MHHH", "1*",
         "1*"},
        {"KZTx", "7", Model::KZTx, 4, 4, 4, "1234", "----", "KZTxExtensionAvailable", "++ ++ ++ ++", "MMMM", "4*",
         "4*"},
        {"KZTx", "x", Model::KZTx, 1, 4, 1, "1---", "----", "KZTxExtensionAvailable", ".. -- -- --", "HHHH", "?", "?"},
        {"Other", "2", Model::Other, 1, 4, 4, "1234", "----", "", ".. .. .. ..", "MMMM", "4", "4"},
        {"kzt4", "2", Model::Other, 1, 4, 4, "1234", "----", "", ".. .. .. ..", "MMMM", "4", "4"},
        {"", "", Model::Other, 1, 4, 4, "1234", "----", "", ".. .. .. ..", "MMMM", "4", "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.charger) + " / " + c.count);
        const Charger charger = fromSettings(QString::fromLatin1(c.charger), QString::fromLatin1(c.count));
        EXPECT_EQ(charger.model, c.model);
        EXPECT_EQ(isSelfDescribing(charger.model), c.model == Model::KZTx);
        EXPECT_EQ(windowCount(charger), c.windows);
        EXPECT_EQ(gridChannelCount(charger.model), c.grid);
        EXPECT_EQ(programChannelCount(charger), c.program);
        EXPECT_EQ(channels([&](int n) { return hasChannel(charger, n); }), QString::fromLatin1(c.present));
        EXPECT_EQ(channels([&](int n) { return isHiddenForGood(charger.model, n); }), QString::fromLatin1(c.hidden));
        EXPECT_EQ(extensionSettingKey(charger.model), QString::fromLatin1(c.extension));
        EXPECT_EQ(panels(charger), QString::fromLatin1(c.panels));
        EXPECT_EQ(saved(charger), QString::fromLatin1(c.saved));
        EXPECT_EQ(query(charger, ChannelQuery::Used), QString::fromLatin1(c.used));
        EXPECT_EQ(query(charger, ChannelQuery::Reset), QString::fromLatin1(c.reset));
    }
}

TEST(ChargerModel, ToldChannelCountIsAWholeNumberWithinTheChannelsThatExist)
{
    struct Case {
        const char* text;
        std::optional<int> count;
    } cases[] = {
        {"1", 1}, {"3", 3},   {" 2 ", 2}, {"2.5", 2}, {"3.5", 4},         {"2.6", 3},  {"0", 1},    {"-3", 1},
        {"7", 4}, {"1e9", 4}, {"", {}},   {"x", {}},  {"2 channels", {}}, {"nan", {}}, {"inf", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toldChannelCount(QString::fromLatin1(c.text)), c.count) << c.text;
}
