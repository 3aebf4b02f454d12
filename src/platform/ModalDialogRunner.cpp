#include "platform/ModalDialogRunner.h"

#include <QDialog>

namespace {
ModalDialogRunner* g_runner = nullptr;
} // namespace

int ExecDialogRunner::run(QDialog& dialog)
{
    return dialog.exec();
}

ModalDialogRunner* ModalDialogRunner::install(ModalDialogRunner* runner)
{
    ModalDialogRunner* previous = g_runner;
    g_runner = runner;
    return previous;
}

int execModal(QDialog& dialog)
{
    static ExecDialogRunner plainExec;
    return (g_runner ? *g_runner : plainExec).run(dialog);
}
