// The channel window's Program button against the fake charger: the editor
// opens for the window's channel with the program the channel runs, and a
// program the charger reports while it is open reaches it.
#include "ChannelFixtures.h"
#include "ScriptedDialogs.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "link/CommunicationProgram.h"
#include "link/CommunicationResults.h"
#include "programs/dlgVelmoroProgram.h"
#include "wiring/KanalProgramEditor.h"

#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

namespace {
class KanalProgramEditorTest : public FakeChargerWindowFixture {
protected:
    void start() { startMainWindow(QStringLiteral("KZT4")); }
    static QString box(QDialog& d, const char* name)
    {
        auto* e = d.findChild<QLineEdit*>(QString::fromLatin1(name));
        return e ? e->text() : QStringLiteral("<missing>");
    }
    // Looks at the modal dialog instead of running it.
    ScriptedDialogs dialogs;
    TestServices inspecting{services, {.dialogs = &dialogs}};
};
} // namespace

TEST_F(KanalProgramEditorTest, ProgramButtonShowsTheChannelsRunningProgram)
{
    fake.setProgram(3, QStringLiteral("003,P,A02,M07,Z08,P090,F0,W30,K01500,L01200,E00300,V09600,D08000,YH012"));
    start();
    frmKanal* window = form->kanal(3);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->logic().commProgram->iMode, 7);

    bool inspected = false;
    dialogs.then([&](QDialog& d) {
        d.setResult(QDialog::Rejected);
        auto* editor = qobject_cast<dlgVelmoroProgram*>(&d);
        ASSERT_NE(editor, nullptr);
        inspected = true;
        EXPECT_TRUE(window->logic().bProgramDialogOpen);
        EXPECT_EQ(d.windowTitle(), r("0900") + QStringLiteral(" 3"));
        EXPECT_EQ(editor->controlText(QStringLiteral("cboAkkuType")), r("3002"));
        EXPECT_EQ(editor->controlText(QStringLiteral("cboZellenzahl")), QStringLiteral("8"));
        EXPECT_EQ(editor->controlText(QStringLiteral("cboGeraeteModi")), r("3107"));
        EXPECT_EQ(box(d, "txtLadestrom"), QStringLiteral("1.200"));
        EXPECT_EQ(box(d, "txtEntladestrom"), QStringLiteral("0.300"));
        EXPECT_EQ(box(d, "txtKapazitaetAh"), QStringLiteral("1.500"));
        EXPECT_EQ(box(d, "txtKapazitaetProzent"), QStringLiteral("90"));
        EXPECT_EQ(box(d, "txtSelbstentladungsZeitraum"), QStringLiteral("12"));
        EXPECT_TRUE(editor->isChecked(QStringLiteral("optSelbstentladungStunden")));
        EXPECT_TRUE(editor->isControlVisible(QStringLiteral("chkSelbstentladung")));
        EXPECT_FALSE(editor->isControlVisible(QStringLiteral("txtZeitraum")));
        // The program edited is the channel's own record.
        EXPECT_EQ(editor->logic().program().get(), window->logic().commProgram.get());
        const ProgramStringResult built = editor->logic().buildProgramString();
        EXPECT_EQ(built.text, QStringLiteral("003,P,A02,M07,Z08,P090,F0,W30,K01500,L01200,E00300,V09600,D08000,YH012"
                                             ",S1,C0,B0,H0,N100"));

        // The charger answers a poll with another program while the editor is open.
        QString reply = QStringLiteral("003,P,A01,M01,Z04,F0,W30,L00800,E00500,V04800,D04000,G1,");
        window->logic().comResults()->splitRecievedString(reply);
        ASSERT_NE(editor->reportedProgram(), nullptr);
        EXPECT_EQ(editor->reportedProgram()->iMode, 1);
        // The user's fields stay until the editor asks.
        EXPECT_EQ(box(d, "txtLadestrom"), QStringLiteral("1.200"));
    });
    window->findChild<QPushButton*>(QStringLiteral("cmdProgram"))->click();
    EXPECT_TRUE(inspected);
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_FALSE(window->logic().bProgramDialogOpen);
    EXPECT_TRUE(messages.shown.isEmpty());
}

namespace {
struct RecordingEditor : KanalProgramEditor {
    void programChangedFromOutside(const std::shared_ptr<CommunicationProgram>& program) override
    {
        received.push_back(program);
    }
    std::vector<std::shared_ptr<CommunicationProgram>> received;
};
} // namespace

TEST_F(KanalLogicFixture, ReportedProgramReachesTheEditorOnlyWhileItIsOpen)
{
    link.programFallback = QStringLiteral("002,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,");
    link.statusFallback = QStringLiteral("002,M,SA,");
    logic = std::make_unique<KanalLogic>(2, host, view, &link);
    logic->Form_Load();
    logic->stopTimers();
    RecordingEditor editor;
    logic->setProgramEditor(&editor);
    auto report = [&](const char* text) {
        QString reply = QString::fromLatin1(text);
        logic->comResults()->splitRecievedString(reply);
    };

    report("002,P,A03,M02,Z02,F0,W30,L01000,E00500,V07200,D05400,G1,");
    EXPECT_TRUE(editor.received.empty()); // no editor open
    logic->bProgramDialogOpen = true;
    report("002,P,A03,M02,Z02,F0,W30,L01000,E00500,V07200,D05400,G1,");
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0].get(), logic->commProgram.get());
    EXPECT_EQ(editor.received[0]->iMode, 2);
    // Another channel's program is not this editor's business.
    report("003,P,A03,M04,Z02,F0,W30,L01000,E00500,V07200,D05400,G1,");
    EXPECT_EQ(editor.received.size(), 1u);
}
