#include "platform/FormDialog.h"

#include <QCloseEvent>

FormDialog::FormDialog(QWidget* parent) : QDialog(parent) {}

void FormDialog::reject()
{
    cancelButton();
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
    closedByFrame();
    event->accept();
}
