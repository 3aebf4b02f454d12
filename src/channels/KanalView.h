#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The controls of a channel window as its logic sees them: addressed by
// control name (the names the printout reads too). The window implements it
// on its widgets; tests give the logic a plain one.
class KanalView {
public:
    virtual ~KanalView() = default;

    // Caption of a label, frame, button or the window itself (by the window's
    // own name); text of a text box.
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
    // The row of the selected line, -1 when no line is selected.
    virtual int selectedListRow(const QString& name) const = 0;
    // Caption colour of a frame, as a system colour code or an RGB value.
    virtual void setCaptionColor(const QString& name, quint32 color) = 0;
    virtual quint32 captionColor(const QString& name) const = 0;
};
