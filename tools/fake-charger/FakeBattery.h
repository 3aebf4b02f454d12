#pragma once

// The pack on one channel of the fake charger: its chemistry, cell count,
// capacity and state of charge, and the terminal voltage it shows while it
// is charged or discharged. The curves are shaped like real packs (voltage
// rising and flattening while charging, a plateau and a knee while
// discharging); they are not measurements of any particular cell.
class FakeBattery {
public:
    enum class Chemistry { NiMH, LeadAcid, LiIon };

    FakeBattery() = default;
    FakeBattery(Chemistry chemistry, int cells, double capacity_mAh, double stateOfCharge);

    // The chemistry a program most likely means: from the voltage per cell of
    // the program's V element (nominal voltage, or the charge-end voltage when
    // the battery type is 5, preset voltages).
    static Chemistry guess(int batteryType, int programVoltage_mV, int cells);

    Chemistry chemistry() const { return m_chemistry; }
    int cells() const { return m_cells; }
    double capacity() const { return m_capacity; }
    double stateOfCharge() const { return m_soc; }
    void setStateOfCharge(double soc) { m_soc = soc; }

    // Terminal voltage of the pack in mV while `current_mA` flows in
    // (charging) or out (discharging).
    int chargingVoltage(int current_mA) const;
    int dischargingVoltage(int current_mA) const;
    // Highest voltage per pack a constant-voltage charge holds (mV); 0 for a
    // chemistry charged at constant current to the end.
    int constantVoltageLimit() const;
    // The current that keeps the pack at `limit_mV` while charging (mA).
    int currentAtVoltage(int limit_mV) const;
    // Default end-of-discharge voltage of the pack (mV).
    int defaultDischargeEnd() const;

    // One second of charging or discharging at the given current.
    void charge(int current_mA);
    void discharge(int current_mA);
    // Self-discharge over a rest of the given seconds.
    void rest(long seconds);

private:
    double restingCellVoltageCharging() const; // V per cell, no current
    double restingCellVoltageDischarging() const;
    double cellResistance() const; // ohm per cell

    Chemistry m_chemistry = Chemistry::NiMH;
    int m_cells = 6;
    double m_capacity = 2000.0;
    double m_soc = 0.35;
};
