#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The program's end of the fake charger's pseudo-terminal, without the link:
// raw bytes in and out, so the fake's grammar is checked on its own.
class RawPort {
public:
    explicit RawPort(const QString& path);
    ~RawPort();
    RawPort(const RawPort&) = delete;
    RawPort& operator=(const RawPort&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool write(const QByteArray& bytes);
    // Reads until ETX has come (or the bound passes, which only a broken
    // fake reaches); returns every byte read.
    QByteArray readReply(int boundMs = 5000);
    // Reads until exactly n bytes have come (or the bound passes).
    QByteArray readExactly(qsizetype n, int boundMs = 5000);
    // Writes the command frame of `body` and returns the payload of the reply
    // frame (from after DC4 "," to before ETX); "<none>" when no frame came.
    QString ask(const QString& body);
    // True when a read finds the other end gone.
    bool hungUp();

    static QByteArray frame(const QString& body);
    static QString payloadOf(const QByteArray& reply);

private:
    // Reads while `wanted` asks for more bytes (at most that many at a time)
    // and the bound has not passed.
    QByteArray readWhile(int boundMs, const std::function<qsizetype(const QByteArray&)>& wanted);

    int m_fd = -1;
};
