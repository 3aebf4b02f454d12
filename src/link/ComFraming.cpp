#include "link/ComFraming.h"

#include "link/ReplyFields.h"

namespace ComFraming {

QString buildCommandFrame(const QString& body)
{
    QString frame;
    frame.reserve(body.size() + 5);
    frame += QChar(DC2);
    frame += QLatin1Char(',');
    frame += body;
    frame += QLatin1Char(',');
    frame += QChar(ETX);
    frame += QChar(CR);
    return frame;
}

QString decodeReplyFrame(const QString& buffer)
{
    // Blanks are trimmed from the whole reply, never from the pieces in which
    // it happened to arrive, so the result does not depend on the timing.
    const QString text = ReplyFields::trimBlanks(buffer);
    if (text.isEmpty())
        return QString();
    const qsizetype a = text.indexOf(QChar(DC4));
    const qsizetype e = text.indexOf(QChar(ETX));
    if (a < 0 || e < 0 || a > e)
        return QStringLiteral("-1");
    if (a + 1 >= text.size() || text.at(a + 1) != QLatin1Char(','))
        return QStringLiteral("-1");
    if (e < 1 || text.at(e - 1) != QLatin1Char(','))
        return QStringLiteral("-1");
    // DC4 "," ETX: the one comma serves both sides; the payload is empty.
    const qsizetype length = e - a - 2;
    if (length <= 0)
        return QString();
    return text.mid(a + 2, length);
}

bool containsEndOfText(const QString& buffer)
{
    return buffer.contains(QChar(ETX));
}

QString replyChannel(const QString& payload)
{
    const QString first = payload.section(QLatin1Char(','), 0, 0);
    const bool valid = first.size() == 3 && first.startsWith(QLatin1String("00")) && first.at(2) >= QLatin1Char('1')
                       && first.at(2) <= QLatin1Char('4');
    return valid ? first : QString();
}

bool dropReplyOfOtherChannel(QString& buffer, const QString& channel)
{
    const qsizetype e = buffer.indexOf(QChar(ETX));
    if (e < 0)
        return false;
    const QString payload = decodeReplyFrame(buffer.left(e + 1));
    if (payload.isEmpty() || payload == QLatin1String("-1"))
        return false;
    const QString answered = replyChannel(payload);
    if (answered.isEmpty() || answered == channel)
        return false;
    buffer.remove(0, e + 1);
    return true;
}

} // namespace ComFraming
