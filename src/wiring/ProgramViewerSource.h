#pragma once

#include <memory>

class CommunicationProgram;
class ControlReader;

// How the printout reaches the program viewer without knowing its window: the
// viewer offers a source (the program's services hold it), and the report
// asks it for a hidden instance of its own, filled with the program, never
// the one on screen. Without a source the report has no program values.
class ProgramViewerSource {
public:
    virtual ~ProgramViewerSource() = default;
    // A hidden viewer filled with the program, read by control name while the
    // returned reader lives; its end unloads the viewer. nullptr: no viewer.
    virtual std::unique_ptr<ControlReader> openFilled(const CommunicationProgram& program) = 0;
};
