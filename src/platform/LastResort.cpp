#include "platform/LastResort.h"

#include "platform/Terminator.h"

#include <cstdlib>
#include <exception>

namespace {
LastResort::Describer& describer()
{
    static LastResort::Describer d;
    return d;
}

bool g_failing = false;
} // namespace

void LastResort::setDescriber(Describer d)
{
    describer() = std::move(d);
}

void LastResort::fail(const QString& description)
{
    // A second failure while the first is shown (the box runs its own event
    // loop) ends the program without another box.
    if (!g_failing) {
        g_failing = true;
        FailureText::showCritical(FailureText::forBox(
            describer(), QStringLiteral("The program met an error it cannot recover from and ends now."), description));
        g_failing = false;
    }
    endProgram(1);
}

void LastResort::installTerminateHandler()
{
    std::set_terminate([] {
        const QString description = FailureText::describeCurrentException();
        try {
            fail(description);
        } catch (...) {
        }
        std::abort();
    });
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    return LastResort::run([&] { return QApplication::notify(receiver, event); });
}
