// The print-settings, sub-title and remark dialogs: what they store, what
// they refuse, in the C locale and in German.
#include "../mainwindow/DialogFixture.h"

#include "core/DateInWords.h"
#include "core/utilitiesModul.h"
#include "printing/PrintSettings.h"
#include "printing/VelmoroPrinting.h"
#include "printing/dlgBemerkung.h"
#include "printing/dlgPrintSettings.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

namespace {
struct GermanLocale {
    GermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanLocale() { QLocale::setDefault(QLocale::c()); }
};

struct LocaleBack {
    ~LocaleBack() { QLocale::setDefault(QLocale::c()); }
};

class PrintSettingsTest : public DialogFixture {};
} // namespace

TEST(PrintSettingsParseTest, HeightIsANumberFromZeroToFifteenInTheUsersLocale)
{
    struct Case {
        const char* text;
        std::optional<double> c, german;
    };
    const Case cases[] = {
        {"2", 2, 2},
        {" 2 ", 2, 2},
        {"0", 0, 0},
        {"15", 15, 15},
        {"2.5", 2.5, 2.5}, // older settings hold the plain form
        {"2,5", std::nullopt, 2.5},
        {"1.000", 1, std::nullopt}, // a thousand in German
        {"15.5", std::nullopt, std::nullopt},
        {"-1", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"2cm", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintSettings::parseHeadArea(QString::fromLatin1(c.text)), c.c) << c.text;
    GermanLocale german;
    for (const Case& c : cases)
        EXPECT_EQ(PrintSettings::parseHeadArea(QString::fromLatin1(c.text)), c.german) << "de " << c.text;
}

TEST_F(PrintSettingsTest, RefusedHeightKeepsTheDialogOpenButStoresTheDate)
{
    setSetting("HeadArea", QStringLiteral("2"));
    setSetting("PrintDate", QStringLiteral("YES"));
    struct Case {
        const char* typed;
        const char* message;
    };
    for (const Case& c : {Case{"", "9032"}, Case{"abc", "9031"}, Case{"16", "9031"}, Case{"-0.5", "9031"}}) {
        SCOPED_TRACE(c.typed);
        messages.shown.clear();
        dlgPrintSettings d;
        EXPECT_EQ(d.txtHeigth->text(), "2");
        EXPECT_TRUE(d.chkShowDate->isChecked());
        d.txtHeigth->setText(QString::fromLatin1(c.typed));
        d.chkShowDate->setChecked(false);
        d.setResult(-1);
        d.cmdOk_Click();
        EXPECT_EQ(d.result(), -1);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, getResource(QString::fromLatin1(c.message)));
        EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("9030")));
        EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
        EXPECT_EQ(setting("HeadArea"), "2");
        EXPECT_EQ(setting("PrintDate"), "NO");
        setSetting("PrintDate", QStringLiteral("YES"));
    }
}

TEST_F(PrintSettingsTest, UsableHeightIsStoredInOneFormAndShownInTheUsersLocale)
{
    GermanLocale german;
    setSetting("HeadArea", QStringLiteral("1.5"));
    setSetting("PrintDate", QStringLiteral("NO"));
    dlgPrintSettings d;
    EXPECT_EQ(d.windowTitle(), getResource(QStringLiteral("9023")));
    EXPECT_EQ(d.txtHeigth->text(), "1,5");
    EXPECT_FALSE(d.chkShowDate->isChecked());
    d.txtHeigth->setText(QStringLiteral("2,5"));
    d.chkShowDate->setChecked(true);
    d.cmdOk_Click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(setting("HeadArea"), "2.5");
    EXPECT_EQ(setting("PrintDate"), "YES");
    EXPECT_EQ(PrintSettings::headAreaCm(), 2.5);

    // Cancel stores nothing.
    dlgPrintSettings again;
    again.txtHeigth->setText(QStringLiteral("3"));
    again.chkShowDate->setChecked(false);
    again.cmdCancel_Click();
    EXPECT_EQ(setting("HeadArea"), "2.5");
    EXPECT_EQ(setting("PrintDate"), "YES");
}

