#pragma once

// A charger port in memory: a test lays down the replies in advance, per
// command, and the port notes every conversation in order ("M001", "D001",
// "W001+wait", "S" and the program sent).
#include "link/ChargerPort.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class FakeChargerPort : public ChargerPort {
public:
    // Replies handed out first to last; when a queue is empty its fallback answers.
    std::deque<QString> status, endwert, program, sent;
    QString statusFallback, endwertFallback, programFallback, sentFallback;
    QStringList calls;
    // The conversations held while their caller reported failures itself.
    QStringList callerReported;
    bool busy = false;
    // Runs inside a conversation, before its reply is returned (events during a wait).
    std::function<void()> duringConversation;

    QString getStatus(const QString& ch) override { return take(status, statusFallback, QStringLiteral("M") + ch); }
    QString getEndwert(const QString& ch) override { return take(endwert, endwertFallback, QStringLiteral("D") + ch); }
    QString getProgram(const QString& ch, bool noKzt) override
    {
        return take(program, programFallback, QStringLiteral("W") + ch + (noKzt ? QStringLiteral("+wait") : QString()));
    }
    QString sendProgram(const QString& text) override { return take(sent, sentFallback, QStringLiteral("S") + text); }
    bool isBusy() const override { return busy; }

    // Everyone silent from now on.
    void silence()
    {
        for (auto* queue : {&status, &endwert, &program, &sent})
            queue->clear();
        for (auto* fallback : {&statusFallback, &endwertFallback, &programFallback, &sentFallback})
            fallback->clear();
    }

private:
    QString take(std::deque<QString>& queue, const QString& fallback, const QString& call)
    {
        calls << call;
        if (callerReportsFailures())
            callerReported << call;
        if (duringConversation) {
            auto f = duringConversation;
            busy = true;
            f();
            busy = false;
        }
        if (queue.empty())
            return fallback;
        QString r = queue.front();
        queue.pop_front();
        return r;
    }
};
