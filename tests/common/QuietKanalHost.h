#pragma once

// A main window that asks nothing of a channel window and remembers nothing
// of it: the link is there, the device information is read, and every run
// gets a temporary series of its own.
#include "wiring/KanalHost.h"

class QuietKanalHost : public KanalHost {
public:
    bool noKZTFound() const override { return false; }
    void setNoKZTFound(bool) override {}
    bool checkLadegeraet() const override { return false; }
    void setCheckLadegeraet(bool) override {}
    qint32 getNewTempMessreiheID() override { return m_next++; }
    void setStatusbarPanelText(const QString&, const QString&) override {}
    void setChannelMenuChecked(int, bool) override {}

private:
    qint32 m_next = 1;
};
