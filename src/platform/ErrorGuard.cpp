#include "platform/ErrorGuard.h"

#include "platform/FailureText.h"

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
    FailureText::showCritical(FailureText::forBox(
        describer(), QStringLiteral("The database could not be read or written; the last action was not completed."),
        description));
}
