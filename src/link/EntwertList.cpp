#include "link/EntwertList.h"

#include "link/ReplyFields.h"

using namespace ReplyFields;

EntwertList::Record EntwertList::Add(Record comEndwert, const QString& sKey)
{
    if (!comEndwert || (!sKey.isEmpty() && indexOfKey(sKey) >= 0))
        return nullptr;
    m_records.push_back(comEndwert);
    m_keys.push_back(sKey);
    return comEndwert;
}

qsizetype EntwertList::indexOfKey(const QString& key) const
{
    if (key.isEmpty())
        return -1;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].compare(key, Qt::CaseInsensitive) == 0)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

EntwertList::Record EntwertList::Item(qsizetype vntIndex) const
{
    if (vntIndex < 1 || vntIndex > Count())
        return nullptr;
    return m_records[static_cast<size_t>(vntIndex - 1)];
}

EntwertList::Record EntwertList::Item(const QString& vntKey) const
{
    const qsizetype i = indexOfKey(vntKey);
    return i < 0 ? nullptr : m_records[static_cast<size_t>(i)];
}

bool EntwertList::Remove(qsizetype vntIndex)
{
    if (vntIndex < 1 || vntIndex > Count())
        return false;
    m_records.erase(m_records.begin() + (vntIndex - 1));
    m_keys.erase(m_keys.begin() + (vntIndex - 1));
    return true;
}

bool EntwertList::Remove(const QString& vntKey)
{
    const qsizetype i = indexOfKey(vntKey);
    return i >= 0 && Remove(i + 1);
}

void EntwertList::RemoveAll()
{
    m_records.clear();
    m_keys.clear();
}

void EntwertList::truncate(qsizetype count)
{
    m_records.resize(static_cast<size_t>(count));
    m_keys.resize(static_cast<size_t>(count));
}

bool EntwertList::splitRecievedString(QString& recieveString)
{
    recieveString = trimBlanks(recieveString);
    if (recieveString.isEmpty() || recieveString == QLatin1String("-1"))
        return false;
    // Views into the caller's text: no copy of the elements.
    const QList<QStringView> parts = QStringView(recieveString).split(QLatin1Char(','));
    if (parts.size() < 2 || parts.at(1) != u"D")
        return false;
    if (parts.size() - 1 < 4)
        return false;
    return evaluateSplitedMembers(parts);
}

bool EntwertList::evaluateSplitedMembers(const QStringList& strSubStrings)
{
    QList<QStringView> views;
    views.reserve(strSubStrings.size());
    for (const QString& element : strSubStrings)
        views.append(element);
    return evaluateSplitedMembers(views);
}

bool EntwertList::evaluateSplitedMembers(const QList<QStringView>& s)
{
    const qsizetype last = s.size() - 1;
    const QString channel = !s.isEmpty() && isChannelId(s.at(0)) ? s.at(0).toString() : QString();
    const qsizetype before = Count();

    // A group that runs past the end or holds a number that does not convert
    // makes the whole reply unusable: nothing of it is kept.
    auto fail = [&] {
        truncate(before);
        return false;
    };

    qsizetype n = 1;
    do {
        auto rec = std::make_shared<CommunicationEndwert>();
        rec->strKanal = channel;

        // Type, capacity, cycle time and voltage must all be there. A group
        // that ends before its voltage is incomplete, also when the empty
        // element after the final "," would stand in for the voltage.
        if (n + 4 > last || (n + 4 == last && s.at(last).isEmpty()))
            return fail();

        const QStringView type = s.at(++n);
        rec->iEndwertTyp = type == u"SL" ? 2 : type == u"SE" ? 3 : 0;

        const QStringView k = s.at(++n);
        if (startsWith(k, QLatin1Char('K'))) {
            if (!readSignedValue(k, 5, rec->lKapazitaet))
                return fail();
        } else {
            rec->iEndwertTyp = -1;
        }

        const QStringView t = s.at(++n);
        if (startsWith(t, QLatin1Char('T'))) {
            if (!readLong(t.sliced(1), rec->lZykluszeit))
                return fail();
        } else {
            rec->iEndwertTyp = -1;
        }

        const QStringView v = s.at(++n);
        if (startsWith(v, QLatin1Char('V'))) {
            if (!readSignedValue(v, 5, rec->lSpannung))
                return fail();
        } else {
            rec->iEndwertTyp = -1;
        }

        // The optional elements are looked for only before the last element,
        // so the empty element after the final "," is never taken as a field.
        if (n + 1 < last && startsWith(s.at(n + 1), QLatin1Char('Y'))) {
            if (!readLong(rightChars(s.at(++n), 5), rec->lSelbstentladung))
                return fail();
        } else {
            rec->lSelbstentladung = -1;
        }

        rec->bWithAkkuzustand = false;
        if (n + 1 < last && startsWith(s.at(n + 1), QLatin1Char('X'))) {
            qint16 digit = 0;
            if (!readInteger(rightChars(s.at(++n), 1), digit))
                return fail();
            rec->bWithAkkuzustand = true;
            rec->bAkkuzustand = digit == 1;
        }

        if (n + 1 < last && startsWith(s.at(n + 1), QLatin1Char('P'))) {
            if (!readInteger(rightChars(s.at(++n), 3), rec->iProzent))
                return fail();
        }

        Add(rec);
    } while (n + 1 < last);
    return true;
}
