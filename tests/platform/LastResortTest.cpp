// The last line: a failure nothing else caught is shown and the program ends
// through the terminator, with exit code 1.
#include "TestSupport.h"

#include "platform/Database.h"
#include "platform/LastResort.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
class LastResortTest : public ::testing::Test {
protected:
    void TearDown() override { LastResort::setDescriber(nullptr); }
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
};
} // namespace

TEST_F(LastResortTest, EscapingFailureIsShownThenTheProgramEnds)
{
    EXPECT_EQ(LastResort::run([] { return 7; }), 7);
    EXPECT_TRUE(messages.shown.isEmpty());

    // Before the texts are open: an English text with the failure's own description.
    try {
        LastResort::run([]() -> int { throw DatabaseError(QStringLiteral("disk I/O error")); });
        FAIL() << "the program did not end";
    } catch (const ProgramTerminated& t) {
        EXPECT_EQ(t.exitCode, 1);
    }
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("The program met an error")));
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("disk I/O error")));

    // With texts: the user's language; a describer that fails falls back to English.
    LastResort::setDescriber([](const QString& d) { return QStringLiteral("Fehler: ") + d; });
    EXPECT_THROW(LastResort::run([] { throw std::runtime_error("kaputt"); }), ProgramTerminated);
    LastResort::setDescriber([](const QString&) -> QString { throw DatabaseError(QStringLiteral("texts gone")); });
    EXPECT_THROW(LastResort::run([] { throw 42; }), ProgramTerminated);
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Fehler: kaputt"));
    EXPECT_TRUE(messages.shown[2].text.startsWith(QStringLiteral("The program met an error")));
    EXPECT_EQ(terminator.calls, 3);
}

namespace {
// Writes what would be shown to stderr, where the death test can read it.
struct StderrMessages : MessageService {
    Result show(const QString& text, Buttons, Icon, const QString&) override
    {
        std::fprintf(stderr, "shown: %s\n", qPrintable(text));
        return Ok;
    }
};

void throwIt()
{
    throw std::runtime_error("escaped everything");
}
void (*volatile thrower)() = throwIt;

void callWithoutLettingAnythingOut() noexcept
{
    thrower();
}
} // namespace

TEST(LastResortDeathTest, ExceptionReachingTerminateIsShownAndEndsWithCodeOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StderrMessages shown;
            TestServices services({.messages = &shown});
            LastResort::installTerminateHandler();
            callWithoutLettingAnythingOut();
        },
        ::testing::ExitedWithCode(1), "shown: The program met an error.*escaped everything");
}
