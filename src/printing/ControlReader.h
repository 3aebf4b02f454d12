#pragma once

#include <QString>

// The controls of a window as the printout reads them: by control name. The
// channel windows, the stored-series window and the program viewer carry the
// same names, so one report serves them all.
class ControlReader {
public:
    virtual ~ControlReader() = default;

    virtual bool hasControl(const QString& name) const = 0;
    // Caption of a label, frame, button, check box or option; text of a text
    // box or of the shown entry of a list.
    virtual QString controlText(const QString& name) const = 0;
    virtual bool isControlVisible(const QString& name) const = 0;
    // Value of a check box (0 or 1) or an option (1 when selected).
    virtual int controlValue(const QString& name) const = 0;
    // Entries of a list box.
    virtual int listCount(const QString& name) const = 0;
    virtual QString listItem(const QString& name, int row) const = 0;
    // Caption of the window itself.
    virtual QString windowCaption() const = 0;
};
