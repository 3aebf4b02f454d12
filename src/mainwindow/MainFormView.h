#pragma once

#include "mainwindow/ChargerModel.h"

#include <QString>
#include <QtGlobal>

// The main window as its logic sees it: controls addressed by the names of
// mainFormControlNames(), and the channel windows by number. The window
// implements it on its widgets; tests give the logic a plain one.
class MainFormView {
public:
    virtual ~MainFormView() = default;

    // Caption of a menu or menu item, text of a status-bar panel, or the
    // title of the window itself (by the window's own name).
    virtual void setControlText(const QString& name, const QString& text) = 0;
    virtual void setControlVisible(const QString& name, bool visible) = 0;
    virtual void setControlEnabled(const QString& name, bool enabled) = 0;
    // Check mark of a menu item.
    virtual void setControlChecked(const QString& name, bool checked) = 0;
    virtual bool isControlChecked(const QString& name) const = 0;

    // Channel windows 1 .. 4. A window is loaded once and lives for the whole
    // run; loading one that is loaded does nothing. False for no such channel.
    virtual bool loadKanalWindow(int channel) = 0;
    virtual bool isKanalWindowLoaded(int channel) const = 0;
    virtual bool isKanalWindowShown(int channel) const = 0;
    // Loads the window first when it is not.
    virtual void showKanalWindow(int channel) = 0;
    virtual void hideKanalWindow(int channel) = 0;
    // Brings a shown window to the front and gives it the focus.
    virtual void activateKanalWindow(int channel) = 0;
    // Lays the loaded windows out in their grid and sizes the main window to it.
    virtual void placeKanalWindows() = 0;
    // Asks a loaded window whether it uses the battery, or makes it forget it;
    // true when the window answers yes.
    virtual bool askKanalWindow(int channel, ChargerModel::ChannelQuery query, qint32 lAkkuId) = 0;

    // The window whose report File > Print concerns.
    virtual bool hasActiveForm() const = 0;
    virtual void forgetActiveForm() = 0;
};
