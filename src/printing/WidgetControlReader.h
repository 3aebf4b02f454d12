#pragma once

#include "printing/ControlReader.h"

#include <QPointer>
#include <QWidget>

// Reads the controls of any window by their object names.
class WidgetControlReader : public ControlReader {
public:
    explicit WidgetControlReader(const QWidget& window) : m_window(&window) {}

    bool hasControl(const QString& name) const override;
    QString controlText(const QString& name) const override;
    bool isControlVisible(const QString& name) const override;
    int controlValue(const QString& name) const override;
    int listCount(const QString& name) const override;
    QString listItem(const QString& name, int row) const override;
    QString windowCaption() const override;

private:
    QWidget* control(const QString& name) const;

    // The window may close while the remark or printer dialog is open: it then
    // reads as a window without controls instead of a dangling one.
    QPointer<const QWidget> m_window;
};
