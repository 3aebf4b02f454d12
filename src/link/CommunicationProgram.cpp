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

// How reading a run of elements ended: on to the next, at digits that are no
// number (the record is unusable and the conversion failed), or at a missing
// mandatory element (unusable too, but a well-formed answer of the parse).
enum class Step { Next, Bad, Missing };

template <typename T>
Step mandatory(ProgramCursor& c, QChar letter, qsizetype digits, T& field)
{
    if (!c.at(letter))
        return Step::Missing;
    return c.take(digits, field) ? Step::Next : Step::Bad;
}

// An element the charger may leave out; then the field says "not given".
template <typename T>
Step optional(ProgramCursor& c, QChar letter, qsizetype digits, T& field)
{
    if (!c.at(letter)) {
        field = -3;
        return Step::Next;
    }
    return c.take(digits, field) ? Step::Next : Step::Bad;
}

Step mandatorySwitch(ProgramCursor& c, QChar letter, bool& isOne)
{
    if (!c.at(letter))
        return Step::Missing;
    return c.takeSwitch(isOne) ? Step::Next : Step::Bad;
}

// Y carries its interval's unit in its second character.
Step selfDischargeInterval(ProgramCursor& c, CommunicationProgram& p)
{
    if (!c.at(QLatin1Char('Y'))) {
        p.iSelbstentladungsIntervall = -3;
        return Step::Next;
    }
    const QStringView y = c.current();
    if (y.size() > 1 && y.at(1) == QLatin1Char('H'))
        p.iSelbstentladungsIntervalTyp = 2;
    else if (y.size() > 1 && y.at(1) == QLatin1Char('D'))
        p.iSelbstentladungsIntervalTyp = 1;
    return c.take(3, p.iSelbstentladungsIntervall) ? Step::Next : Step::Bad;
}

Step baseBlock(ProgramCursor& c, CommunicationProgram& p)
{
    Step s = mandatory(c, QLatin1Char('A'), 2, p.iAkkuTyp);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('M'), 2, p.iMode);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('Z'), 2, p.iZellenzahl);
    if (s == Step::Next)
        s = optional(c, QLatin1Char('P'), 3, p.iProzentwert);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('F'), 1, p.iFormierZyklen);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('W'), 2, p.iWiederholtesLadenEntladen);
    if (s == Step::Next)
        s = optional(c, QLatin1Char('K'), 5, p.lKapazitaet);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('L'), 5, p.lLadestrom);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('E'), 5, p.lEntladeStrom);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('V'), 5, p.lLadeschlussSpannung);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('D'), 5, p.lEntladeschlussSpannung);
    if (s == Step::Next)
        s = selfDischargeInterval(c, p);
    return s;
}

// S, C, B, H, N and, unless the block ends there, O, Q, U.
Step extendedBlock(ProgramCursor& c, CommunicationProgram& p)
{
    p.bExtendedRecieved = true;
    bool isOne = false;
    Step s = mandatorySwitch(c, QLatin1Char('S'), isOne);
    if (s == Step::Next) {
        p.bProgrammierungGesperrt = !isOne;
        s = mandatorySwitch(c, QLatin1Char('C'), isOne);
    }
    if (s == Step::Next) {
        p.bOhneLast = isOne;
        s = mandatory(c, QLatin1Char('B'), 1, p.iBleiakkuMode);
    }
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('H'), 1, p.iLiionMode);
    if (s == Step::Next)
        s = mandatory(c, QLatin1Char('N'), 3, p.iLadeende);
    if (s != Step::Next || c.atEnd() || c.at(QLatin1Char('G')))
        return s;
    s = mandatorySwitch(c, QLatin1Char('O'), isOne);
    if (s == Step::Next) {
        p.iLademode = isOne ? 1 : 0;
        s = mandatorySwitch(c, QLatin1Char('Q'), isOne);
    }
    if (s == Step::Next) {
        p.iQ = isOne ? 1 : 0;
        s = mandatorySwitch(c, QLatin1Char('U'), isOne);
    }
    if (s == Step::Next)
        p.iU = isOne ? 1 : 0;
    return s;
}

// After the extended block: G or R when the reply carries one, then an
// optional R.
Step extendedTail(ProgramCursor& c, CommunicationProgram& p, bool bWithGal)
{
    Step s = Step::Next;
    if (bWithGal) {
        if (c.at(QLatin1Char('G')))
            s = mandatory(c, QLatin1Char('G'), 1, p.iGalNummer);
        else
            s = mandatory(c, QLatin1Char('R'), 1, p.iLadegeraet);
    }
    if (s == Step::Next && !c.atEnd())
        s = mandatory(c, QLatin1Char('R'), 1, p.iLadegeraet);
    return s;
}

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
    Step s = baseBlock(c, *this);
    if (s == Step::Next) {
        if (c.atEnd()) {
            iGalNummer = 0;
        } else if (c.at(QLatin1Char('G'))) {
            // Nothing after the G element is read, so the final empty element of a reply is never looked at.
            bExtendedRecieved = false;
            s = c.take(1, iGalNummer) ? Step::Next : Step::Bad;
        } else if (!c.at(QLatin1Char('S'))) {
            s = Step::Missing;
        } else {
            s = extendedBlock(c, *this);
            if (s == Step::Next)
                s = extendedTail(c, *this, bWithGal);
        }
    }
    if (s != Step::Next)
        iAkkuTyp = -1;
    return s != Step::Bad;
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

namespace {
// One of the two leading numbers of a self-description, which must lie
// within [lo, hi]: -6 when it is no number, -7 when it lies outside.
bool readInfoHeader(const QString& element, qint64 lo, qint64 hi, qint16& field)
{
    qint64 v = 0;
    switch (readSignedNumber(element, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), v)) {
    case NumberRead::NotNumber:
        field = -6;
        return false;
    case NumberRead::OutOfRange:
        field = -7;
        return false;
    case NumberRead::Ok:
        break;
    }
    if (v < lo || v > hi) {
        field = -7;
        return false;
    }
    field = static_cast<qint16>(v);
    return true;
}
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

    if (!readInfoHeader(parts.at(2), 1, 4, iLGChannels))
        return;
    iLGPosition = 2;
    if (!readInfoHeader(parts.at(3), 0, 1, iLGErwPrgMode))
        return;
    iLGPosition = 3;

    qint64 v = 0;
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
