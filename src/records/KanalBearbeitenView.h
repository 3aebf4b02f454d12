#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The controls of the stored series window as its logic sees them, addressed
// by the names of kanalBearbeitenControlNames(). The window implements it on
// its widgets; tests give the logic a plain one.
class KanalBearbeitenView {
public:
    virtual ~KanalBearbeitenView() = default;

    // Caption of the window (by its own name), a label, frame or button;
    // text of a text box.
    virtual void setControlText(const QString& name, const QString& text) = 0;
    virtual QString controlText(const QString& name) const = 0;
    virtual void setControlVisible(const QString& name, bool visible) = 0;
    virtual bool isControlVisible(const QString& name) const = 0;
    // Removes every line of a list box.
    virtual void clearList(const QString& name) = 0;
    // Appends a line to a list box; itemData is kept with the line.
    virtual void addListItem(const QString& name, const QString& text, qint32 itemData) = 0;
    // The lines of a list box, first to last.
    virtual QStringList listItems(const QString& name) const = 0;
    // The item data of a line (0 for a row that does not exist).
    virtual qint32 listItemData(const QString& name, int row) const = 0;
    // The row the user chose (current and selected), -1 when none is.
    virtual int selectedListRow(const QString& name) const = 0;
};
