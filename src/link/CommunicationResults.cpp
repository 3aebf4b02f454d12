#include "link/CommunicationResults.h"

#include "link/ReplyFields.h"

#include <QStringList>

using namespace ReplyFields;

namespace {

struct StatusCode {
    const char16_t* code;
    qint16 status;
    qint16 error; // -1: taken from the element after the code ("X2"/"X3")
};

constexpr StatusCode kStatusCodes[] = {
    {u"SA", 1, -1}, {u"SL", 2, 0},  {u"SE", 3, 0},  {u"SM", 4, 0},  {u"SF", 5, -1},
    {u"SW", 6, 0},  {u"SP", 7, 1},  {u"SK", 7, 2},  {u"SG", 7, 3},  {u"SQT", 7, 4},
    {u"SQV", 7, 5}, {u"SQR", 7, 6}, {u"SQU", 7, 7}, {u"SQP", 7, 8}, {u"SQS", 7, 9},
};

} // namespace

void CommunicationResults::splitRecievedString(QString& recieveString)
{
    recieveString = trimBlanks(recieveString);
    bUnknownStatus = false;
    if (recieveString.isEmpty()) {
        iAntwortTyp = NoReply;
        return;
    }
    if (recieveString == QLatin1String("-1")) {
        iAntwortTyp = Unusable;
        return;
    }
    const QList<QStringView> parts = QStringView(recieveString).split(QLatin1Char(','));

    // A reply that names no channel cannot be told from another channel's
    // reply: nothing of it is taken, and no event is raised.
    if (!isChannelId(parts.at(0)) || parts.size() < 2) {
        iAntwortTyp = Unusable;
        return;
    }
    strKanal = parts.at(0).toString();

    const QStringView kind = parts.at(1);
    if (kind == u"M") {
        parseStatus(parts);
    } else if (kind == u"D") {
        iAntwortTyp = EndwertReply;
        auto list = std::make_shared<EntwertList>();
        list->evaluateSplitedMembers(parts); // on failure the list stays empty
        Q_EMIT EndwertRecieved(list);
    } else if (kind == u"P") {
        auto program = std::make_shared<CommunicationProgram>();
        QString text = recieveString;
        if (!program->splitRecievedString(text, true)) {
            iAntwortTyp = Unusable;
            return;
        }
        // Marked as a program reply, so that nothing is shown or recorded
        // from the status fields, which still hold an earlier reply.
        iAntwortTyp = ProgramReply;
        Q_EMIT ProgramChanged(program);
    } else {
        iAntwortTyp = Unusable;
    }
}

void CommunicationResults::parseStatus(const QList<QStringView>& parts)
{
    iAntwortTyp = StatusReply;
    if (parts.size() < 3) {
        iAntwortTyp = Unusable;
        return;
    }
    const QStringView code = parts.at(2);
    const StatusCode* found = nullptr;
    for (const StatusCode& s : kStatusCodes) {
        if (code == QStringView(s.code)) {
            found = &s;
            break;
        }
    }
    if (!found) {
        iAntwortTyp = Unusable;
        bUnknownStatus = !code.isEmpty();
        return;
    }
    iStatusTyp = found->status;
    if (found->error >= 0) {
        iFehlerCode = found->error;
    } else {
        iFehlerCode = 0;
        if (parts.size() >= 5) {
            if (parts.at(3) == u"X2")
                iFehlerCode = 11;
            else if (parts.at(3) == u"X3")
                iFehlerCode = 10;
        }
    }
    if (found->status < 2 || found->status > 4)
        return;

    // Charging, discharging and "SM": the three values. A reply whose value
    // elements are missing or empty has none, so old values are never
    // reported as new ones.
    if (parts.size() <= 4 || parts.at(3).isEmpty()) {
        iAntwortTyp = StatusWithoutValues;
        return;
    }
    // A wrong letter marks the reply unusable but does not stop the reading of
    // the next element; digits that are no number, or a missing element, end it.
    const QStringView current = parts.at(3);
    if (startsWith(current, QLatin1Char('L')) || startsWith(current, QLatin1Char('E'))) {
        if (!readSignedValue(current, 5, lStrom)) {
            iAntwortTyp = Unusable;
            return;
        }
    } else {
        iAntwortTyp = Unusable;
    }
    const QStringView voltage = parts.at(4);
    if (startsWith(voltage, QLatin1Char('V'))) {
        if (!readSignedValue(voltage, 5, lSpannung)) {
            iAntwortTyp = Unusable;
            return;
        }
    } else {
        iAntwortTyp = Unusable;
    }
    if (parts.size() <= 5) {
        iAntwortTyp = Unusable;
        return;
    }
    const QStringView capacity = parts.at(5);
    if (startsWith(capacity, QLatin1Char('K'))) {
        if (!readSignedValue(capacity, 5, lKapazitaet)) {
            iAntwortTyp = Unusable;
            return;
        }
    } else {
        iAntwortTyp = Unusable;
    }
}
