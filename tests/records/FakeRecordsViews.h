#pragma once

// The records windows' views as tests give them to the logic: the controls
// by the names of each window's list, so a misspelt name fails the test.
#include "FakeControls.h"

#include "records/KanalBearbeitenControlNames.h"
#include "records/KanalBearbeitenView.h"
#include "records/MesswerteErfassenControlNames.h"
#include "records/MesswerteErfassenView.h"

class FakeMesswerteErfassenView : public MesswerteErfassenView {
public:
    FakeControls controls{messwerteErfassenControlNames()};

    void setControlText(const QString& name, const QString& text) override { controls[name].text = text; }
    QString controlText(const QString& name) const override { return controls.at(name).text; }
    void setControlToolTip(const QString& name, const QString& text) override { controls[name].toolTip = text; }
    QString controlToolTip(const QString& name) const override { return controls.at(name).toolTip; }
    void setControlVisible(const QString& name, bool visible) override { controls[name].visible = visible; }
    bool isControlVisible(const QString& name) const override { return controls.at(name).visible; }
    void setControlEnabled(const QString& name, bool enabled) override { controls[name].enabled = enabled; }
    bool isControlEnabled(const QString& name) const override { return controls.at(name).enabled; }
    void setChecked(const QString& name, bool checked) override { controls[name].checked = checked; }
    bool isChecked(const QString& name) const override { return controls.at(name).checked; }
    void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) override
    {
        controls[name].entries = entries;
    }
    void setBoundText(const QString& name, const QString& value) override { controls[name].bound = value; }
    QString boundText(const QString& name) const override { return controls.at(name).bound; }
    void setListIndex(const QString& name, int row) override { controls[name].row = row; }
    int listIndex(const QString& name) const override { return controls.at(name).row; }
    void hideColumn(const QString& name, int column) override
    {
        FakeControls::Control& grid = controls[name];
        if (!grid.hiddenColumns.contains(column))
            grid.hiddenColumns << column;
    }
};

class FakeKanalBearbeitenView : public KanalBearbeitenView {
public:
    FakeControls controls{kanalBearbeitenControlNames()};

    void setControlText(const QString& name, const QString& text) override { controls[name].text = text; }
    QString controlText(const QString& name) const override { return controls.at(name).text; }
    void setControlVisible(const QString& name, bool visible) override { controls[name].visible = visible; }
    bool isControlVisible(const QString& name) const override { return controls.at(name).visible; }
    void clearList(const QString& name) override
    {
        FakeControls::Control& list = controls[name];
        list.lines.clear();
        list.itemData.clear();
        list.row = -1;
    }
    void addListItem(const QString& name, const QString& text, qint32 itemData) override
    {
        FakeControls::Control& list = controls[name];
        list.lines << text;
        list.itemData << itemData;
    }
    QStringList listItems(const QString& name) const override { return controls.at(name).lines; }
    qint32 listItemData(const QString& name, int row) const override
    {
        return controls.at(name).itemData.value(row, 0);
    }
    int selectedListRow(const QString& name) const override { return controls.at(name).row; }
};
