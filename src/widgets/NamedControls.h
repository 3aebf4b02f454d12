#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <utility>

class QWidget;

// The controls of a window reached by the names of the window's one list:
// what a window does for the view it gives its logic, the same in every
// window. The window's own name stands for the window; its text is the
// window's title. A name outside the list reaches nothing and is reported.
class NamedControls {
public:
    NamedControls(QWidget& root, QStringList names) : m_root(root), m_names(std::move(names)) {}

    // nullptr when no control carries the name.
    QWidget* find(const QString& name) const;
    template <class W>
    W* find(const QString& name) const
    {
        return qobject_cast<W*>(find(name));
    }

    // Caption of the window, a label, frame or button; text of a text box.
    void setText(const QString& name, const QString& text) const;
    QString text(const QString& name) const;
    void setToolTip(const QString& name, const QString& text) const;
    QString toolTip(const QString& name) const;
    // The control's own setting, also while the window or a frame around the
    // control hides or disables it.
    void setVisible(const QString& name, bool visible) const;
    bool isVisible(const QString& name) const;
    void setEnabled(const QString& name, bool enabled) const;
    bool isEnabled(const QString& name) const;
    // Check boxes and option buttons.
    void setChecked(const QString& name, bool checked) const;
    bool isChecked(const QString& name) const;
    void setFocus(const QString& name) const;

    // List boxes: lines, each with the item data kept with it.
    void clearList(const QString& name) const;
    void addListItem(const QString& name, const QString& text, qint32 itemData) const;
    QStringList listItems(const QString& name) const;
    // 0 for a row that does not exist.
    qint32 listItemData(const QString& name, int row) const;
    // The row of the current line when it is selected, -1 otherwise.
    int selectedListRow(const QString& name) const;

private:
    QWidget& m_root;
    QStringList m_names;
};
