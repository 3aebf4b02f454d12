#include "platform/ErrorGuard.h"

#include "platform/MessageService.h"

#include <QChar>

namespace {
ErrorGuard::Describer& describer()
{
    static ErrorGuard::Describer d;
    return d;
}
} // namespace

void ErrorGuard::setDescriber(Describer d)
{
    describer() = std::move(d);
}

void ErrorGuard::report(const QString& description)
{
    QString text;
    try {
        if (describer())
            text = describer()(description);
    } catch (...) {
        // The texts themselves may live in the failing database.
        text.clear();
    }
    if (text.isEmpty()) {
        text = QStringLiteral("The database could not be read or written; the last action was not completed.");
        if (!description.isEmpty())
            text += QString(2, QChar(13)) + description;
    }
    try {
        msgBox(text, MessageService::OkOnly, MessageService::Critical);
    } catch (...) {
        // A failing message service must not turn a shown failure into a crash.
    }
}
