// What Qt draws itself (standard buttons, the print dialog) follows the
// program's language, whatever the system's is.
#include "TestSupport.h"

#include "core/ProgramResources.h"
#include "core/QtLanguage.h"
#include "platform/Recordset.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {
class QtLanguageTest : public ::testing::Test {
protected:
    void TearDown() override { objResources().reset(); }

    static QStringList buttonTexts()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QStringList texts;
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok, QMessageBox::Cancel})
            texts << box.button(b)->text();
        return texts;
    }
    static QString printDialogTitle()
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        return dialog.windowTitle();
    }
};

const QStringList english{"&Yes", "&No", "OK", "Cancel"};
} // namespace

TEST_F(QtLanguageTest, StandardButtonsSpeakTheProgramsLanguage)
{
    const struct {
        const char* code;
        QStringList buttons;
        const char* applied;
    } cases[] = {
        {"DE", {"&Ja", "&Nein", "OK", "Abbrechen"}, "de"},
        {"EN", english, ""},
        {"de", {"&Ja", "&Nein", "OK", "Abbrechen"}, "de"},
        // Qt has no Greek texts, and no language is called "XX": English stays.
        {"EL", english, ""},
        {"XX", english, ""},
        {"", english, ""},
    };
    for (const auto& c : cases) {
        objResources().setLanguageKey(QLatin1String(c.code));
        EXPECT_EQ(buttonTexts(), c.buttons) << c.code;
        EXPECT_EQ(appliedQtLanguage(), QLatin1String(c.applied)) << c.code;
    }
}

TEST_F(QtLanguageTest, PrintDialogFollowsAndEndingTheTextsGoesBackToEnglish)
{
    objResources().setLanguageKey(QStringLiteral("DE"));
    EXPECT_EQ(printDialogTitle(), QStringLiteral("Drucken"));
    objResources().reset();
    EXPECT_EQ(printDialogTitle(), QStringLiteral("Print"));
    EXPECT_EQ(buttonTexts(), english);

    // A texts object of its own (not the program's) leaves Qt alone.
    ProgramResources other;
    other.setLanguageKey(QStringLiteral("DE"));
    EXPECT_EQ(buttonTexts(), english);
}
