// A new user's first start, the whole way: splash over, language, charger
// model and port asked, then the main window with the model's channel windows
// talking to the fake charger.
#include "FakeCharger.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "core/velmoroLog.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/ComPortRecovery.h"
#include "mainwindow/FirstStartChain.h"
#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgFirstComPortSelection.h"
#include "mainwindow/dlgFirstSprache.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/DataCombo.h"

#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
class FirstStartRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start());
        // The model loads windows 3 and 4 too, which this charger leaves
        // unanswered: their requests need not wait long.
        savedTimeout = VelmoroComCommunication::defaultReplyTimeout();
        VelmoroComCommunication::setDefaultReplyTimeout(1500);
        // As the run command does when no charger is attached.
        folder.execOn(folder.velmoroPath(),
                      {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='ComPort'").arg(fake.portPath())});
        setProgramFolder(folder.path());
    }
    void TearDown() override
    {
        form.reset();
        objComCommunication.reset();
        closeCoreForTest();
        objLog.reset();
        VelmoroComCommunication::setDefaultReplyTimeout(savedTimeout);
    }
    static void choose(DataCombo& combo, const QString& value)
    {
        combo.selectValue(value);
        ASSERT_EQ(combo.currentValue(), value);
        Q_EMIT combo.selectionChanged();
    }

    TempProgramFolder folder;
    FakeCharger fake{2};
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    ScriptedDialogs dialogs;
    FirstStartChain chain;
    ComPortRecovery recovery;
    TestServices services{{.messages = &messages,
                           .dialogs = &dialogs,
                           .terminator = &terminator,
                           .comPortDialog = &recovery,
                           .firstStartDialogs = &chain}};
    std::unique_ptr<frmMDIMainForm> form;
    int savedTimeout = 0;
};
} // namespace

TEST_F(FirstStartRunTest, ShippedDatabaseWalksANewUserToTheChannelWindows)
{
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) {
        choose(*d.cboSprachAuswahl, QStringLiteral("DE"));
        d.btnOk->click();
    }));
    dialogs.then(as<dlgFirstCharger>([](dlgFirstCharger& d) {
        choose(*d.cboChargerSelection, QStringLiteral("KZT4 48V"));
        d.btnOk->click();
    }));
    dialogs.then(as<dlgFirstComPortSelection>([](dlgFirstComPortSelection& d) { d.cmdOk->click(); }));

    form = std::make_unique<frmMDIMainForm>(services);
    form->MDIForm_Load();
    for (int n = 1; n <= 4; ++n)
        if (frmKanal* k = form->kanal(n))
            k->stopTimers();

    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("FirstStartup")), QStringLiteral("NO"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("UsedLanguage")), QStringLiteral("DE"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("UsedCharger")), QStringLiteral("KZT4 48V"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("ComPort")), fake.portPath());
    EXPECT_EQ(form->mnuDatei->title(), getResource(QStringLiteral("1000")));
    EXPECT_EQ(objResources().languageKey(), QStringLiteral("DE"));
    // The two channels of the model are shown and have talked to the charger.
    EXPECT_TRUE(form->isKanalShown(1));
    EXPECT_TRUE(form->isKanalShown(2));
    EXPECT_FALSE(form->isKanalShown(3));
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_TRUE(fake.frameLog().contains(QStringLiteral("002,W")));
}
