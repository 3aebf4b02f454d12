// The guard at the edge of every handler that touches a database: a failure
// becomes one box in the user's language and the program goes on; ending the
// program passes through it untouched. Then real handlers with a database
// that refuses: a dialog's OK, a menu command, the main window's close.
#include "DialogFixture.h"
#include "MainWindowParts.h"

#include "mainwindow/dlgSprache.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"

#include <QAction>
#include <QPushButton>

namespace {
class ErrorGuardTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        installErrorTexts();
    }
    void TearDown() override
    {
        ErrorGuard::setDescriber({});
        DialogFixture::TearDown();
    }
    static QString failureText(const QString& description)
    {
        return getResource(QStringLiteral("0892")) + QString(2, QChar(13)) + description;
    }
    void refuseSettingsWrites()
    {
        dbVelmoro.exec(QStringLiteral("CREATE TRIGGER refuse_settings BEFORE UPDATE ON Optionen "
                                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    }
};
} // namespace

TEST_F(ErrorGuardTest, AFailingHandlerShowsOneBoxInTheUsersLanguageAndTheProgramGoesOn)
{
    const struct {
        const char* language;
        std::function<void()> fail;
        QString description;
    } rows[] = {
        {"EN", [] { throw DatabaseError(QStringLiteral("database is locked")); }, QStringLiteral("database is locked")},
        {"DE", [] { throw DatabaseError(QStringLiteral("disk I/O error")); }, QStringLiteral("disk I/O error")},
        {"DE", [] { throw std::overflow_error("temporary series identifiers exhausted"); },
         QStringLiteral("temporary series identifiers exhausted")},
    };
    for (const auto& row : rows) {
        objResources().setLanguageKey(QLatin1String(row.language));
        messages.shown.clear();
        bool after = false;
        auto handler = ErrorGuard::slot([&] {
            row.fail();
            after = true;
        });
        handler();
        handler(QStringLiteral("a signal's argument"));
        ASSERT_EQ(messages.shown.size(), 2) << row.language;
        EXPECT_EQ(messages.shown[0].text, failureText(row.description)) << row.language;
        EXPECT_EQ(messages.shown[0].icon, MessageService::Critical);
        EXPECT_FALSE(after);
    }
    // The texts are the chosen language's own, not one language for both.
    objResources().setLanguageKey(QStringLiteral("EN"));
    const QString english = getResource(QStringLiteral("0892"));
    objResources().setLanguageKey(QStringLiteral("DE"));
    EXPECT_NE(getResource(QStringLiteral("0892")), english);
    EXPECT_EQ(terminator.calls, 0);
}

TEST_F(ErrorGuardTest, EndingTheProgramPassesTheGuardWithoutABox)
{
    EXPECT_THROW(ErrorGuard::run([] { endProgram(0); }), ProgramTerminated);
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ErrorGuardTest, LanguageDialogKeepsItsSettingAndStaysOpenWhenTheWriteIsRefused)
{
    refuseSettingsWrites();
    dlgSprache d;
    d.cboSprachAuswahl->selectValue(QStringLiteral("DE"));
    messages.answer(MessageService::Ok);
    messages.answer(MessageService::Yes);
    d.btnOk->click(); // through the connection, as the user's click arrives

    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[2].icon, MessageService::Critical);
    EXPECT_TRUE(messages.shown[2].text.startsWith(getResource(QStringLiteral("0892"))));
    EXPECT_TRUE(messages.shown[2].text.contains(QStringLiteral("disk full")));
    EXPECT_EQ(terminator.calls, 0);
    EXPECT_EQ(d.result(), 0); // not accepted: the user may cancel
    EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("EN"));
}

TEST_F(ErrorGuardTest, MenuCommandWhoseDialogCannotReadItsListShowsTheFailure)
{
    auto form = mainWindowWithChannels(services);
    dbVelmoro.exec(QStringLiteral("DROP TABLE Sprachen"));
    form->mnuEinstellungenSprache->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(getResource(QStringLiteral("0892"))));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("Sprachen")));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(terminator.calls, 0);

    // The window still answers its next command.
    form->mnuBearbeitenInfoDiagramm->trigger();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, getResource(QStringLiteral("1100")));
}

TEST_F(ErrorGuardTest, ClosingWhileTheLayoutCannotBeStoredTellsItAndStillEnds)
{
    auto form = mainWindowWithChannels(services);
    // The stored layout differs from the shown one, so closing has to write it.
    setSetting("Akku2Visible", QStringLiteral("NO"));
    refuseSettingsWrites();
    messages.answer(MessageService::Yes); // "end the program?"
    EXPECT_THROW(form->close(), ProgramTerminated);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("1090")));
    EXPECT_TRUE(messages.shown[1].text.startsWith(getResource(QStringLiteral("0892"))));
    EXPECT_EQ(terminator.calls, 1);
}
