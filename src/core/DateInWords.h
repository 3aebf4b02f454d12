#pragma once

#include <QDateTime>
#include <QString>

// A date written in words in the program's language (the language its texts
// are in, from the setting UsedLanguage): month, day and AM/PM names follow
// that language whatever the user's locale, as every other word does. The
// digits are plain ones. `format` as for QDateTime::toString.
QString dateInWords(const QDateTime& when, const QString& format);
