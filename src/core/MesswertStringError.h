#pragma once

#include "core/velmoroLog.h"

#include <QString>
#include <stdexcept>

// Raised when a stored-value text cannot be decoded (too few fields, a field
// that is no number or does not fit its member) or cannot be built (a start
// time that was never set or lies too far away). Nothing partly filled is
// ever returned alongside it.
//
// A damaged row may hold a text of any length (megabytes), and its
// description goes to error.log every time its series is read: the text
// quoted in the description is cut to its beginning and its length is told.
class MesswertStringError : public std::runtime_error {
public:
    static constexpr int kQuotedLength = 60;

    explicit MesswertStringError(const QString& message)
        : std::runtime_error(readable(message).toStdString()),
          m_message(readable(message))
    {
    }
    QString description() const { return m_message; }

    // A stored text as a log shows it: the whole text when it is short, else
    // its beginning, "..." and its length.
    static QString shortened(const QString& text) { return logExcerpt(text, kQuotedLength); }

    // The message with the text between its first and its last double quote
    // shortened, its length told after the quote; a message without a long
    // quoted text stays as it is.
    static QString readable(const QString& message)
    {
        const qsizetype open = message.indexOf(QLatin1Char('"'));
        const qsizetype close = message.lastIndexOf(QLatin1Char('"'));
        if (open < 0 || close - open - 1 <= kQuotedLength)
            return message;
        const QString quoted = message.mid(open + 1, close - open - 1);
        return message.left(open + 1) + head(quoted) + QStringLiteral("...\" (%1 characters)").arg(quoted.size())
               + message.mid(close + 1);
    }

private:
    // The first characters of a long text, never half a character.
    static QString head(const QString& text)
    {
        qsizetype keep = kQuotedLength;
        if (text.at(keep - 1).isHighSurrogate())
            --keep;
        return text.left(keep);
    }

    QString m_message;
};
