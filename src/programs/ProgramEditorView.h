#pragma once

#include "platform/SqlLists.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The controls of the program editor as its logic sees them, addressed by
// control name. The dialog implements it on its widgets; tests give the
// logic a plain one.
//
// Nothing here raises a handler: the logic runs the handlers that belong to
// its own changes itself, so only the user's own actions reach the handlers
// that are meant for them (a program filled in never clears the choice of a
// named program).
class ProgramEditorView {
public:
    virtual ~ProgramEditorView() = default;

    // Caption of the dialog (by its own name), a label, frame, button or
    // option; text of a text box. For a list: chooses the item showing that
    // text, and leaves the list as it is when no item does.
    virtual void setControlText(const QString& name, const QString& text) = 0;
    // For a list: the chosen item's text, "" when none is chosen.
    virtual QString controlText(const QString& name) const = 0;
    // The control's own visibility, also while the dialog is not shown.
    virtual void setControlVisible(const QString& name, bool visible) = 0;
    virtual bool isControlVisible(const QString& name) const = 0;
    virtual void setControlEnabled(const QString& name, bool enabled) = 0;
    virtual bool isControlEnabled(const QString& name) const = 0;
    // Check boxes and option buttons; selecting an option deselects the
    // others of its group.
    virtual void setChecked(const QString& name, bool checked) = 0;
    virtual bool isChecked(const QString& name) const = 0;

    // Plain lists.
    virtual void clearList(const QString& name) = 0;
    virtual void addListItem(const QString& name, const QString& text) = 0;
    virtual QStringList listItems(const QString& name) const = 0;
    // -1: no item chosen.
    virtual int listIndex(const QString& name) const = 0;
    virtual void setListIndex(const QString& name, int index) = 0;

    // Data-bound lists: entries with their bound values.
    virtual void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) = 0;
    // The bound value of the chosen entry, "" when none is chosen.
    virtual QString boundText(const QString& name) const = 0;
    // Chooses the entry with that bound value, none when no entry has it.
    virtual void setBoundText(const QString& name, const QString& value) = 0;

    virtual void setFocusTo(const QString& name) = 0;
};
