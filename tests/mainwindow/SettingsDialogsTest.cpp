// The language, charger and port dialogs from the settings menu: their
// confirmations, the end of the program after a confirmed change, and the
// port options.
#include "DialogFixture.h"

#include "mainwindow/dlgComPortSelection.h"
#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgFirstComPortSelection.h"
#include "mainwindow/dlgSprache.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/DataCombo.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {
class SettingsDialogsTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        setSetting("FirstStartup", QStringLiteral("NO"));
        form = std::make_unique<frmMDIMainForm>(services);
        dbVeluser.exec(
            QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, 'x')"));
    }
    void TearDown() override
    {
        form.reset();
        DialogFixture::TearDown();
    }
    std::unique_ptr<frmMDIMainForm> form;
};

// Records how a dialog was left: -1 while it is still open.
struct Finished {
    explicit Finished(QDialog& d)
    {
        QObject::connect(&d, &QDialog::finished, [this](int r) { result = r; });
    }
    int result = -1;
};
int outcome(QDialog&, Finished& f)
{
    return f.result;
}
} // namespace

TEST_F(SettingsDialogsTest, LanguageDialogConfirmations)
{
    { // OK without a change closes silently.
        dlgSprache d;
        Finished finished(d);
        EXPECT_EQ(d.languageAtOpening(), QStringLiteral("EN"));
        EXPECT_EQ(d.btnOk->text(), getResource(QStringLiteral("0100")));
        d.btnOk_Click();
        EXPECT_EQ(outcome(d, finished), QDialog::Accepted);
        EXPECT_TRUE(messages.shown.isEmpty());
    }
    { // Cancel on the warning keeps the dialog open; No on the question closes it.
        dlgSprache d;
        Finished finished(d);
        d.cboSprachAuswahl->selectValue(QStringLiteral("DE"));
        messages.answer(MessageService::Cancel);
        d.btnOk_Click();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("0411")));
        EXPECT_EQ(messages.shown[0].buttons, MessageService::OkCancel);
        EXPECT_EQ(messages.shown[0].icon, MessageService::Exclamation);
        EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0410")));
        EXPECT_EQ(outcome(d, finished), -1);

        messages.answer(MessageService::Ok);
        messages.answer(MessageService::No);
        d.btnOk_Click();
        ASSERT_EQ(messages.shown.size(), 3);
        EXPECT_EQ(messages.shown[2].text, getResource(QStringLiteral("1090")));
        EXPECT_EQ(messages.shown[2].buttons, MessageService::YesNo);
        EXPECT_EQ(messages.shown[2].icon, MessageService::Information);
        EXPECT_EQ(outcome(d, finished), QDialog::Rejected);
        EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("EN"));
    }
    EXPECT_EQ(terminator.calls, 0);
}

TEST_F(SettingsDialogsTest, LanguageStoredInSmallLettersIsPreselectedAndOkChangesNothing)
{
    setSetting("UsedLanguage", QStringLiteral("en"));
    objResources().setLanguageKey(QStringLiteral("en"));
    dlgSprache d;
    EXPECT_EQ(d.languageAtOpening(), QStringLiteral("EN"));
    EXPECT_EQ(d.btnOk->text(), getResource(QStringLiteral("0100")));
    EXPECT_NE(d.btnOk->text(), QStringLiteral("0100"));
    Finished finished(d);
    d.btnOk_Click();
    EXPECT_EQ(outcome(d, finished), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SettingsDialogsTest, ConfirmedLanguageChangeEndsWithoutCloseQuestion)
{
    setSetting("Akku2Visible", QStringLiteral("NO"));
    dlgSprache d;
    d.cboSprachAuswahl->selectValue(QStringLiteral("DE"));
    messages.answer(MessageService::Ok);
    messages.answer(MessageService::Yes);
    EXPECT_THROW(d.btnOk_Click(), ProgramTerminated);
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_EQ(messages.texts(),
              (QStringList{getResource(QStringLiteral("0411")), getResource(QStringLiteral("1090"))}));
    EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("DE"));
    // Channel visibility not saved: the unchecked menu items would have
    // turned channel 1 off.
    EXPECT_FALSE(form->mnuEinstellungenKanaeleKanal1->isChecked());
    EXPECT_EQ(setting("Akku1Visible"), QStringLiteral("YES"));
    EXPECT_EQ(setting("Akku2Visible"), QStringLiteral("NO"));
    EXPECT_EQ(tempRows(), 0);
    EXPECT_EQ(objLog, nullptr);
}

