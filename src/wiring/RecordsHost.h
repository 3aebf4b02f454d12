#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

class QWidget;

// What the records dialogs need of the main window: whether a channel records
// or queues a series of a battery, and making the channels forget a deleted
// battery. The main window answers (through the services' MainWindowHosts);
// without one no channel uses anything.
class RecordsHost {
public:
    virtual ~RecordsHost() = default;
    // "notUsed", the identifier "001" .. "004" of a channel using the battery,
    // or "" when the channels cannot be asked.
    virtual QString isAkkuUsed(qint32 lAkkuId) = 0;
    // The identifier of a channel that forgot the battery, or "noReset".
    virtual QString resetAkkuId(qint32 lAkkuId) = 0;
    // The stored series window was activated (window) or closed (nullptr). It
    // prints through its own button, so the main window's print item stays
    // off either way.
    virtual void seriesWindowActivated(QWidget* window) { (void)window; }
};

// Told whenever batteries or series were written or deleted, so every open
// records dialog shows the current rows. The program has one, in its services.
class RecordsNotifier : public QObject {
    Q_OBJECT
public:
    void notifyChanged() { Q_EMIT recordsChanged(); }

Q_SIGNALS:
    void recordsChanged();
};
