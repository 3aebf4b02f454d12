#pragma once

#include <optional>

class QWidget;

// What the diagram window needs of the main window: the window whose report
// File > Print concerns, and the print item that follows it. The main window
// implements it; DiagramOpener receives it (the services' MainWindowHosts)
// and hands it to the diagram window it makes.
class DiagramHost {
public:
    virtual ~DiagramHost() = default;
    virtual void setVelmoroActiveForm(QWidget* form) = 0;
    // With false the active window is forgotten first.
    virtual void checkAndSetPrintItem(std::optional<bool> bActive) = 0;
};
