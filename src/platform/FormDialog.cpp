#include "platform/FormDialog.h"

#include "platform/ErrorGuard.h"

#include <QCloseEvent>

FormDialog::FormDialog(QWidget* parent) : QDialog(parent) {}

void FormDialog::reject()
{
    // Escape arrives from Qt's event loop: a failure is shown, not thrown into it.
    ErrorGuard::run([this] { cancelButton(); });
}

void FormDialog::cancelButton()
{
    done(Rejected);
}

void FormDialog::closedByFrame()
{
    done(ClosedByFrame);
}

void FormDialog::closeEvent(QCloseEvent* event)
{
    // done() closes the dialog without a close event, so only the frame (or
    // a close() from code) arrives here.
    ErrorGuard::run([this] { closedByFrame(); });
    event->accept();
}
