#pragma once

#include <QString>

// The frames spoken with the charger, kept apart from the port so the rules
// can be checked without one.
//
//   command (written): DC2 "," body "," ETX CR
//   reply   (read):    DC4 "," payload "," ETX
namespace ComFraming {

inline constexpr char DC2 = 0x12;
inline constexpr char DC4 = 0x14;
inline constexpr char ETX = 0x03;
inline constexpr char CR = 0x0D;

// The frame that carries `body` to the charger.
QString buildCommandFrame(const QString& body);

// What one read brought in, turned into the link's result: the payload from
// the character after DC4 and its comma up to and including the comma before
// the first ETX; "" when nothing (or only blanks) came; "-1" when the first
// DC4 and the first ETX do not enclose a well-formed frame. Characters before
// the DC4 and everything after the first ETX are ignored.
QString decodeReplyFrame(const QString& buffer);

// True once a read has brought the end of a reply.
bool containsEndOfText(const QString& buffer);

// The channel identifier ("001" .. "004") that begins a reply payload; ""
// when its first element is none of these.
QString replyChannel(const QString& payload);

// When the buffer begins with a whole, well-formed reply frame whose payload
// answers a channel other than `channel` (a reply that came after its own
// time limit), removes that frame with whatever preceded it and returns true.
// A frame without a channel identifier, a malformed frame and an incomplete
// one stay.
bool dropReplyOfOtherChannel(QString& buffer, const QString& channel);

} // namespace ComFraming
