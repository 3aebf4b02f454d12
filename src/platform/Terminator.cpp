#include "platform/Terminator.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
Terminator* g_terminator = nullptr;

std::vector<std::pair<QByteArray, std::function<void()>>>& cleanups()
{
    static std::vector<std::pair<QByteArray, std::function<void()>>> list;
    return list;
}
} // namespace

Terminator* Terminator::install(Terminator* terminator)
{
    Terminator* previous = g_terminator;
    g_terminator = terminator;
    return previous;
}

void Terminator::setCleanup(const char* name, std::function<void()> step)
{
    for (auto& entry : cleanups()) {
        if (entry.first == name) {
            entry.second = std::move(step);
            return;
        }
    }
    cleanups().emplace_back(QByteArray(name), std::move(step));
}

void Terminator::runCleanup()
{
    for (auto& entry : cleanups()) {
        if (!entry.second)
            continue;
        try {
            entry.second();
        } catch (...) {
            // Ending the program must not fail on a step that could not tidy up.
        }
    }
}

void ProcessTerminator::terminate(int exitCode)
{
    runCleanup();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void endProgram(int exitCode)
{
    static ProcessTerminator processEnd;
    (g_terminator ? *g_terminator : processEnd).terminate(exitCode);
    std::abort(); // a terminator that returns is a bug
}
