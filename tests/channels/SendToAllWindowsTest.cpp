// Sending a program to every channel through the real main window: only the
// channels the charger model has are written and started afresh.
#include "ChannelFixtures.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/programSettings.h"
#include "link/CommunicationProgram.h"
#include "programs/ProgramExchange.h"
#include "programs/dlgVelmoroProgram.h"

#include <gtest/gtest.h>

namespace {
class SendToAllWindowsTest : public FakeChargerWindowFixture {
protected:
    void start(const QString& charger)
    {
        startMainWindow(charger, {QStringLiteral("UPDATE Optionen SET value='YES' WHERE key='SendAllVisible'")});
        fake.clearFrameLog();
    }
};

const QString kProgram = QStringLiteral(",P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
// The same as the editor writes it: the discharge-end voltage that a
// charge-only mode hides goes out as the program gave it.
const QString kSent = QStringLiteral(",P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
} // namespace

TEST_F(SendToAllWindowsTest, TheModelsChannelCountDecidesWhoIsAddressed)
{
    start(QStringLiteral("KZT4"));
    const struct {
        const char* charger;
        const char* count;
        int expected;
    } cases[] = {
        {"KZT1", "1", 1}, {"KZT4 48V", "1", 2}, {"KZT4", "1", 4}, {"J4", "1", 4},
        {"KZTx", "3", 3}, {"KZTx", "9", 4},     {"KZTx", "0", 1}, {"KZTx", "abc", 1},
    };
    for (const auto& c : cases) {
        objSettings().setSetting(QStringLiteral("UsedCharger"), QString::fromLatin1(c.charger));
        objSettings().setSetting(QStringLiteral("KZTxChannelCount"), QString::fromLatin1(c.count));
        EXPECT_EQ(form->programChannelCount(), c.expected) << c.charger << " " << c.count;
    }
}

TEST_F(SendToAllWindowsTest, TwoChannelModelWritesAndRestartsOnlyItsChannels)
{
    start(QStringLiteral("KZT4 48V"));
    dlgVelmoroProgram editor(form.get());
    editor.setGeraeteNr(QStringLiteral("002"));
    auto program = std::make_shared<CommunicationProgram>();
    program->splitRecievedString(QString(QStringLiteral("002") + kProgram), false);
    editor.setProgram(program);
    editor.setChannels(form.get());
    editor.initDialog();
    EXPECT_TRUE(editor.isControlEnabled(QStringLiteral("cmdSendToAll")));
    const bool window3 = form->kanal(3) != nullptr;
    const bool window4 = form->kanal(4) != nullptr;

    editor.exchange().cmdSendToAll_Click();

    const QStringList frames = fake.frameLog();
    ASSERT_GE(frames.size(), 2);
    EXPECT_EQ(frames.mid(0, 2), (QStringList{QStringLiteral("001") + kSent, QStringLiteral("002") + kSent}));
    EXPECT_EQ(fake.program(1), QStringLiteral("001") + kSent);
    EXPECT_EQ(fake.program(3), QStringLiteral("003,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400"));
    // Both windows read their channel afresh; channels 3 and 4 are never addressed.
    EXPECT_TRUE(frames.contains(QStringLiteral("001,W")));
    EXPECT_TRUE(frames.contains(QStringLiteral("002,W")));
    for (const QString& f : frames)
        EXPECT_FALSE(f.startsWith(QStringLiteral("003")) || f.startsWith(QStringLiteral("004"))) << f.toStdString();
    EXPECT_EQ(form->kanal(3) != nullptr, window3);
    EXPECT_EQ(form->kanal(4) != nullptr, window4);
    EXPECT_EQ(editor.logic().geraeteNr(), QStringLiteral("002"));
    EXPECT_EQ(messages.texts(), QStringList{r("0980")});
}
