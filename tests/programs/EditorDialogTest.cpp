// The editor's widgets: every control under its name, the user's own actions
// reaching the logic, the focus-change range check, and a database failure
// that leaves the dialog usable.
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "link/CommunicationProgram.h"
#include "platform/DataCombo.h"
#include "platform/FocusValidator.h"
#include "programs/dlgAkkuSpeichern.h"
#include "programs/dlgVelmoroProgram.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
class EditorDialogTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        openGlobalRecordsets();
    }
    static std::shared_ptr<CommunicationProgram> program(const char* text)
    {
        auto p = std::make_shared<CommunicationProgram>();
        p->splitRecievedString(QString::fromLatin1(text), false);
        return p;
    }
};
} // namespace

TEST_F(EditorDialogTest, EveryControlCarriesItsName)
{
    dlgVelmoroProgram d;
    for (const char* name :
         {"lblAkkuprogrammWaehlen", "lblZellenzahl", "lblNennSpannung", "lblLadeSchlussSpannung",
          "lblEntladeschlussSpannung", "lblVoltLade", "lblVoltEntl", "lblEntladestrom", "lblLadestrom",
          "lblAmpereLaden", "lblAmpereEntladen", "lblMode", "lblZeitraum", "lblSelbstentladungNach", "lblKapazitaetAh",
          "lblKapazitaetProzent1", "lblKapazitaetProzent2", "lblEnladeStromC", "lblLadeStromC"})
        EXPECT_NE(d.findChild<QLabel*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"cmdProgrammHolen", "cmdExtendedModus", "cmdSendButton", "cmdSendToAll", "cmdDeleteButton",
                             "cmdSaveAsButton", "cmdCancelButton"})
        EXPECT_NE(d.findChild<QPushButton*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"frameAkku1", "frameAkku2", "Frame3"})
        EXPECT_NE(d.findChild<QGroupBox*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"optAkkuTyp", "optVorgSpannung", "optSelbstentladungStunden", "optSelbstentladungTage"})
        EXPECT_NE(d.findChild<QRadioButton*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"chkSollKapazitaet", "chkSelbstentladung"})
        EXPECT_NE(d.findChild<QCheckBox*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom", "txtEntladestrom",
                             "txtKapazitaetAh", "txtKapazitaetProzent", "txtZeitraum", "txtSelbstentladungsZeitraum"})
        EXPECT_NE(d.findChild<QLineEdit*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"cboAkkuProgram", "cboAkkuType", "cboGeraeteModi", "cboModeZyklus", "cboZellenzahl",
                             "cboNennSpannung", "cboLadeStromC", "cboEntladeStromC"})
        EXPECT_NE(d.findChild<DataCombo*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(d.windowTitle(), getResource(QStringLiteral("0900")));
    // Delete waits for a chosen program; sending to every channel for the channel windows.
    for (const char* name : {"cmdProgrammHolen", "cmdSendButton", "cmdSaveAsButton", "cboAkkuProgram"})
        EXPECT_TRUE(d.findChild<QWidget*>(QString::fromLatin1(name))->isEnabled()) << name;
    for (const char* name : {"cmdDeleteButton", "cmdSendToAll"})
        EXPECT_FALSE(d.findChild<QWidget*>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(d.findChild<QWidget*>(QStringLiteral("cmdCancelButton"))->isEnabled());
}

TEST_F(EditorDialogTest, UsersChoicesReachTheLogic)
{
    dlgVelmoroProgram d;
    d.setGeraeteNr(QStringLiteral("002"));
    d.setProgram(program("002,P,A02,M03,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400"));
    d.initDialog();
    auto* rates = d.findChild<DataCombo*>(QStringLiteral("cboLadeStromC"));
    auto* current = d.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"));
    ASSERT_TRUE(rates->isVisibleTo(&d));
    EXPECT_EQ(rates->currentIndex(), -1);
    // The user picks "1 C" with 2 Ah.
    rates->setCurrentIndex(5);
    Q_EMIT rates->activated(5);
    EXPECT_EQ(current->text(), QStringLiteral("2.000"));
    EXPECT_EQ(rates->currentIndex(), 5);

    // The user switches to the preset end voltages: the battery-type fields go.
    d.findChild<QRadioButton*>(QStringLiteral("optVorgSpannung"))->click();
    EXPECT_TRUE(d.findChild<QWidget*>(QStringLiteral("cboAkkuType"))->isHidden());
    EXPECT_FALSE(d.findChild<QWidget*>(QStringLiteral("txtLadeschlussSpannung"))->isHidden());
}

TEST_F(EditorDialogTest, NoEmptyFrameWhereTheModeHasNoSelfDischargeTest)
{
    dlgVelmoroProgram d;
    auto* frame = d.findChild<QGroupBox*>(QStringLiteral("Frame3"));
    d.setGeraeteNr(QStringLiteral("001"));
    // Mode 1 has no test, mode 7 has one; the other frames always have something to show.
    const struct {
        const char* program;
        bool frameShown;
    } cases[] = {
        {"001,P,A02,M03,Z06,F0,W30,L01000,E00500,V07200,D05400,YD014", false},
        {"001,P,A02,M07,Z06,F0,W30,L01000,E00500,V07200,D05400", true},
        {"001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        d.setProgram(program(c.program));
        d.initDialog();
        EXPECT_EQ(frame->isHidden(), !c.frameShown);
        EXPECT_FALSE(d.findChild<QGroupBox*>(QStringLiteral("frameAkku1"))->isHidden());
        EXPECT_FALSE(d.findChild<QGroupBox*>(QStringLiteral("frameAkku2"))->isHidden());
    }
}

TEST_F(EditorDialogTest, LeavingABoxChecksItsRangeAndKeepsTheFocusOnARefusal)
{
    dlgVelmoroProgram d;
    d.setGeraeteNr(QStringLiteral("001"));
    d.setProgram(program("001,P,A02,M03,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    d.initDialog();
    d.show();
    d.activateWindow();
    QApplication::processEvents();
    auto* charge = d.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"));
    auto* discharge = d.findChild<QLineEdit*>(QStringLiteral("txtEntladestrom"));
    charge->setFocus();
    ASSERT_TRUE(charge->hasFocus());

    charge->setText(QStringLiteral("50"));
    discharge->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(charge->hasFocus());
    EXPECT_EQ(charge->text(), QStringLiteral("50.000"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(getResource(QStringLiteral("0959"))));

    // Cancel closes whatever the box holds.
    d.findChild<QPushButton*>(QStringLiteral("cmdCancelButton"))->setFocus(Qt::MouseFocusReason);
    d.findChild<QPushButton*>(QStringLiteral("cmdCancelButton"))->click();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(EditorDialogTest, DatabaseFailureIsShownAndTheDialogStaysUsable)
{
    dbVeluser.close();
    dlgVelmoroProgram d;
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
    d.setGeraeteNr(QStringLiteral("001"));
    d.initDialog();
    EXPECT_EQ(d.windowTitle(), getResource(QStringLiteral("0900")) + QStringLiteral(" 1"));
    EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"))->text(), QStringLiteral("0.000"));
}

TEST_F(EditorDialogTest, SaveAsDialogHandsTheTrimmedNameToTheEditor)
{
    dbVeluser.exec(QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Alpha', '')"));
    dlgVelmoroProgram d;
    dlgAkkuSpeichern s(&d);
    s.setParentWin(&d);
    EXPECT_EQ(s.windowTitle(), getResource(QStringLiteral("0991")));
    s.Form_Activate();
    auto* list = s.findChild<QListWidget*>(QStringLiteral("lstSave"));
    auto* name = s.findChild<QLineEdit*>(QStringLiteral("txtSave"));
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    EXPECT_EQ(name->text(), QStringLiteral("Alpha"));
    name->setText(QStringLiteral("  Beta's "));
    s.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    EXPECT_EQ(d.logic().newProgramName(), QStringLiteral("Beta's"));
    EXPECT_EQ(s.result(), QDialog::Accepted);
}

TEST_F(EditorDialogTest, AReportedProgramIsAskedAboutOnlyAfterThePoll)
{
    dlgVelmoroProgram d;
    d.setGeraeteNr(QStringLiteral("001"));
    d.setProgram(program("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    d.initDialog();
    d.programChangedFromOutside(program("001,P,A02,M01,Z06,F0,W30,L02000,E00500,V07200,D05400"));
    d.programChangedFromOutside(program("001,P,A02,M01,Z06,F0,W30,L03000,E00500,V07200,D05400"));
    EXPECT_TRUE(messages.shown.isEmpty());
    messages.answer(MessageService::Yes);
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.texts(), QStringList{getResource(QStringLiteral("0996"))});
    EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"))->text(), QStringLiteral("3.000"));
}
