// The header height box takes digits and the decimal separator only,
// whichever decimal key is pressed.
#include "../mainwindow/DialogFixture.h"

#include "printing/dlgPrintSettings.h"

#include <QLineEdit>
#include <QLocale>
#include <QTest>

TEST_F(DialogFixture, HeaderHeightTakesDigitsAndOneSeparatorOnly)
{
    const struct {
        bool german;
        const char* typed;
        const char* stored;
    } cases[] = {{false, "1e1", "11"}, {true, "1e1", "11"}, {false, "1,5", "1.5"}, {true, " 2.5,", "2.5"}};
    for (const auto& c : cases) {
        QLocale::setDefault(c.german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        dlgPrintSettings d;
        d.txtHeigth->clear();
        for (const char ch : std::string(c.typed)) {
            QTest::keyClick(d.txtHeigth, ch);
            QCoreApplication::sendPostedEvents();
        }
        d.cmdOk_Click();
        EXPECT_EQ(setting("HeadArea"), QLatin1String(c.stored)) << c.german << " " << c.typed;
    }
    QLocale::setDefault(QLocale::c());
}
