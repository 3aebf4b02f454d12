// The splash window: its timer hands over to the main window; a key that
// types a character ends the program with nothing else opened, even though a
// splash window alone never makes the application quit when it closes.
#include "TestSupport.h"

#include "mainwindow/frmStartLogo.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <gtest/gtest.h>

namespace {
struct Splash {
    explicit Splash(int& opened) : window(new frmStartLogo([&opened] { ++opened; })) { window->show(); }
    ~Splash()
    {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QPointer<frmStartLogo> window;
};
} // namespace

TEST(StartLogoTest, CharacterKeyEndsTheProgramWithoutOpeningTheMainWindow)
{
    ThrowingTerminator terminator;
    TestServices services({.terminator = &terminator});
    int opened = 0;
    Splash splash(opened);
    EXPECT_THROW(splash.window->Form_KeyPress('q'), ProgramTerminated);
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_EQ(opened, 0);
    ASSERT_TRUE(splash.window);
    EXPECT_FALSE(splash.window->timerStartLogo.isActive());
    EXPECT_FALSE(splash.window->isVisible());
}

TEST(StartLogoTest, KeyWithoutCharacterIsIgnoredAndTheTimerOpensTheMainWindow)
{
    ThrowingTerminator terminator;
    TestServices services({.terminator = &terminator});
    int opened = 0;
    Splash splash(opened);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(splash.window, &down);
    EXPECT_EQ(terminator.calls, 0);
    EXPECT_TRUE(splash.window->timerStartLogo.isActive());

    splash.window->timerStartLogo_Timer();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(terminator.calls, 0);
}