TEST_F(SettingsDialogsTest, ChargerDialogInSettingsMode)
{
    { // Unchanged: closes silently.
        dlgFirstCharger d;
        Finished finished(d);
        EXPECT_EQ(d.btnOk->text(), getResource(QStringLiteral("0100")));
        d.btnOk_Click();
        EXPECT_EQ(outcome(d, finished), QDialog::Rejected);
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    for (auto answers :
         {std::pair{MessageService::Cancel, MessageService::Yes}, std::pair{MessageService::Ok, MessageService::No}}) {
        dlgFirstCharger d;
        Finished finished(d);
        d.cboChargerSelection->selectValue(QStringLiteral("KZT1"));
        d.cboChargerSelection_Change();
        messages.shown.clear();
        messages.answer(answers.first);
        if (answers.first == MessageService::Ok)
            messages.answer(answers.second);
        d.btnOk_Click();
        EXPECT_EQ(outcome(d, finished), QDialog::Rejected);
        ASSERT_FALSE(messages.shown.isEmpty());
        EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("0206")));
        EXPECT_EQ(messages.shown[0].buttons, MessageService::OkCancel);
        EXPECT_EQ(messages.shown[0].icon, MessageService::Exclamation);
        EXPECT_EQ(messages.shown.size(), answers.first == MessageService::Ok ? 2 : 1);
        EXPECT_EQ(setting("UsedCharger"), QStringLiteral("KZT4"));
    }
    EXPECT_EQ(terminator.calls, 0);

    // Confirmed: the program ends with the new model.
    dlgFirstCharger d;
    d.cboChargerSelection->selectValue(QStringLiteral("KZT1"));
    d.cboChargerSelection_Change();
    messages.shown.clear();
    EXPECT_THROW(d.btnOk_Click(), ProgramTerminated);
    EXPECT_EQ(messages.texts(),
              (QStringList{getResource(QStringLiteral("0206")), getResource(QStringLiteral("1090"))}));
    EXPECT_EQ(setting("UsedCharger"), QStringLiteral("KZT1"));
    EXPECT_EQ(setting("Akku1Visible"), QStringLiteral("YES"));
    EXPECT_EQ(tempRows(), 0);
}

TEST_F(SettingsDialogsTest, ChargerDialogFollowsFirstStartupAtEveryStep)
{
    // Opened from the menu while the next start is set to ask again: OK
    // stores the model and asks for the port from here, Cancel ends.
    setSetting("FirstStartup", QStringLiteral("YES"));
    {
        dlgFirstCharger d;
        d.cboChargerSelection->selectValue(QStringLiteral("J4"));
        d.cboChargerSelection_Change();
        dialogs.then(as<dlgFirstComPortSelection>([](dlgFirstComPortSelection& p) {
            p.optCom[8]->setChecked(true);
            p.cmdOk_Click();
        }));
        d.btnOk_Click();
        EXPECT_EQ(dialogs.shown, QStringList{"dlgFirstComPortSelection"});
        EXPECT_EQ(setting("UsedCharger"), QStringLiteral("J4"));
        EXPECT_EQ(setting("ComPort"), QStringLiteral("9"));
        EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("Com Port: 9")));
        EXPECT_TRUE(messages.shown.isEmpty());
    }
    dlgFirstCharger d;
    EXPECT_THROW(d.btnCancel_Click(), ProgramTerminated);
    EXPECT_EQ(objLog, nullptr);
}

