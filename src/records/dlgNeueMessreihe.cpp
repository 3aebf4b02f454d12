#include "records/dlgNeueMessreihe.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "platform/ScreenFit.h"
#include "records/MesswerteErfassenLogic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

dlgNeueMessreihe::dlgNeueMessreihe(MesswerteErfassenLogic* parent_, QWidget* parent)
    : FormDialog(parent),
      parentWin(parent_)
{
    setObjectName(QStringLiteral("dlgNeueMessreihe"));
    auto* root = new QVBoxLayout(this);
    lblBemerkung = new QLabel(this);
    lblBemerkung->setObjectName(QStringLiteral("lblBemerkung"));
    txtBemerkung = new QLineEdit(this);
    txtBemerkung->setObjectName(QStringLiteral("txtBemerkung"));
    root->addWidget(lblBemerkung);
    root->addWidget(txtBemerkung);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOKButton = new QPushButton(this);
    cmdOKButton->setObjectName(QStringLiteral("cmdOKButton"));
    cmdOKButton->setDefault(true);
    cmdCancelButton = new QPushButton(this);
    cmdCancelButton->setObjectName(QStringLiteral("cmdCancelButton"));
    buttons->addWidget(cmdOKButton);
    buttons->addWidget(cmdCancelButton);
    root->addLayout(buttons);
    connect(cmdOKButton, &QPushButton::clicked, this, &dlgNeueMessreihe::cmdOKButton_Click);
    connect(cmdCancelButton, &QPushButton::clicked, this, &dlgNeueMessreihe::cmdCancelButton_Click);
    Form_Load();
}

void dlgNeueMessreihe::Form_Load()
{
    setWindowTitle(getResource(QStringLiteral("2000")));
    lblBemerkung->setText(getResource(QStringLiteral("2002")));
    cmdOKButton->setText(getResource(QStringLiteral("0100")));
    cmdCancelButton->setText(getResource(QStringLiteral("0101")));
    txtBemerkung->setMaxLength(
        MesswerteErfassenLogic::remarkLimit(objSettings().getSetting(QStringLiteral("MaxMessBemerkung"))));
    // Wide enough that the title bar shows the whole title beside its icon
    // and buttons.
    setMinimumWidth(std::max(
        {minimumSizeHint().width(), kMinimumWidth, std::min(titleBarWidth(this), availableInsideWidth(this))}));
}

void dlgNeueMessreihe::cmdOKButton_Click()
{
    // The question whether to record now is asked without this dialog in front.
    hide();
    if (parentWin) {
        const QString remark = txtBemerkung->text();
        parentWin->guarded([&] { parentWin->addNewMeasurementRow(remark); });
    }
    done(Accepted);
}
