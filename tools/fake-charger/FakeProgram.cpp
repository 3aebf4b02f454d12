#include "FakeProgram.h"

#include <QStringList>

namespace {

// Letter followed by at least `digits` decimal digits (a value wider than its
// pattern is written with all its digits).
bool readField(const QStringList& e, qsizetype& i, QChar letter, int digits, int& value)
{
    if (i >= e.size())
        return false;
    const QString& s = e.at(i);
    if (s.size() < digits + 1 || s.at(0) != letter)
        return false;
    bool ok = false;
    const int v = s.mid(1).toInt(&ok);
    for (qsizetype k = 1; k < s.size(); ++k)
        if (!s.at(k).isDigit())
            return false;
    if (!ok)
        return false;
    value = v;
    ++i;
    return true;
}

bool isChannel(const QString& s)
{
    return s == QLatin1String("001") || s == QLatin1String("002") || s == QLatin1String("003")
           || s == QLatin1String("004");
}

} // namespace

std::optional<FakeProgram> FakeProgram::parse(const QString& text)
{
    QStringList e = text.trimmed().split(QLatin1Char(','));
    if (!e.isEmpty() && e.last().isEmpty())
        e.removeLast();
    if (e.size() < 2 || !isChannel(e.at(0)) || e.at(1) != QLatin1String("P"))
        return std::nullopt;
    FakeProgram p;
    p.channel = e.at(0);
    qsizetype i = 2;
    if (!readField(e, i, QLatin1Char('A'), 2, p.batteryType) || !readField(e, i, QLatin1Char('M'), 2, p.mode)
        || !readField(e, i, QLatin1Char('Z'), 2, p.cells))
        return std::nullopt;
    readField(e, i, QLatin1Char('P'), 3, p.percent);
    if (!readField(e, i, QLatin1Char('F'), 1, p.forming) || !readField(e, i, QLatin1Char('W'), 2, p.period))
        return std::nullopt;
    readField(e, i, QLatin1Char('K'), 5, p.capacity);
    if ((p.percent >= 0) != (p.capacity >= 0))
        return std::nullopt; // the editor writes P and K together or not at all
    if (!readField(e, i, QLatin1Char('L'), 5, p.chargeCurrent)
        || !readField(e, i, QLatin1Char('E'), 5, p.dischargeCurrent)
        || !readField(e, i, QLatin1Char('V'), 5, p.chargeVoltage)
        || !readField(e, i, QLatin1Char('D'), 5, p.dischargeVoltage))
        return std::nullopt;
    if (i < e.size() && e.at(i).startsWith(QLatin1Char('Y'))) {
        const QString y = e.at(i);
        if (y.size() < 5 || (y.at(1) != QLatin1Char('H') && y.at(1) != QLatin1Char('D')))
            return std::nullopt;
        QStringList rest{QStringLiteral("Y") + y.mid(2)};
        qsizetype k = 0;
        if (!readField(rest, k, QLatin1Char('Y'), 3, p.selfDischargeInterval))
            return std::nullopt;
        p.selfDischargeUnit = y.at(1);
        ++i;
    }
    if (i == e.size())
        return p;
    int s = 0, c = 0, b = 0, h = 0, n = 0;
    if (!readField(e, i, QLatin1Char('S'), 1, s) || !readField(e, i, QLatin1Char('C'), 1, c)
        || !readField(e, i, QLatin1Char('B'), 1, b) || !readField(e, i, QLatin1Char('H'), 1, h)
        || !readField(e, i, QLatin1Char('N'), 3, n))
        return std::nullopt;
    p.extended = true;
    if (i < e.size()) {
        int o = 0, q = 0, u = 0;
        if (!readField(e, i, QLatin1Char('O'), 1, o) || !readField(e, i, QLatin1Char('Q'), 1, q)
            || !readField(e, i, QLatin1Char('U'), 1, u))
            return std::nullopt;
        p.withChargeMode = true;
    }
    if (i != e.size())
        return std::nullopt;
    return p;
}
