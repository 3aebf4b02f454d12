#pragma once

#include "platform/UrlOpener.h"
#include "wiring/ProgramServices.h"

namespace TestServicesDetail {
// Pages go to Qt's desktop services, which a test catches (UrlCatcher);
// no test starts the system's opener unless it asks for it.
struct DesktopPages {
    UrlOpener desktopOpener{QStringList()};
};
} // namespace TestServicesDetail

// The program's services as a test builds them: the test's fakes where
// main.cpp gives the program's own. A part the test does not give is what
// ProgramServices::Parts names for it (real boxes, exec(), the process's
// end, no dialogs after a failed port, this root's own main-window hosts),
// so a fixture gives at least its scripted messages and test terminator;
// pages, though, go to Qt's desktop services.
class TestServices : private TestServicesDetail::DesktopPages, public ProgramServices {
public:
    explicit TestServices(const Parts& parts) : ProgramServices(withOpener(parts, &desktopOpener)) {}
    // The services of base with the parts given here in their place, for part
    // of a test (a box that runs something while it is open, dialogs
    // scripted for a while); base's are back when this one ends.
    TestServices(const ProgramServices& base, const Parts& changes) : ProgramServices(merged(base.parts(), changes)) {}

private:
    static Parts withOpener(Parts parts, UrlOpener* opener)
    {
        if (!parts.urlOpener)
            parts.urlOpener = opener;
        return parts;
    }
    static Parts merged(Parts parts, const Parts& changes);
};
