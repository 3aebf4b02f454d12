#include "link/CommunicationProgram.h"

#include "link/LinkSettings.h"
#include "link/ReplyFields.h"

#include <QStringList>
#include <limits>

using namespace ReplyFields;

CommunicationProgram::CommunicationProgram()
{
    bool ok = false;
    const qint16 ladeende = linkSetting(QStringLiteral("DefaultLadeende")).trimmed().toShort(&ok);
    iLadeende = ok ? ladeende : 0;
}

namespace {

// Walks the elements of a program text. Every read either stores its value
// or reports that the digits were no number.
class ProgramCursor {
public:
    explicit ProgramCursor(const QStringList& parts) : m_parts(parts) {}

    bool atEnd() const { return m_pos >= m_parts.size(); }
    // The element at the cursor starts with this letter (false when none is left).
    bool at(QChar letter) const { return !atEnd() && startsWith(m_parts.at(m_pos), letter); }
    QStringView current() const { return m_parts.at(m_pos); }
    void next() { ++m_pos; }

    template <typename T>
    bool take(qsizetype digits, T& field)
    {
        const QStringView tail = rightChars(m_parts.at(m_pos), digits);
        bool ok;
        if constexpr (sizeof(T) == sizeof(qint16)) {
            ok = readInteger(tail, field);
        } else {
            ok = readLong(tail, field);
        }
        ++m_pos;
        return ok;
    }

    // A one-digit switch (S, C, O, Q, U): its value compared with 1.
    bool takeSwitch(bool& isOne)
    {
        qint32 v = 0;
        const bool ok = readLong(rightChars(m_parts.at(m_pos), 1), v);
        isOne = v == 1;
        ++m_pos;
        return ok;
    }

private:
    const QStringList& m_parts;
    qsizetype m_pos = 2;
};

} // namespace

