#include "FakeChannel.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {
constexpr long pauseSeconds = 60;
constexpr long longestPhase = 48L * 3600L; // a phase that never ends otherwise stops here
constexpr double startingCharge = 0.35;

QString digits(int value, int width)
{
    return QStringLiteral("%1").arg(std::clamp(value, 0, 99999), width, 10, QLatin1Char('0'));
}

bool carriesValues(const QString& status)
{
    return status == QLatin1String("SL") || status == QLatin1String("SE") || status == QLatin1String("SM");
}
} // namespace

FakeChannel::FakeChannel(int number) : m_number(number)
{
    // A program as the editor would send it: NiMH, six cells, 1 A charge.
    m_program = id() + QStringLiteral(",P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400");
}

QString FakeChannel::id() const
{
    return QStringLiteral("00%1").arg(m_number);
}

void FakeChannel::setState(const FakeChannelState& state)
{
    m_state = state;
    m_state.running = false;
}

void FakeChannel::setStatus(const QString& code, const QString& detail)
{
    m_state.status = code;
    m_state.detail = detail;
    m_state.running = false;
}

void FakeChannel::setValues(int current, int voltage, int capacity)
{
    m_state.current = current;
    m_state.voltage = voltage;
    m_state.capacity = capacity;
}

bool FakeChannel::takePush()
{
    const bool push = m_pushPending;
    m_pushPending = false;
    return push;
}

void FakeChannel::setBattery(const FakeBattery& battery)
{
    m_battery = battery;
    m_hasBattery = true;
}

bool FakeChannel::startProgram()
{
    const auto program = FakeProgram::parse(m_program);
    if (!program)
        return false;
    m_run = *program;
    const int cells = std::max(1, m_run.cells);
    const auto chemistry = FakeBattery::guess(m_run.batteryType, m_run.chargeVoltage, cells);
    // The same pack stays on the channel (with its charge) until a program
    // for another kind of pack comes.
    if (!m_hasBattery || m_battery.chemistry() != chemistry || m_battery.cells() != cells) {
        const double capacity = m_run.capacity > 0 ? m_run.capacity * 0.95 : 2000.0;
        m_battery = FakeBattery(chemistry, cells, capacity, startingCharge);
        m_hasBattery = true;
    }

    m_phases.clear();
    const Phase charge{PhaseKind::Charge, 0};
    const Phase discharge{PhaseKind::Discharge, 0};
    const Phase pause{PhaseKind::Pause, pauseSeconds};
    switch (m_run.mode) {
    case 2:
        m_phases = {discharge};
        break;
    case 3:
        m_phases = {discharge, pause, charge};
        break;
    case 4:
        m_phases = {charge, pause, discharge, pause, charge};
        break;
    case 5: {
        const int cycles = std::clamp(m_run.forming, 1, 9);
        for (int i = 0; i < cycles; ++i) {
            if (i > 0)
                m_phases.push_back(pause);
            m_phases << discharge << pause << charge;
        }
        break;
    }
    case 6: {
        long storage = 24L * 3600L;
        if (m_run.selfDischargeInterval > 0)
            storage =
                long(m_run.selfDischargeInterval) * (m_run.selfDischargeUnit == QLatin1Char('H') ? 3600L : 86400L);
        m_phases = {charge, Phase{PhaseKind::Storage, storage}, discharge};
        break;
    }
    default:
        m_phases = {charge};
        break;
    }
    m_endValues.clear();
    m_pushPending = false;
    m_lastCondition = -1;
    m_socBeforeStorage = -1.0;
    m_storageLoss = -1.0;
    m_state.running = true;
    m_state.detail.clear();
    m_state.withValues = true;
    enterPhase(0);
    return true;
}

void FakeChannel::stopProgram()
{
    m_state.running = false;
    m_state.status = QStringLiteral("SA");
    m_state.detail.clear();
}

void FakeChannel::enterPhase(int index)
{
    m_phaseIndex = index;
    if (index >= m_phases.size()) {
        finish();
        return;
    }
    m_phaseSeconds = 0;
    m_moved = 0.0;
    m_state.capacity = 0;
    switch (m_phases[index].kind) {
    case PhaseKind::Charge:
        m_state.status = QStringLiteral("SL");
        m_state.current = m_run.chargeCurrent > 0 ? m_run.chargeCurrent : 1000;
        m_state.voltage = m_battery.chargingVoltage(m_state.current);
        break;
    case PhaseKind::Discharge:
        m_state.status = QStringLiteral("SE");
        m_state.current = m_run.dischargeCurrent > 0 ? m_run.dischargeCurrent : 1000;
        m_state.voltage = m_battery.dischargingVoltage(m_state.current);
        break;
    case PhaseKind::Storage:
        m_socBeforeStorage = m_battery.stateOfCharge();
        [[fallthrough]];
    case PhaseKind::Pause:
        m_state.status = QStringLiteral("SW");
        m_state.current = 0;
        break;
    }
}

void FakeChannel::finish()
{
    m_state.running = false;
    m_state.status = QStringLiteral("SF");
    m_state.detail = m_lastCondition == 1   ? QStringLiteral("X3")
                     : m_lastCondition == 0 ? QStringLiteral("X2")
                                            : QString();
    m_state.current = 0;
}

