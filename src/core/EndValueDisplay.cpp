#include "core/EndValueDisplay.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationEndwert.h"
#include "link/CommunicationProgram.h"
#include "link/EntwertList.h"
#include "platform/Recordset.h"

namespace EndValueDisplay {

namespace {
// A piece wider than its room would push the next column out of place: it is
// shown as a fill of "#" instead (only a corrupt stored value is that wide).
QString piece(const QString& text, int width, int room)
{
    return text.size() > room ? QString(width, QLatin1Char('#')) : text.rightJustified(width);
}
} // namespace

QString formatEndValueLine(int number, const CommunicationEndwert& endwert)
{
    // A value a little wider than its column (up to the blank before the next
    // one) is shown whole; the next column still starts where it belongs.
    QString line = piece(QString::number(number) + QStringLiteral(". "), 4, 8);
    line = line.leftJustified(8);
    line += piece(formatCapacity(endwert.lKapazitaet).chopped(3), 6, 9);
    line = line.leftJustified(18);
    line += piece(formatVoltage(endwert.lSpannung).chopped(2), 6, 7);
    line = line.leftJustified(26);
    line += QString::number(endwert.lZykluszeit).rightJustified(4);
    return line;
}

QString batteryTypeText(qint16 iAkkuTyp)
{
    // A type without a row of its own (also the -2 of a read without reply)
    // shows no name rather than whichever row happened to be current.
    if (iAkkuTyp == 5)
        return getResource(QStringLiteral("0912"));
    if (!rsAkkutypen)
        return QString();
    rsAkkutypen->moveFirst();
    const int type = iAkkuTyp;
    if (rsAkkutypen->findFirst([type](const Recordset& rs) { return rs.field(QStringLiteral("Nr")).toInt() == type; }))
        return rsAkkutypen->field(QStringLiteral("ResourceText")).toString();
    return QString();
}

QString modeText(const CommunicationProgram& program)
{
    if (!rsGeraeteModi)
        return QString();
    rsGeraeteModi->moveFirst();
    const QString mode = QString::number(program.iMode);
    if (!rsGeraeteModi->findFirst(
            [&mode](const Recordset& rs) { return rs.field(QStringLiteral("ModusNr")).toString() == mode; }))
        return QString();
    return rsGeraeteModi->field(QStringLiteral("ResourceText")).toString();
}

QString capacityText(const CommunicationProgram& program)
{
    return program.lKapazitaet == -3 ? QStringLiteral("---") : formatCapacity(program.lKapazitaet);
}

Lists buildLists(const EntwertList& endValues, const std::function<qint32(const CommunicationEndwert&)>& itemData)
{
    Lists lists;
    if (endValues.Count() == 0)
        return lists;

    int ladenNr = 0;
    int entladenNr = 0;
    // A program that begins with a discharge: its charge lines start at 2.
    if (endValues.Item(1)->iEndwertTyp == 3) {
        lists.laden.push_back({QStringLiteral("---"), 0});
        ladenNr = 1;
    }
    for (const auto& endwert : endValues) {
        if (endwert->iEndwertTyp == 3)
            lists.entladen.push_back({formatEndValueLine(++entladenNr, *endwert), itemData(*endwert)});
        else
            lists.laden.push_back({formatEndValueLine(++ladenNr, *endwert), itemData(*endwert)});
    }

    const auto last = endValues.Item(endValues.Count());
    if (last->bWithAkkuzustand) {
        lists.conditionVisible = true;
        lists.conditionText = getResource(QString::fromLatin1(last->bAkkuzustand ? "0847" : "0846"))
                              + QStringLiteral(" (") + QString::number(last->iProzent) + QStringLiteral("%)");
    }
    if (last->lSelbstentladung != -1) {
        lists.selfDischargeVisible = true;
        lists.selfDischargeText = QString::number(last->lSelbstentladung) + QStringLiteral(" mAh");
    }
    return lists;
}

} // namespace EndValueDisplay
