#pragma once

#include <QString>
#include <functional>

// How a caught failure becomes the text of a box: shared by the error guard of
// the handlers and the program's last-resort handler.
namespace FailureText {

// The description of the exception being handled; call only inside a catch
// block. "" for an exception that carries no text.
QString describeCurrentException();

// A lead text, then the failure's own description after an empty line.
QString compose(const QString& lead, const QString& description);

// The text of a box: what the describer makes of the description (it may
// rely on texts in a database that is itself failing, so a throwing or empty
// describer falls back), else the English lead with the description.
QString forBox(const std::function<QString(const QString&)>& describer, const QString& englishLead,
               const QString& description);

// Shows the text in a critical box; a failing message service is swallowed,
// so showing a failure never becomes a crash of its own.
void showCritical(const QString& text);

} // namespace FailureText
