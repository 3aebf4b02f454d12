#pragma once

// The inside of the fake charger, shared by its pieces: the state that the
// requests and the calls of a test read under one mutex, the pseudo-terminal
// its thread serves (FakeChargerPty.cpp), and the replies with their faults
// (FakeChargerReplies.cpp).
#include "FakeChannel.h"
#include "FakeCharger.h"
#include "FakeDeviceInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

struct FakeCharger::Impl {
    // The frame characters of the wire.
    static constexpr char DC2 = 0x12;
    static constexpr char DC4 = 0x14;
    static constexpr char ETX = 0x03;
    static constexpr char CR = 0x0D;
    // How long a frame that ends in ETX waits for its CR, and how long the two
    // pieces of a split reply lie apart. Neither changes what a reply means.
    static constexpr int crGraceMs = 50;
    static constexpr int splitPauseMs = 5;

    struct Output {
        QByteArray bytes;
        int pauseBeforeMs = 0;
    };

    struct Rule {
        FakeFault fault = FakeFault::NoReply;
        int times = 1;
        QString channel;
        QString command;
        bool raw = false;
        QByteArray rawBytes;
        // Periodic rule: only every `every`-th matching request gets the fault.
        int every = 0;
        int seen = 0;
    };

    Impl(int count, Model m) : channelCount(std::clamp(count, 1, 4)), model(m)
    {
        for (int i = 1; i <= channelCount; ++i)
            channels.emplace_back(i);
        deviceInfo = FakeDeviceInfo::defaultFields(channelCount, false);
    }

    // --- state, guarded by mutex -----------------------------------------
    const int channelCount;
    Model model;
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::vector<FakeChannel> channels;
    long long simSeconds = 0;
    int secondsPerRequest = 0;
    std::deque<Rule> rules;
    std::vector<QByteArray> held;
    QList<FakeFrame> log;
    QStringList replies;
    int handled = 0;
    long long written = 0;
    std::function<void(const FakeFrame&)> observer;
    QStringList deviceInfo;
    int echoG = 1;
    int echoR = 4;
    std::deque<std::function<void()>> tasks;
    bool stopping = false;
    bool running = false;
    QString error;
    QString ptyName;

    // --- port, touched only by the fake's thread once it runs -------------
    int master = -1;
    int slave = -1; // held open so the master never sees a hang-up between the program's opens
    int wakeFd = -1;
    QString folder;
    QString linkPath;
    QByteArray input;
    std::thread thread;

    FakeChannel* channel(int n) { return n >= 1 && n <= channelCount ? &channels[size_t(n - 1)] : nullptr; }

    // Runs fn on the fake's thread (or here when it does not run) and waits.
    void runInThread(const std::function<void()>& fn);
    void threadMain();
    void runTasks();
    void readInput();
    void processInput();
    void handleFrame(const QByteArray& raw, bool withCr);
    std::vector<Output> respondLocked(const FakeFrame& frame);
    // The first rule that matches the frame, used up by it.
    std::optional<Rule> takeRuleLocked(const FakeFrame& frame);
    // The reply frame of `body` as the fault shapes it.
    void shapeLocked(std::vector<Output>& out, FakeFault fault, const QByteArray& body);
    QString normalReplyLocked(FakeChannel& ch, const FakeFrame& frame);
    QString echoLocked(const QString& program) const;
    void advanceLocked(long long seconds);
    bool writeAll(const QByteArray& bytes, bool counted = false);
    bool openPty();
    void closePty();
    int queuedAtPort() const;
};
