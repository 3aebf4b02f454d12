#pragma once

#include "channels/frmKanal.h"
#include "mainwindow/frmMDIMainForm.h"
#include "wiring/ProgramServices.h"

#include <memory>

// A main window built as its load builds it, up to and with its channel
// windows, whose poll timers are stopped so nothing runs behind the test's back.
inline std::unique_ptr<frmMDIMainForm> mainWindowWithChannels(ProgramServices& services)
{
    auto form = std::make_unique<frmMDIMainForm>(services);
    form->setProgramExtensionSetting();
    form->setLanguageResources();
    form->optimizeStatusbar();
    form->loadChannelWindows();
    for (int n = 1; n <= 4; ++n)
        if (frmKanal* k = form->kanal(n))
            k->stopTimers();
    return form;
}
