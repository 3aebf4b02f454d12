#include "core/DateInWords.h"

#include "core/ProgramResources.h"
#include "core/QtLanguage.h"

#include <QLocale>

QString dateInWords(const QDateTime& when, const QString& format)
{
    const QLocale locale = languageLocale(objResources().languageKey());
    QString text = locale.toString(when, format);
    // A language written with digits of its own still shows a date's numbers
    // as the rest of the program does.
    const QString zero = locale.zeroDigit();
    if (zero.size() == 1 && zero.at(0) != QLatin1Char('0')) {
        const char16_t first = zero.at(0).unicode();
        for (QChar& c : text)
            if (c.unicode() >= first && c.unicode() <= first + 9)
                c = QChar(u'0' + (c.unicode() - first));
    }
    return text;
}
