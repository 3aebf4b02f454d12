#pragma once

// The diagram options' view as tests give it to the logic: the controls by
// the names of the dialog's list, so a misspelt name fails the test.
#include "FakeControls.h"

#include "diagrams/DiagramOptionsControlNames.h"
#include "diagrams/DiagramOptionsView.h"

#include <functional>

class FakeDiagramOptionsView : public DiagramOptionsView {
public:
    FakeControls controls{diagramOptionsControlNames()};
    // Runs the handler of a check box whose state changed, as the dialog does.
    std::function<void(const QString& name)> toggled;

    void setControlText(const QString& name, const QString& text) override { controls[name].text = text; }
    QString controlText(const QString& name) const override { return controls.at(name).text; }
    void setControlVisible(const QString& name, bool visible) override { controls[name].visible = visible; }
    bool isControlVisible(const QString& name) const override { return controls.at(name).visible; }
    void setChecked(const QString& name, bool checked) override
    {
        FakeControls::Control& box = controls[name];
        if (box.checked == checked)
            return;
        box.checked = checked;
        if (toggled)
            toggled(name);
    }
    bool isChecked(const QString& name) const override { return controls.at(name).checked; }
    void setFocusTo(const QString& name) override
    {
        controls[name];
        controls.focus = name;
    }
};
