#pragma once

#include <QString>
#include <QtGlobal>

class ProgramChannels;

class QWidget;

// What a channel window needs of the main window: the two link switches it
// shares with the other channels, the temporary series counter, its panel of
// the status bar and its item of the channel menu. The main window implements
// it; tests give the channel logic a plain one.
class KanalHost {
public:
    virtual ~KanalHost() = default;

    // The link to the charger is lost (written by channel 1 only).
    virtual bool noKZTFound() const = 0;
    virtual void setNoKZTFound(bool lost) = 0;
    // The charger's device information is to be read again.
    virtual bool checkLadegeraet() const = 0;
    virtual void setCheckLadegeraet(bool check) = 0;

    virtual qint32 getNewTempMessreiheID() = 0;

    // Text of the status-bar panel with this key ("Kanal1Text" .. "Kanal4Text").
    virtual void setStatusbarPanelText(const QString& key, const QString& text) = 0;
    // Check mark of Settings > Channels > Channel n (n = 1 .. 4).
    virtual void setChannelMenuChecked(int channel, bool checked) = 0;

    // Whether the charger has this channel. A window of a channel the charger
    // does not have would wait out a missing reply at every poll and freeze
    // the program for that time.
    virtual bool channelPresent(int) const { return true; }

    // The channel window became the active one (the print item follows it).
    virtual void setVelmoroActiveForm(QWidget*) {}
    // The channel windows as the program editor's send to all sees them;
    // nullptr where there is no main window (the editor then sends to one channel only).
    virtual ProgramChannels* programChannels() { return nullptr; }
};
