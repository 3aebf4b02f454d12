#pragma once

// The window that opened the program editor, as the editor sees it: after a
// program was sent to its channel the window starts the channel afresh.
class ProgramEditorParent {
public:
    virtual ~ProgramEditorParent() = default;
    virtual void resetForNewProgram() = 0;
};
