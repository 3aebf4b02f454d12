#pragma once

class CommunicationProgram;

// The window that opened the extended options dialog and takes its result:
// the eight extended fields of the program handed over.
class ExtendedProgramReceiver {
public:
    virtual ~ExtendedProgramReceiver() = default;
    virtual void setExtendedProgram(const CommunicationProgram& p) = 0;
};
