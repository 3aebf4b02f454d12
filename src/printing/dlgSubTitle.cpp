#include "printing/dlgSubTitle.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "platform/ErrorGuard.h"
#include "printing/PrintSettings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

dlgSubTitle::dlgSubTitle(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgSubTitle"));
    lblSubTitle = new QLabel(this);
    lblSubTitle->setObjectName(QStringLiteral("lblSubTitle"));
    txtSubTitle = new QLineEdit(this);
    txtSubTitle->setObjectName(QStringLiteral("txtSubTitle"));
    lblSubTitle->setBuddy(txtSubTitle);
    QDialogButtonBox* buttons = okCancelButtons(cmdOk, cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSubTitle);
    layout->addWidget(txtSubTitle);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    connect(cmdOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdOk_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    ErrorGuard::run([this] { Form_Load(); });
}

void dlgSubTitle::Form_Load()
{
    setWindowTitle(getResource(QStringLiteral("8100")));
    lblSubTitle->setText(getResource(QStringLiteral("8102")));
    cmdOk->setText(getResource(QStringLiteral("0100")));
    cmdCancel->setText(getResource(QStringLiteral("0101")));
    txtSubTitle->setText(PrintSettings::subTitle());
}

void dlgSubTitle::cmdOk_Click()
{
    objSettings().setSetting(QStringLiteral("PrintingSubTitle"), txtSubTitle->text());
    done(Accepted);
}

void dlgSubTitle::cmdCancel_Click()
{
    done(Rejected);
}
