#include "printing/dlgPrintSettings.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "core/utilitiesModul.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "printing/PrintSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

dlgPrintSettings::dlgPrintSettings(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgPrintSettings"));
    lblText = new QLabel(this);
    lblText->setObjectName(QStringLiteral("lblText"));
    txtHeigth = new QLineEdit(this);
    txtHeigth->setObjectName(QStringLiteral("txtHeigth"));
    // Digits and the decimal separator only, as in every number box.
    connectDecimalInputFilter(txtHeigth);
    lblText->setBuddy(txtHeigth);
    chkShowDate = new QCheckBox(this);
    chkShowDate->setObjectName(QStringLiteral("chkShowDate"));
    lblChkBox = new QLabel(this);
    lblChkBox->setObjectName(QStringLiteral("lblChkBox"));
    lblChkBox->setBuddy(chkShowDate);
    QDialogButtonBox* buttons = okCancelButtons(cmdOk, cmdCancel);
    auto* grid = new QGridLayout(this);
    grid->addWidget(lblText, 0, 0);
    grid->addWidget(txtHeigth, 0, 1);
    grid->addWidget(chkShowDate, 1, 0, Qt::AlignRight);
    grid->addWidget(lblChkBox, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);

    connect(cmdOk, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdOk_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    ErrorGuard::run([this] { Form_Load(); });
}

void dlgPrintSettings::Form_Load()
{
    setWindowTitle(getResource(QStringLiteral("9023")));
    lblChkBox->setText(getResource(QStringLiteral("9021")));
    lblText->setText(getResource(QStringLiteral("9022")));
    cmdOk->setText(getResource(QStringLiteral("0100")));
    cmdCancel->setText(getResource(QStringLiteral("0101")));
    // A usable height is shown in the user's own way of writing numbers,
    // whichever locale stored it.
    const auto height = PrintSettings::headAreaCm();
    txtHeigth->setText(height ? QLocale().toString(*height, 'f', QLocale::FloatingPointShortest)
                              : objSettings().getSetting(QStringLiteral("HeadArea")));
    chkShowDate->setChecked(PrintSettings::printDate());
}

void dlgPrintSettings::cmdOk_Click()
{
    const QString message = PrintSettings::apply(txtHeigth->text(), chkShowDate->isChecked());
    if (!message.isEmpty()) {
        msgBox(getResource(message), MessageService::OkOnly, MessageService::Critical,
               getResource(QStringLiteral("9030")));
        txtHeigth->setFocus();
        return;
    }
    done(Accepted);
}

void dlgPrintSettings::cmdCancel_Click()
{
    done(Rejected);
}
