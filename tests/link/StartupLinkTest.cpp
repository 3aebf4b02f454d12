// Creating and re-creating the link at start-up: the port of the setting, the
// "1092" road with the port dialog as a loop, Cancel, and run-time errors.
#include "FakeCharger.h"
#include "TestSupport.h"

#include "core/ComPortDialogRunner.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "link/VelmoroComCommunication.h"
#include "platform/Recordset.h"

#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString missingPort = QStringLiteral("/nonexistent/ttyGone");

// A port dialog whose answers the test scripts: each run may store a port,
// then answers OK (true) or Cancel (false).
class ScriptedPortDialog : public ComPortDialogRunner {
public:
    std::vector<std::function<bool()>> answers;
    int runs = 0;
    bool runAfterFailedOpen() override
    {
        const size_t i = size_t(runs++);
        return i < answers.size() ? answers[i]() : false;
    }
};

class StartupLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.start());
        openCoreForTest(folder);
        objSettings().setSetting(QStringLiteral("ComPort"), fake.portPath());
    }
    void TearDown() override
    {
        objComCommunication.reset();
        closeCoreForTest();
    }
    void expect1092(int index) const
    {
        ASSERT_LT(index, messages.shown.size());
        const auto& m = messages.shown[index];
        EXPECT_EQ(m.text, getResource(QStringLiteral("1092")));
        EXPECT_EQ(m.icon, MessageService::Critical);
        EXPECT_EQ(m.buttons, MessageService::OkOnly);
        EXPECT_EQ(m.title, getResource(QStringLiteral("0120")));
    }

    TempProgramFolder folder;
    FakeCharger fake{2};
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
    ScriptedPortDialog dialog;
};

} // namespace

TEST_F(StartupLinkTest, OpensThePortOfTheSetting)
{
    openComCommunication();
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->portDevice(), fake.portPath());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
}

TEST_F(StartupLinkTest, FailedOpenAsksForAnotherPortUntilOneOpens)
{
    objSettings().setSetting(QStringLiteral("ComPort"), missingPort);
    TestServices withDialog(services, {.comPortDialog = &dialog});
    dialog.answers = {
        [] { return true; }, // OK without a usable port: asked again
        [&] {
            objSettings().setSetting(QStringLiteral("ComPort"), fake.portPath());
            return true;
        },
    };
    openComCommunication();
    EXPECT_EQ(dialog.runs, 2);
    ASSERT_EQ(messages.shown.size(), 2);
    expect1092(0);
    expect1092(1);
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("001")), QStringLiteral("001,M,SA,"));
}

TEST_F(StartupLinkTest, CancelInThePortDialogEndsTheProgram)
{
    objSettings().setSetting(QStringLiteral("ComPort"), missingPort);
    TestServices withDialog(services, {.comPortDialog = &dialog});
    dialog.answers = {[] { return false; }};
    try {
        openComCommunication();
        FAIL() << "the program should have ended";
    } catch (const ProgramTerminated& t) {
        EXPECT_EQ(t.exitCode, 0);
    }
    EXPECT_EQ(dialog.runs, 1);
    ASSERT_EQ(messages.shown.size(), 1);
    expect1092(0);
}

TEST_F(StartupLinkTest, WithoutAPortDialogTheProgramGoesOnWithoutALink)
{
    objSettings().setSetting(QStringLiteral("ComPort"), QStringLiteral("11"));
    openComCommunication();
    ASSERT_EQ(messages.shown.size(), 1);
    expect1092(0);
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_FALSE(objComCommunication->isComPortOpen());
    // The failure has been told; polls stay quiet.
    objComCommunication->setReplyTimeout(100);
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("001")), QString());
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(terminator.calls, 0);
}

TEST_F(StartupLinkTest, ReopenClosesTheOldPortSoTheNewLinkCanOpenIt)
{
    openComCommunication();
    ASSERT_TRUE(objComCommunication->isComPortOpen());
    // A second link cannot open a port that is still open...
    VelmoroComCommunication second(fake.portPath());
    EXPECT_FALSE(second.openComPort());
    // ...so re-creation closes the old one first.
    const VelmoroComCommunication* old = objComCommunication.get();
    reopenComCommunication();
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_NE(objComCommunication.get(), old);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
}

TEST_F(StartupLinkTest, ReopenFromAnEventDuringAWaitKeepsTheWaitingLinkAlive)
{
    openComCommunication();
    fake.injectFault(FakeFault::NoReply);
    objComCommunication->setReplyTimeout(500);
    VelmoroComCommunication* waiting = objComCommunication.get();
    // The port dialog's OK arrives while channel 1 waits with events running.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { reopenComCommunication(); }, Qt::QueuedConnection);
    EXPECT_EQ(waiting->getProgram(QStringLiteral("001"), true), QString());
    ASSERT_NE(objComCommunication.get(), waiting);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("002")), QStringLiteral("002,M,SA,"));
    EXPECT_TRUE(messages.shown.isEmpty());
    // The replaced link goes with the next re-creation.
    reopenComCommunication();
    EXPECT_TRUE(objComCommunication->isComPortOpen());
}

TEST_F(StartupLinkTest, RunTimeErrorWhileCreatingTheLinkIsReportedAndTheStartGoesOn)
{
    // A settings table that went away makes creating the link fail.
    dbVelmoro.exec(QStringLiteral("CREATE TABLE NoSuchTable (\"key\" TEXT, \"value\" TEXT)"));
    objSettings().setRsSettings(std::make_unique<Recordset>(dbVelmoro, QStringLiteral("SELECT * FROM NoSuchTable")));
    dbVelmoro.exec(QStringLiteral("DROP TABLE NoSuchTable"));
    openComCommunication();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("errhandler von generate serial connection"));
    EXPECT_EQ(messages.shown[0].buttons, MessageService::OkOnly);
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("NoSuchTable")));
    EXPECT_EQ(terminator.calls, 0);
    // The channels find a link all the same: one that answers nothing, quietly.
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_FALSE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("001")), QString());
    EXPECT_EQ(messages.shown.size(), 2);
}
