#include "platform/DataCombo.h"

#include <QKeyEvent>
#include <QSignalBlocker>

DataCombo::DataCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int) { Q_EMIT selectionChanged(); });
}

void DataCombo::setEntries(const QVector<Entry>& entries)
{
    const QSignalBlocker block(this);
    clear();
    for (const Entry& e : entries)
        addItem(e.text, e.value);
    setCurrentIndex(-1);
}

void DataCombo::selectValue(const QString& value, Qt::CaseSensitivity cs)
{
    const QSignalBlocker block(this);
    for (int i = 0; i < count(); ++i) {
        if (itemData(i).toString().compare(value, cs) == 0) {
            setCurrentIndex(i);
            return;
        }
    }
    setCurrentIndex(-1);
}

QString DataCombo::currentValue() const
{
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void DataCombo::keyPressEvent(QKeyEvent* event)
{
    // A typed character would search the list and change the choice behind
    // the user's back; navigation keys (arrows, page, Enter, Escape) go on.
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DataCombo::showPopup()
{
    Q_EMIT droppedDown();
    QComboBox::showPopup();
}
