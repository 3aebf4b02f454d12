#pragma once

#include "platform/FailureText.h"

#include <QApplication>
#include <QString>
#include <functional>
#include <utility>

// The program's last line: an exception that no handler caught (one leaving a
// slot, a timer or the start-up) is shown and the program ends through the
// terminator, so the databases are closed in order and no failure ends the
// program without a word.
namespace LastResort {

// Turns a failure's own description into the text the user reads; returns ""
// while no texts are available, and an English text is shown instead.
using Describer = std::function<QString(const QString& description)>;
void setDescriber(Describer describer);

// Shows the failure (critical box) and ends the program with exit code 1.
[[noreturn]] void fail(const QString& description);

// Runs f and hands whatever escapes it to fail().
template <class F>
auto run(F&& f) -> decltype(f())
{
    try {
        return std::forward<F>(f)();
    } catch (...) {
        fail(FailureText::describeCurrentException());
    }
}

// Anything that still reaches std::terminate is shown the same way.
void installTerminateHandler();

} // namespace LastResort

// Every event of the program is delivered through LastResort::run.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
