#pragma once

#include <QString>
#include <QtGlobal>

class QLineEdit;

// Values of the charger are integers in milli-units. They are shown divided by
// 1000 as "###0.000": at least one digit before the decimal separator of the
// user's locale (QLocale()), exactly three after it, no grouping of thousands.
QString formatVoltage(qint32 millivolts);        // "1.234 V"
QString formatCurrent(qint32 milliamperes);      // "0.500 A"
QString formatCapacity(qint32 milliampereHours); // "-1.500 Ah"
// A text that reads as a number in the user's locale, with three decimals
// (rounded); any other text comes back unchanged.
QString formatThreeDecimals(const QString& text);

// Whether a numeric text box may hold this text. Neither accepts the empty
// text or a lone sign.
// Decimal: digits with at most one decimal separator of the user's locale and
// an optional leading minus, within single precision (no exponent, blank,
// grouping, "inf" or "nan").
bool isDecimalInputAccepted(const QString& text);
// Integer: no "." or ",", and a whole number in -32768 .. 32767.
bool isIntegerInputAccepted(const QString& text);

// Keystroke filters for numeric text boxes. Call them from the box's
// textEdited signal, which only the user's own typing raises (or connect them
// once with the connect functions below, which also track the box from the
// start). When the box's text is not accepted, the characters the user has
// just put in are taken back one by one from before the caret, until the text
// is accepted; this happens right after the current change notification has
// finished, so every textChanged handler sees the final text last.
//
// They only ever touch the box they were given, never take away text that
// was there before the user's edit, and never change text set by the program
// (setText), also when called for it.
//
// In a decimal box either decimal key (point or comma, also the keypad's)
// types the locale's decimal separator; an integer box refuses both.
void checkDecimalInput(QLineEdit* box);
void checkIntegerInput(QLineEdit* box);
void connectDecimalInputFilter(QLineEdit* box);
void connectIntegerInputFilter(QLineEdit* box);
