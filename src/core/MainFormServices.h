#pragma once

#include <QtGlobal>

// What the start-up and the charger's self-description need of the main
// window. The main window implements it; core reaches it through the
// start-up's services (StartupServices), so it drives the window without
// knowing any window class.
class MainFormServices {
public:
    virtual ~MainFormServices() = default;

    // Start steps and the updates after a self-description.
    virtual void setProgramExtensionSetting() = 0;
    virtual void setLanguageResources() = 0;
    virtual void optimizeStatusbar() = 0;
    virtual void ReloadWindowCaption() = 0;
    virtual void loadChannelWindows() = 0;
    virtual void showChannelWindow1() = 0;
    virtual void showChannelWindows2To4() = 0;
    virtual void showMainForm() = 0;

    // The charger's device information is to be read again.
    virtual void setCheckLadegeraet(bool check) = 0;
    // Settings > Channels > Channel n (n = 1 .. 4).
    virtual void setChannelMenuEnabled(int channel, bool enabled) = 0;
    virtual void setChannelMenuChecked(int channel, bool checked) = 0;
    // Closes the main window through its usual question.
    virtual void closeMainForm() = 0;
    // Where the run's temporary series identifiers begin (above the rows a
    // start could not empty).
    virtual void setNextTempMessreiheID(qint32 id) = 0;
};
