#include "printing/dlgBemerkung.h"

#include "core/ProgramResources.h"
#include "platform/ErrorGuard.h"
#include "printing/VelmoroPrinting.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

dlgBemerkung::dlgBemerkung(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgBemerkung"));
    lblBemerkung = new QLabel(this);
    lblBemerkung->setObjectName(QStringLiteral("lblBemerkung"));
    txtBemerkung = new QPlainTextEdit(this);
    txtBemerkung->setObjectName(QStringLiteral("txtBemerkung"));
    txtBemerkung->setTabChangesFocus(true);
    lblBemerkung->setBuddy(txtBemerkung);
    // Enter starts a new line of the remark.
    QDialogButtonBox* buttons = okCancelButtons(cmdOk, cmdCancel, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblBemerkung);
    layout->addWidget(txtBemerkung);
    layout->addWidget(buttons);
    setMinimumSize(420, 240);

    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    ErrorGuard::run([this] { Form_Load(); });
}

void dlgBemerkung::Form_Load()
{
    setWindowTitle(getResource(QStringLiteral("8000")));
    lblBemerkung->setText(getResource(QStringLiteral("8002")));
    cmdOk->setText(getResource(QStringLiteral("0100")));
    cmdCancel->setText(getResource(QStringLiteral("0101")));
}

void dlgBemerkung::Form_Activate()
{
    txtBemerkung->setFocus();
}

void dlgBemerkung::showEvent(QShowEvent* event)
{
    FormDialog::showEvent(event);
    Form_Activate();
}

void dlgBemerkung::cmdOk_Click()
{
    VelmoroPrinting::setPrintRemark(txtBemerkung->toPlainText(), true);
    done(Accepted);
}

void dlgBemerkung::cmdCancel_Click()
{
    VelmoroPrinting::setPrintRemark(QString(), false);
    done(Rejected);
}
