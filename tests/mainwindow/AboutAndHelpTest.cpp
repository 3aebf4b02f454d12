// Help pages, the About box and its system information.
#include "DialogFixture.h"
#include "UrlCatcher.h"

#include "mainwindow/MainMenuModul.h"
#include "mainwindow/dlgSystemInfo.h"
#include "mainwindow/frmAbout.h"
#include "platform/DeferredMessages.h"
#include "platform/UrlOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {
using AboutAndHelpTest = DialogFixture;

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Lets the event loop run until the opener has had its say, then shows the
// boxes that wait for it.
void awaitVerdict(UrlOpener& opener)
{
    QSignalSpy settled(&opener, &UrlOpener::settled);
    while (opener.pending() > 0)
        ASSERT_TRUE(settled.wait(60000));
    DeferredMessages::flush();
}

// So long that only the opener's end gives the verdict.
constexpr int kNoVerdictTime = 3600 * 1000;
} // namespace

TEST_F(AboutAndHelpTest, HelpPageOfTheLanguageOpensInTheBrowser)
{
    UrlCatcher browser;
    for (const char* language : {"EN", "DE"}) {
        setSetting("UsedLanguage", QLatin1String(language));
        browser.opened.clear();
        showHelpContents(services.urlOpener());
        ASSERT_EQ(browser.opened.size(), 1);
        const QString page = browser.opened[0].toLocalFile();
        EXPECT_TRUE(
            page.endsWith(QStringLiteral("/help/velmoro-%1.html").arg(QString::fromLatin1(language).toLower())));
        // Shipped beside the program, in its language.
        EXPECT_TRUE(page.startsWith(QCoreApplication::applicationDirPath()));
        EXPECT_TRUE(readAll(page).contains(QStringLiteral("lang=\"%1\"").arg(QString::fromLatin1(language).toLower())));
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AboutAndHelpTest, HelpPageLookupFallsBackAndNeverLeavesItsFolder)
{
    QTemporaryDir first, second;
    QFile en(QDir(second.path()).filePath(QStringLiteral("velmoro-en.html")));
    ASSERT_TRUE(en.open(QIODevice::WriteOnly));
    en.close();
    const QStringList folders{first.path(), second.path()};
    // A language without a page gets the English one; a code that is not
    // a plain code is never turned into a path.
    EXPECT_EQ(findHelpPage(folders, QStringLiteral("FR")), en.fileName());
    EXPECT_EQ(findHelpPage(folders, QStringLiteral("../../etc/x")), en.fileName());
    QFile de(QDir(first.path()).filePath(QStringLiteral("velmoro-de.html")));
    ASSERT_TRUE(de.open(QIODevice::WriteOnly));
    de.close();
    EXPECT_EQ(findHelpPage(folders, QStringLiteral("DE")), de.fileName());
    EXPECT_EQ(findHelpPage({first.path()}, QStringLiteral("EN")), QString());
}

TEST_F(AboutAndHelpTest, MissingHelpPageIsReported)
{
    UrlCatcher browser;
    QTemporaryDir empty;
    showHelpContents(services.urlOpener(), {empty.path()});
    EXPECT_TRUE(browser.opened.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(getResource(QStringLiteral("1094")) + QChar(13)));
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("velmoro-en.html")));
    EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0410")));
}

TEST_F(AboutAndHelpTest, HelpThatNothingCanShowIsToldWithThePage)
{
    // An opener that finds no browser, and no opener at all.
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("no-opener-here"));
    for (const QStringList& command : {QStringList{QStringLiteral("false")}, QStringList{missing}}) {
        messages.shown.clear();
        UrlOpener opener(command, kNoVerdictTime);
        showHelpContents(opener);
        // Nothing waits on the opener's answer.
        awaitVerdict(opener);
        ASSERT_EQ(messages.shown.size(), 1) << command.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(messages.shown[0].text.startsWith(getResource(QStringLiteral("1096")) + QChar(13)));
        EXPECT_TRUE(messages.shown[0].text.endsWith(QDir::toNativeSeparators(QStringLiteral("/help/velmoro-en.html"))));
        EXPECT_EQ(messages.shown[0].icon, MessageService::Exclamation);
        EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0410")));
    }
}

TEST_F(AboutAndHelpTest, HelpThatTheOpenerShowsIsNotReported)
{
    UrlOpener opener({QStringLiteral("true")}, kNoVerdictTime);
    showHelpContents(opener);
    awaitVerdict(opener);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AboutAndHelpTest, AboutBoxShowsSystemInformation)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), getResource(QStringLiteral("1602")));
    EXPECT_EQ(about.cmdOk->text(), getResource(QStringLiteral("0100")));
    EXPECT_EQ(about.cmdSysInfo->text(), getResource(QStringLiteral("1604")));

    dialogs.then(as<dlgSystemInfo>([](dlgSystemInfo& d) {
        EXPECT_EQ(d.lblQt->text(), QString::fromLatin1(qVersion()));
        const QString sqlite = dbVelmoro.scalar(QStringLiteral("SELECT sqlite_version()")).toString();
        EXPECT_EQ(d.lblSqlite->text(), sqlite);
        EXPECT_FALSE(d.lblBetriebssystem->text().trimmed().isEmpty());
        EXPECT_FALSE(d.lblSchnittstellen->text().isEmpty());
        d.cmdOk->click();
    }));
    about.cmdSysInfo->click();
    EXPECT_EQ(dialogs.shown, QStringList{"dlgSystemInfo"});
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AboutAndHelpTest, AboutBoxSaysWhenThereIsNoSystemInformation)
{
    frmAbout about;
    closeCoreForTest(); // nothing left to ask for the database version
    about.cmdSysInfo_Click();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Systeminformationen sind momentan nicht verfügbar")});
}
