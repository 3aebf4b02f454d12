#pragma once

#include <QString>

// The conversations a channel window holds with the charger. The shared link
// object stands behind the default one; tests script the replies.
class KanalLink {
public:
    virtual ~KanalLink() = default;

    // Payload of the reply, "" for no reply, "-1" for a malformed one.
    virtual QString getStatus(const QString& strFrom) = 0;
    virtual QString getEndwert(const QString& strFrom) = 0;
    virtual QString getProgram(const QString& strFrom, bool noKzt) = 0;
    // A conversation is open (this call comes from events run during its
    // wait); a new one would get no reply.
    virtual bool isBusy() const = 0;
};

// The link every channel window uses unless it is given another.
KanalLink& sharedKanalLink();
