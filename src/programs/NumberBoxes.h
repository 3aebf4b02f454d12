#pragma once

#include <QString>

class ProgramEditorSources;
class ProgramEditorView;
struct ProgramStringResult;

// A number as general text: no grouping, no trailing zeros, the user's separator.
QString generalText(double value);

// The number boxes of the program form and their checks against the limits
// of the charger model: which limit row a box is checked against, the
// message for a value outside it, and the message for a program string the
// build refused.
class NumberBoxes {
public:
    NumberBoxes(const ProgramEditorView& view, const ProgramEditorSources& sources);

    static bool isNumberBox(const QString& name);
    static bool isDecimalBox(const QString& name);
    // The limit row of a box as the options stand (self-discharge: hours or days).
    QString limitRow(const QString& box) const;
    // Min and Max of a limit row; false when the row is missing or a limit is empty.
    bool readLimits(const QString& bez, float& min, float& max) const;
    // The range message of a box with these limits.
    QString rangeMessage(const QString& box, float min, float max) const;
    // False when the box's value lies outside the limits of its row (the
    // user has been told why).
    bool checkRange(const QString& name) const;
    // The message for a refused build, in the user's language.
    QString refusalMessage(const ProgramStringResult& result) const;

private:
    const ProgramEditorView& m_view;
    const ProgramEditorSources& m_sources;
};
