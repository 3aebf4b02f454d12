#pragma once

// Fixtures the channel tests share: the channel logic against a scripted link,
// and the real windows against the fake charger on a pseudo-terminal.
#include "FakeCharger.h"
#include "KanalFakes.h"
#include "ScriptedLink.h"
#include "TestSupport.h"

#include "channels/KanalLogic.h"
#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/velmoroLog.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"

#include <gtest/gtest.h>
#include <memory>

// The logic of a channel with fake host and view, on a fresh program folder.
class KanalLogicFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        openCoreForTest(folder);
        openGlobalRecordsets();
    }
    void TearDown() override
    {
        logic.reset();
        closeCoreForTest();
    }
    static QString r(const char* id) { return getResource(QString::fromLatin1(id)); }

    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
    FakeHost host;
    FakeView view;
    ScriptedLink link;
    std::unique_ptr<KanalLogic> logic;
};

// A four-channel fake charger running; the main window is the test's to start.
class FakeChargerWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Waiting out a missing reply is not what these tests look at.
        savedTimeout = VelmoroComCommunication::defaultReplyTimeout();
        VelmoroComCommunication::setDefaultReplyTimeout(1500);
        ASSERT_TRUE(fake.start());
    }
    void TearDown() override
    {
        form.reset();
        objComCommunication.reset();
        closeCoreForTest();
        objLog.reset();
        VelmoroComCommunication::setDefaultReplyTimeout(savedTimeout);
    }
    static QString r(const char* id) { return getResource(QString::fromLatin1(id)); }

    // The whole start against the fake charger with this charger model and any
    // further settings statements; every poll timer is stopped after it, so the
    // test ticks by hand.
    frmMDIMainForm& startMainWindow(const QString& charger, const QStringList& moreSettings = {})
    {
        QStringList settings{QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='ComPort'").arg(fake.portPath()),
                             QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='UsedCharger'").arg(charger)};
        folder.execOn(folder.velmoroPath(), settings + moreSettings);
        setProgramFolder(folder.path());
        form = std::make_unique<frmMDIMainForm>(services);
        form->MDIForm_Load();
        for (int n = 1; n <= 4; ++n)
            if (frmKanal* k = form->kanal(n))
                k->stopTimers();
        return *form;
    }

    int savedTimeout = 2000;
    FakeCharger fake{4};
    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
    std::unique_ptr<frmMDIMainForm> form;
};
