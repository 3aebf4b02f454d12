#pragma once

#include <QString>

// The controls of the diagram options as their logic sees them, addressed by
// the names of diagramOptionsControlNames(). The dialog implements it on its
// widgets; tests give the logic a plain one.
class DiagramOptionsView {
public:
    virtual ~DiagramOptionsView() = default;

    // Caption of the dialog (by its own name), a frame, label, check box or
    // button; text of a range box.
    virtual void setControlText(const QString& name, const QString& text) = 0;
    virtual QString controlText(const QString& name) const = 0;
    // The control's own setting, also while the dialog is not shown.
    virtual void setControlVisible(const QString& name, bool visible) = 0;
    virtual bool isControlVisible(const QString& name) const = 0;
    // Check boxes. A box whose state changes runs its handler, as a click does.
    virtual void setChecked(const QString& name, bool checked) = 0;
    virtual bool isChecked(const QString& name) const = 0;
    virtual void setFocusTo(const QString& name) = 0;
};
