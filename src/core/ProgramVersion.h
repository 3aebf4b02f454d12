#pragma once

#include <QString>

// The program's version as every window shows it: the major number, ".", the
// minor number and the revision written straight after it ("1.0.0" reads
// "1.00", "1.3.1" reads "1.31"). The numbers come from the build's project
// version and nowhere else.
QString programVersionText();

// The same form for a given dotted version text.
QString programVersionText(const QString& dottedVersion);
