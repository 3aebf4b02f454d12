#pragma once

#include "platform/SqlLists.h"

#include <QComboBox>
#include <QString>
#include <QVector>

// A drop-down list fed from a query: it shows one column and carries another
// as each entry's value. Entries are chosen from the list only: characters the
// user types never reach it (no type-ahead search).
class DataCombo : public QComboBox {
    Q_OBJECT
public:
    using Entry = ListEntry;

    explicit DataCombo(QWidget* parent = nullptr);

    // Replaces the entries without reporting a change.
    void setEntries(const QVector<Entry>& entries);
    // Selects the first entry with that value, or none; reports no change.
    void selectValue(const QString& value, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    QString currentValue() const;
    int entryCount() const { return count(); }

Q_SIGNALS:
    // The user chose an entry (with the mouse or the arrow keys).
    void selectionChanged();
    // The user opens the list (before it shows).
    void droppedDown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showPopup() override;
};
