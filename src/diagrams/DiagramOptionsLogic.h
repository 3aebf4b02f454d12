#pragma once

#include "diagrams/velmoroAxisRange.h"

#include <QString>
#include <optional>

// The range boxes of the diagram options as the user left them.
struct DiagramRangeInput {
    bool xAutomatic = true;
    QString xVon;
    QString xBis;
    bool yAutomatic = true;
    QString yVon;
    QString yBis;
};

// The first failed test of the range boxes: the message to show and the box
// to put the focus in.
struct DiagramRangeFault {
    QString messageId;
    QString focus;
    bool operator==(const DiagramRangeFault&) const = default;
};

namespace DiagramOptionsLogic {

// A range box's number in the user's locale (no grouping); none for a text
// that is no number.
std::optional<double> readNumber(const QString& text);
// A bound as a range box shows it: up to 15 significant digits, no trailing
// zeros, the user's decimal separator.
QString numberText(double value);

// The tests of the manual axes in their order; none when every one passes.
// An automatic axis is not looked at.
std::optional<DiagramRangeFault> validateRanges(const DiagramRangeInput& input);

// The two ranges the input asks for (automatic, or fixed between the two
// numbers); call only after validateRanges passed.
velmoroAxisRange xRange(const DiagramRangeInput& input);
velmoroAxisRange yRange(const DiagramRangeInput& input);

} // namespace DiagramOptionsLogic
