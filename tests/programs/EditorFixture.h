#pragma once

#include "FakeEditorView.h"
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "link/CommunicationProgram.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/StoredEditorSources.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <memory>

// The editor's logic on a fake view, over a fresh program folder of a KZT4
// charger. Rows of our own can go into the reference database before start().
class EditorLogicFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        logic.reset();
        closeCoreForTest();
        QLocale::setDefault(savedLocale);
    }
    // Opens the databases and the shared recordsets, then loads the editor.
    void start(const QStringList& statements = {})
    {
        if (!statements.isEmpty())
            folder.execOn(folder.velmoroPath(), statements);
        openCoreForTest(folder);
        openGlobalRecordsets();
        logic = std::make_unique<ProgramEditorLogic>(view, sources);
        logic->Form_Load();
    }
    static void german() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    static QString r(const char* id) { return getResource(QString::fromLatin1(id)); }
    static QString dec(const char* text) // a number with the user's decimal separator
    {
        return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
    }
    bool shown(const char* name) const { return view.isControlVisible(QString::fromLatin1(name)); }
    QString text(const char* name) const { return view.controlText(QString::fromLatin1(name)); }
    // A program as the charger would report it.
    static std::shared_ptr<CommunicationProgram> program(const QString& text)
    {
        auto p = std::make_shared<CommunicationProgram>();
        p->splitRecievedString(QString(text), false);
        return p;
    }
    void show(const QString& programText, const QString& channel = QStringLiteral("001"))
    {
        logic->setGeraeteNr(channel);
        logic->setProgram(program(programText));
        logic->initDialog();
    }

    QLocale savedLocale;
    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
    FakeEditorView view;
    StoredEditorSources sources;
    std::unique_ptr<ProgramEditorLogic> logic;
};
