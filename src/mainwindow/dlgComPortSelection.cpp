#include "mainwindow/dlgComPortSelection.h"

#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "mainwindow/frmMDIMainForm.h"
#include "platform/ErrorGuard.h"

#include <QPushButton>

dlgComPortSelection::dlgComPortSelection(QWidget* parent) : ComPortDialog(QStringLiteral("dlgComPortSelection"), parent)
{
    connect(cmdOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdOk_Click(); }));
    Form_Load();
}

void dlgComPortSelection::Form_Load()
{
    loadCommon(QStringLiteral("0100"));
}

void dlgComPortSelection::cmdOk_Click()
{
    const QString port = getSelectedPort();
    objSettings().setSetting(QStringLiteral("ComPort"), port);
    const bool recovering = bStartup;
    done(Accepted);
    if (frmMDIMainForm* form = mainForm())
        form->ReloadWindowCaption();
    // On the recovery road the caller opens the port again in its own loop,
    // so a further failure shows the same message and this dialog again
    // without nesting one attempt inside the other.
    if (!recovering)
        reopenComCommunication();
}
