#include "platform/ModalDialogRunner.h"

#include <QDialog>

namespace {
ModalDialogRunner* g_runner = nullptr;

class ExecRunner : public ModalDialogRunner {
public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};
} // namespace

ModalDialogRunner& ModalDialogRunner::instance()
{
    static ExecRunner defaultRunner;
    return g_runner ? *g_runner : defaultRunner;
}

ModalDialogRunner* ModalDialogRunner::setInstance(ModalDialogRunner* runner)
{
    ModalDialogRunner* previous = g_runner;
    g_runner = runner;
    return previous;
}

int execModal(QDialog& dialog)
{
    return ModalDialogRunner::instance().run(dialog);
}
