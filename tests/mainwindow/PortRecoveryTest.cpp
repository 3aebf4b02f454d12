// The port dialog on its two roads against the fake charger: after a failed
// opening (a loop of message, dialog, new attempt) and from the settings menu.
#include "DialogFixture.h"
#include "FakeCharger.h"

#include "link/VelmoroComCommunication.h"
#include "mainwindow/ComPortRecovery.h"
#include "mainwindow/dlgComPortSelection.h"
#include "mainwindow/frmMDIMainForm.h"

#include <QPushButton>
#include <QRadioButton>

namespace {
const QString missingPort = QStringLiteral("/nonexistent/ttyGone");

class PortRecoveryTest : public DialogFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start());
        DialogFixture::SetUp();
        form = std::make_unique<frmMDIMainForm>(services);
    }
    void TearDown() override
    {
        objComCommunication.reset();
        form.reset();
        DialogFixture::TearDown();
    }
    int count1092() const { return int(messages.texts().count(getResource(QStringLiteral("1092")))); }

    FakeCharger fake{2};
    ComPortRecovery recovery;
    TestServices recovering{services, {.comPortDialog = &recovery}};
    std::unique_ptr<frmMDIMainForm> form;
};
} // namespace

TEST_F(PortRecoveryTest, AdapterPluggedInWhileTheDialogIsOpenIsTakenOnOk)
{
    setSetting("ComPort", fake.portPath());
    fake.pullOut();
    dialogs.then(as<dlgComPortSelection>([this](dlgComPortSelection& d) {
        EXPECT_TRUE(d.bStartup);
        // A device path checks no option; OK keeps it.
        for (QRadioButton* opt : d.optCom)
            EXPECT_FALSE(opt->isChecked());
        ASSERT_TRUE(fake.plugIn());
        d.cmdOk->click();
    }));
    openComCommunication();
    EXPECT_EQ(count1092(), 1);
    EXPECT_EQ(dialogs.shown, QStringList{"dlgComPortSelection"});
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("001")), QStringLiteral("001,M,SA,"));
    EXPECT_EQ(terminator.calls, 0);
}

TEST_F(PortRecoveryTest, EveryFailureShowsMessageAndDialogAgainUntilCancel)
{
    setSetting("ComPort", missingPort);
    // Two new attempts on ports that do not open, then Cancel ends at once.
    for (int i = 0; i < 2; ++i)
        dialogs.then(as<dlgComPortSelection>([](dlgComPortSelection& d) {
            objSettings().setSetting(QStringLiteral("ComPort"), missingPort + QStringLiteral("2"));
            d.cmdOk_Click();
        }));
    dialogs.then(as<dlgComPortSelection>([](dlgComPortSelection& d) { d.cmdCancel->click(); }));
    dbVeluser.exec(QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, 'x')"));
    EXPECT_THROW(openComCommunication(), ProgramTerminated);
    EXPECT_EQ(count1092(), 3);
    EXPECT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(dialogs.shown.size(), 3);
    EXPECT_EQ(tempRows(), 1); // ended at once, nothing emptied
    EXPECT_EQ(terminator.calls, 1);
}

TEST_F(PortRecoveryTest, MenuChoiceShowsThePortInTheTitleThenReopensTheLink)
{
    setSetting("ComPort", fake.portPath());
    openComCommunication();
    ASSERT_TRUE(objComCommunication->isComPortOpen());

    { // From the menu: OK on a path that does not open leads into the
        // recovery road, and the title already names the new port.
        dlgComPortSelection d(form.get());
        EXPECT_FALSE(d.bStartup);
        setSetting("ComPort", missingPort);
        dialogs.then(as<dlgComPortSelection>([this](dlgComPortSelection& again) {
            EXPECT_TRUE(again.bStartup);
            EXPECT_TRUE(form->windowTitle().contains(missingPort));
            objSettings().setSetting(QStringLiteral("ComPort"), fake.portPath());
            again.cmdOk_Click();
        }));
        d.cmdOk_Click();
    }
    EXPECT_EQ(count1092(), 1);
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
    EXPECT_TRUE(form->windowTitle().contains(fake.portPath()));

    // Cancel from the menu changes nothing and keeps the link.
    dlgComPortSelection d(form.get());
    d.optCom[5]->setChecked(true);
    d.cmdCancel_Click();
    EXPECT_EQ(setting("ComPort"), fake.portPath());
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(terminator.calls, 0);
}
