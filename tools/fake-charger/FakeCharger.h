#pragma once

#include "FakeBattery.h"
#include "FakeChargerTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// A charger with one to four channels that answers on a pseudo-terminal, for
// tests and for trying the program without a charger.
//
// Quick start (a test):
//
//     FakeCharger fake(4);                       // four channels, plain model
//     ASSERT_TRUE(fake.start());
//     VelmoroComCommunication link(fake.portPath());
//     link.openComPort();
//     fake.setStatus(1, "SL");
//     fake.setValues(1, 1000, 7250, 120);
//     link.getStatus("001");                     // "001,M,SL,L01000,V07250,K00120,"
//     fake.frameLog();                           // {"001,M"}
//
// Faults (a test):
//
//     fake.injectFault(FakeFault::NoReply);             // the next request, any channel
//     fake.injectFault(FakeFault::Refuse, 3, "002", "W"); // channel 2's next three program reads
//     fake.injectRawReply("\x14\x03");                  // exactly these bytes next
//     fake.pullOut(); ... fake.plugIn();                 // the adapter away and back
//
// Wire. The charger side of the link: it reads command frames
// DC2 "," body "," ETX CR and answers with reply frames DC4 "," payload ETX,
// where the payload ends with ",". Bodies and replies:
//
//     <ch>,M   status       <ch>,M,<code>[,X2|X3 | ,L|E#####,V#####,K#####],
//                           (or the end-value reply when one is pushed, see below)
//     <ch>,D   end values   <ch>,D[,<type>,K#####,T#,V#####[,Y#####][,X#][,P###]]...,
//     <ch>,W   program      <stored program>,G<g>,[R<r>,]
//     <program string>      the program is stored and started; the echo is the
//                           string sent, then G<g>, and R<r>, when it carried the
//                           extended block S C B H N [O Q U]; a string that breaks
//                           the grammar is answered <ch>,M,SP,
//     <ch>,G   device info  <ch>,G,<31 fields>,   (self-describing model only;
//                           the plain model does not answer)
// <ch> is "001" .. "004". A channel beyond the channel count, an unknown
// command or a malformed frame gets no reply (it is logged all the same).
//
// Threads. The fake runs its own thread, because the program blocks its
// user-interface thread while it waits for a reply. Every member function may
// be called from any thread; each is atomic with respect to request handling.
//
// Time. The simulation moves only when told: by `advance` or by
// `setSecondsPerRequest` (every frame received first moves the clock by that
// much). The default is 0: replies show exactly what was set until the clock
// is moved. The wall clock is never used, so tests are deterministic.
//
// Port path. `portPath()` is a symbolic link in a private temporary folder
// that points at the pseudo-terminal; it stays the same across `pullOut` /
// `plugIn` (which makes a new pseudo-terminal), just like a device name that
// comes back when an adapter is plugged in again. Store it in the setting
// ComPort (a value beginning with "/" is a device path).
class FakeCharger {
public:
    enum class Model {
        Plain,          // answers M, D, W, P; silent on G
        SelfDescribing, // also answers G with its device information
    };

    explicit FakeCharger(int channels = 4, Model model = Model::Plain);
    ~FakeCharger(); // stops, closes the port and removes its path
    FakeCharger(const FakeCharger&) = delete;
    FakeCharger& operator=(const FakeCharger&) = delete;

    // Opens the pseudo-terminal and starts answering. False (see
    // errorString) when no pseudo-terminal could be made.
    bool start();
    void stop();
    bool isRunning() const;
    QString errorString() const;

    int channelCount() const;
    Model model() const;
    void setModel(Model model);

    // The port to open (stable) and the pseudo-terminal it points at now
    // (empty while pulled out).
    QString portPath() const;
    QString ptyPath() const;

    // --- Channels (numbers 1 .. channelCount; others are ignored) ----------
    // A new channel is idle ("SA") with values 0 and the stored program
    // "00n,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400".

    // Sets what the status command reports; stops a running simulation so
    // the state stays as set.
    void setStatus(int channel, const QString& code, const QString& detail = QString());
    void setValues(int channel, int current_mA, int voltage_mV, int capacity_mAh);
    // False: "SL", "SE" and "SM" replies carry no value elements.
    void setValuesIncluded(int channel, bool included);
    void setChannelState(int channel, const FakeChannelState& state);
    FakeChannelState channelState(int channel) const;
    // The status payload the channel would send now (no fault, no push).
    QString statusPayload(int channel) const;

