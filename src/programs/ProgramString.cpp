#include "programs/ProgramString.h"

#include "link/CommunicationProgram.h"
#include "programs/ProgramEditorSources.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace {

using Refusal = ProgramStringResult::Refusal;

QLocale strictLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return locale;
}

// The plain form the boxes hold ("-12,345" in German): digits, an optional
// leading minus and one decimal separator with digits on both sides. Read
// directly, as the locale would read it, because the locale's general parser
// costs most of a build; every other form goes to the locale.
bool readPlainNumber(const QLocale& locale, QStringView t, float& value)
{
    const QString point = locale.decimalPoint();
    if (point.size() != 1 || locale.zeroDigit() != QLatin1String("0") || t.size() > 40)
        return false;
    char buffer[48];
    qsizetype n = 0;
    qsizetype i = 0;
    if (t.front() == QLatin1Char('-'))
        buffer[n++] = '-', ++i;
    bool digitsBefore = false, sawPoint = false, digitsAfter = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            buffer[n++] = static_cast<char>(c.unicode());
            (sawPoint ? digitsAfter : digitsBefore) = true;
        } else if (c == point.front() && !sawPoint) {
            buffer[n++] = '.';
            sawPoint = true;
        } else {
            return false;
        }
    }
    if (!digitsBefore || (sawPoint && !digitsAfter))
        return false;
    const auto [end, ec] = std::from_chars(buffer, buffer + n, value);
    return ec == std::errc() && end == buffer + n && std::isfinite(value);
}

