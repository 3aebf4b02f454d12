#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Lets test failures show texts and byte strings readably (control
// characters as \xNN).
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"';
    for (const QChar c : s) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            static const char hex[] = "0123456789abcdef";
            *os << "\\x" << hex[(c.unicode() >> 4) & 0xf] << hex[c.unicode() & 0xf];
        } else {
            *os << QString(c).toStdString();
        }
    }
    *os << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    PrintTo(QString::fromLatin1(b), os);
}