bool CommunicationProgram::splitRecievedString(QString& recieveString, bool bWithGal)
{
    recieveString = trimBlanks(recieveString);
    if (recieveString.isEmpty()) {
        iAkkuTyp = -2;
        return true;
    }
    if (recieveString == QLatin1String("-1")) {
        iAkkuTyp = -1;
        return true;
    }
    const QStringList parts = recieveString.split(QLatin1Char(','));

    if (isChannelId(parts.at(0)))
        strKanal = parts.at(0);
    else
        iAkkuTyp = -1; // survives only when the parse ends before A

    if (parts.size() < 2 || parts.at(1) != QLatin1String("P")) {
        const bool refused =
            parts.size() >= 3 && parts.at(1) == QLatin1String("M") && parts.at(2) == QLatin1String("SK");
        iAkkuTyp = refused ? -4 : -1;
        return true;
    }

    ProgramCursor c(parts);
    // A value whose digits are no number ends the parse as unusable.
    auto bad = [this] {
        iAkkuTyp = -1;
        return false;
    };
    // A missing mandatory field ends it as unusable too, but that is a
    // well-formed answer of the parse, not a conversion failure.
    auto missing = [this] {
        iAkkuTyp = -1;
        return true;
    };

    // Base block.
    if (!c.at(QLatin1Char('A')))
        return missing();
    if (!c.take(2, iAkkuTyp))
        return bad();
    if (!c.at(QLatin1Char('M')))
        return missing();
    if (!c.take(2, iMode))
        return bad();
    if (!c.at(QLatin1Char('Z')))
        return missing();
    if (!c.take(2, iZellenzahl))
        return bad();
    if (c.at(QLatin1Char('P'))) {
        if (!c.take(3, iProzentwert))
            return bad();
    } else {
        iProzentwert = -3;
    }
    if (!c.at(QLatin1Char('F')))
        return missing();
    if (!c.take(1, iFormierZyklen))
        return bad();
    if (!c.at(QLatin1Char('W')))
        return missing();
    if (!c.take(2, iWiederholtesLadenEntladen))
        return bad();
    if (c.at(QLatin1Char('K'))) {
        if (!c.take(5, lKapazitaet))
            return bad();
    } else {
        lKapazitaet = -3;
    }
    if (!c.at(QLatin1Char('L')))
        return missing();
    if (!c.take(5, lLadestrom))
        return bad();
    if (!c.at(QLatin1Char('E')))
        return missing();
    if (!c.take(5, lEntladeStrom))
        return bad();
    if (!c.at(QLatin1Char('V')))
        return missing();
    if (!c.take(5, lLadeschlussSpannung))
        return bad();
    if (!c.at(QLatin1Char('D')))
        return missing();
    if (!c.take(5, lEntladeschlussSpannung))
        return bad();
    if (c.at(QLatin1Char('Y'))) {
        const QStringView y = c.current();
        if (y.size() > 1 && y.at(1) == QLatin1Char('H'))
            iSelbstentladungsIntervalTyp = 2;
        else if (y.size() > 1 && y.at(1) == QLatin1Char('D'))
            iSelbstentladungsIntervalTyp = 1;
        if (!c.take(3, iSelbstentladungsIntervall))
            return bad();
    } else {
        iSelbstentladungsIntervall = -3;
    }

    // Tail after the base block.
    if (c.atEnd()) {
        iGalNummer = 0;
        return true;
    }
    if (c.at(QLatin1Char('G'))) {
        // Nothing after the G element is read, so the final empty element of a reply is never looked at.
        bExtendedRecieved = false;
        return c.take(1, iGalNummer) || bad();
    }
    if (!c.at(QLatin1Char('S')))
        return missing();

    // Extended block.
    bExtendedRecieved = true;
    bool isOne = false;
    if (!c.takeSwitch(isOne))
        return bad();
    bProgrammierungGesperrt = !isOne;
    if (!c.at(QLatin1Char('C')))
        return missing();
    if (!c.takeSwitch(isOne))
        return bad();
    bOhneLast = isOne;
    if (!c.at(QLatin1Char('B')))
        return missing();
    if (!c.take(1, iBleiakkuMode))
        return bad();
    if (!c.at(QLatin1Char('H')))
        return missing();
    if (!c.take(1, iLiionMode))
        return bad();
    if (!c.at(QLatin1Char('N')))
        return missing();
    if (!c.take(3, iLadeende))
        return bad();

    if (!c.atEnd() && !c.at(QLatin1Char('G'))) {
        if (!c.at(QLatin1Char('O')))
            return missing();
        if (!c.takeSwitch(isOne))
            return bad();
        iLademode = isOne ? 1 : 0;
        if (!c.at(QLatin1Char('Q')))
            return missing();
        if (!c.takeSwitch(isOne))
            return bad();
        iQ = isOne ? 1 : 0;
        if (!c.at(QLatin1Char('U')))
            return missing();
        if (!c.takeSwitch(isOne))
            return bad();
        iU = isOne ? 1 : 0;
    }

    if (bWithGal) {
        if (c.at(QLatin1Char('G'))) {
            if (!c.take(1, iGalNummer))
                return bad();
        } else if (c.at(QLatin1Char('R'))) {
            if (!c.take(1, iLadegeraet))
                return bad();
        } else {
            return missing();
        }
    }

    if (!c.atEnd()) {
        if (!c.at(QLatin1Char('R')))
            return missing();
        if (!c.take(1, iLadegeraet))
            return bad();
    }
    return true;
}

