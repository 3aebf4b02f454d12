#include "channels/KanalStatusRule.h"

#include "link/CommunicationProgram.h"
#include "link/CommunicationResults.h"

namespace KanalStatusRule {

namespace {
using M = Measurement;
using V = Values;

struct StatusRow {
    qint16 iStatusTyp;
    // An idle or finished channel shows the condition of its battery.
    bool withCondition;
    Meaning meaning;
};

// Status replies 1 "SA" .. 6 "SW".
const StatusRow kStatus[] = {
    {1,
     true,
     {.statusText = "6010",
      .values = V::Clear,
      .measurement = M::Stopped,
      .endsRecording = true,
      .resetHeading = true,
      .newTempSeries = true}},
    {2, false, {.statusText = "6012", .values = V::Show, .measurement = M::Running}},
    {3, false, {.statusText = "6014", .values = V::Show, .measurement = M::Running}},
    {4, false, {.statusText = "6016", .measurement = M::Stopped, .endsRecording = true, .newTempSeries = true}},
    {5,
     true,
     {.statusText = "6018",
      .values = V::Clear,
      .stopFlashing = true,
      .measurement = M::Stopped,
      .endsRecording = true,
      .newTempSeries = true}},
    // Waiting ends the recording only in mode 6 (see meaning).
    {6, false, {.statusText = "6020", .values = V::Clear, .measurement = M::Stopped}},
};

struct FaultRow {
    qint16 iFehlerCode;
    Meaning meaning;
};

// The error state (7) by its code; any other code is a general fault.
const FaultRow kFaults[] = {
    {2, {.statusText = "0878", .measurement = M::Stopped}},
    {3, {.boxText = "0880", .boxMoreText = "0881"}},
    {4, {.statusText = "0882"}},
    {5, {.statusText = "0874", .measurement = M::Stopped, .endsRecording = true}},
    {6, {.boxText = "0876"}},
    {7, {.statusText = "0884"}},
    {8, {.statusText = "0886", .measurement = M::Stopped}},
    {9, {.statusText = "0888", .measurement = M::Stopped}},
};
const Meaning kOtherFault{.statusText = "6022", .measurement = M::Stopped, .newTempSeries = true};

const Meaning kNoReply{
    .clearProgram = true, .statusText = "6000", .values = V::Clear, .measurement = M::Stopped, .newTempSeries = true};

const char* conditionText(qint16 iFehlerCode)
{
    if (iFehlerCode == 10)
        return "0870";
    if (iFehlerCode == 11)
        return "0872";
    return nullptr;
}

Meaning statusMeaning(const CommunicationResults& comRes, qint16 programMode)
{
    if (comRes.iStatusTyp == 7) {
        for (const FaultRow& row : kFaults)
            if (row.iFehlerCode == comRes.iFehlerCode)
                return row.meaning;
        return kOtherFault;
    }
    for (const StatusRow& row : kStatus) {
        if (row.iStatusTyp != comRes.iStatusTyp)
            continue;
        Meaning m = row.meaning;
        if (row.withCondition)
            m.conditionText = conditionText(comRes.iFehlerCode);
        if (row.iStatusTyp == 6 && programMode == 6)
            m.endsRecording = true;
        return m;
    }
    return {};
}
} // namespace

void applyRefusal(CommunicationResults& comRes, const CommunicationProgram& program)
{
    if (program.iAkkuTyp != -4)
        return;
    comRes.iAntwortTyp = CommunicationResults::StatusReply;
    comRes.iStatusTyp = 7;
    comRes.iFehlerCode = 2;
}

Meaning meaning(const CommunicationResults& comRes, const QString& channelId, qint16 programMode)
{
    if (comRes.strKanal != channelId || comRes.iAntwortTyp == CommunicationResults::NoReply)
        return kNoReply;
    if (comRes.iAntwortTyp == CommunicationResults::StatusWithoutValues) {
        if (comRes.iStatusTyp == 2)
            return {.statusText = "6012"};
        if (comRes.iStatusTyp == 3)
            return {.statusText = "6014"};
        return {};
    }
    if (comRes.iAntwortTyp == CommunicationResults::Unusable && comRes.bUnknownStatus)
        return unknownStatus();
    if (comRes.iAntwortTyp != CommunicationResults::StatusReply)
        return {};
    return statusMeaning(comRes, programMode);
}

Meaning unknownStatus()
{
    return {.statusText = "6024", .values = V::Clear, .measurement = M::Stopped};
}

} // namespace KanalStatusRule
