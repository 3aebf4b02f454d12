#pragma once

#include <memory>

class CommunicationProgram;

// The program editor as a channel window sees it while the editor is open for
// its channel: it is told when the charger reports another program.
class KanalProgramEditor {
public:
    virtual ~KanalProgramEditor() = default;
    virtual void programChangedFromOutside(const std::shared_ptr<CommunicationProgram>& program) = 0;
};
