// The main window: title, menu texts, status-bar layout per charger model,
// the channel windows per model, their visibility and check marks, the usage
// queries and the print item.
#include "MainWindowParts.h"
#include "TestSupport.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"
#include "core/ProgramVersion.h"
#include "core/programSettings.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/PanelStatusBar.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <memory>

namespace {
void set(const char* key, const QString& value)
{
    objSettings().setSetting(QString::fromLatin1(key), value);
}
QString get(const char* key)
{
    return objSettings().getSetting(QString::fromLatin1(key));
}

class MainWindowTest : public CoreTest {
protected:
    void TearDown() override
    {
        form.reset();
        CoreTest::TearDown();
    }

    // A main window of the model, with its channel windows loaded and their
    // timers stopped so nothing runs behind the test's back.
    frmMDIMainForm& start(const QString& charger, const QString& kztxCount = QStringLiteral("1"))
    {
        set("UsedCharger", charger);
        set("KZTxChannelCount", kztxCount);
        form = mainWindowWithChannels(services);
        return *form;
    }

    // Which panels are shown / enabled, as "1L 1T 2L ..." for a compact compare.
    QString panels(bool enabled)
    {
        QStringList on;
        for (int n = 1; n <= 4; ++n) {
            for (const char* kind : {"Label", "Text"}) {
                const QString key = QStringLiteral("Kanal%1%2").arg(n).arg(QLatin1String(kind));
                const bool state = enabled ? form->stbFirstStatusbar->isPanelEnabled(key)
                                           : form->stbFirstStatusbar->isPanelVisible(key);
                if (state)
                    on << QStringLiteral("%1%2").arg(n).arg(QLatin1Char(kind[0]));
            }
        }
        return on.join(QLatin1Char(' '));
    }

    QString loadedWindows()
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += form->kanal(n) ? QString::number(n) : QStringLiteral("-");
        return s;
    }
    QString enabledItems()
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += form->channelMenuItem(n)->isEnabled() ? QString::number(n) : QStringLiteral("-");
        return s;
    }
    QString shownWindows()
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += form->isKanalShown(n) ? QString::number(n) : QStringLiteral("-");
        return s;
    }
    QString checkedItems()
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += form->channelMenuItem(n)->isChecked() ? QString::number(n) : QStringLiteral("-");
        return s;
    }
    void setLakku(int channel, qint32 id, bool recording, bool queued = false)
    {
        KanalLogic& l = form->kanal(channel)->logic();
        l.lAkkuId = id;
        l.bRecording = recording;
        l.bRecordingInQueue = queued;
    }

    std::unique_ptr<frmMDIMainForm> form;
};
} // namespace

TEST_F(MainWindowTest, StatusbarLayoutFollowsEveryModel)
{
    struct Case {
        const char* charger;
        const char* count;
        const char* visible;
        const char* enabled;
    } cases[] = {
        {"KZT1", "1", "1L 1T", "1L 1T 2L 2T 3L 3T 4L 4T"},
        {"KZT4", "1", "1L 1T 2L 2T 3L 3T 4L 4T", "1L 1T 2L 2T 3L 3T 4L 4T"},
        {"J4", "1", "1L 1T 2L 2T 3L 3T 4L 4T", "1L 1T 2L 2T 3L 3T 4L 4T"},
        {"KZT4 48V", "1", "1L 1T 2L 2T", "1L 1T 2L 2T"},
        {"KZTx", "2", "1L 1T 2L 2T", "1L 1T 2L 2T"},
        {"KZTx", "x", "1L 1T", "1L 1T"},
        // A count beyond the channels that exist addresses no panel that is not there.
        {"KZTx", "7", "1L 1T 2L 2T 3L 3T 4L 4T", "1L 1T 2L 2T 3L 3T 4L 4T"},
        {"kzt4", "1", "1L 1T 2L 2T 3L 3T 4L 4T", "1L 1T 2L 2T 3L 3T 4L 4T"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.charger) + " / " + c.count);
        start(QString::fromLatin1(c.charger), QString::fromLatin1(c.count));
        EXPECT_EQ(panels(false), QString::fromLatin1(c.visible));
        EXPECT_EQ(panels(true), QString::fromLatin1(c.enabled));
    }
}

