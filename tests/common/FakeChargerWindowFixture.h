#pragma once

// The real windows against the fake charger on a pseudo-terminal: the whole
// start as the program makes it, with the charger model and settings a test
// chooses.
#include "FakeCharger.h"
#include "TestServices.h"
#include "TestSupport.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/velmoroLog.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/frmMDIMainForm.h"

#include <gtest/gtest.h>
#include <memory>

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

// The main window started against the fake charger as a KZT4.
class StartedWindowFixture : public FakeChargerWindowFixture {
protected:
    void SetUp() override
    {
        FakeChargerWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        startMainWindow(QStringLiteral("KZT4"));
    }
};