bool readNumber(const QLocale& locale, const QString& text, float& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (readPlainNumber(locale, t, value))
        return true;
    bool ok = false;
    const float v = locale.toFloat(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool readInteger(const QLocale& locale, const QString& text, qint64& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const qint64 v = locale.toLongLong(t, &ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

bool readMilli(const QLocale& locale, const QString& text, qint64& milli)
{
    float v = 0;
    if (!readNumber(locale, text, v))
        return false;
    const float scaled = v * 1000.0f;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 1e15f)
        return false;
    milli = static_cast<qint64>(std::nearbyint(static_cast<double>(scaled)));
    return true;
}

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
    explicit Builder(ProgramStringResult& result) : m_result(result), m_locale(strictLocale()) {}

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
    // A whole number as typed (cell count, period, percentage), or as a list
    // carries it from the database (bound), which knows no locale.
    bool integerGroup(const char* letters, const QString& text, int width, const char* control, bool bound = false)
    {
        qint64 v = 0;
        bool ok = false;
        if (bound)
            v = text.trimmed().toLongLong(&ok);
        else
            ok = readInteger(m_locale, text, v);
        QString digits;
        if (!ok || !pad(v, width, digits))
            return refuse(Refusal::OutOfField, control);
        append(letters, digits);
        return true;
    }
    // A value kept from the program the editor was filled from, as it came.
    bool keptGroup(const char* letters, qint64 value, int width, const char* control)
    {
        QString digits;
        if (!pad(value, width, digits))
            return refuse(Refusal::OutOfField, control);
        append(letters, digits);
        return true;
    }
    // Volts or amperes in milli-units; an empty box counts as 0. A value that
    // comes out as "00000" is replaced by the default setting when one is named.
    bool milliGroup(const char* letters, const QString& text, const char* control, const QString* fallback = nullptr)
    {
        qint64 milli = 0;
        if (!text.trimmed().isEmpty() && !readMilli(m_locale, text, milli))
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
    const QLocale m_locale;
};

} // namespace

ProgramStringSettings ProgramStringSettings::read(const ProgramEditorSources& sources)
{
    ProgramStringSettings s;
    s.strDefaultLadestrom = sources.setting(QStringLiteral("DefaultLadestrom"));
    s.strDefaultEntladestrom = sources.setting(QStringLiteral("DefaultEntladestrom"));
    s.strDefaultEntladeschlussSpannung = sources.setting(QStringLiteral("DefaultEntladeschlussSpannung"));
    s.strProgramExtensionAvaiable = sources.setting(QStringLiteral("ProgramExtensionAvaiable"));
    s.strProgramExtensionType = sources.setting(QStringLiteral("ProgramExtensionType"));
    return s;
}

bool ProgramString::readUserNumber(const QString& text, float& value)
{
    return readNumber(strictLocale(), text, value);
}

bool ProgramString::readUserInteger(const QString& text, qint64& value)
{
    return readInteger(strictLocale(), text, value);
}

bool ProgramString::toMilli(const QString& text, qint64& milli)
{
    return readMilli(strictLocale(), text, milli);
}

namespace {

// Battery type, device mode, cell count and capacity percentage.
bool batteryGroups(Builder& b, const ProgramInputs& in)
{
    if (in.bVorgSpannung) {
        b.append("A", QStringLiteral("05"));
    } else if (in.strAkkuTyp.isEmpty()) {
        b.append("A", QStringLiteral("00"));
    } else if (!b.integerGroup("A", in.strAkkuTyp, 2, "cboAkkuType", true)) {
        return false;
    }

    // Device mode: a program without one would carry a group without digits.
    if (in.strModus.trimmed().isEmpty())
        return b.refuse(Refusal::NoDeviceMode, "cboGeraeteModi");
    if (!b.integerGroup("M", in.strModus, 2, "cboGeraeteModi", true))
        return false;

    if (in.kept.zellenzahl) {
        if (!b.keptGroup("Z", *in.kept.zellenzahl, 2, "cboZellenzahl"))
            return false;
    } else if (in.strZellenzahl.isEmpty()) {
        b.append("Z", QStringLiteral("06"));
    } else if (!b.integerGroup("Z", in.strZellenzahl, 2, "cboZellenzahl")) {
        return false;
    }

    return !in.bSollKapazitaet || b.integerGroup("P", in.strKapazitaetProzent, 3, "txtKapazitaetProzent");
}

// Forming or cycle mode, period and nominal capacity.
bool cycleGroups(Builder& b, const ProgramInputs& in)
{
    if (in.kept.formierCode) {
        if (!b.keptGroup("F", *in.kept.formierCode, 1, "cboModeZyklus"))
            return false;
    } else if (in.strFormierCode.trimmed().isEmpty()) {
        return b.refuse(Refusal::NoCycleMode, "cboModeZyklus");
    } else if (!b.integerGroup("F", in.strFormierCode, 1, "cboModeZyklus", true)) {
        return false;
    }

    if (in.kept.zeitraum) {
        if (!b.keptGroup("W", *in.kept.zeitraum, 2, "txtZeitraum"))
            return false;
    } else if (in.strZeitraum.trimmed().isEmpty()) {
        b.append("W", QStringLiteral("30"));
    } else if (!b.integerGroup("W", in.strZeitraum, 2, "txtZeitraum")) {
        return false;
    }

    return !in.bSollKapazitaet || b.milliGroup("K", in.strKapazitaetAh, "txtKapazitaetAh");
}

bool currentGroups(Builder& b, const ProgramInputs& in, const ProgramStringSettings& settings)
{
    if (in.kept.ladestrom) {
        if (!b.keptGroup("L", *in.kept.ladestrom, 5, "txtLadestrom"))
            return false;
    } else if (!b.milliGroup("L", in.strLadestrom, "txtLadestrom", &settings.strDefaultLadestrom)) {
        return false;
    }
    if (in.kept.entladestrom)
        return b.keptGroup("E", *in.kept.entladestrom, 5, "txtEntladestrom");
    return b.milliGroup("E", in.strEntladestrom, "txtEntladestrom", &settings.strDefaultEntladestrom);
}

// The nominal pack voltage or the preset charge-end voltage, and the
// discharge-end voltage.
bool voltageGroups(Builder& b, const ProgramInputs& in, const ProgramStringSettings& settings)
{
    if (in.bAkkuTyp && in.kept.nennSpannung) {
        if (!b.keptGroup("V", *in.kept.nennSpannung, 5, "cboNennSpannung"))
            return false;
    } else if (in.bAkkuTyp) {
        // The list items end in " V".
        const QString volts = in.strNennSpannung.size() >= 2 ? in.strNennSpannung.chopped(2) : QString();
        if (!b.milliGroup("V", volts, "cboNennSpannung"))
            return false;
    } else if (in.bVorgSpannung) {
        if (!b.milliGroup("V", in.strLadeschlussSpannung, "txtLadeschlussSpannung"))
            return false;
    } else {
        b.append("V", QStringLiteral("00000"));
    }

    if (in.kept.entladeschlussSpannung)
        return b.keptGroup("D", *in.kept.entladeschlussSpannung, 5, "txtEntladeschlussSpannung");
    return b.milliGroup("D", in.strEntladeschlussSpannung, "txtEntladeschlussSpannung",
                        &settings.strDefaultEntladeschlussSpannung);
}

// The extended options, from the edited program.
bool extendedGroups(Builder& b, const CommunicationProgram& prog, const ProgramStringSettings& settings)
{
    if (settings.strProgramExtensionAvaiable.trimmed() != QLatin1String("YES"))
        return true;
    b.append(prog.bProgrammierungGesperrt ? "S0" : "S1", QString());
    b.append(prog.bOhneLast ? "C1" : "C0", QString());
    b.append(prog.iBleiakkuMode == 0 ? "B0" : "B1", QString());
    b.append(prog.iLiionMode == 0 ? "H0" : "H1", QString());
    QString digits;
    if (!pad(prog.iLadeende, 3, digits))
        return b.refuse(Refusal::OutOfField, "cmdExtendedModus");
    b.append("N", digits);
    if (settings.strProgramExtensionType.trimmed() == QLatin1String("2")) {
        b.append(prog.iLademode == 1 ? "O1" : "O0", QString());
        b.append(prog.iQ == 1 ? "Q1" : "Q0", QString());
        b.append(prog.iU == 1 ? "U1" : "U0", QString());
    }
    return true;
}

} // namespace

ProgramStringResult ProgramString::buildProgramString(const ProgramInputs& in, const CommunicationProgram& prog,
                                                      const ProgramStringSettings& settings)
{
    ProgramStringResult result;
    Builder b(result);
    result.text.reserve(96);
    result.text = in.strGeraeteNr;
    result.text += QStringLiteral(",P");
    // Each group refuses on its own; a refusal ends the build.
    if (batteryGroups(b, in) && cycleGroups(b, in) && currentGroups(b, in, settings) && voltageGroups(b, in, settings)
        && (!in.bSelbstentladung
            || b.integerGroup(in.bStunden ? "YH" : "YD", in.strSelbstentladungsZeitraum, 3,
                              "txtSelbstentladungsZeitraum")))
        extendedGroups(b, prog, settings);
    return result;
}
