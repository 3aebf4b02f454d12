#include "core/velmoroLog.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>

std::unique_ptr<velmoroLog> objLog;

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
    m_file.write(line.toUtf8());
    m_file.write("\r\n", 2);
    // Each line reaches the disk at once, so a crash cannot swallow the block.
    m_file.flush();
}

void velmoroLog::writeLogSignature(const QString& logType)
{
    writeLine(QString());
    writeLine(QString(69, QLatin1Char('*')));
    writeLine(QStringLiteral("LogType: ") + logType);
    writeLine(QStringLiteral("Log Writen: ") + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)
              + QLatin1Char(' ') + QLocale().toString(QTime::currentTime(), QStringLiteral("HH:mm:ss")));
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