namespace {

struct InfoField {
    int element;
    int width;
    qint16 CommunicationProgram::*integer;
    qint32 CommunicationProgram::*longValue;
};

constexpr InfoField kInfoFields[] = {
    {4, 2, &CommunicationProgram::iLGZzMinNICD, nullptr},   {5, 2, &CommunicationProgram::iLGZzMaxNICD, nullptr},
    {6, 2, &CommunicationProgram::iLGZzMinNIMH, nullptr},   {7, 2, &CommunicationProgram::iLGZzMaxNIMH, nullptr},
    {8, 2, &CommunicationProgram::iLGZzMinLiIon, nullptr},  {9, 2, &CommunicationProgram::iLGZzMaxLiIon, nullptr},
    {10, 2, &CommunicationProgram::iLGZzMinBlei, nullptr},  {11, 2, &CommunicationProgram::iLGZzMaxBlei, nullptr},
    {12, 5, nullptr, &CommunicationProgram::iLGVLsSpMin},   {13, 5, nullptr, &CommunicationProgram::iLGVLsSpMax},
    {14, 5, nullptr, &CommunicationProgram::iLGVElsSpMin},  {15, 5, nullptr, &CommunicationProgram::iLGVElsSpMax},
    {16, 5, nullptr, &CommunicationProgram::iLGElStrMin},   {17, 5, nullptr, &CommunicationProgram::iLGElStrMax},
    {18, 5, nullptr, &CommunicationProgram::iLGLStrMin},    {19, 5, nullptr, &CommunicationProgram::iLGLStrMax},
    {20, 5, nullptr, &CommunicationProgram::iLGSkMin},      {21, 5, nullptr, &CommunicationProgram::iLGSkMax},
    {22, 3, &CommunicationProgram::iLGStrLeMin, nullptr},   {23, 3, &CommunicationProgram::iLGStrLeMax, nullptr},
    {24, 3, &CommunicationProgram::iLGPrzGSMin, nullptr},   {25, 3, &CommunicationProgram::iLGPrzGSMax, nullptr},
    {26, 2, &CommunicationProgram::iLGWiEntlLMin, nullptr}, {27, 2, &CommunicationProgram::iLGWiEntlLMax, nullptr},
    {28, 3, &CommunicationProgram::iLGSEntlTaMin, nullptr}, {29, 3, &CommunicationProgram::iLGSEntlTaMax, nullptr},
    {30, 3, &CommunicationProgram::iLGSEntlStMin, nullptr}, {31, 3, &CommunicationProgram::iLGSEntlStMax, nullptr},
};

constexpr qsizetype kInfoElements = 34;
constexpr qsizetype kInfoTextLength = 20;

} // namespace

void CommunicationProgram::splitRecievedGeraeteInfoString(QString& recieveString)
{
    iLGPosition = -1;
    recieveString = trimBlanks(recieveString);
    if (recieveString.isEmpty()) {
        iLGChannels = -2;
        return;
    }
    if (recieveString == QLatin1String("-1")) {
        iLGChannels = -1;
        return;
    }
    const QStringList parts = recieveString.split(QLatin1Char(','));
    if (parts.size() != kInfoElements || parts.at(1) != QLatin1String("G")) {
        iLGChannels = -1;
        return;
    }

    constexpr qint64 anyMin = std::numeric_limits<qint64>::min();
    constexpr qint64 anyMax = std::numeric_limits<qint64>::max();
    qint64 v = 0;

    switch (readSignedNumber(parts.at(2), anyMin, anyMax, v)) {
    case NumberRead::NotNumber:
        iLGChannels = -6;
        return;
    case NumberRead::OutOfRange:
        iLGChannels = -7;
        return;
    case NumberRead::Ok:
        break;
    }
    if (v < 1 || v > 4) {
        iLGChannels = -7;
        return;
    }
    iLGChannels = static_cast<qint16>(v);
    iLGPosition = 2;

    switch (readSignedNumber(parts.at(3), anyMin, anyMax, v)) {
    case NumberRead::NotNumber:
        iLGErwPrgMode = -6;
        return;
    case NumberRead::OutOfRange:
        iLGErwPrgMode = -7;
        return;
    case NumberRead::Ok:
        break;
    }
    if (v != 0 && v != 1) {
        iLGErwPrgMode = -7;
        return;
    }
    iLGErwPrgMode = static_cast<qint16>(v);
    iLGPosition = 3;

    for (const InfoField& f : kInfoFields) {
        const QString& element = parts.at(f.element);
        const qint64 min = f.integer ? std::numeric_limits<qint16>::min() : std::numeric_limits<qint32>::min();
        const qint64 max = f.integer ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
        qint32 result = 0;
        bool failed = true;
        switch (readSignedNumber(element, min, max, v)) {
        case NumberRead::NotNumber:
            result = -6;
            break;
        case NumberRead::OutOfRange:
            result = -7;
            break;
        case NumberRead::Ok:
            failed = element.size() != f.width;
            result = failed ? -7 : static_cast<qint32>(v);
            break;
        }
        if (f.integer)
            this->*f.integer = static_cast<qint16>(result);
        else
            this->*f.longValue = result;
        if (failed)
            return;
        iLGPosition = static_cast<qint16>(f.element);
    }

    QString text = parts.at(32);
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    iLGTxt = text.left(kInfoTextLength);
    iLGPosition = 32;
}
