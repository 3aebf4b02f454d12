#include "mainwindow/FirstStartChain.h"

#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgFirstComPortSelection.h"
#include "mainwindow/dlgFirstSprache.h"
#include "platform/ModalDialogRunner.h"

namespace {
FirstStartAnswer answerOf(int result)
{
    switch (result) {
    case QDialog::Accepted:
        return FirstStartAnswer::Ok;
    case QDialog::Rejected:
        return FirstStartAnswer::Cancel;
    default:
        return FirstStartAnswer::Closed;
    }
}
} // namespace

FirstStartAnswer FirstStartChain::runFirstLanguage()
{
    dlgFirstSprache dialog;
    return answerOf(execModal(dialog));
}

FirstStartAnswer FirstStartChain::runFirstCharger()
{
    dlgFirstCharger dialog;
    dialog.bChainedByStartup = true;
    return answerOf(execModal(dialog));
}

FirstStartAnswer FirstStartChain::runFirstComPort()
{
    dlgFirstComPortSelection dialog;
    return answerOf(execModal(dialog));
}
