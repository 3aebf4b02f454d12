#pragma once

#include <QString>
#include <stdexcept>

// Raised when a stored-value text cannot be decoded (too few fields, a field
// that is no number or does not fit its member) or cannot be built (a start
// time that was never set or lies too far away). Nothing partly filled is
// ever returned alongside it.
class MesswertStringError : public std::runtime_error {
public:
    explicit MesswertStringError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString description() const { return m_message; }

private:
    QString m_message;
};
