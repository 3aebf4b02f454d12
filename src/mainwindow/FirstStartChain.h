#pragma once

#include "core/StartupModul.h"

// The first-start dialogs as the start sequence runs them: each one modal,
// with no owner (the main window is still hidden).
class FirstStartChain : public FirstStartDialogs {
public:
    FirstStartAnswer runFirstLanguage() override;
    FirstStartAnswer runFirstCharger() override;
    FirstStartAnswer runFirstComPort() override;
};
