#pragma once

#include "core/ComPortDialogRunner.h"

// After the port failed to open: dlgComPortSelection, modal with no owner,
// whose Cancel ends the program.
class ComPortRecovery : public ComPortDialogRunner {
public:
    bool runAfterFailedOpen() override;
};
