#include "mainwindow/DialogModul.h"

#include "core/StartupModul.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/Terminator.h"

void endForChangedSetting()
{
    if (frmMDIMainForm* form = mainForm())
        form->MDIForm_Unload(0);
    // Without a main window (or should its unload return) the same road.
    closeApplication();
    endProgram(0);
}
