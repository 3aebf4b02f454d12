#include "diagrams/DiagramOptionsLogic.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "diagrams/DiagramOptionsView.h"
#include "platform/MessageService.h"

#include <QLocale>
#include <cmath>
#include <utility>

namespace {
// The switches and the check boxes that show them.
const std::pair<const char*, const char*> kSwitches[] = {
    {"MinMaxSpannungVisible", "chkSpannung"},
    {"MinMaxStromVisible", "chkStrom"},
    {"MinMaxKapazitaetVisible", "chkKapazitaet"},
    {"xGridVisible", "chkXGrid"},
    {"yGridVisible", "chkYGrid"},
};
const char* const kXBoxes[] = {"lblXVon", "lblXBis", "txtXVon", "txtXBis"};
const char* const kYBoxes[] = {"lblYVon", "lblYBis", "txtYVon", "txtYBis"};

QString r(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

QString name(const char* n)
{
    return QString::fromLatin1(n);
}

// One axis's tests: both boxes filled with numbers, the start below the end.
// A text that is no number (pasted past the keystroke filter) counts as not
// filled in.
std::optional<DiagramRangeFault> checkAxis(const QString& von, const QString& bis, const char* vonBox,
                                           const char* bisBox, const char* orderMessage, bool noNegativeStart)
{
    const std::optional<double> start = DiagramOptionsLogic::readNumber(von);
    if (!start)
        return DiagramRangeFault{QStringLiteral("2164"), QString::fromLatin1(vonBox)};
    const std::optional<double> end = DiagramOptionsLogic::readNumber(bis);
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
    return velmoroAxisRange::fixed(DiagramOptionsLogic::readNumber(von).value_or(0.0),
                                   DiagramOptionsLogic::readNumber(bis).value_or(0.0));
}
} // namespace

DiagramOptionsLogic::DiagramOptionsLogic(DiagramOptionsView& view, programSettings& settings)
    : m_view(view),
      m_settings(settings)
{
}

void DiagramOptionsLogic::Form_Load()
{
    const std::pair<const char*, const char*> captions[] = {
        {"dlgDiagramOptions", "2130"}, {"frameMinimaMaxima", "2132"}, {"chkSpannung", "2134"}, {"chkStrom", "2136"},
        {"chkKapazitaet", "2138"},     {"frameGrid", "2140"},         {"chkXGrid", "2144"},    {"chkYGrid", "2142"},
        {"frmAutoCalculate", "2145"},  {"chkXAutomatisch", "2148"},   {"lblXVon", "2150"},     {"lblXBis", "2152"},
        {"chkYAutomatisch", "2146"},   {"lblYVon", "2150"},           {"lblYBis", "2152"},     {"OKButton", "0100"},
        {"CancelButton", "0101"},
    };
    for (const auto& [control, id] : captions)
        m_view.setControlText(name(control), r(id));
    for (const auto& [key, box] : kSwitches)
        m_view.setChecked(name(box), m_settings.getSetting(name(key)) == QLatin1String("YES"));
    chkXAutomatisch_Click();
    chkYAutomatisch_Click();
}

void DiagramOptionsLogic::initializeDialog(const velmoroAxisRange& xAx, const velmoroAxisRange& yAx)
{
    fillAxis(xAx, "chkXAutomatisch", "txtXVon", "txtXBis");
    fillAxis(yAx, "chkYAutomatisch", "txtYVon", "txtYBis");
}

void DiagramOptionsLogic::fillAxis(const velmoroAxisRange& range, const char* automatic, const char* von,
                                   const char* bis)
{
    m_view.setChecked(name(automatic), range.bAutomatic);
    if (range.bAutomatic)
        return;
    m_view.setControlText(name(von), numberText(range.dMinValue));
    m_view.setControlText(name(bis), numberText(range.dMaxValue));
}

void DiagramOptionsLogic::chkXAutomatisch_Click()
{
    showRangeBoxes("chkXAutomatisch", kXBoxes);
}

void DiagramOptionsLogic::chkYAutomatisch_Click()
{
    showRangeBoxes("chkYAutomatisch", kYBoxes);
}

void DiagramOptionsLogic::showRangeBoxes(const char* automatic, const char* const (&boxes)[4])
{
    const bool manual = !m_view.isChecked(name(automatic));
    for (const char* box : boxes)
        m_view.setControlVisible(name(box), manual);
}

DiagramRangeInput DiagramOptionsLogic::rangeInput() const
{
    DiagramRangeInput in;
    in.xAutomatic = m_view.isChecked(QStringLiteral("chkXAutomatisch"));
    in.xVon = m_view.controlText(QStringLiteral("txtXVon"));
    in.xBis = m_view.controlText(QStringLiteral("txtXBis"));
    in.yAutomatic = m_view.isChecked(QStringLiteral("chkYAutomatisch"));
    in.yVon = m_view.controlText(QStringLiteral("txtYVon"));
    in.yBis = m_view.controlText(QStringLiteral("txtYBis"));
    return in;
}

bool DiagramOptionsLogic::OKButton_Click()
{
    if (const std::optional<DiagramRangeFault> fault = validateRanges(rangeInput())) {
        msgBox(getResource(fault->messageId), MessageService::OkOnly, MessageService::Information, r("0410"));
        m_view.setFocusTo(fault->focus);
        return false;
    }
    for (const auto& [key, box] : kSwitches)
        m_settings.setSetting(name(key), m_view.isChecked(name(box)) ? QStringLiteral("YES") : QStringLiteral("NO"));
    return true;
}

// --- the rules of the range boxes ------------------------------------------------------

std::optional<double> DiagramOptionsLogic::readNumber(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString DiagramOptionsLogic::numberText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

std::optional<DiagramRangeFault> DiagramOptionsLogic::validateRanges(const DiagramRangeInput& input)
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

velmoroAxisRange DiagramOptionsLogic::xRange(const DiagramRangeInput& input)
{
    return range(input.xAutomatic, input.xVon, input.xBis);
}

velmoroAxisRange DiagramOptionsLogic::yRange(const DiagramRangeInput& input)
{
    return range(input.yAutomatic, input.yVon, input.yBis);
}
