#include "diagrams/DiagramOptionsLogic.h"

#include <QLocale>
#include <cmath>

namespace DiagramOptionsLogic {

std::optional<double> readNumber(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString numberText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

namespace {
// One axis's tests: both boxes filled with numbers, the start below the end.
// A text that is no number (pasted past the keystroke filter) counts as not
// filled in.
std::optional<DiagramRangeFault> checkAxis(const QString& von, const QString& bis, const char* vonBox,
                                           const char* bisBox, const char* orderMessage, bool noNegativeStart)
{
    const std::optional<double> start = readNumber(von);
    if (!start)
        return DiagramRangeFault{QStringLiteral("2164"), QString::fromLatin1(vonBox)};
    const std::optional<double> end = readNumber(bis);
    if (!end)
        return DiagramRangeFault{QStringLiteral("2164"), QString::fromLatin1(bisBox)};
    if (*start >= *end)
        return DiagramRangeFault{QString::fromLatin1(orderMessage), QString::fromLatin1(bisBox)};
    if (noNegativeStart && *start < 0)
        return DiagramRangeFault{QStringLiteral("2166"), QString::fromLatin1(vonBox)};
    return std::nullopt;
}

velmoroAxisRange range(bool automatic, const QString& von, const QString& bis)
{
    if (automatic)
        return velmoroAxisRange();
    return velmoroAxisRange::fixed(readNumber(von).value_or(0.0), readNumber(bis).value_or(0.0));
}
} // namespace

std::optional<DiagramRangeFault> validateRanges(const DiagramRangeInput& input)
{
    if (!input.xAutomatic) {
        if (auto fault = checkAxis(input.xVon, input.xBis, "txtXVon", "txtXBis", "2160", true))
            return fault;
    }
    if (!input.yAutomatic) {
        if (auto fault = checkAxis(input.yVon, input.yBis, "txtYVon", "txtYBis", "2162", false))
            return fault;
    }
    return std::nullopt;
}

velmoroAxisRange xRange(const DiagramRangeInput& input)
{
    return range(input.xAutomatic, input.xVon, input.xBis);
}

velmoroAxisRange yRange(const DiagramRangeInput& input)
{
    return range(input.yAutomatic, input.yVon, input.yBis);
}

} // namespace DiagramOptionsLogic
