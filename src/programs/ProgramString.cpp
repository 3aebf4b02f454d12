#include "programs/ProgramString.h"

#include "core/programSettings.h"
#include "link/CommunicationProgram.h"

#include <QLocale>
#include <cmath>

namespace {

using Refusal = ProgramStringResult::Refusal;

// value padded with zeros to width digits; false when it is negative or needs
// more digits than the group has.
bool pad(qint64 value, int width, QString& digits)
{
    if (value < 0)
        return false;
    const QString plain = QString::number(value);
    if (plain.size() > width)
        return false;
    digits = plain.rightJustified(width, QLatin1Char('0'));
    return true;
}

class Builder {
public:
    explicit Builder(ProgramStringResult& result) : m_result(result) {}

    bool refuse(Refusal why, const char* control)
    {
        m_result.refusal = why;
        m_result.control = QString::fromLatin1(control);
        m_result.text.clear();
        return false;
    }
    void append(const char* letters, const QString& digits)
    {
        m_result.text += QLatin1Char(',');
        m_result.text += QLatin1String(letters);
        m_result.text += digits;
    }
    // A whole number as typed (bound values, cell count, period, percentage).
    bool integerGroup(const char* letters, const QString& text, int width, const char* control)
    {
        qint64 v = 0;
        QString digits;
        if (!ProgramString::readUserInteger(text, v) || !pad(v, width, digits))
            return refuse(Refusal::OutOfField, control);
        append(letters, digits);
        return true;
    }
    // Volts or amperes in milli-units; an empty box counts as 0. A value that
    // comes out as "00000" is replaced by the default setting when one is named.
    bool milliGroup(const char* letters, const QString& text, const char* control, const QString* fallback = nullptr)
    {
        qint64 milli = 0;
        if (!text.trimmed().isEmpty() && !ProgramString::toMilli(text, milli))
            return refuse(Refusal::OutOfField, control);
        QString digits;
        if (!pad(milli, 5, digits))
            return refuse(Refusal::OutOfField, control);
        if (fallback && digits == QLatin1String("00000")) {
            // The default is a number of milli-units written as it stands.
            bool ok = false;
            const qint64 v = fallback->trimmed().toLongLong(&ok);
            if (!ok || !pad(v, 5, digits))
                return refuse(Refusal::MissingValue, control);
        }
        append(letters, digits);
        return true;
    }

private:
    ProgramStringResult& m_result;
};

} // namespace

ProgramStringSettings ProgramStringSettings::read()
{
    ProgramStringSettings s;
    s.strDefaultLadestrom = objSettings().getSetting(QStringLiteral("DefaultLadestrom"));
    s.strDefaultEntladestrom = objSettings().getSetting(QStringLiteral("DefaultEntladestrom"));
    s.strDefaultEntladeschlussSpannung = objSettings().getSetting(QStringLiteral("DefaultEntladeschlussSpannung"));
    s.strProgramExtensionAvaiable = objSettings().getSetting(QStringLiteral("ProgramExtensionAvaiable"));
    s.strProgramExtensionType = objSettings().getSetting(QStringLiteral("ProgramExtensionType"));
    return s;
}

