#include "FakeBattery.h"

#include <algorithm>
#include <cmath>

FakeBattery::FakeBattery(Chemistry chemistry, int cells, double capacity_mAh, double stateOfCharge)
    : m_chemistry(chemistry),
      m_cells(std::max(1, cells)),
      m_capacity(std::max(1.0, capacity_mAh)),
      m_soc(stateOfCharge)
{
}

FakeBattery::Chemistry FakeBattery::guess(int batteryType, int programVoltage_mV, int cells)
{
    const double perCell = double(programVoltage_mV) / std::max(1, cells);
    if (batteryType == 5) { // the V element is the charge-end voltage
        if (perCell >= 3900)
            return Chemistry::LiIon;
        if (perCell >= 2200)
            return Chemistry::LeadAcid;
        return Chemistry::NiMH;
    }
    if (perCell >= 3000)
        return Chemistry::LiIon;
    if (perCell >= 1800)
        return Chemistry::LeadAcid;
    return Chemistry::NiMH;
}

double FakeBattery::cellResistance() const
{
    // Bigger cells have less resistance.
    const double base = m_chemistry == Chemistry::LeadAcid ? 0.012 : 0.020;
    return base * 2000.0 / m_capacity;
}

double FakeBattery::restingCellVoltageCharging() const
{
    const double s = std::clamp(m_soc, 0.0, 1.2);
    switch (m_chemistry) {
    case Chemistry::NiMH: {
        double v = 1.28 + 0.13 * (1.0 - std::exp(-4.0 * s));
        if (s > 0.85)
            v += 0.06 * std::pow(std::min(s - 0.85, 0.15) / 0.15, 2.0);
        if (s > 1.0)
            v -= 0.4 * (s - 1.0); // the small drop of a full cell
        return v;
    }
    case Chemistry::LeadAcid: {
        double v = 2.02 + 0.22 * std::pow(std::min(s, 1.0), 1.5);
        if (s > 0.8)
            v += 0.2 * std::pow(std::min(s, 1.0) - 0.8, 2.0) / 0.04;
        return v;
    }
    case Chemistry::LiIon: {
        double v = 3.45 + 0.70 * std::pow(std::min(s, 1.0), 0.9);
        if (s > 0.85)
            v += 0.1 * std::pow(std::min(s, 1.0) - 0.85, 2.0) / 0.0225;
        return v;
    }
    }
    return 0.0;
}

double FakeBattery::restingCellVoltageDischarging() const
{
    const double s = std::clamp(m_soc, 0.0, 1.0);
    switch (m_chemistry) {
    case Chemistry::NiMH:
        return 1.32 - 0.12 * (1.0 - s) - 0.25 * std::exp(-30.0 * s);
    case Chemistry::LeadAcid:
        return 2.12 - 0.18 * (1.0 - s) - 0.25 * std::exp(-20.0 * s);
    case Chemistry::LiIon:
        return 4.15 - 0.55 * (1.0 - s) - 0.55 * std::exp(-25.0 * s);
    }
    return 0.0;
}

int FakeBattery::chargingVoltage(int current_mA) const
{
    const double cell = restingCellVoltageCharging() + current_mA / 1000.0 * cellResistance();
    return int(std::lround(cell * m_cells * 1000.0));
}

int FakeBattery::dischargingVoltage(int current_mA) const
{
    const double cell = restingCellVoltageDischarging() - current_mA / 1000.0 * cellResistance();
    return std::max(0, int(std::lround(cell * m_cells * 1000.0)));
}

int FakeBattery::constantVoltageLimit() const
{
    switch (m_chemistry) {
    case Chemistry::NiMH:
        return 0;
    case Chemistry::LeadAcid:
        return 2400 * m_cells;
    case Chemistry::LiIon:
        return 4200 * m_cells;
    }
    return 0;
}

int FakeBattery::currentAtVoltage(int limit_mV) const
{
    const double headroom = limit_mV / 1000.0 / m_cells - restingCellVoltageCharging();
    return std::max(0, int(std::lround(headroom / cellResistance() * 1000.0)));
}

int FakeBattery::defaultDischargeEnd() const
{
    switch (m_chemistry) {
    case Chemistry::NiMH:
        return 1000 * m_cells;
    case Chemistry::LeadAcid:
        return 1800 * m_cells;
    case Chemistry::LiIon:
        return 3000 * m_cells;
    }
    return 0;
}

void FakeBattery::charge(int current_mA)
{
    // Not every milliampere-hour put in is stored.
    const double efficiency = m_chemistry == Chemistry::NiMH ? 0.85 : m_chemistry == Chemistry::LeadAcid ? 0.9 : 0.99;
    m_soc += current_mA / 3600.0 / m_capacity * efficiency;
}

void FakeBattery::discharge(int current_mA)
{
    m_soc = std::max(0.0, m_soc - current_mA / 3600.0 / m_capacity);
}

void FakeBattery::rest(long seconds)
{
    const double perDay = m_chemistry == Chemistry::NiMH ? 0.02 : m_chemistry == Chemistry::LeadAcid ? 0.003 : 0.001;
    m_soc = std::max(0.0, m_soc - perDay * double(seconds) / 86400.0);
}
