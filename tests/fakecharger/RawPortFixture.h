#pragma once

// The fake charger on its pseudo-terminal with the program's end opened raw.
#include "FakeCharger.h"
#include "RawPort.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

class RawPortFixture : public ::testing::Test {
protected:
    explicit RawPortFixture(int channels, FakeCharger::Model model = FakeCharger::Model::Plain) : fake(channels, model)
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(fake.start()) << fake.errorString().toStdString();
        port = std::make_unique<RawPort>(fake.portPath());
    }
    // Writes the command frame of `body`; true once the fake has handled it.
    bool handled(const QString& body)
    {
        const int before = fake.handledFrames();
        port->write(RawPort::frame(body));
        return fake.waitForHandledFrames(before + 1);
    }

    FakeCharger fake;
    std::unique_ptr<RawPort> port;
};
