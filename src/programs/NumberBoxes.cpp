#include "programs/NumberBoxes.h"

#include "core/ProgramResources.h"
#include "platform/MessageService.h"
#include "programs/ProgramEditorSources.h"
#include "programs/ProgramEditorView.h"
#include "programs/ProgramString.h"

#include <QLocale>

namespace {

QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

struct NumberBox {
    const char* name;
    bool decimal;
    const char* row; // nullptr: chosen by the self-discharge options
    const char* parts[3];
};

constexpr NumberBox kBoxes[] = {
    {"txtLadeschlussSpannung", true, "05", {"0954", "0955", "0956"}},
    {"txtEntladeschlussSpannung", true, "05", {"0957", "0955", "0956"}},
    {"txtLadestrom", true, "L", {"0959", "0964", "0965"}},
    {"txtEntladestrom", true, "E", {"0961", "0964", "0965"}},
    {"txtKapazitaetAh", true, "K", {"0958", "0966", "0967"}},
    {"txtKapazitaetProzent", false, "P", {"0960", "0970", "0971"}},
    {"txtZeitraum", false, "W", {"0962", "0968", "0969"}},
    {"txtSelbstentladungsZeitraum", false, nullptr, {"0963", "0970", "0971"}},
};

const NumberBox* numberBox(const QString& name)
{
    for (const NumberBox& b : kBoxes)
        if (name == QLatin1String(b.name))
            return &b;
    return nullptr;
}

} // namespace

QString generalText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 7);
}

NumberBoxes::NumberBoxes(const ProgramEditorView& view, const ProgramEditorSources& sources)
    : m_view(view),
      m_sources(sources)
{
}

bool NumberBoxes::isNumberBox(const QString& name)
{
    return numberBox(name) != nullptr;
}

bool NumberBoxes::isDecimalBox(const QString& name)
{
    const NumberBox* b = numberBox(name);
    return b && b->decimal;
}

QString NumberBoxes::limitRow(const QString& box) const
{
    const NumberBox* b = numberBox(box);
    if (!b)
        return QString();
    if (b->row)
        return QString::fromLatin1(b->row);
    return m_view.isChecked(QStringLiteral("optSelbstentladungStunden")) ? QStringLiteral("YH") : QStringLiteral("YD");
}

bool NumberBoxes::readLimits(const QString& bez, float& min, float& max) const
{
    const std::optional<ValueLimits> limits = m_sources.limits(bez);
    if (!limits)
        return false;
    min = limits->min;
    max = limits->max;
    return true;
}

QString NumberBoxes::rangeMessage(const QString& box, float min, float max) const
{
    const NumberBox* b = numberBox(box);
    if (!b)
        return QString();
    return res(b->parts[0]) + QLatin1Char(' ') + generalText(static_cast<double>(min)) + res(b->parts[1])
           + QLatin1Char(' ') + generalText(static_cast<double>(max)) + res(b->parts[2]);
}

bool NumberBoxes::checkRange(const QString& name) const
{
    if (!numberBox(name))
        return true;
    const QString text = m_view.controlText(name);
    if (text.trimmed().isEmpty())
        return true;
    float value = 0;
    const bool number = ProgramString::readUserNumber(text, value);
    if (number && value == 0.0f)
        return true;
    float min = 0, max = 0;
    // A limit row that is missing or empty checks nothing.
    if (!readLimits(limitRow(name), min, max) || (number && min <= value && value <= max))
        return true;
    msgBox(rangeMessage(name, min, max));
    return false;
}

QString NumberBoxes::refusalMessage(const ProgramStringResult& result) const
{
    using Refusal = ProgramStringResult::Refusal;
    switch (result.refusal) {
    case Refusal::None:
        return QString();
    case Refusal::NoDeviceMode:
        return res("0977");
    case Refusal::NoCycleMode:
        return res("0978");
    case Refusal::MissingValue:
        if (result.control == QLatin1String("txtLadestrom"))
            return res("0997");
        if (result.control == QLatin1String("txtEntladestrom"))
            return res("0998");
        return res("0986");
    case Refusal::OutOfField:
        break;
    }
    if (result.control == QLatin1String("cboAkkuType"))
        return res("0982");
    if (result.control == QLatin1String("cboZellenzahl") || result.control == QLatin1String("cboNennSpannung"))
        return res("0984");
    float min = 0, max = 0;
    if (result.control == QLatin1String("cmdExtendedModus")) {
        if (!readLimits(QStringLiteral("N"), min, max))
            return res("7050");
        return res("7050") + QLatin1Char(' ') + generalText(double(min)) + res("7051") + QLatin1Char(' ')
               + generalText(double(max)) + res("7052");
    }
    if (!readLimits(limitRow(result.control), min, max)) {
        const NumberBox* b = numberBox(result.control);
        return b ? res(b->parts[0]) : QString();
    }
    return rangeMessage(result.control, min, max);
}