    // The stored program (a program string without G and R, as the editor
    // builds it); returned by W. Setting it does not start it.
    void setProgram(int channel, const QString& programString);
    QString program(int channel) const;
    // Simulates the stored program from its start; end values are emptied.
    // A program written over the link starts the same way. False when the
    // stored program is not valid. Phases by device mode (M):
    //   1 (and unknown modes) charge; 2 discharge; 3 discharge, charge;
    //   4 charge, discharge, charge; 5 F times (1 .. 9) discharge, charge;
    //   6 charge, storage for the Y interval (24 h without Y), discharge
    //   with the self-discharge (Y) in its end value.
    // A 60 s pause ("SW") lies between phases; the storage reports "SW" too.
    // Charging reports "SL" with L, discharging "SE" with E; every phase
    // ends with an end value (pushed to the next status request unless
    // switched off); the end is "SF", with "X3" when the last discharge
    // reached 80 % of K, "X2" when it did not. Charge at constant current
    // until full (NiMH) or at constant voltage with falling current
    // (lead-acid 2.4 V, Li-ion 4.2 V per cell); discharge until D.
    bool startProgram(int channel);
    // Ends the simulation; the channel reports "SA".
    void stopProgram(int channel);
    // The pack the simulation charges and discharges (otherwise chosen from
    // the program: chemistry by voltage per cell, capacity K or 2000 mAh,
    // 35 % charged). Kept across programs of the same kind of pack.
    void setBattery(int channel, FakeBattery::Chemistry chemistry, int cells, int capacity_mAh, double stateOfCharge);
    FakeBattery battery(int channel) const;

    // End values returned by D. The simulation appends one at the end of
    // every charge and discharge.
    void setEndValues(int channel, const QList<FakeEndValue>& values);
    void addEndValue(int channel, const FakeEndValue& value);
    QList<FakeEndValue> endValues(int channel) const;
    // The next status request of the channel is answered with the end-value
    // reply instead (once).
    void pushEndValues(int channel);
    // Whether the end of a simulated phase pushes the end values (default on).
    void setPushEndValuesOnPhaseEnd(bool push);

    // Digits the charger appends to program replies (",G<g>," and ",R<r>,");
    // defaults 1 and 4.
    void setEchoDigits(int g, int r);

    // Device information of the self-describing model: 31 texts for the
    // reply elements 2 .. 32 (see FakeDeviceInfo.h); the defaults describe
    // this fake (its channel count, extended options 0).
    void setDeviceInfoFields(const QStringList& fields);
    // One field by its element number in the reply (2 .. 32), for example
    // setDeviceInfoField(2, "5") for a channel count out of range.
    void setDeviceInfoField(int element, const QString& value);
    QStringList deviceInfoFields() const;

    // --- Time ------------------------------------------------------------
    void setSecondsPerRequest(int seconds);
    void advance(int seconds);
    long long simulatedSeconds() const;

    // --- Faults ----------------------------------------------------------
    // The next `times` requests that match get the fault (times -1: every
    // matching request until clearFaults). `channel` ("001" ..) and
    // `command` ("M", "D", "W", "P", "G") narrow the match; empty matches
    // any. Faults are used in the order injected.
    void injectFault(FakeFault fault, int times = 1, const QString& channel = QString(),
                     const QString& command = QString());
    // Every `every`-th matching request, counted from now, gets the fault,
    // until clearFaults (for example every seventh reply late).
    void injectPeriodicFault(FakeFault fault, int every, const QString& channel = QString(),
                             const QString& command = QString());
    // The next matching request is answered with exactly these bytes.
    void injectRawReply(const QByteArray& bytes, const QString& channel = QString(),
                        const QString& command = QString());
    void clearFaults();
    // Sends the replies held back by LateReply now; returns once they can be
    // read at the port. Without this call they go out right before the reply
    // to the next request.
    void releaseLateReplies();

    // The adapter is pulled out: the pseudo-terminal closes (the program's
    // reads fail) and the port path disappears.
    void pullOut();
    // And plugged in again: a new pseudo-terminal behind the same path.
    bool plugIn();
    bool isPluggedIn() const;

    // --- What came in ----------------------------------------------------
    // Bodies of the well-formed frames received, in order ("001,M", ...).
    QStringList frameLog() const;
    // Every frame received, well-formed or not.
    QList<FakeFrame> frames() const;
    // Payloads of the replies given, in the order of their requests (a reply
    // held back by LateReply counts when it is given, not when it goes out;
    // a malformed or truncated one counts with its payload). Emptied with
    // the frame log.
    QStringList replyLog() const;
    void clearFrameLog();
    // Frames fully handled (reply written) since the start.
    int handledFrames() const;
    // Waits until that many frames have been handled; false after the limit.
    bool waitForHandledFrames(int count, int timeoutMs = 5000) const;
    // Bytes written to the port since the start.
    long long bytesWritten() const;
    // Called on the fake's thread for every frame received.
    void setFrameObserver(std::function<void(const FakeFrame&)> observer);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
