#include "platform/FailureText.h"

#include "platform/Database.h"
#include "platform/MessageService.h"

#include <QChar>
#include <exception>

QString FailureText::describeCurrentException()
{
    try {
        if (auto current = std::current_exception())
            std::rethrow_exception(current);
    } catch (const DatabaseError& e) {
        return e.description();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    return QString();
}

QString FailureText::compose(const QString& lead, const QString& description)
{
    if (description.isEmpty())
        return lead;
    return lead + QString(2, QChar(13)) + description;
}

QString FailureText::forBox(const std::function<QString(const QString&)>& describer, const QString& englishLead,
                            const QString& description)
{
    QString text;
    try {
        if (describer)
            text = describer(description);
    } catch (...) {
        text.clear();
    }
    return text.isEmpty() ? compose(englishLead, description) : text;
}

void FailureText::showCritical(const QString& text)
{
    try {
        msgBox(text, MessageService::OkOnly, MessageService::Critical);
    } catch (...) {
    }
}
