#include "core/velmoroLog.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>

std::unique_ptr<velmoroLog> objLog;

namespace {
// A control character read from stored data (a NUL, an escape, a line break)
// would cut an entry into pieces or garble the terminal it is read in, and so
// would a line or paragraph separator in an editor. Each is written as the
// bytes it would have been in the file, "\x00" or "\xe2\x80\xa8"; all other
// text stays as it is.
QString readableLine(const QString& line)
{
    const auto unreadable = [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
               || c.category() == QChar::Separator_Paragraph;
    };
    if (std::none_of(line.cbegin(), line.cend(), unreadable))
        return line;
    QString out;
    out.reserve(line.size() + 16);
    for (const QChar c : line) {
        if (!unreadable(c)) {
            out += c;
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            out += QStringLiteral("\\x%1").arg(quint8(byte), 2, 16, QLatin1Char('0'));
    }
    return out;
}
} // namespace

velmoroLog::velmoroLog(const QString& folder)
{
    openLogFile(folder);
}

velmoroLog::~velmoroLog()
{
    closeLogFile();
}

void velmoroLog::openLogFile(const QString& folder)
{
    m_file.setFileName(QDir(folder).filePath(QStringLiteral("error.log")));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        m_file.setFileName(QString());
}

void velmoroLog::closeLogFile()
{
    if (m_file.isOpen())
        m_file.close();
}

bool velmoroLog::isOpen() const
{
    return m_file.isOpen();
}

void velmoroLog::writeLine(const QString& line)
{
    if (!m_file.isOpen())
        return;
    m_file.write(readableLine(line).toUtf8());
    m_file.write("\r\n", 2);
    // Each line reaches the disk at once, so a crash cannot swallow the block.
    m_file.flush();
}

void velmoroLog::writeLogSignature(const QString& logType)
{
    writeLine(QString());
    writeLine(QString(69, QLatin1Char('*')));
    writeLine(QStringLiteral("LogType: ") + logType);
    // A machine line: the same form in every language and locale, so the
    // blocks of runs in different settings read and sort alike.
    writeLine(QStringLiteral("Log Writen: ")
              + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    writeLine(QString());
}

void velmoroLog::writeLogEntry(const QString& entry)
{
    writeLine(entry);
}

QString logExcerpt(QString text, int most)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (most < 1 || text.size() <= most)
        return text;
    qsizetype keep = most;
    if (text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep) + QStringLiteral("... (%1 characters)").arg(text.size());
}
