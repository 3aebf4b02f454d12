#pragma once

#include <QString>
#include <QStringList>
#include <span>

// The main window's controls by name: the window itself, its MDI area, its
// menus and menu items, the status bar and its panels. The widgets are built
// under these names, the logic addresses them by these names, and tests check
// both against this one list.

// A menu, a menu item or a separator of the menu bar, in the order they appear.
struct MainMenuEntry {
    enum Kind { Menu, Item, Separator };
    const char* name;
    // The menu it belongs to; nullptr for a menu of the menu bar itself.
    const char* parent;
    Kind kind;
    // Resource identifier of its caption; nullptr for a separator.
    const char* textId;
    // Some entries are there for their name only and nobody ever sees them.
    bool shown;
};
std::span<const MainMenuEntry> mainMenuEntries();

QStringList mainFormControlNames();

// Settings > Channels > Channel n (n = 1 .. 4).
QString channelMenuItemName(int channel);
// The status-bar panels of channel n: "Kanal<n>Label" and "Kanal<n>Text".
QString channelLabelPanelName(int channel);
QString channelTextPanelName(int channel);
