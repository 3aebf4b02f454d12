#pragma once

#include "link/CommunicationProgram.h"
#include "link/EntwertList.h"

#include <QObject>
#include <QString>
#include <memory>

// The parsed answer to the status command of one channel. Each channel window
// keeps one record for its whole life and parses every status answer into it;
// fields a reply does not set keep the values of earlier replies.
//
// An answer that carries end values or a program instead of a status is handed
// on through the two signals below. They are emitted synchronously from inside
// splitRecievedString (the record is used on the UI thread only, so the default
// connection is a direct one): every handler has run when the call returns.
// The new record travels by std::shared_ptr, so a handler may keep it (take it
// as its current program or end-value list) for as long as it likes.
// A handler must not destroy the record itself (use deleteLater()); the parse
// touches nothing of the record after emitting.
class CommunicationResults : public QObject {
    Q_OBJECT
public:
    // Kinds of reply (iAntwortTyp).
    enum : qint16 {
        NoReply = -2,     // the link returned the empty text
        Unusable = -1,    // "-1" from the link, an unknown letter or code, a bad value element, no channel
        StatusReply = 2,  // status reply (with values for charging, discharging and "SM")
        EndwertReply = 3, // end values; sent with EndwertRecieved
        ProgramReply = 4, // a program instead of a status; sent with ProgramChanged, carries no status or values
        StatusWithoutValues = 11, // "SL", "SE" or "SM" without values
    };

    explicit CommunicationResults(QObject* parent = nullptr) : QObject(parent) {}

    QString strKanal;       // channel of the last usable reply, "001" .. "004"
    qint16 iFehlerCode = 0; // error or detail code of the last status reply
    qint16 iAntwortTyp = 0; // kind of the last reply, see above
    qint16 iStatusTyp = 0;  // 1 "SA" .. 7 error state, of the last status reply
    qint32 lKapazitaet = 0; // mAh so far
    qint32 lSpannung = 0;   // mV
    qint32 lStrom = 0;      // mA
    // The last reply was this channel's status reply with a status code the
    // program does not know (it is unusable, -1; the other fields keep what
    // they held).
    bool bUnknownStatus = false;

    // The record holds values that came with its last reply: a status reply
    // of kind 2 while charging, discharging or "SM" (those carry values, or
    // are of another kind). Other states, and the refusal a channel window
    // writes into the record, carry none: their fields are older values.
    bool hasValues() const { return iAntwortTyp == StatusReply && iStatusTyp >= 2 && iStatusTyp <= 4; }

    // Parses the payload the link returned (empty, "-1" or a reply ending
    // with ","); the caller's text is replaced by its trimmed form. Never
    // throws; every problem ends in iAntwortTyp -2 or -1.
    void splitRecievedString(QString& recieveString);
    void splitRecievedString(QString&& recieveString) { splitRecievedString(recieveString); }

Q_SIGNALS:
    // A program reply: the new program, parsed as a charger reply.
    void ProgramChanged(std::shared_ptr<CommunicationProgram> program);
    // An end-value reply: the new list, empty when its groups did not parse.
    void EndwertRecieved(std::shared_ptr<EntwertList> list);

private:
    void parseStatus(const QList<QStringView>& parts);
};
