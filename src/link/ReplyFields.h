#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

// Small pieces shared by the reply records: the charger's texts are split at
// "," and each element is read by its first letter and its last digits.
namespace ReplyFields {

// Removes leading and trailing blanks (spaces only), as the charger pads with them.
QString trimBlanks(const QString& text);

// "001" .. "004".
bool isChannelId(QStringView element);

// The last n characters, or the whole element when it is not longer than n
// (the letter then becomes part of the number, and the number does not convert).
QStringView rightChars(QStringView element, qsizetype n);

// The first character is exactly this letter.
bool startsWith(QStringView element, QChar letter);

// A value element of a reply or stored program: one or more ASCII digits and
// nothing else (no sign, no blank). False when it does not convert or does
// not fit the range.
bool readDigits(QStringView text, qint64 max, qint64& value);
bool readLong(QStringView text, qint32& value);
bool readInteger(QStringView text, qint16& value);

// A measured value of a status or end-value reply: the last n characters of
// the element after its letter, with a leading minus allowed ("E-2000",
// "E-02000": a discharge current; "V01450"). Only the last n characters count,
// so a longer element loses its leading digits but not its sign; an element
// of n characters or fewer holds its letter in them and does not convert.
bool readSignedValue(QStringView element, qsizetype n, qint32& value);

// What reading a number of the device information gave.
enum class NumberRead { Ok, NotNumber, OutOfRange };
// Digits with an optional leading sign; a number too large for min..max is
// OutOfRange, not NotNumber.
NumberRead readSignedNumber(QStringView text, qint64 min, qint64 max, qint64& value);

} // namespace ReplyFields
