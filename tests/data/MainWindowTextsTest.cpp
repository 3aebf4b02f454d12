// In every language the program offers, the main window, its menus and its
// status bar show texts, never bare identifiers.
#include "ShippedReferenceData.h"
#include "TestSupport.h"

#include "mainwindow/frmMDIMainForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Every text a user can see on the window and everything below it.
QStringList visibleTexts(QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (QAction* a : window.findChildren<QAction*>())
        texts << a->text() << a->toolTip();
    for (QLabel* l : window.findChildren<QLabel*>())
        texts << l->text();
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>())
        texts << b->text();
    for (QGroupBox* g : window.findChildren<QGroupBox*>())
        texts << g->title();
    for (QWidget* w : window.findChildren<QWidget*>())
        texts << w->windowTitle();
    return texts;
}

} // namespace

TEST(MainWindowTextsTest, NoBareIdentifierInAnyUsableLanguage)
{
    // Four digits standing alone (not part of a version number or a port).
    static const QRegularExpression bareId(QStringLiteral(R"re((?<![\d.])\d{4}(?![\d.]))re"));
    const QStringList languages = ShippedReferenceData().usableLanguages();
    ASSERT_FALSE(languages.isEmpty());
    for (const QString& lang : languages) {
        TempProgramFolder folder;
        folder.execOn(folder.velmoroPath(),
                      {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='UsedLanguage'").arg(lang)});
        ScriptedMessages messages;
        ThrowingTerminator terminator;
        TestServices services{{.messages = &messages, .terminator = &terminator}};
        openCoreForTest(folder);
        {
            frmMDIMainForm window(services);
            window.setLanguageResources();
            for (QString text : visibleTexts(window)) {
                text.remove(QLatin1Char('&'));
                EXPECT_FALSE(bareId.match(text).hasMatch()) << lang.toStdString() << ": " << text.toStdString();
            }
        }
        closeCoreForTest();
        EXPECT_TRUE(messages.shown.isEmpty()) << lang.toStdString();
    }
}
