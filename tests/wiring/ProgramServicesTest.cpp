// The services root: what it hands the floors below while it lives, what it
// gives back at its end, and the main-window hosts before and after a main
// window attaches.
#include "TestSupport.h"

#include "core/ComPortDialogRunner.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupServices.h"
#include "core/programSettings.h"
#include "link/VelmoroComCommunication.h"
#include "platform/ModalDialogRunner.h"
#include "wiring/MainWindowHosts.h"

#include <QDialog>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
class CountingRunner : public ModalDialogRunner {
public:
    int run(QDialog&) override { return ++runs; }
    int runs = 0;
};

class NoPortDialog : public ComPortDialogRunner {
public:
    bool runAfterFailedOpen() override { return false; }
};

// A main window that notes what reaches it.
class NotingMainWindow : public MainFormServices, public DiagramHost, public RecordsHost {
public:
    QStringList calls;
    void setProgramExtensionSetting() override { calls << QStringLiteral("extension"); }
    void setLanguageResources() override { calls << QStringLiteral("language"); }
    void optimizeStatusbar() override { calls << QStringLiteral("statusbar"); }
    void ReloadWindowCaption() override { calls << QStringLiteral("caption"); }
    void loadChannelWindows() override { calls << QStringLiteral("load"); }
    void showChannelWindow1() override { calls << QStringLiteral("show1"); }
    void showChannelWindows2To4() override { calls << QStringLiteral("show2to4"); }
    void showMainForm() override { calls << QStringLiteral("show"); }
    void setCheckLadegeraet(bool check) override { calls << QStringLiteral("check %1").arg(check); }
    void setChannelMenuEnabled(int n, bool on) override { calls << QStringLiteral("enabled %1 %2").arg(n).arg(on); }
    void setChannelMenuChecked(int n, bool on) override { calls << QStringLiteral("checked %1 %2").arg(n).arg(on); }
    void closeMainForm() override { calls << QStringLiteral("close"); }
    void setNextTempMessreiheID(qint32 id) override { calls << QStringLiteral("next temp %1").arg(id); }
    void setVelmoroActiveForm(QWidget*) override { calls << QStringLiteral("active"); }
    void checkAndSetPrintItem(std::optional<bool>) override { calls << QStringLiteral("print"); }
    QString isAkkuUsed(qint32 id) override { return QStringLiteral("00%1").arg(id); }
    QString resetAkkuId(qint32) override { return QStringLiteral("001"); }
    void seriesWindowActivated(QWidget*) override { calls << QStringLiteral("series"); }
};
} // namespace

TEST(ProgramServicesTest, WhileItLivesTheFloorsBelowUseItsPartsAndGetTheOldOnesBackAtItsEnd)
{
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    CountingRunner runner;
    NoPortDialog portDialog;
    QDialog dialog;
    {
        TestServices services(
            {.messages = &messages, .dialogs = &runner, .terminator = &terminator, .comPortDialog = &portDialog});
        msgBox(QStringLiteral("outer"));
        EXPECT_EQ(execModal(dialog), 1);
        EXPECT_THROW(endProgram(3), ProgramTerminated);
        EXPECT_EQ(StartupServices::current().comPortDialog, &portDialog);
        EXPECT_EQ(StartupServices::current().firstStartDialogs, nullptr);
        EXPECT_EQ(StartupServices::current().mainForm, &services.mainWindow());

        // Part of a test with other boxes: the rest stays as it was.
        ScriptedMessages inner;
        {
            TestServices boxes(services, {.messages = &inner});
            msgBox(QStringLiteral("inner"));
            EXPECT_EQ(execModal(dialog), 2);
            EXPECT_EQ(&boxes.mainWindow(), &services.mainWindow());
            EXPECT_EQ(StartupServices::current().comPortDialog, &portDialog);
        }
        msgBox(QStringLiteral("outer again"));
        EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("outer"), QStringLiteral("outer again")}));
        EXPECT_EQ(inner.texts(), QStringList{QStringLiteral("inner")});
        EXPECT_EQ(terminator.calls, 1);
    }
    EXPECT_EQ(StartupServices::current().mainForm, nullptr);
    EXPECT_EQ(StartupServices::current().comPortDialog, nullptr);
}

TEST(ProgramServicesTest, WhatNobodyGivesIsTheProgramsOwnOrNone)
{
    ProgramServices services;
    EXPECT_NE(services.parts().messages, nullptr);
    EXPECT_NE(services.parts().dialogs, nullptr);
    EXPECT_NE(services.parts().terminator, nullptr);
    EXPECT_EQ(&services.recordsHost(), static_cast<RecordsHost*>(&services.mainWindow()));
    EXPECT_EQ(services.kanalDiagram(), nullptr);
    EXPECT_EQ(services.seriesDiagram(), nullptr);
    EXPECT_EQ(services.seriesProgramViewer(), nullptr);
    EXPECT_EQ(services.programViewerSource(), nullptr);
    // The link and the data under the names the program gives them.
    EXPECT_EQ(services.link(), objComCommunication.get());
    EXPECT_EQ(&services.velmoro(), &dbVelmoro);
    EXPECT_EQ(&services.veluser(), &dbVeluser);
    EXPECT_EQ(&services.settings(), &objSettings());
    EXPECT_EQ(&services.texts(), &objResources());
}

TEST(MainWindowHostsTest, ForwardToTheAttachedMainWindowAndAnswerAsWithoutOneOtherwise)
{
    MainWindowHosts hosts;
    NotingMainWindow window;
    // Before the main window is made: no channel uses a battery, nothing is told.
    EXPECT_EQ(hosts.isAkkuUsed(4), QStringLiteral("notUsed"));
    EXPECT_EQ(hosts.resetAkkuId(4), QStringLiteral("noReset"));
    hosts.ReloadWindowCaption();
    hosts.checkAndSetPrintItem(false);
    hosts.seriesWindowActivated(nullptr);
    EXPECT_FALSE(hosts.isAttached());

    hosts.attach(window, window, window);
    EXPECT_TRUE(hosts.isAttached());
    EXPECT_EQ(hosts.isAkkuUsed(4), QStringLiteral("004"));
    EXPECT_EQ(hosts.resetAkkuId(4), QStringLiteral("001"));
    hosts.setCheckLadegeraet(true);
    hosts.setChannelMenuEnabled(2, false);
    hosts.setVelmoroActiveForm(nullptr);
    hosts.seriesWindowActivated(nullptr);
    hosts.closeMainForm();
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("check 1"), QStringLiteral("enabled 2 0"),
                                         QStringLiteral("active"), QStringLiteral("series"), QStringLiteral("close")}));

    // Another window going detaches nothing; the attached one going does.
    NotingMainWindow other;
    hosts.detach(other);
    EXPECT_TRUE(hosts.isAttached());
    hosts.detach(window);
    EXPECT_FALSE(hosts.isAttached());
    hosts.showMainForm();
    EXPECT_EQ(window.calls.size(), 5);
    EXPECT_EQ(hosts.isAkkuUsed(4), QStringLiteral("notUsed"));
}
