#pragma once

#include "ControlNameChecks.h"

#include "platform/SqlLists.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>

// The controls of a window as a test view keeps them, by the names of the
// window's list: a name outside the list fails the running test (and reaches
// a control of its own that nothing keeps).
class FakeControls {
public:
    struct Control {
        QString text;
        QString toolTip;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
        // A list: its lines, the item data of each, the chosen row (-1: none).
        QStringList lines;
        QList<qint32> itemData;
        int row = -1;
        // A data-bound list: its entries and the value of the chosen one.
        QVector<ListEntry> entries;
        QString bound;
        QList<int> hiddenColumns;
    };

    explicit FakeControls(QStringList names) : m_names(std::move(names)) {}

    Control& operator[](const QString& name)
    {
        if (!expectKnownControl(m_names, name)) {
            m_stray = Control();
            return m_stray;
        }
        return m_controls[name];
    }
    Control at(const QString& name) const
    {
        return expectKnownControl(m_names, name) ? m_controls.value(name) : Control();
    }

    // The control the focus was last put in.
    QString focus;

private:
    QStringList m_names;
    QHash<QString, Control> m_controls;
    Control m_stray;
};
