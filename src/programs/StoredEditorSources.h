#pragma once

#include "programs/ProgramEditorSources.h"

// The editor's sources as the running program keeps them: the reference
// database and its shared recordsets, the named programs of the user
// database and the settings table.
class StoredEditorSources : public ProgramEditorSources {
public:
    QVector<ListEntry> namedPrograms() const override;
    QVector<BatteryTypeRow> batteryTypes() const override;
    QVector<ListEntry> deviceModes() const override;
    QVector<ListEntry> cycleModes() const override;
    std::optional<DeviceModeLayout> deviceModeLayout(qint16 mode) const override;
    std::optional<ValueLimits> limits(const QString& row) const override;
    QString setting(const QString& key) const override;
};
