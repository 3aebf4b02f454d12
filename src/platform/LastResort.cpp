#include "platform/LastResort.h"

#include "platform/MessageService.h"
#include "platform/Terminator.h"

#include <QChar>
#include <cstdlib>

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
        QString text;
        try {
            if (describer())
                text = describer()(description);
        } catch (...) {
            text.clear();
        }
        if (text.isEmpty()) {
            text = QStringLiteral("The program met an error it cannot recover from and ends now.");
            if (!description.isEmpty())
                text += QString(2, QChar(13)) + description;
        }
        try {
            msgBox(text, MessageService::OkOnly, MessageService::Critical);
        } catch (...) {
        }
        g_failing = false;
    }
    endProgram(1);
}

void LastResort::installTerminateHandler()
{
    std::set_terminate([] {
        QString description;
        try {
            if (auto current = std::current_exception())
                std::rethrow_exception(current);
        } catch (const DatabaseError& e) {
            description = e.description();
        } catch (const std::exception& e) {
            description = QString::fromLocal8Bit(e.what());
        } catch (...) {
        }
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
