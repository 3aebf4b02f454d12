#pragma once

#include <QString>
#include <optional>

// The print settings the report reads and the dialogs write, without widgets.
namespace PrintSettings {

inline constexpr double kMaxHeadAreaCm = 15;

// A header height as typed: a number of centimetres from 0 to 15, read in
// the user's locale (a plain "2.5" is taken too).
std::optional<double> parseHeadArea(const QString& text);

// The stored header height (a decimal setting, read in both its forms);
// nullopt when the setting holds no usable height.
std::optional<double> headAreaCm();
bool printDate();
QString subTitle();

// OK of the print-settings dialog: the date switch is stored whatever the
// height says; the height only when it is usable, in the one form of decimal
// settings whatever locale it was typed in. Returns the resource id
// of the message to show ("9032" empty, "9031" no height between 0 and 15),
// or an empty text when both were stored and the dialog may close.
QString apply(const QString& heightText, bool showDate);

} // namespace PrintSettings
