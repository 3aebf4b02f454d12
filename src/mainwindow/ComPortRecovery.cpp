#include "mainwindow/ComPortRecovery.h"

#include "mainwindow/dlgComPortSelection.h"
#include "platform/ModalDialogRunner.h"

bool ComPortRecovery::runAfterFailedOpen()
{
    dlgComPortSelection dialog;
    dialog.bStartup = true;
    // Cancel has ended the program already; a close from the window frame
    // leaves nothing chosen, so it counts as Cancel here too.
    return execModal(dialog) == QDialog::Accepted;
}
