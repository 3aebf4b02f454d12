// What Qt draws itself (standard buttons, the print dialog) follows the
// program's language, whatever the system's is.
#include "TestSupport.h"

#include "core/ProgramResources.h"
#include "platform/Recordset.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {
QStringList buttonTexts()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    QStringList texts;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok, QMessageBox::Cancel})
        texts << box.button(b)->text();
    return texts;
}
} // namespace

TEST(QtLanguageTest, StandardButtonsAndThePrintDialogSpeakTheProgramsLanguage)
{
    const QStringList english{"&Yes", "&No", "OK", "Cancel"};
    const QStringList german{"&Ja", "&Nein", "OK", "Abbrechen"};
    // Qt has no Greek texts, and no language is called "XX": English stays.
    const std::pair<const char*, QStringList> cases[] = {{"DE", german},  {"EN", english}, {"de", german},
                                                         {"EL", english}, {"XX", english}, {"", english}};
    for (const auto& [code, buttons] : cases) {
        objResources().setLanguageKey(QLatin1String(code));
        EXPECT_EQ(buttonTexts(), buttons) << code;
    }
    objResources().setLanguageKey(QStringLiteral("DE"));
    QPrinter printer;
    EXPECT_EQ(QPrintDialog(&printer).windowTitle(), QStringLiteral("Drucken"));

    // A texts object of its own leaves Qt alone; the program's, reset, goes back to English.
    ProgramResources other;
    other.setLanguageKey(QStringLiteral("EN"));
    EXPECT_EQ(buttonTexts(), german);
    objResources().reset();
    EXPECT_EQ(buttonTexts(), english);
}
