#pragma once

#include <QFile>
#include <QString>
#include <memory>

// error.log in the program folder: blocks of lines appended, never truncated.
// Every failure is ignored; a log that could not open its file writes nothing.
// A log type or an entry is always one line: control characters in it are
// written as "\x" and the hex of their bytes ("\x00"), other text unchanged.
class velmoroLog {
public:
    explicit velmoroLog(const QString& folder);
    ~velmoroLog();
    velmoroLog(const velmoroLog&) = delete;
    velmoroLog& operator=(const velmoroLog&) = delete;

    void writeLogSignature(const QString& logType);
    void writeLogEntry(const QString& entry);
    bool isOpen() const;

private:
    void openLogFile(const QString& folder);
    void closeLogFile();
    void writeLine(const QString& line);

    QFile m_file;
};

// A stored text as one readable line of error.log: line breaks as blanks, and
// a text longer than `most` cut to its beginning (never inside a character)
// with its length told: "abc... (1048576 characters)".
QString logExcerpt(QString text, int most);

// The one log of the run (created by the start-up, released at the end).
extern std::unique_ptr<velmoroLog> objLog;
