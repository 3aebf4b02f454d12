// The main window's decisions without its widgets, against a view that knows
// the window's control names; and the real window built under those names.
#include "ControlNameChecks.h"
#include "TestSupport.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "mainwindow/MainFormControls.h"
#include "mainwindow/MainFormLogic.h"
#include "mainwindow/MainFormView.h"
#include "mainwindow/frmMDIMainForm.h"

#include <QHash>
#include <QSet>
#include <array>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
class FakeMainFormView : public MainFormView {
public:
    void setControlText(const QString& name, const QString& text) override
    {
        if (known(name))
            texts[name] = text;
    }
    void setControlVisible(const QString& name, bool v) override
    {
        if (known(name))
            visible[name] = v;
    }
    void setControlEnabled(const QString& name, bool e) override
    {
        if (known(name))
            enabled[name] = e;
    }
    void setControlChecked(const QString& name, bool c) override
    {
        if (known(name))
            checked[name] = c;
    }
    bool isControlChecked(const QString& name) const override { return known(name) && checked.value(name); }

    bool loadKanalWindow(int n) override
    {
        if (n < 1 || n > 4)
            return false;
        if (!loaded[n])
            calls << QStringLiteral("load %1").arg(n);
        loaded[n] = true;
        return true;
    }
    bool isKanalWindowLoaded(int n) const override { return loaded[n]; }
    bool isKanalWindowShown(int n) const override { return shown[n]; }
    void showKanalWindow(int n) override
    {
        loadKanalWindow(n);
        shown[n] = true;
        calls << QStringLiteral("show %1").arg(n);
    }
    void hideKanalWindow(int n) override
    {
        shown[n] = false;
        calls << QStringLiteral("hide %1").arg(n);
    }
    void activateKanalWindow(int n) override { calls << QStringLiteral("activate %1").arg(n); }
    void placeKanalWindows() override { calls << QStringLiteral("place"); }
    bool askKanalWindow(int n, ChargerModel::ChannelQuery, qint32) override
    {
        calls << QStringLiteral("ask %1").arg(n);
        return answers[n];
    }
    bool hasActiveForm() const override { return activeForm; }
    void forgetActiveForm() override { activeForm = false; }

    // "1-3-" for the channels whose menu item has the state.
    QString items(const QHash<QString, bool>& state) const
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += state.value(channelMenuItemName(n)) ? QString::number(n) : QStringLiteral("-");
        return s;
    }

    QHash<QString, QString> texts;
    QHash<QString, bool> visible;
    QHash<QString, bool> enabled;
    QHash<QString, bool> checked;
    std::array<bool, 5> loaded{};
    std::array<bool, 5> shown{};
    std::array<bool, 5> answers{};
    bool activeForm = false;
    QStringList calls;

private:
    static bool known(const QString& name) { return expectKnownControl(mainFormControlNames(), name); }
};

class MainFormLogicTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        for (const char* key : {"Akku1Visible", "Akku2Visible", "Akku3Visible", "Akku4Visible"})
            set(key, QStringLiteral("YES"));
    }
    void set(const char* key, const QString& value) { objSettings().setSetting(QString::fromLatin1(key), value); }
    QString get(const char* key) { return objSettings().getSetting(QString::fromLatin1(key)); }

    FakeMainFormView view;
    MainFormLogic logic{view, objSettings(), objResources()};
};
} // namespace

TEST_F(MainFormLogicTest, AMisspeltControlNameFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(view.setControlEnabled(QStringLiteral("mnuDateiPrnt"), true), "mnuDateiPrnt");
    EXPECT_NONFATAL_FAILURE(view.setControlText(QStringLiteral("Kanal5Label"), QString()), "Kanal5Label");
}

TEST_F(MainFormLogicTest, TheRealWindowBuildsEveryControlOfItsList)
{
    frmMDIMainForm form(services);
    expectEveryControlBuilt(form, mainFormControlNames());
    // The list holds no name twice.
    const QStringList names = mainFormControlNames();
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
}

TEST_F(MainFormLogicTest, SelfDescribingChargerBringsItsWindowsUpOneByOne)
{
    set("UsedCharger", QStringLiteral("KZTx"));
    set("KZTxChannelCount", QStringLiteral("3"));
    set("Akku2Visible", QStringLiteral("NO"));
    logic.loadChannelWindows();
    EXPECT_EQ(view.calls, (QStringList{"load 1", "load 2", "hide 2", "load 3", "show 3", "show 1", "place"}));
    EXPECT_EQ(view.items(view.enabled), QStringLiteral("-23-"));
    EXPECT_EQ(view.items(view.checked), QStringLiteral("1-3-"));
}

