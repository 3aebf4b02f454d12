#pragma once

#include "platform/SqlLists.h"

#include <QString>
#include <QVector>

// The controls of the batteries and series dialog as its logic sees them,
// addressed by the names of messwerteErfassenControlNames(). The dialog
// implements it on its widgets; tests give the logic a plain one.
class MesswerteErfassenView {
public:
    virtual ~MesswerteErfassenView() = default;

    // Caption of the dialog (by its own name), a label, frame, button or
    // option; the grid's caption is the caption of its frame.
    virtual void setControlText(const QString& name, const QString& text) = 0;
    virtual QString controlText(const QString& name) const = 0;
    virtual void setControlToolTip(const QString& name, const QString& text) = 0;
    virtual QString controlToolTip(const QString& name) const = 0;
    // The control's own setting, also while the dialog is not shown.
    virtual void setControlVisible(const QString& name, bool visible) = 0;
    virtual bool isControlVisible(const QString& name) const = 0;
    virtual void setControlEnabled(const QString& name, bool enabled) = 0;
    virtual bool isControlEnabled(const QString& name) const = 0;
    // Option buttons; selecting one deselects the other of its frame.
    virtual void setChecked(const QString& name, bool checked) = 0;
    virtual bool isChecked(const QString& name) const = 0;

    // The battery list: entries with their bound values, and the chosen one
    // by its value ("" for none). Setting them raises no handler.
    virtual void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) = 0;
    virtual void setBoundText(const QString& name, const QString& value) = 0;
    virtual QString boundText(const QString& name) const = 0;

    // The series grid shows the logic's series model: the row shown selected
    // (-1 for none; setting it raises no handler) and a column kept out of
    // sight after the model was read again.
    virtual void setListIndex(const QString& name, int row) = 0;
    virtual int listIndex(const QString& name) const = 0;
    virtual void hideColumn(const QString& name, int column) = 0;
};
