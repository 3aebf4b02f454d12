#pragma once

// The channel windows as the program editor sees them when it sends a
// program to every channel. The main window implements it.
class ProgramChannels {
public:
    virtual ~ProgramChannels() = default;
    // How many channels the charger model has: they are 1 .. that number.
    virtual int programChannelCount() const = 0;
    // The channel's window starts afresh for a new program; a channel without
    // a window is left alone.
    virtual void resetChannelForNewProgram(int channel) = 0;
};
