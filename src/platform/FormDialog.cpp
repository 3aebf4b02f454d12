#include "platform/FormDialog.h"

#include "platform/ErrorGuard.h"
#include "platform/ScreenFit.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QPushButton>

FormDialog::FormDialog(QWidget* parent) : QDialog(parent)
{
}

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

void FormDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    widenForTitle(this);
    keepOnScreen(this);
}

void FormDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && isVisible()) {
        widenForTitle(this);
        keepOnScreen(this);
    }
}

QDialogButtonBox* FormDialog::okCancelButtons(QPushButton*& ok, QPushButton*& cancel, bool okIsDefault)
{
    ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    if (okIsDefault)
        ok->setDefault(true);
    cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    return buttons;
}
