#include "programs/ExtendedOptions.h"

#include "core/ProgramResources.h"
#include "link/CommunicationProgram.h"
#include "programs/NumberBoxes.h"
#include "programs/ProgramEditorSources.h"
#include "programs/ProgramString.h"

#include <algorithm>
#include <cmath>

namespace {

// The most the charger's three digits hold, in tenths.
constexpr int kMaxTenths = 999;

// The box's text in tenths; false when it is no number or does not fit.
bool toTenths(const QString& text, qint64& tenths)
{
    float value = 0;
    if (!ProgramString::readUserNumber(text.trimmed(), value) || !std::isfinite(value))
        return false;
    const double t = std::nearbyint(static_cast<double>(value) * 10.0);
    if (t < 0 || t > kMaxTenths)
        return false;
    tenths = static_cast<qint64>(t);
    return true;
}

} // namespace

ExtendedOptions ExtendedOptions::fromProgram(const CommunicationProgram& p)
{
    ExtendedOptions o;
    o.gesperrt = p.bProgrammierungGesperrt;
    o.ohneLast = p.bOhneLast;
    o.bleiakkuMode2 = p.iBleiakkuMode == 1;
    o.liIonMode2 = p.iLiionMode == 1;
    o.ladeende = ladeendeText(p.iLadeende);
    o.dauerstrom = p.iLademode == 1;
    o.q2 = p.iQ == 1;
    o.u2 = p.iU == 1;
    return o;
}

QString ExtendedOptions::ladeendeText(qint16 tenths)
{
    return generalText(static_cast<double>(tenths) / 10.0);
}

QString ExtendedOptions::checkLadeende(const QString& text, const ProgramEditorSources& sources)
{
    if (text.trimmed().isEmpty())
        return QString(); // OK asks for it
    float min = 0, max = kMaxTenths / 10.0f;
    const std::optional<ValueLimits> rowN = sources.limits(QStringLiteral("N"));
    const bool limits = rowN.has_value();
    if (limits) {
        min = rowN->min;
        max = rowN->max;
    }
    float value = 0;
    qint64 tenths = 0;
    // Both the limits of the reference data and the charger's three digits.
    const bool inLimits =
        ProgramString::readUserNumber(text.trimmed(), value) && (!limits || (min <= value && value <= max));
    if (inLimits && toTenths(text, tenths))
        return QString();
    const float top = std::min(max, kMaxTenths / 10.0f);
    return getResource(QStringLiteral("7050")) + QLatin1Char(' ')
           + generalText(static_cast<double>(limits ? min : 0.0f)) + getResource(QStringLiteral("7051"))
           + QLatin1Char(' ') + generalText(static_cast<double>(top)) + getResource(QStringLiteral("7052"));
}

bool ExtendedOptions::writeTo(CommunicationProgram& target, const CommunicationProgram& original) const
{
    target.bProgrammierungGesperrt = gesperrt;
    target.bOhneLast = ohneLast;
    target.iBleiakkuMode = bleiakkuMode2 ? 1 : 0;
    target.iLiionMode = liIonMode2 ? 1 : 0;
    bool usable = true;
    if (ladeende.trimmed() == ladeendeText(original.iLadeende)) {
        target.iLadeende = original.iLadeende;
    } else {
        qint64 tenths = 0;
        usable = toTenths(ladeende, tenths);
        if (usable)
            target.iLadeende = static_cast<qint16>(tenths);
    }
    target.iLademode = dauerstrom ? 1 : 0;
    target.iQ = q2 ? 1 : 0;
    target.iU = u2 ? 1 : 0;
    return usable;
}
