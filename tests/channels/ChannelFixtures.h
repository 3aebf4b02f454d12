#pragma once

// Fixtures the channel tests share: the channel logic against a scripted link,
// and the real windows against the fake charger on a pseudo-terminal.
#include "FakeChargerPort.h"
#include "FakeChargerWindowFixture.h"
#include "KanalFakes.h"
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
    FakeChargerPort link;
    std::unique_ptr<KanalLogic> logic;
};
