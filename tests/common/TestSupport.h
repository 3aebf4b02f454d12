#pragma once

#include "TestServices.h"

#include "platform/DeferredMessages.h"
#include "platform/MessageService.h"
#include "platform/Terminator.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <deque>
#include <gtest/gtest.h>
#include <stdexcept>

// Thrown by the test terminator where the program would end.
struct ProgramTerminated : std::runtime_error, ProgramEndUnwind {
    explicit ProgramTerminated(int code) : std::runtime_error("program terminated"), exitCode(code) {}
    int exitCode;
};

// Records every message box and answers from a script (default: Ok/Yes).
// Shown through the test's services (TestServices).
class ScriptedMessages : public MessageService {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };
    // A test begins and ends with no box waiting to be shown after a poll.
    ScriptedMessages() { DeferredMessages::discard(); }
    ~ScriptedMessages() override { DeferredMessages::discard(); }

    Result show(const QString& text, Buttons buttons, Icon icon, const QString& title) override;

    void answer(Result r) { m_answers.push_back(r); }
    QVector<Shown> shown;
    QStringList texts() const;

private:
    std::deque<Result> m_answers;
};

// Replaces "end the program at once" with an exception the test can catch
// (given to the test's services).
class ThrowingTerminator : public Terminator {
public:
    [[noreturn]] void terminate(int exitCode) override
    {
        ++calls;
        throw ProgramTerminated(exitCode);
    }
    int calls = 0;
};

// A program folder in a temporary directory with fresh copies of the shipped
// databases (Daten/velmoro.mdb and Daten/veluser.mdb).
class TempProgramFolder {
public:
    explicit TempProgramFolder(bool withDatabases = true);
    QString path() const { return m_dir.path(); }
    QString velmoroPath() const;
    QString veluserPath() const;
    // Runs statements against a database file directly (outside the program's connections).
    void execOn(const QString& dbFile, const QStringList& statements) const;

private:
    QTemporaryDir m_dir;
};

// Path of a file the build made (the shipped databases, the fake charger program).
QString buildPath(const QString& relative);

// Opens both databases, settings and texts of the folder, as the start-up does.
void openCoreForTest(const TempProgramFolder& folder);
// Closes everything opened by openCoreForTest or a start.
void closeCoreForTest();

// A test with the shipped databases of a fresh program folder open, message
// boxes scripted and the program's end caught.
class CoreTest : public ::testing::Test {
protected:
    void SetUp() override { openCoreForTest(folder); }
    void TearDown() override { closeCoreForTest(); }
    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
};

// Readable QString / QStringList / QByteArray in test failures (control
// characters, such as the frame characters of the charger link, as \xNN).
#include <QByteArray>
#include <ostream>
inline void PrintTo(const QString& s, std::ostream* os)
{
    static const char hex[] = "0123456789abcdef";
    *os << '"';
    for (const QChar c : s) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            *os << "\\x" << hex[(c.unicode() >> 4) & 0xf] << hex[c.unicode() & 0xf];
        else
            *os << QString(c).toStdString();
    }
    *os << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    PrintTo(QString::fromLatin1(b), os);
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[';
    for (int i = 0; i < l.size(); ++i)
        *os << (i ? ", " : "") << '"' << l[i].toStdString() << '"';
    *os << ']';
}