void FakeChannel::chargeOneSecond()
{
    const int programmed = m_run.chargeCurrent > 0 ? m_run.chargeCurrent : 1000;
    const bool presetVoltage = m_run.batteryType == 5 && m_run.chargeVoltage > 0;
    int limit = m_battery.constantVoltageLimit();
    if (limit > 0 && presetVoltage)
        limit = m_run.chargeVoltage;
    int current = programmed;
    if (limit > 0 && m_battery.chargingVoltage(current) > limit)
        current = std::min(current, m_battery.currentAtVoltage(limit));
    m_battery.charge(current);
    m_moved += current / 3600.0;
    m_state.current = current;
    m_state.voltage = m_battery.chargingVoltage(current);
    if (limit > 0)
        m_state.voltage = std::min(m_state.voltage, limit);
    m_state.capacity = int(std::lround(m_moved));

    bool done;
    if (limit > 0)
        done = current < programmed / 10 || m_battery.stateOfCharge() >= 1.0;
    else if (presetVoltage)
        done = m_state.voltage >= m_run.chargeVoltage || m_battery.stateOfCharge() >= 1.05;
    else
        done = m_battery.stateOfCharge() >= 1.03; // past the peak: the voltage has dropped a little
    if (done)
        endPhase();
}

void FakeChannel::dischargeOneSecond()
{
    const int current = m_run.dischargeCurrent > 0 ? m_run.dischargeCurrent : 1000;
    m_battery.discharge(current);
    m_moved += current / 3600.0;
    m_state.current = current;
    m_state.voltage = m_battery.dischargingVoltage(current);
    m_state.capacity = int(std::lround(m_moved));
    const int end = m_run.dischargeVoltage > 0 ? m_run.dischargeVoltage : m_battery.defaultDischargeEnd();
    if (m_state.voltage <= end || m_battery.stateOfCharge() <= 0.0)
        endPhase();
}

void FakeChannel::endPhase()
{
    const PhaseKind kind = m_phases[m_phaseIndex].kind;
    if (kind == PhaseKind::Charge || kind == PhaseKind::Discharge) {
        FakeEndValue value;
        value.type = kind == PhaseKind::Charge ? QStringLiteral("SL") : QStringLiteral("SE");
        value.capacity = int(std::lround(m_moved));
        value.minutes = int(std::lround(m_phaseSeconds / 60.0));
        value.voltage = m_state.voltage;
        if (kind == PhaseKind::Discharge) {
            if (m_run.capacity > 0) {
                value.percent = int(std::lround(100.0 * m_moved / m_run.capacity));
                value.condition = value.percent >= 80 ? 1 : 0;
                m_lastCondition = value.condition;
            }
            if (m_storageLoss >= 0.0) {
                value.selfDischarge = int(std::lround(m_storageLoss * m_battery.capacity()));
                m_storageLoss = -1.0;
            }
        }
        m_endValues.push_back(value);
        if (m_pushOnPhaseEnd)
            m_pushPending = true;
    }
    enterPhase(m_phaseIndex + 1);
}

void FakeChannel::tick()
{
    if (!m_state.running || m_phaseIndex >= m_phases.size())
        return;
    ++m_phaseSeconds;
    const Phase& phase = m_phases[m_phaseIndex];
    switch (phase.kind) {
    case PhaseKind::Charge:
        chargeOneSecond();
        break;
    case PhaseKind::Discharge:
        dischargeOneSecond();
        break;
    case PhaseKind::Pause:
    case PhaseKind::Storage:
        m_battery.rest(1);
        if (m_phaseSeconds >= phase.seconds) {
            if (phase.kind == PhaseKind::Storage)
                m_storageLoss = std::max(0.0, m_socBeforeStorage - m_battery.stateOfCharge());
            enterPhase(m_phaseIndex + 1);
        }
        break;
    }
    if (m_state.running && m_phaseIndex < m_phases.size() && m_phaseSeconds >= longestPhase) {
        const PhaseKind kind = m_phases[m_phaseIndex].kind;
        if (kind == PhaseKind::Charge || kind == PhaseKind::Discharge)
            endPhase();
    }
}

QString FakeChannel::statusPayload() const
{
    QString s = id() + QStringLiteral(",M,") + m_state.status;
    if ((m_state.status == QLatin1String("SA") || m_state.status == QLatin1String("SF")) && !m_state.detail.isEmpty()) {
        s += QLatin1Char(',') + m_state.detail;
    } else if (carriesValues(m_state.status) && m_state.withValues) {
        const QChar currentLetter = m_state.status == QLatin1String("SE") ? QLatin1Char('E') : QLatin1Char('L');
        s += QLatin1Char(',') + currentLetter + digits(m_state.current, 5);
        s += QStringLiteral(",V") + digits(m_state.voltage, 5);
        s += QStringLiteral(",K") + digits(m_state.capacity, 5);
    }
    return s + QLatin1Char(',');
}

QString FakeChannel::endValuePayload() const
{
    QStringList e{id(), QStringLiteral("D")};
    for (const FakeEndValue& v : m_endValues) {
        e << v.type << QStringLiteral("K") + digits(v.capacity, 5) << QStringLiteral("T%1").arg(std::max(0, v.minutes))
          << QStringLiteral("V") + digits(v.voltage, 5);
        if (v.selfDischarge >= 0)
            e << QStringLiteral("Y") + digits(v.selfDischarge, 5);
        if (v.condition >= 0)
            e << QStringLiteral("X%1").arg(v.condition % 10);
        if (v.percent >= 0)
            e << QStringLiteral("P") + digits(v.percent, 3);
    }
    return e.join(QLatin1Char(',')) + QLatin1Char(',');
}
