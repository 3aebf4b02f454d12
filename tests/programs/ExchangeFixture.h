#pragma once

// The editor's exchange on a fake view, with a real link to the fake charger
// on a pseudo-terminal, a fake opener and fake channel windows.
#include "EditorFixture.h"
#include "FakeCharger.h"
#include "WhileBoxOpen.h"

#include "link/VelmoroComCommunication.h"
#include "programs/ProgramExchange.h"
#include "wiring/ProgramChannels.h"
#include "wiring/ProgramEditorParent.h"

#include <functional>

class FakeExchangeHost : public ProgramExchangeHost {
public:
    void runSaveAsDialog() override
    {
        ++saveAsShown;
        if (onSaveAs)
            onSaveAs();
    }
    void closeEditor() override { ++closed; }
    void postOfferReportedProgram() override { ++posted; }
    std::function<void()> onSaveAs;
    int saveAsShown = 0;
    int closed = 0;
    int posted = 0;
};

// Notes resets together with the number of messages shown before them.
class FakeChannels : public ProgramChannels, public ProgramEditorParent {
public:
    explicit FakeChannels(const ScriptedMessages& m) : messages(m) {}
    int programChannelCount() const override { return count; }
    void resetChannelForNewProgram(int channel) override
    {
        resets << QStringLiteral("%1@%2").arg(channel).arg(messages.shown.size());
    }
    void resetForNewProgram() override { resets << QStringLiteral("parent@%1").arg(messages.shown.size()); }
    const ScriptedMessages& messages;
    int count = 4;
    QStringList resets;
};

class ExchangeFixture : public EditorLogicFixture {
protected:
    void SetUp() override { ASSERT_TRUE(fake.start()); }
    void TearDown() override
    {
        exchange.reset();
        objComCommunication.reset();
        EditorLogicFixture::TearDown();
    }
    // The editor loaded, the link open, the shown program on channel 1.
    void open(const QStringList& statements = {}, const QString& shownProgram = kProgram)
    {
        start(statements);
        objComCommunication = std::make_unique<VelmoroComCommunication>(fake.portPath());
        ASSERT_TRUE(objComCommunication->openComPort());
        // A missing reply is waited out briefly: silence is what is tested, not the limit.
        objComCommunication->setReplyTimeout(150);
        exchange = std::make_unique<ProgramExchange>(*logic, view, host);
        exchange->setParentWin(&channels);
        exchange->setChannels(&channels);
        show(shownProgram);
        // What the editor makes of the shown program, on channel 1.
        logic->setGeraeteNr(QStringLiteral("001"));
        sent = logic->buildProgramString().text;
        logic->setGeraeteNr(shownProgram.left(3));
        fake.clearFrameLog();
    }
    static std::shared_ptr<CommunicationProgram> reported(const char* text)
    {
        return program(QString::fromLatin1(text));
    }

    static inline const QString kProgram = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
    QString sent;
    FakeCharger fake{4};
    ScriptedMessages hooked;
    TestServices hooking{services, {.messages = &hooked}};
    // Runs something while a given box is shown (the channel's poll reporting
    // a program while the user reads a question).
    WhileBoxOpen meanwhile{hooking};
    FakeExchangeHost host;
    FakeChannels channels{hooked};
    std::unique_ptr<ProgramExchange> exchange;
};
