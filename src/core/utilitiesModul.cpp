#include "core/utilitiesModul.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMetaObject>
#include <cmath>

namespace {

// value / 1000 as "###0.000"; exact for integers, so no rounding can creep in.
QString formatThousandths(qint64 thousandths)
{
    const bool negative = thousandths < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(thousandths) : static_cast<quint64>(thousandths);
    QString text;
    if (negative)
        text += QLatin1Char('-');
    text += QString::number(magnitude / 1000);
    text += QLocale().decimalPoint();
    text += QStringLiteral("%1").arg(magnitude % 1000, 3, 10, QLatin1Char('0'));
    return text;
}

} // namespace

QString formatVoltage(qint32 millivolts)
{
    return formatThousandths(millivolts) + QStringLiteral(" V");
}

QString formatCurrent(qint32 milliamperes)
{
    return formatThousandths(milliamperes) + QStringLiteral(" A");
}

QString formatCapacity(qint32 milliampereHours)
{
    return formatThousandths(milliampereHours) + QStringLiteral(" Ah");
}

QString formatThreeDecimals(const QString& text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return text;
    if (std::fabs(value) < 1e12)
        return formatThousandths(std::llround(value * 1000.0));
    QLocale plain;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', 3);
}

bool isDecimalInputAccepted(const QString& text)
{
    // Only what a person types for a value: digits, one decimal separator of
    // the locale and a leading minus. The locale would also read exponents,
    // blanks, grouping and "inf"/"nan", none of which a number box should hold.
    const QLocale locale;
    const QString separator = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    const QStringView view(text);
    qsizetype i = !minus.isEmpty() && view.startsWith(minus) ? minus.size() : 0;
    bool digit = false;
    bool separatorSeen = false;
    while (i < view.size()) {
        if (view.at(i).isDigit()) {
            digit = true;
            ++i;
        } else if (!separatorSeen && !separator.isEmpty() && view.sliced(i).startsWith(separator)) {
            separatorSeen = true;
            i += separator.size();
        } else {
            return false;
        }
    }
    if (!digit)
        return false;
    bool ok = false;
    const float value = locale.toFloat(text, &ok);
    return ok && std::isfinite(value);
}

bool isIntegerInputAccepted(const QString& text)
{
    if (text.contains(QLatin1Char('.')) || text.contains(QLatin1Char(',')))
        return false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    locale.toShort(text, &ok);
    return ok;
}

namespace {

using Acceptor = bool (*)(const QString&);

// Lives as a child of a filtered box and remembers what the filter needs to
// tell the user's characters from everything else: the text before the edit
// being handled, and whether the program set the text in the meantime.
class InputTracker : public QObject {
public:
    static constexpr const char* kName = "velmoroInputTracker";

    InputTracker(QLineEdit* box, bool insideUserEdit) : QObject(box), m_box(box)
    {
        setObjectName(QLatin1String(kName));
        previous = box->text();
        userEditPending = insideUserEdit;
        // textEdited comes before textChanged for the user's edits; a
        // textChanged without it is the program's setText.
        connect(box, &QLineEdit::textEdited, this, [this] { userEditPending = true; });
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!userEditPending)
                ++programChanges;
            userEditPending = false;
            checked = false;
            previous = text;
        });
    }

    static InputTracker* of(QLineEdit* box)
    {
        return box->findChild<InputTracker*>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    }

    void takeBack(Acceptor accepts)
    {
        const qsizetype budget = pending;
        pending = 0;
        if (budget <= 0 || programChanges != generation || !m_box->isModified() || m_box->hasSelectedText())
            return;
        busy = true;
        for (qsizetype n = 0; n < budget && m_box->cursorPosition() > 0 && !accepts(m_box->text()); ++n)
            m_box->backspace();
        busy = false;
    }

    QString previous;
    bool userEditPending = false;
    quint64 programChanges = 0;
    quint64 generation = 0; // programChanges when the pending take-back was asked for
    qsizetype pending = 0;  // characters still to be taken back
    bool busy = false;      // the filter's own take-back is running
    // The text of the last check since the last change: a filter wired twice
    // checks each edit once.
    bool checked = false;
    QString checkedText;

private:
    QLineEdit* m_box;
};

// Length of what an edit put in: the part of after that is neither the common
// start nor the common end of both texts.
qsizetype insertedLength(const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (prefix + suffix < shorter && before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    return after.size() - prefix - suffix;
}

void checkInput(QLineEdit* box, Acceptor accepts)
{
    if (!box)
        return;
    InputTracker* tracker = InputTracker::of(box);
    const QString text = box->text();
    if (tracker && (tracker->busy || (tracker->checked && tracker->checkedText == text)))
        return;
    // setText clears the modified flag: text set by the program is left alone.
    const bool userText = box->isModified();
    qsizetype inserted = 1; // first call without tracking: the key just typed
    if (tracker)
        inserted = insertedLength(tracker->previous, text);
    else
        tracker = new InputTracker(box, userText);
    tracker->checked = true;
    tracker->checkedText = text;
    if (!userText || accepts(text) || inserted <= 0)
        return;

    if (tracker->pending == 0) {
        tracker->generation = tracker->programChanges;
        // Deferred like a key press in the input queue, so that the change
        // notification now running finishes with the text as it was typed,
        // and the correction follows as a change of its own.
        QMetaObject::invokeMethod(
            tracker, [tracker, accepts] { tracker->takeBack(accepts); }, Qt::QueuedConnection);
    }
    tracker->pending += inserted;
}

// Turns either decimal key (point or comma, main keyboard or keypad) into
// the locale's decimal separator: the other one would only be taken back,
// and "1.5" would silently become "15".
class DecimalKeys : public QObject {
public:
    static constexpr const char* kName = "velmoroDecimalKeys";

    explicit DecimalKeys(QLineEdit* box) : QObject(box)
    {
        setObjectName(QLatin1String(kName));
        box->installEventFilter(this);
    }

    static void attach(QLineEdit* box)
    {
        if (!box->findChild<DecimalKeys*>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
            new DecimalKeys(box);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed != QLatin1String(".") && typed != QLatin1String(","))
            return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString separator = QLocale().decimalPoint();
        if (typed == separator)
            return false;
        int code = Qt::Key_unknown;
        if (separator == QLatin1String("."))
            code = Qt::Key_Period;
        else if (separator == QLatin1String(","))
            code = Qt::Key_Comma;
        QKeyEvent mapped(QEvent::KeyPress, code, key->modifiers(), separator, key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &mapped);
        return true;
    }
};

void connectFilter(QLineEdit* box, Acceptor accepts)
{
    if (!box)
        return;
    if (!InputTracker::of(box))
        new InputTracker(box, false);
    QObject::connect(box, &QLineEdit::textEdited, box, [box, accepts] { checkInput(box, accepts); });
}

} // namespace

void checkDecimalInput(QLineEdit* box)
{
    if (box)
        DecimalKeys::attach(box);
    checkInput(box, &isDecimalInputAccepted);
}

void checkIntegerInput(QLineEdit* box)
{
    checkInput(box, &isIntegerInputAccepted);
}

void connectDecimalInputFilter(QLineEdit* box)
{
    if (box)
        DecimalKeys::attach(box);
    connectFilter(box, &isDecimalInputAccepted);
}

void connectIntegerInputFilter(QLineEdit* box)
{
    connectFilter(box, &isIntegerInputAccepted);
}
