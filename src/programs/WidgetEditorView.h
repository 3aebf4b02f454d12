#pragma once

#include "programs/ProgramEditorView.h"

#include <QStringList>

class QWidget;

// The program form's controls found by object name below a window, for the
// logic that lays them out. names: those the logic may address (the
// editor's list); any other is a slip and is warned about. A name of the
// list the window does not carry is passed over, so a window with fewer
// controls (the viewer) shares the same logic.
class WidgetEditorView : public ProgramEditorView {
public:
    WidgetEditorView(QWidget& window, const QStringList& names) : m_window(window), m_names(names) {}

    void setControlText(const QString& name, const QString& text) override;
    QString controlText(const QString& name) const override;
    void setControlVisible(const QString& name, bool visible) override;
    bool isControlVisible(const QString& name) const override;
    void setControlEnabled(const QString& name, bool enabled) override;
    bool isControlEnabled(const QString& name) const override;
    void setChecked(const QString& name, bool checked) override;
    bool isChecked(const QString& name) const override;
    void clearList(const QString& name) override;
    void addListItem(const QString& name, const QString& text) override;
    QStringList listItems(const QString& name) const override;
    int listIndex(const QString& name) const override;
    void setListIndex(const QString& name, int index) override;
    void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) override;
    QString boundText(const QString& name) const override;
    void setBoundText(const QString& name, const QString& value) override;
    void setFocusTo(const QString& name) override;

private:
    QWidget* control(const QString& name) const;

    QWidget& m_window;
    QStringList m_names;
};
