#pragma once

#include <QString>

// The two conversations the program editor holds with the charger. The shared
// link object stands behind the default one; tests script the replies.
class ProgramLink {
public:
    virtual ~ProgramLink() = default;
    // Payload of the reply, "" for no reply, "-1" for a malformed one.
    virtual QString getProgram(const QString& strFrom, bool noKzt) = 0;
    virtual QString sendProgram(const QString& strProgram) = 0;
};

// The link the editor uses unless it is given another.
ProgramLink& sharedProgramLink();
