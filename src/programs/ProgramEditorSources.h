#pragma once

#include "platform/SqlLists.h"

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <optional>

// One row of the battery-type list: its key, the volts of one cell, the
// cell counts it offers and the text the list shows.
struct BatteryTypeRow {
    qint16 nr = 0;
    float nennspannung = 0;
    qint16 zmin = 0;
    qint16 zmax = 0;
    QString text;
};

// The flags of a device mode's row: which blocks of the form the mode shows.
struct DeviceModeLayout {
    bool chargeBlock = false;    // LBlock
    bool dischargeBlock = false; // EBlock
    bool selfDischarge = false;  // TSel
    bool cycleMode = false;      // FormCbo
    bool period = false;         // TageText
    bool chargeEnd = false;      // Ladeschluss
    bool dischargeEnd = false;   // Entladeschluss
};

// Min and Max of a limit row of the charger model.
struct ValueLimits {
    float min = 0;
    float max = 0;
};

// What the program editor and the viewer read besides their controls: the
// reference lists, the device modes, the charger model's limits, the named
// programs and the settings. Every call reads afresh, so a change made
// while the editor is open is seen at the next read, as the charger's
// model and the user's settings are.
class ProgramEditorSources {
public:
    virtual ~ProgramEditorSources() = default;

    // The lists raise DatabaseError.
    virtual QVector<ListEntry> namedPrograms() const = 0;
    virtual QVector<BatteryTypeRow> batteryTypes() const = 0;
    virtual QVector<ListEntry> deviceModes() const = 0;
    virtual QVector<ListEntry> cycleModes() const = 0;

    // The flags of a mode; nothing for a mode no row holds.
    virtual std::optional<DeviceModeLayout> deviceModeLayout(qint16 mode) const = 0;
    // Nothing when the row is missing or one of its limits is empty.
    virtual std::optional<ValueLimits> limits(const QString& row) const = 0;
    // A setting's value as stored, "" when there is none.
    virtual QString setting(const QString& key) const = 0;
};
