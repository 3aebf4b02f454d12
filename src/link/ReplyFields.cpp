#include "link/ReplyFields.h"

#include <limits>

namespace ReplyFields {

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    if (first == 0 && last == text.size())
        return text;
    return text.mid(first, last - first);
}

bool isChannelId(QStringView element)
{
    return element == u"001" || element == u"002" || element == u"003" || element == u"004";
}

QStringView rightChars(QStringView element, qsizetype n)
{
    return element.size() <= n ? element : element.last(n);
}

bool startsWith(QStringView element, QChar letter)
{
    return !element.isEmpty() && element.front() == letter;
}

namespace {
// Accumulates digits; false on a non-digit or an empty run. Saturates instead
// of overflowing so that a long run is still recognised as a number.
bool accumulate(QStringView digits, qint64& magnitude, bool& overflow)
{
    if (digits.isEmpty())
        return false;
    magnitude = 0;
    overflow = false;
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 10 - 9;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        if (magnitude > limit)
            overflow = true;
        else
            magnitude = magnitude * 10 + (c.unicode() - u'0');
    }
    return true;
}
} // namespace

bool readDigits(QStringView text, qint64 max, qint64& value)
{
    qint64 magnitude = 0;
    bool overflow = false;
    if (!accumulate(text, magnitude, overflow) || overflow || magnitude > max)
        return false;
    value = magnitude;
    return true;
}

bool readLong(QStringView text, qint32& value)
{
    qint64 v = 0;
    if (!readDigits(text, std::numeric_limits<qint32>::max(), v))
        return false;
    value = static_cast<qint32>(v);
    return true;
}

bool readInteger(QStringView text, qint16& value)
{
    qint64 v = 0;
    if (!readDigits(text, std::numeric_limits<qint16>::max(), v))
        return false;
    value = static_cast<qint16>(v);
    return true;
}

bool readSignedValue(QStringView element, qsizetype n, qint32& value)
{
    if (element.size() <= n)
        return false;
    QStringView tail = element.last(n);
    // The minus stands right after the letter; in a short element it is part
    // of the last n characters itself.
    const bool negative = element.at(1) == QLatin1Char('-');
    if (tail.front() == QLatin1Char('-'))
        tail = tail.sliced(1);
    qint32 magnitude = 0;
    if (!readLong(tail, magnitude))
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

NumberRead readSignedNumber(QStringView text, qint64 min, qint64 max, qint64& value)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.sliced(1);
    }
    qint64 magnitude = 0;
    bool overflow = false;
    if (!accumulate(text, magnitude, overflow))
        return NumberRead::NotNumber;
    if (overflow)
        return NumberRead::OutOfRange;
    const qint64 v = negative ? -magnitude : magnitude;
    if (v < min || v > max)
        return NumberRead::OutOfRange;
    value = v;
    return NumberRead::Ok;
}

} // namespace ReplyFields