TEST_F(MainFormLogicTest, FourChannelModelLoadsItsWindowsBeforeShowingThem)
{
    set("UsedCharger", QStringLiteral("KZT4"));
    logic.loadChannelWindows();
    EXPECT_EQ(view.calls,
              (QStringList{"load 1", "load 2", "load 3", "load 4", "show 2", "show 3", "show 4", "show 1", "place"}));
    EXPECT_EQ(view.items(view.enabled), QStringLiteral("-234"));
}

TEST_F(MainFormLogicTest, ChannelMenuAndLabelPanelShowOrActivateButNeverHide)
{
    view.checked[channelMenuItemName(2)] = true;
    logic.channelMenuClicked(2);
    logic.channelMenuClicked(3);
    EXPECT_EQ(view.calls, (QStringList{"activate 2", "load 3", "show 3"}));
    EXPECT_EQ(view.items(view.checked), QStringLiteral("-23-"));

    view.calls.clear();
    logic.panelDoubleClicked(channelLabelPanelName(3));
    logic.panelDoubleClicked(channelLabelPanelName(4));
    logic.panelDoubleClicked(channelTextPanelName(1));
    EXPECT_EQ(view.calls, (QStringList{"activate 3", "load 4", "show 4"}));
    EXPECT_EQ(view.items(view.checked), QStringLiteral("-234"));
}

TEST_F(MainFormLogicTest, PrintItemFollowsTheActiveForm)
{
    view.activeForm = true;
    logic.checkAndSetPrintItem();
    EXPECT_TRUE(view.enabled.value(QStringLiteral("mnuDateiPrint")));
    logic.checkAndSetPrintItem(false);
    EXPECT_FALSE(view.activeForm);
    EXPECT_FALSE(view.enabled.value(QStringLiteral("mnuDateiPrint")));
}

TEST_F(MainFormLogicTest, EveryCaptionOfTheMenuTableGetsItsText)
{
    logic.setLanguageResources();
    for (const MainMenuEntry& e : mainMenuEntries()) {
        const QString name = QString::fromLatin1(e.name);
        if (e.textId)
            EXPECT_EQ(view.texts.value(name), getResource(QString::fromLatin1(e.textId))) << e.name;
        else
            EXPECT_FALSE(view.texts.contains(name)) << e.name;
    }
    EXPECT_EQ(view.texts.value(channelLabelPanelName(4)), getResource(QStringLiteral("1506")));
    EXPECT_TRUE(view.texts.value(QStringLiteral("frmMDIMainForm")).startsWith(getResource(QStringLiteral("0001"))));
}

TEST_F(MainFormLogicTest, OnlyLoadedWindowsAreAskedAboutABattery)
{
    set("UsedCharger", QStringLiteral("KZT4"));
    view.loaded = {false, true, false, true, true};
    view.answers = {false, false, true, true, true};
    EXPECT_EQ(logic.isAkkuUsed(5), QStringLiteral("003"));
    EXPECT_EQ(view.calls, (QStringList{"ask 1", "ask 3"}));

    // A self-describing charger asks every channel it counted; the last answer counts.
    set("UsedCharger", QStringLiteral("KZTx"));
    set("KZTxChannelCount", QStringLiteral("4"));
    view.calls.clear();
    EXPECT_EQ(logic.resetAkkuId(5), QStringLiteral("004"));
    EXPECT_EQ(view.calls, (QStringList{"ask 1", "ask 3", "ask 4"}));
}

TEST_F(MainFormLogicTest, CloseQuestionStoresTheMenuMarksOnlyOnYes)
{
    set("UsedCharger", QStringLiteral("KZT4 48V"));
    set("Akku2Visible", QStringLiteral("NO"));
    view.checked[channelMenuItemName(2)] = true;
    int cancel = 0;
    messages.answer(MessageService::No);
    logic.queryUnload(cancel);
    EXPECT_EQ(cancel, 1);
    EXPECT_EQ(get("Akku2Visible"), QStringLiteral("NO"));

    messages.answer(MessageService::Yes);
    logic.queryUnload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(get("Akku1Visible") + get("Akku2Visible") + get("Akku3Visible") + get("Akku4Visible"),
              QStringLiteral("NOYESNONO"));
}
