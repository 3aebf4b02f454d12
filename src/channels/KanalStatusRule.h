#pragma once

#include <QString>
#include <QtGlobal>

class CommunicationProgram;
class CommunicationResults;

// What a status reply means for a channel window: what the window shows and
// what follows for the measurement, the recording and the temporary series.
// The window shows it through its display and applies the rest.
namespace KanalStatusRule {

enum class Values { Keep, Show, Clear };
enum class Measurement { Keep, Running, Stopped };

struct Meaning {
    // No reply: the program's fields and the remark are emptied.
    bool clearProgram = false;
    // Resource of the status text (box and status-bar panel); nullptr keeps it.
    const char* statusText = nullptr;
    Values values = Values::Keep;
    bool stopFlashing = false;
    // Resource of the battery condition; nullptr keeps it.
    const char* conditionText = nullptr;
    // A fault shown in a box after the tick: one text, or two with an empty
    // line between them.
    const char* boxText = nullptr;
    const char* boxMoreText = nullptr;
    Measurement measurement = Measurement::Keep;
    bool endsRecording = false;
    // The series heading goes back to "no series" at the next tick that does
    // not record.
    bool resetHeading = false;
    // The temporary series is complete; later values go into a new one.
    bool newTempSeries = false;
};

// The charger refused the program read: whatever the reply, the record then
// holds that refusal.
void applyRefusal(CommunicationResults& comRes, const CommunicationProgram& program);

// The meaning of the status record for the channel channelId ("001" ..
// "004"); programMode is the mode of the channel's running program.
Meaning meaning(const CommunicationResults& comRes, const QString& channelId, qint16 programMode);

// A status code the program does not know: the state is shown as unknown,
// not the last values as if they were current.
Meaning unknownStatus();

} // namespace KanalStatusRule
