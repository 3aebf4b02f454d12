#pragma once

#include <functional>

// "End the program at once": the one road out of the process that skips every
// further window or object handler. Cleanup steps (closing the databases and
// the log) are registered once and run first; tests replace the terminator.
class Terminator {
public:
    virtual ~Terminator() = default;
    [[noreturn]] virtual void terminate(int exitCode) = 0;

    // Runs before the process ends, in the order registered. Replaces an
    // earlier step of the same name.
    static void setCleanup(const char* name, std::function<void()> step);
    static void runCleanup();

private:
    // The program's services root hands its terminator over while it lives,
    // and the previous one back at its end; only it may. Without one
    // endProgram ends the process.
    friend class ProgramServices;
    static Terminator* install(Terminator* terminator);
};

// A terminator that does not end the process (a test's) throws an exception
// derived from this instead; every handler's guard lets it pass, so "end the
// program" is never shown as a failure.
struct ProgramEndUnwind {
    virtual ~ProgramEndUnwind() = default;
};

class ProcessTerminator : public Terminator {
public:
    [[noreturn]] void terminate(int exitCode) override;
};

// Shorthand: end the program at once.
[[noreturn]] void endProgram(int exitCode = 0);
