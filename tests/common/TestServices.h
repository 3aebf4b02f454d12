#pragma once

#include "wiring/ProgramServices.h"

// The program's services as a test builds them: the test's fakes where
// main.cpp gives the program's own. A part the test does not give is what
// ProgramServices::Parts names for it (real boxes, exec(), the process's
// end, no dialogs after a failed port, this root's own main-window hosts),
// so a fixture gives at least its scripted messages and test terminator.
class TestServices : public ProgramServices {
public:
    explicit TestServices(const Parts& parts) : ProgramServices(parts) {}
    // The services of base with the parts given here in their place, for part
    // of a test (a box that runs something while it is open, dialogs
    // scripted for a while); base's are back when this one ends.
    TestServices(const ProgramServices& base, const Parts& changes) : ProgramServices(merged(base.parts(), changes)) {}

private:
    static Parts merged(Parts parts, const Parts& changes);
};