TEST_F(SettingsDialogsTest, PortPreselectionFollowsTheStoredNumber)
{
    const struct {
        const char* stored;
        int checked;
    } cases[] = {{"3", 3},  {"03", 3}, {" 10", 10}, {"11", 0},        {"0", 0},
                 {"-1", 0}, {"x", 0},  {"", 0},     {"/dev/pts/7", 0}};
    for (const auto& c : cases) {
        setSetting("ComPort", QLatin1String(c.stored));
        dlgComPortSelection d;
        int checked = 0;
        for (int i = 0; i < 10; ++i) {
            if (d.optCom[i]->isChecked()) {
                EXPECT_EQ(checked, 0) << "two options checked for " << c.stored;
                checked = i + 1;
            }
        }
        EXPECT_EQ(checked, c.checked) << c.stored;
    }
}

TEST_F(SettingsDialogsTest, PortChosenWithNothingCheckedKeepsAPathElseTwo)
{
    setSetting("ComPort", QStringLiteral("11"));
    {
        dlgComPortSelection d;
        EXPECT_EQ(d.getSelectedPort(), QStringLiteral("2"));
        d.cmdOk_Click();
        EXPECT_EQ(setting("ComPort"), QStringLiteral("2"));
    }
    setSetting("ComPort", QStringLiteral("/dev/pts/7"));
    dlgComPortSelection d;
    EXPECT_EQ(d.getSelectedPort(), QStringLiteral("/dev/pts/7"));
    d.cmdOk_Click();
    EXPECT_EQ(setting("ComPort"), QStringLiteral("/dev/pts/7"));
}

TEST_F(SettingsDialogsTest, PortOptionsNameTheirDevicesAndWhetherPresent)
{
    dlgFirstComPortSelection d;
    EXPECT_EQ(d.frameCom->objectName(), QStringLiteral("frameCom"));
    d.setPresentDevices({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyACM1")});
    const QStringList devices = {"/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3",   "/dev/ttyUSB0",
                                 "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3", "/dev/ttyACM0", "/dev/ttyACM1"};
    const QStringList ids = {"0602", "0604", "0606", "0608", "0612", "0614", "0616", "0618", "0620", "0622"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(d.optCom[i]->objectName(), QStringLiteral("optCom%1").arg(i + 1));
        const QString text = d.optCom[i]->text();
        EXPECT_TRUE(text.startsWith(getResource(ids[i]))) << text.toStdString();
        const bool present = i == 4 || i == 9;
        EXPECT_TRUE(text.endsWith(devices[i] + QLatin1Char(' ')
                                  + (present ? ComPortDialog::kPresentMark : ComPortDialog::kAbsentMark)))
            << text.toStdString();
    }
}

TEST_F(SettingsDialogsTest, PortDialogCancelEndsOnlyOnTheRecoveryRoad)
{
    setSetting("ComPort", QStringLiteral("5"));
    {
        dlgComPortSelection d;
        d.optCom[0]->setChecked(true);
        d.cmdCancel_Click();
        EXPECT_EQ(setting("ComPort"), QStringLiteral("5"));
        EXPECT_EQ(terminator.calls, 0);
    }
    dlgComPortSelection d;
    d.bStartup = true;
    EXPECT_THROW(d.cmdCancel_Click(), ProgramTerminated);
    // At once: no close question, the temporary values untouched.
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(tempRows(), 1);
    EXPECT_EQ(setting("ComPort"), QStringLiteral("5"));
}

TEST_F(SettingsDialogsTest, ListsTakeNoTypedCharacters)
{
    dlgSprache d;
    DataCombo& combo = *d.cboSprachAuswahl;
    int changed = 0;
    QObject::connect(&combo, &DataCombo::selectionChanged, [&changed] { ++changed; });
    ASSERT_EQ(combo.currentValue(), QStringLiteral("EN"));
    QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::NoModifier, QStringLiteral("G"));
    QCoreApplication::sendEvent(&combo, &g);
    EXPECT_EQ(combo.currentValue(), QStringLiteral("EN"));
    EXPECT_EQ(changed, 0);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&combo, &down);
    EXPECT_EQ(combo.currentValue(), QStringLiteral("DE"));
    EXPECT_EQ(changed, 1);
}
