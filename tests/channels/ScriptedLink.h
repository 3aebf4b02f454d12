#pragma once

// A link whose replies a test lays down in advance, per command, and which
// notes every conversation in order ("M001", "D001", "W001+wait" ...).
#include "channels/KanalLink.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class ScriptedLink : public KanalLink {
public:
    // Replies handed out first to last; when a queue is empty its fallback answers.
    std::deque<QString> status, endwert, program;
    QString statusFallback, endwertFallback, programFallback;
    QStringList calls;
    bool busy = false;
    // Runs inside a conversation, before its reply is returned (events during a wait).
    std::function<void()> duringConversation;

    QString getStatus(const QString& ch) override { return take(status, statusFallback, QStringLiteral("M") + ch); }
    QString getEndwert(const QString& ch) override { return take(endwert, endwertFallback, QStringLiteral("D") + ch); }
    QString getProgram(const QString& ch, bool noKzt) override
    {
        return take(program, programFallback, QStringLiteral("W") + ch + (noKzt ? QStringLiteral("+wait") : QString()));
    }
    bool isBusy() const override { return busy; }

    // Everyone silent from now on.
    void silence()
    {
        status.clear();
        endwert.clear();
        program.clear();
        statusFallback.clear();
        endwertFallback.clear();
        programFallback.clear();
    }

private:
    QString take(std::deque<QString>& queue, const QString& fallback, const QString& call)
    {
        calls << call;
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
