#pragma once

#include <QByteArray>
#include <QString>

// Types of the fake charger's interface (see FakeCharger.h).

// One end value of a charge ("SL") or discharge ("SE"), as an end-value reply
// carries it: ...,SL,K01234,T95,V01450[,Y00012][,X1][,P087],...
struct FakeEndValue {
    QString type = QStringLiteral("SL"); // any text is sent as it stands
    int capacity = 0;                    // mAh, K element (five digits)
    int minutes = 0;                     // T element (as many digits as it needs)
    int voltage = 0;                     // mV, V element (five digits)
    int selfDischarge = -1;              // mAh, Y element; -1 leaves it out
    int condition = -1;                  // X element digit (1 good); -1 leaves it out
    int percent = -1;                    // P element (three digits); -1 leaves it out
};

// What a channel reports to the status command.
struct FakeChannelState {
    // "SA" idle, "SL" charging, "SE" discharging, "SM", "SF" finished,
    // "SW" waiting, or an error state "SP", "SK", "SG", "SQT", "SQV", "SQR",
    // "SQU", "SQP", "SQS". Any other text is sent as it stands.
    QString status = QStringLiteral("SA");
    // Sent after "SA" and "SF" when not empty: "X2" or "X3".
    QString detail;
    // "SL", "SE" and "SM" carry current, voltage and capacity unless false.
    bool withValues = true;
    int current = 0;  // mA, sent as L (charging, "SM") or E (discharging) and five digits
    int voltage = 0;  // mV, V and five digits
    int capacity = 0; // mAh of the running phase, K and five digits
    // True while the channel simulates its program.
    bool running = false;
};

// Misbehaviour on demand, applied to the replies of the requests that match
// (see FakeCharger::injectFault).
enum class FakeFault {
    NoReply,      // the request is swallowed
    LateReply,    // the reply is held back: releaseLateReplies() sends it, or it goes out
                  // right before the reply to the next request
    Malformed,    // DC4 without its comma before the payload: the link reads "-1"
    Truncated,    // DC4 "," payload with no ETX: the link waits out its limit, then "-1"
    SplitReply,   // the reply is written in two pieces, a few milliseconds apart
    Noise,        // junk bytes before and after the reply frame
    OtherChannel, // the status reply of another channel instead
    Refuse,       // a status reply "SK" instead (the charger refuses the command)
    BadEcho,      // a program write is echoed with one digit changed
};

// One frame the fake charger received.
struct FakeFrame {
    QByteArray raw;                 // every byte from DC2 to ETX (and the CR when it came)
    QString body;                   // between "DC2," and ",ETX"; empty when not well-formed
    QString channel;                // first element of the body
    QString command;                // second element ("M", "D", "W", "G", "P")
    bool wellFormed = false;        // DC2 "," body "," ETX CR
    long long simulatedSeconds = 0; // the fake's clock when it arrived
};
