// The header height box takes what a person types for a height: digits and
// the decimal separator, whichever decimal key is pressed.
#include "../mainwindow/DialogFixture.h"

#include "printing/dlgPrintSettings.h"

#include <QLineEdit>
#include <QLocale>
#include <QTest>

namespace {
class HeaderHeightKeysTest : public DialogFixture {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        DialogFixture::TearDown();
    }
};
} // namespace

TEST_F(HeaderHeightKeysTest, OnlyDigitsAndOneSeparatorReachTheStoredHeight)
{
    const struct {
        bool german;
        const char* typed;
        const char* box;
    } cases[] = {
        {false, "1e1", "11"}, {true, "1e1", "11"},   {false, "1,5", "1.5"}, {true, "1.5", "1,5"},
        {false, " 2", "2"},   {true, "2,5,", "2,5"}, {false, "1.2.3", "1.23"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.german ? "de " : "C ") + c.typed);
        QLocale::setDefault(c.german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        dlgPrintSettings d;
        d.txtHeigth->clear();
        d.txtHeigth->setFocus();
        for (const char ch : std::string(c.typed)) {
            QTest::keyClick(d.txtHeigth, ch);
            QCoreApplication::sendPostedEvents();
        }
        EXPECT_EQ(d.txtHeigth->text(), QLatin1String(c.box));
        d.cmdOk_Click();
        EXPECT_EQ(setting("HeadArea"), QLatin1String(c.box));
    }
}