bool ProgramString::readUserNumber(const QString& text, float& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const float v = locale.toFloat(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ProgramString::readUserInteger(const QString& text, qint64& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const qint64 v = locale.toLongLong(t, &ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

bool ProgramString::toMilli(const QString& text, qint64& milli)
{
    float v = 0;
    if (!readUserNumber(text, v))
        return false;
    const float scaled = v * 1000.0f;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 1e15f)
        return false;
    milli = static_cast<qint64>(std::nearbyint(static_cast<double>(scaled)));
    return true;
}

ProgramStringResult ProgramString::buildProgramString(const ProgramInputs& in, const CommunicationProgram& prog,
                                                      const ProgramStringSettings& settings)
{
    ProgramStringResult result;
    Builder b(result);
    result.text = in.strGeraeteNr + QStringLiteral(",P");

    // Battery type.
    if (in.bVorgSpannung) {
        b.append("A", QStringLiteral("05"));
    } else if (in.strAkkuTyp.isEmpty()) {
        b.append("A", QStringLiteral("00"));
    } else if (!b.integerGroup("A", in.strAkkuTyp, 2, "cboAkkuType")) {
        return result;
    }

    // Device mode: a program without one would carry a group without digits.
    if (in.strModus.trimmed().isEmpty()) {
        b.refuse(Refusal::NoDeviceMode, "cboGeraeteModi");
        return result;
    }
    if (!b.integerGroup("M", in.strModus, 2, "cboGeraeteModi"))
        return result;

    // Cell count.
    if (in.strZellenzahl.isEmpty())
        b.append("Z", QStringLiteral("06"));
    else if (!b.integerGroup("Z", in.strZellenzahl, 2, "cboZellenzahl"))
        return result;

    // Capacity percentage.
    if (in.bSollKapazitaet && !b.integerGroup("P", in.strKapazitaetProzent, 3, "txtKapazitaetProzent"))
        return result;

    // Forming or cycle mode.
    if (in.strFormierCode.trimmed().isEmpty()) {
        b.refuse(Refusal::NoCycleMode, "cboModeZyklus");
        return result;
    }
    if (!b.integerGroup("F", in.strFormierCode, 1, "cboModeZyklus"))
        return result;

    // Period.
    if (in.strZeitraum.trimmed().isEmpty())
        b.append("W", QStringLiteral("30"));
    else if (!b.integerGroup("W", in.strZeitraum, 2, "txtZeitraum"))
        return result;

    // Nominal capacity.
    if (in.bSollKapazitaet && !b.milliGroup("K", in.strKapazitaetAh, "txtKapazitaetAh"))
        return result;

    // Currents.
    if (!b.milliGroup("L", in.strLadestrom, "txtLadestrom", &settings.strDefaultLadestrom))
        return result;
    if (!b.milliGroup("E", in.strEntladestrom, "txtEntladestrom", &settings.strDefaultEntladestrom))
        return result;

    // Nominal pack voltage, or the preset charge-end voltage.
    if (in.bAkkuTyp) {
        // The list items end in " V".
        const QString volts = in.strNennSpannung.size() >= 2 ? in.strNennSpannung.chopped(2) : QString();
        if (!b.milliGroup("V", volts, "cboNennSpannung"))
            return result;
    } else if (in.bVorgSpannung) {
        if (!b.milliGroup("V", in.strLadeschlussSpannung, "txtLadeschlussSpannung"))
            return result;
    } else {
        b.append("V", QStringLiteral("00000"));
    }

    // Discharge-end voltage.
    if (!b.milliGroup("D", in.strEntladeschlussSpannung, "txtEntladeschlussSpannung",
                      &settings.strDefaultEntladeschlussSpannung))
        return result;

    // Self-discharge test.
    if (in.bSelbstentladung
        && !b.integerGroup(in.bStunden ? "YH" : "YD", in.strSelbstentladungsZeitraum, 3, "txtSelbstentladungsZeitraum"))
        return result;

    // Extended options, from the edited program.
    if (settings.strProgramExtensionAvaiable.trimmed() == QLatin1String("YES")) {
        b.append(prog.bProgrammierungGesperrt ? "S0" : "S1", QString());
        b.append(prog.bOhneLast ? "C1" : "C0", QString());
        b.append(prog.iBleiakkuMode == 0 ? "B0" : "B1", QString());
        b.append(prog.iLiionMode == 0 ? "H0" : "H1", QString());
        QString digits;
        if (!pad(prog.iLadeende, 3, digits)) {
            b.refuse(Refusal::OutOfField, "cmdExtendedModus");
            return result;
        }
        b.append("N", digits);
        if (settings.strProgramExtensionType.trimmed() == QLatin1String("2")) {
            b.append(prog.iLademode == 1 ? "O1" : "O0", QString());
            b.append(prog.iQ == 1 ? "Q1" : "Q0", QString());
            b.append(prog.iU == 1 ? "U1" : "U0", QString());
        }
    }
    return result;
}
