#pragma once

#include "FakeBattery.h"
#include "FakeChargerTypes.h"
#include "FakeProgram.h"

#include <QList>
#include <QString>

// One channel of the fake charger: what it reports, the program it stores,
// its end values, and the simulation of a running program, one simulated
// second per tick. Not thread-safe: FakeCharger serialises every call.
//
// How a program runs, by its device mode (M):
//   1 and any mode not below: charge
//   2: discharge
//   3: discharge, pause, charge
//   4: charge, pause, discharge, pause, charge
//   5: F times (1 .. 9) discharge, pause, charge
//   6: charge, storage for the self-discharge interval (Y; 24 hours when
//      absent), discharge whose end value carries the self-discharge
// A pause lasts 60 s and reports "SW", as does the storage. Each charge and
// discharge ends with an end value; at the end the channel reports "SF"
// (with "X3" when the last discharge reached 80 % of the capacity K, "X2"
// when it did not).
class FakeChannel {
public:
    explicit FakeChannel(int number);

    int number() const { return m_number; }
    QString id() const;

    FakeChannelState state() const { return m_state; }
    void setState(const FakeChannelState& state);
    void setStatus(const QString& code, const QString& detail);
    void setValues(int current, int voltage, int capacity);
    void setValuesIncluded(bool included) { m_state.withValues = included; }

    QString program() const { return m_program; }
    void setProgram(const QString& program) { m_program = program; }

    QList<FakeEndValue> endValues() const { return m_endValues; }
    void setEndValues(const QList<FakeEndValue>& values) { m_endValues = values; }
    void addEndValue(const FakeEndValue& value) { m_endValues.push_back(value); }

    // The next status request is answered with the end-value reply (once).
    void requestPush() { m_pushPending = true; }
    bool takePush();
    void setPushOnPhaseEnd(bool push) { m_pushOnPhaseEnd = push; }

    void setBattery(const FakeBattery& battery);
    FakeBattery battery() const { return m_battery; }

    // Runs the stored program from its start: end values emptied. False
    // (and nothing changed) when the stored program is not a valid one.
    bool startProgram();
    void stopProgram();
    void tick();

    QString statusPayload() const;
    QString endValuePayload() const;

private:
    enum class PhaseKind { Charge, Discharge, Pause, Storage };
    struct Phase {
        PhaseKind kind;
        long seconds; // Pause and Storage
    };

    void enterPhase(int index);
    void endPhase();
    void finish();
    void chargeOneSecond();
    void dischargeOneSecond();

    int m_number;
    FakeChannelState m_state;
    QString m_program;
    QList<FakeEndValue> m_endValues;
    bool m_pushPending = false;
    bool m_pushOnPhaseEnd = true;

    FakeBattery m_battery;
    bool m_hasBattery = false;
    FakeProgram m_run;
    QList<Phase> m_phases;
    int m_phaseIndex = 0;
    long m_phaseSeconds = 0;
    double m_moved = 0.0; // mAh of the running phase
    double m_socBeforeStorage = -1.0;
    double m_storageLoss = -1.0; // share of the capacity lost in storage, until the discharge after it
    int m_lastCondition = -1;
};
