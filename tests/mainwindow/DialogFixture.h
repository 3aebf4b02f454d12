#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "core/velmoroLog.h"

#include <gtest/gtest.h>
#include <memory>

// A program folder with both databases open, settings and texts read, the log
// created, and every message box, modal dialog and program end scripted.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Texts of our own, so a relabelled dialog is visible whatever the
        // shipped texts say.
        folder.execOn(folder.velmoroPath(),
                      {QStringLiteral("INSERT OR REPLACE INTO NLSResources VALUES ('0400','EN','Language')"),
                       QStringLiteral("INSERT OR REPLACE INTO NLSResources VALUES ('0400','DE','Sprache')"),
                       QStringLiteral("INSERT OR REPLACE INTO NLSResources VALUES ('0102','EN','Next')"),
                       QStringLiteral("INSERT OR REPLACE INTO NLSResources VALUES ('0102','DE','Weiter')"),
                       QStringLiteral("UPDATE Optionen SET value='EN' WHERE key='UsedLanguage'"),
                       QStringLiteral("UPDATE Optionen SET value='KZT4' WHERE key='UsedCharger'"),
                       QStringLiteral("UPDATE Optionen SET value='1' WHERE key='ComPort'")});
        openCoreForTest(folder);
        objLog = std::make_unique<velmoroLog>(folder.path());
    }
    void TearDown() override
    {
        closeCoreForTest();
        objLog.reset();
    }

    static QString setting(const char* key) { return objSettings().getSetting(QLatin1String(key)); }
    static void setSetting(const char* key, const QString& value)
    {
        objSettings().setSetting(QLatin1String(key), value);
    }
    static int tempRows() { return dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte")).toInt(); }

    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    ScriptedDialogs dialogs;
    TestServices services{{.messages = &messages, .dialogs = &dialogs, .terminator = &terminator}};
};
