#pragma once

#include "platform/Database.h"
#include "platform/FailureText.h"
#include "platform/Terminator.h"

#include <QString>
#include <functional>
#include <utility>

// Every handler that reads or writes the databases (dialogs, menu commands,
// settings writes) runs through here. An exception that leaves a Qt slot ends
// the program; a failure caught here is shown to the user in their language and
// the program goes on.
namespace ErrorGuard {

// Turns a failure's own description into the text the user reads. The start-up
// installs one that uses the texts of the chosen language; until then (and in
// tests that install none) an English text is used.
using Describer = std::function<QString(const QString& description)>;
void setDescriber(Describer describer);

// Shows the failure (critical box through the message service).
void report(const QString& description);

// Runs f; returns false when it failed (the failure has been shown).
template <class F>
bool run(F&& f)
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const ProgramEndUnwind&) {
        // Ending the program is no failure to show.
        throw;
    } catch (...) {
        report(FailureText::describeCurrentException());
    }
    return false;
}

// Wraps a handler for connect(): connect(button, &QPushButton::clicked, this,
// ErrorGuard::slot([this] { ... }));
template <class F>
auto slot(F f)
{
    return [f = std::move(f)](auto&&...) mutable { run(f); };
}

} // namespace ErrorGuard