TEST_F(PrintSettingsTest, AHeightStoredUnderOneLocaleShowsAndPrintsAlikeUnderTheOther)
{
    LocaleBack back;
    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        QLocale typedIn;
        const char* typed;
        const char* stored;
        QLocale readIn;
        const char* shown;
        double cm;
    } cases[] = {{german, "1,5", "1.5", c, "1.5", 1.5},
                 {c, "2.25", "2.25", german, "2,25", 2.25},
                 {german, "3", "3", c, "3", 3},
                 {german, "0,00001", "0.00001", c, "0.00001", 0.00001}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        QLocale::setDefault(k.typedIn);
        dlgPrintSettings typing;
        typing.txtHeigth->setText(QString::fromLatin1(k.typed));
        typing.cmdOk_Click();
        EXPECT_EQ(setting("HeadArea"), k.stored);
        QLocale::setDefault(k.readIn);
        EXPECT_EQ(PrintSettings::headAreaCm(), k.cm);
        dlgPrintSettings reading;
        EXPECT_EQ(reading.txtHeigth->text(), k.shown);
        reading.setResult(-1);
        reading.cmdOk_Click();
        EXPECT_EQ(reading.result(), QDialog::Accepted);
        EXPECT_EQ(setting("HeadArea"), k.stored);
    }
    EXPECT_TRUE(messages.shown.isEmpty());

    // What older versions stored as typed is read under either locale.
    const struct {
        const char* stored;
        std::optional<double> cm;
    } older[] = {{"1,5", 1.5},    {" 2,5 ", 2.5}, {"1,000", 1}, {"1.000", 1}, {"15,5", {}}, {"1,5,0", {}},
                 {"1.000,5", {}}, {"", {}},       {"abc", {}},  {"nan", {}},  {"-0,5", {}}};
    for (const QLocale& locale : {c, german}) {
        QLocale::setDefault(locale);
        for (const auto& o : older) {
            setSetting("HeadArea", QString::fromLatin1(o.stored));
            EXPECT_EQ(PrintSettings::headAreaCm(), o.cm) << locale.name().toStdString() << " " << o.stored;
        }
    }
}

TEST_F(PrintSettingsTest, TheReportDateIsInTheProgramsLanguageItsNumbersInTheUsersLocale)
{
    LocaleBack back;
    const QDateTime when(QDate(2026, 12, 9), QTime(14, 3));
    const QString format = QStringLiteral("dd. MMMM yyyy   hh:mm");
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const char* language;
        QLocale user;
        const char* date;
    } cases[] = {{"DE", QLocale::c(), "09. Dezember 2026   14:03"},
                 {"EN", german, "09. December 2026   14:03"},
                 {"de", QLocale(QLocale::English, QLocale::UnitedStates), "09. Dezember 2026   14:03"},
                 {"", german, "09. December 2026   14:03"}};
    for (const auto& k : cases) {
        QLocale::setDefault(k.user);
        objResources().setLanguageKey(QString::fromLatin1(k.language));
        EXPECT_EQ(dateInWords(when, format), QString::fromUtf8(k.date)) << k.language;
    }
    // A language written with digits of its own keeps the date's digits plain.
    objResources().setLanguageKey(QStringLiteral("AR"));
    EXPECT_EQ(dateInWords(when, format), QStringLiteral("09. %1 2026   14:03").arg(QLocale("ar").monthName(12)));

    // The printed date: English words in an English program under a German locale.
    setSetting("PrintDate", QStringLiteral("YES"));
    QLocale::setDefault(german);
    objResources().setLanguageKey(QStringLiteral("EN"));
    const QStringList words = VelmoroPrinting::currentSettings(2).date.split(QLatin1Char(' '));
    ASSERT_GE(words.size(), 2);
    QStringList english;
    for (int month = 1; month <= 12; ++month)
        english << QLocale::c().monthName(month);
    EXPECT_TRUE(english.contains(words[1])) << words.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(formatCapacity(1234), "1,234 Ah");
}

TEST_F(PrintSettingsTest, RemarkIsConfirmedOnlyByOk)
{
    const std::function<void(dlgBemerkung&)> ways[] = {
        [](dlgBemerkung& d) { d.cmdCancel_Click(); }, [](dlgBemerkung& d) { d.reject(); }, // Escape
        [](dlgBemerkung& d) { d.close(); },                                                // the frame's close box
    };
    for (const auto& leave : ways) {
        VelmoroPrinting::setPrintRemark(QStringLiteral("earlier"), true);
        dlgBemerkung d;
        EXPECT_TRUE(d.txtBemerkung->toPlainText().isEmpty());
        d.txtBemerkung->setPlainText(QStringLiteral("typed"));
        leave(d);
        EXPECT_FALSE(VelmoroPrinting::printRemarkConfirmed());
        EXPECT_EQ(VelmoroPrinting::printRemark(), "");
    }
    dlgBemerkung d;
    EXPECT_EQ(d.windowTitle(), getResource(QStringLiteral("8000")));
    d.txtBemerkung->setPlainText(QStringLiteral("line one\nline two"));
    d.cmdOk_Click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(VelmoroPrinting::printRemarkConfirmed());
    EXPECT_EQ(VelmoroPrinting::printRemark(), "line one\nline two");
}