TEST_F(MainWindowTest, SelfDescriptionWithFewerChannelsAppliesInFull)
{
    start(QStringLiteral("KZTx"), QStringLiteral("4"));
    EXPECT_EQ(panels(false), QStringLiteral("1L 1T 2L 2T 3L 3T 4L 4T"));
    set("KZTxChannelCount", QStringLiteral("2"));
    form->optimizeStatusbar();
    EXPECT_EQ(panels(false), QStringLiteral("1L 1T 2L 2T"));
    EXPECT_EQ(panels(true), QStringLiteral("1L 1T 2L 2T"));
}

TEST_F(MainWindowTest, TwoChannelModelHidesChannelsThreeAndFourForGood)
{
    start(QStringLiteral("KZT4 48V"));
    EXPECT_EQ(get("Akku3Visible"), QStringLiteral("NO"));
    EXPECT_EQ(get("Akku4Visible"), QStringLiteral("NO"));
    EXPECT_EQ(loadedWindows(), QStringLiteral("1234"));
    EXPECT_EQ(shownWindows(), QStringLiteral("12--"));
    EXPECT_EQ(enabledItems(), QStringLiteral("1234"));
    EXPECT_EQ(checkedItems(), QStringLiteral("12--"));
}

TEST_F(MainWindowTest, ChannelWindowsLoadedAndMenuItemsEnabledByModel)
{
    struct Case {
        const char* charger;
        const char* count;
        const char* loaded;
        const char* enabled;
    } cases[] = {
        {"KZT1", "4", "1---", "1---"},  {"KZT4", "1", "1234", "1234"}, {"J4", "1", "1234", "1234"},
        {"KZTx", "3", "123-", "123-"},  {"KZTx", "7", "1234", "1234"}, {"KZTx", "x", "1---", "1---"},
        {"Other", "4", "1---", "1---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.charger) + " / " + c.count);
        start(QString::fromLatin1(c.charger), QString::fromLatin1(c.count));
        EXPECT_EQ(loadedWindows(), QString::fromLatin1(c.loaded));
        EXPECT_EQ(enabledItems(), QString::fromLatin1(c.enabled));
        EXPECT_EQ(shownWindows(), QString::fromLatin1(c.loaded));
        EXPECT_EQ(checkedItems(), QString::fromLatin1(c.loaded));
    }
}

TEST_F(MainWindowTest, OnlyExactYesShowsAChannelWindow)
{
    set("Akku1Visible", QStringLiteral("yes"));
    set("Akku3Visible", QString());
    start(QStringLiteral("J4"));
    EXPECT_EQ(shownWindows(), QStringLiteral("-2-4"));
    EXPECT_EQ(checkedItems(), QStringLiteral("-2-4"));
    // Every window exists all the same and each drew its own temporary series.
    EXPECT_EQ(loadedWindows(), QStringLiteral("1234"));
    EXPECT_EQ(form->kanal(1)->logic().lTempMessReiheId, 1);
    EXPECT_EQ(form->kanal(4)->logic().lTempMessReiheId, 4);
}

TEST_F(MainWindowTest, ChannelVisibilityIsSavedPerModel)
{
    // Four-channel model: each setting from its check mark.
    start(QStringLiteral("KZT4"));
    form->kanal(2)->close();
    form->saveChannelVisibility();
    EXPECT_EQ(get("Akku1Visible") + get("Akku2Visible") + get("Akku3Visible") + get("Akku4Visible"),
              QStringLiteral("YESNOYESYES"));

    // One-channel model writes channel 1 only.
    set("Akku2Visible", QStringLiteral("YES"));
    start(QStringLiteral("KZT1"));
    form->channelMenuItem(1)->setChecked(false);
    form->saveChannelVisibility();
    EXPECT_EQ(get("Akku1Visible") + get("Akku2Visible"), QStringLiteral("NOYES"));

    // Self-describing with two channels: three and four are stored as hidden
    // even when their marks are set.
    start(QStringLiteral("KZTx"), QStringLiteral("2"));
    for (int n = 1; n <= 4; ++n)
        form->channelMenuItem(n)->setChecked(true);
    form->saveChannelVisibility();
    EXPECT_EQ(get("Akku1Visible") + get("Akku2Visible") + get("Akku3Visible") + get("Akku4Visible"),
              QStringLiteral("YESYESNONO"));

    // A count that is no number stores every channel as hidden.
    set("KZTxChannelCount", QStringLiteral("abc"));
    form->saveChannelVisibility();
    EXPECT_EQ(get("Akku1Visible") + get("Akku2Visible"), QStringLiteral("NONO"));
}

TEST_F(MainWindowTest, CloseQuestionYesSavesTheCheckMarks)
{
    start(QStringLiteral("J4"));
    form->kanal(3)->close();
    messages.answer(MessageService::Yes);
    int cancel = 1;
    form->MDIForm_QueryUnload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(get("Akku3Visible"), QStringLiteral("NO"));

    form->kanal(3)->subWindow()->show();
    form->channelMenuItem(3)->setChecked(true);
    messages.answer(MessageService::No);
    form->MDIForm_QueryUnload(cancel);
    EXPECT_EQ(cancel, 1);
    EXPECT_EQ(get("Akku3Visible"), QStringLiteral("NO"));
}

TEST_F(MainWindowTest, UsageQueriesAskTheChannelsOfTheModel)
{
    // A battery recorded on channels 2 and 3.
    start(QStringLiteral("KZT4"));
    setLakku(2, 7, true);
    setLakku(3, 7, false, true);
    EXPECT_EQ(form->isAkkuUsed(7), QStringLiteral("002"));
    EXPECT_EQ(form->isAkkuUsed(8), QStringLiteral("notUsed"));

    start(QStringLiteral("J4"));
    setLakku(2, 7, true);
    setLakku(3, 7, true);
    EXPECT_EQ(form->isAkkuUsed(7), QStringLiteral("002"));

    start(QStringLiteral("KZTx"), QStringLiteral("4"));
    setLakku(2, 7, true);
    setLakku(3, 7, true);
    EXPECT_EQ(form->isAkkuUsed(7), QStringLiteral("003"));

    // A battery held but not recorded counts as unused.
    setLakku(2, 7, false);
    setLakku(3, 7, false);
    EXPECT_EQ(form->isAkkuUsed(7), QStringLiteral("notUsed"));
}

TEST_F(MainWindowTest, ResetAkkuIdStopsAtTheFirstWindowExceptForSelfDescribingCharger)
{
    start(QStringLiteral("KZT4"));
    setLakku(1, 5, false);
    setLakku(2, 5, false);
    EXPECT_EQ(form->resetAkkuId(5), QStringLiteral("001"));
    EXPECT_EQ(form->kanal(1)->logic().lAkkuId, -1);
    EXPECT_EQ(form->kanal(2)->logic().lAkkuId, 5);
    EXPECT_EQ(form->resetAkkuId(9), QStringLiteral("noReset"));

    start(QStringLiteral("KZTx"), QStringLiteral("2"));
    setLakku(1, 5, false);
    setLakku(2, 5, false);
    EXPECT_EQ(form->resetAkkuId(5), QStringLiteral("002"));
    EXPECT_EQ(form->kanal(1)->logic().lAkkuId, -1);
    EXPECT_EQ(form->kanal(2)->logic().lAkkuId, -1);
}

TEST_F(MainWindowTest, TwoChannelModelResetsOnlyWindowsOneAndTwoButAsksAllForUse)
{
    start(QStringLiteral("KZT4 48V"));
    setLakku(3, 11, true);
    EXPECT_EQ(form->resetAkkuId(11), QStringLiteral("noReset"));
    EXPECT_EQ(form->kanal(3)->logic().lAkkuId, 11);
    EXPECT_EQ(form->isAkkuUsed(11), QStringLiteral("003"));

    start(QStringLiteral("KZT1"));
    setLakku(1, 11, true);
    EXPECT_EQ(form->isAkkuUsed(11), QStringLiteral("001"));
    EXPECT_EQ(form->resetAkkuId(11), QStringLiteral("001"));
}

TEST_F(MainWindowTest, UsageQueriesWithCountThatIsNoNumberAnswerEmpty)
{
    start(QStringLiteral("KZTx"), QStringLiteral("2"));
    setLakku(1, 3, true);
    set("KZTxChannelCount", QString());
    EXPECT_EQ(form->isAkkuUsed(3), QString());
    EXPECT_EQ(form->resetAkkuId(3), QString());
    EXPECT_EQ(form->kanal(1)->logic().lAkkuId, 3);
}

TEST_F(MainWindowTest, TemporarySeriesIdentifiersCountUpFromOne)
{
    frmMDIMainForm fresh(services);
    EXPECT_EQ(fresh.getNewTempMessreiheID(), 1);
    EXPECT_EQ(fresh.getNewTempMessreiheID(), 2);
    EXPECT_EQ(fresh.lNextTempMesswertID, 3);
    fresh.lNextTempMesswertID = std::numeric_limits<qint32>::max();
    EXPECT_THROW(fresh.getNewTempMessreiheID(), std::overflow_error);
}

TEST_F(MainWindowTest, TitleCarriesVersionChargerTextModelAndPort)
{
    // The version has one form everywhere; the build's version is its one source.
    EXPECT_EQ(programVersionText(QStringLiteral("1.03.0001")), QStringLiteral("1.31"));
    EXPECT_EQ(programVersionText(QStringLiteral("1.0.0")), QStringLiteral("1.00"));
    EXPECT_EQ(programVersionText(), programVersionText(QStringLiteral(VELMORO_VERSION)));
    set("UsedCharger", QStringLiteral("J4"));
    set("ChargerTextTop", QStringLiteral("Bench"));
    set("ComPort", QStringLiteral("3"));
    frmMDIMainForm f(services);
    f.ReloadWindowCaption();
    const QString expected = getResource(QStringLiteral("0001")) + QStringLiteral(" - ")
                             + getResource(QStringLiteral("0002")) + QLatin1Char(' ') + programVersionText()
                             + getResource(QStringLiteral("0003"))
                             + QStringLiteral("    Bench  velmoro J4    Com Port: 3");
    EXPECT_EQ(f.windowTitle(), expected);

    // A port that checks no option reads "2"; a device path stays a path.
    set("ComPort", QString());
    f.ReloadWindowCaption();
    EXPECT_TRUE(f.windowTitle().endsWith(QStringLiteral("Com Port: 2")));
    set("ComPort", QStringLiteral("/dev/pts/7"));
    f.ReloadWindowCaption();
    EXPECT_TRUE(f.windowTitle().endsWith(QStringLiteral("Com Port: /dev/pts/7")));
}

TEST_F(MainWindowTest, MenuTreeHasItsItemsInOrderWithTheirTexts)
{
    frmMDIMainForm f(services);
    f.setLanguageResources();
    QStringList top;
    for (QAction* a : f.menuBar()->actions())
        top << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(top, (QStringList{"mnuDatei=" + getResource("1000"), "mnuBearbeiten=" + getResource("1020"),
                                "mnuEinstellungen=" + getResource("1040"), "mnuFenster=" + getResource("1060"),
                                "mnuHelp=" + getResource("1080")}));
    QStringList settings;
    for (QAction* a : f.mnuEinstellungen->actions())
        settings << a->objectName();
    EXPECT_EQ(settings, (QStringList{"mnuEinstellungenKanaele", "mnuEinstellungenSeperator1", "mnuEinstellungenCOMPort",
                                     "mnuEinstellungenSeperator2", "mnuEinstellungenSprache", "mnuEinstellungenSep5",
                                     "mnuEinstellungenLadegeraet", "mnuEinstellungenSep", "mnuEinstellungenOptionen",
                                     "mnuEinstellungenSep6", "mnuPrintsettings"}));
    EXPECT_EQ(f.mnuPrintsettings->text(), getResource("9020"));
    EXPECT_EQ(f.mnuEinstellungenKanaeleKanal3->text(), getResource("1048"));
    EXPECT_EQ(f.mnuEinstellungenKanaeleKanal3->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    EXPECT_EQ(f.findChild<QAction*>(QStringLiteral("mnuHelpInfo")), f.mnuHelpInfo);
    // Items nobody sees.
    for (QAction* hidden : {f.mnuDateiImport->menuAction(), f.mnuDateiExport, f.mnuDateiFormatPage,
                            f.mnuFensterAlleFensterVerkleinern, f.mnuHelpIndex, f.mnuHelpWeb, f.mnuSeperatorHelp1})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    // Separators are drawn as lines, never as a "-" caption.
    for (QMenu* m : {f.mnuDatei, f.mnuBearbeiten, f.mnuEinstellungen, f.mnuHelp})
        for (QAction* a : m->actions()) {
            if (a->objectName().contains(QLatin1String("Sep"))) {
                EXPECT_TRUE(a->isSeparator() && a->text().isEmpty()) << a->objectName().toStdString();
            }
        }
    EXPECT_EQ(f.stbFirstStatusbar->panelText(QStringLiteral("Kanal3Label")), getResource("1504"));
    EXPECT_EQ(f.stbFirstStatusbar->keys(), (QStringList{"Kanal1Label", "Kanal1Text", "Kanal2Label", "Kanal2Text",
                                                        "Kanal3Label", "Kanal3Text", "Kanal4Label", "Kanal4Text"}));
}

TEST_F(MainWindowTest, ProgramExtensionSwitchCopiesTheModelsKey)
{
    set("KZT4ExtensionAvailable", QStringLiteral("YES"));
    set("KZT1ExtensionAvailable", QStringLiteral("NO"));
    set("KZT448VExtensionAvailable", QStringLiteral("maybe"));
    set("KZTxExtensionAvailable", QStringLiteral("YES"));
    frmMDIMainForm f(services);
    const struct {
        const char* charger;
        const char* value;
    } cases[] = {{"KZT4", "YES"}, {"KZT1", "NO"}, {"KZT4 48V", "maybe"}, {"KZTx", "YES"}, {"J4", "NO"}};
    for (const auto& c : cases) {
        set("UsedCharger", QString::fromLatin1(c.charger));
        f.setProgramExtensionSetting();
        EXPECT_EQ(get("ProgramExtensionAvaiable"), QString::fromLatin1(c.value)) << c.charger;
    }
}

TEST_F(MainWindowTest, LabelPanelShowsOrActivatesItsChannelTextPanelDoesNothing)
{
    set("Akku2Visible", QStringLiteral("NO"));
    start(QStringLiteral("KZT4"));
    form->show();
    EXPECT_EQ(shownWindows(), QStringLiteral("1-34"));

    Q_EMIT form->stbFirstStatusbar->panelClick(QStringLiteral("Kanal2Text"));
    EXPECT_EQ(shownWindows(), QStringLiteral("1-34"));

    Q_EMIT form->stbFirstStatusbar->panelClick(QStringLiteral("Kanal2Label"));
    EXPECT_EQ(shownWindows(), QStringLiteral("1234"));
    EXPECT_EQ(checkedItems(), QStringLiteral("1234"));

    // A shown window is brought to the front and its mark left alone.
    form->channelMenuItem(4)->setChecked(false);
    Q_EMIT form->stbFirstStatusbar->panelDblClick(QStringLiteral("Kanal4Label"));
    EXPECT_EQ(form->mdiArea()->activeSubWindow(), form->kanalSubWindow(4));
    EXPECT_FALSE(form->channelMenuItem(4)->isChecked());
}

TEST_F(MainWindowTest, ChannelMenuItemShowsOrActivatesButNeverHides)
{
    set("Akku3Visible", QStringLiteral("NO"));
    start(QStringLiteral("J4"));
    form->show();
    form->mnuEinstellungenKanaeleKanal3->trigger();
    EXPECT_EQ(shownWindows(), QStringLiteral("1234"));
    EXPECT_TRUE(form->mnuEinstellungenKanaeleKanal3->isChecked());
    form->mnuEinstellungenKanaeleKanal1->trigger();
    EXPECT_TRUE(form->mnuEinstellungenKanaeleKanal1->isChecked());
    EXPECT_EQ(shownWindows(), QStringLiteral("1234"));
    EXPECT_EQ(form->mdiArea()->activeSubWindow(), form->kanalSubWindow(1));
}

TEST_F(MainWindowTest, ClosedChannelWindowIsHiddenUncheckedAndKeepsPolling)
{
    start(QStringLiteral("KZT4"));
    form->show();
    frmKanal* k = form->kanal(2);
    k->logic().pollTimer.start();
    QMdiSubWindow* sub = k->subWindow();
    EXPECT_TRUE(sub->close() == false || sub->isHidden());
    EXPECT_TRUE(sub->isHidden());
    EXPECT_FALSE(form->channelMenuItem(2)->isChecked());
    EXPECT_EQ(form->kanal(2), k);
    EXPECT_TRUE(k->logic().pollTimer.isActive());
    EXPECT_TRUE(form->mdiArea()->subWindowList().contains(sub));
}

TEST_F(MainWindowTest, PrintItemFollowsTheActiveWindow)
{
    start(QStringLiteral("KZT4"));
    form->show();
    form->mdiArea()->setActiveSubWindow(form->kanalSubWindow(1));
    form->MDIForm_Activate();
    EXPECT_FALSE(form->mnuDateiPrint->isEnabled());
    form->mdiArea()->setActiveSubWindow(form->kanalSubWindow(3));
    EXPECT_EQ(form->velmoroActiveForm.data(), form->kanal(3));
    EXPECT_TRUE(form->mnuDateiPrint->isEnabled());

    form->checkAndSetPrintItem(true);
    EXPECT_TRUE(form->mnuDateiPrint->isEnabled());
    form->MDIForm_Activate();
    EXPECT_EQ(form->velmoroActiveForm.data(), nullptr);
    EXPECT_FALSE(form->mnuDateiPrint->isEnabled());
}
