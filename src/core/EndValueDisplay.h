#pragma once

// What the channel windows and the stored series window show of a program and
// of the end values of a series: the same texts and the same list rows, so a
// report printed from either reads alike.

#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>
#include <vector>

class CommunicationProgram;
class EntwertList;
struct CommunicationEndwert;

namespace EndValueDisplay {

// One row of an end-value list: number, Ah, V and minutes in fixed columns
// (30 characters while every value fits its column). A value a little wider
// than its column is shown whole in the blanks before the next column; one
// that would push the next column out of place is shown as "######". The
// minutes, the last column, may run on.
QString formatEndValueLine(int number, const CommunicationEndwert& endwert);
// Where the number, Ah, Volt and minute columns of such a row end, in
// characters (the number's ". " leaves its last column blank), and the length
// of a whole row: the headings above the lists stand at these ends.
inline constexpr std::array<int, 4> kEndValueColumnEnds{3, 14, 24, 30};
inline constexpr int kEndValueLineLength = 30;

// Name of a battery type: type 5 (preset end voltages) has a text of its own,
// any other the name of its row among the usable types; empty for a type
// without a row.
QString batteryTypeText(qint16 iAkkuTyp);
// Name of the program's device mode; empty for a mode without a row.
QString modeText(const CommunicationProgram& program);
// The nominal capacity of the program, "---" when it has none.
QString capacityText(const CommunicationProgram& program);

struct Row {
    QString text;
    qint32 itemData = 0;
};

// Both end-value lists and the battery condition and self-discharge that the
// last end value decides.
struct Lists {
    std::vector<Row> laden;
    std::vector<Row> entladen;
    bool conditionVisible = false;
    QString conditionText; // empty while hidden
    bool selfDischargeVisible = false;
    QString selfDischargeText; // empty while hidden
};

// Row k of both lists belongs to the same cycle: a series that begins with a
// discharge gets the placeholder "---" (item data 0) as its first charge row.
// itemData picks what each row carries (the channel's stored row, a stored
// series' value id). An empty list gives empty lists and hidden texts.
Lists buildLists(const EntwertList& endValues, const std::function<qint32(const CommunicationEndwert&)>& itemData);

} // namespace EndValueDisplay
