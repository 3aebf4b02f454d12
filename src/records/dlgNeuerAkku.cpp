#include "records/dlgNeuerAkku.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/SeriesStore.h"
#include "core/programSettings.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "records/MesswerteErfassenLogic.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <class W>
W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}
} // namespace

dlgNeuerAkku::dlgNeuerAkku(MesswerteErfassenLogic* parent_, QWidget* parent) : FormDialog(parent), parentWin(parent_)
{
    setObjectName(QStringLiteral("dlgNeuerAkku"));
    auto* root = new QVBoxLayout(this);
    frameAkku = named<QGroupBox>(this, "frameAkku");
    auto* akku = new QFormLayout(frameAkku);
    lblName = named<QLabel>(frameAkku, "lblName");
    txtName = named<QLineEdit>(frameAkku, "txtName");
    lblAkkuBemerkung = named<QLabel>(frameAkku, "lblAkkuBemerkung");
    txtAkkuBemerkung = named<QLineEdit>(frameAkku, "txtAkkuBemerkung");
    akku->addRow(lblName, txtName);
    akku->addRow(lblAkkuBemerkung, txtAkkuBemerkung);
    root->addWidget(frameAkku);
    frameMessreihe = named<QGroupBox>(this, "frameMessreihe");
    auto* series = new QFormLayout(frameMessreihe);
    lblMessreiheBemerkung = named<QLabel>(frameMessreihe, "lblMessreiheBemerkung");
    txtMessreiheBemerkung = named<QLineEdit>(frameMessreihe, "txtMessreiheBemerkung");
    series->addRow(lblMessreiheBemerkung, txtMessreiheBemerkung);
    root->addWidget(frameMessreihe);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOk = named<QPushButton>(this, "cmdOk");
    cmdCancel = named<QPushButton>(this, "cmdCancel");
    cmdOk->setDefault(true);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    root->addLayout(buttons);
    connect(cmdOk, &QPushButton::clicked, this, &dlgNeuerAkku::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &dlgNeuerAkku::cmdCancel_Click);
    Form_Load();
}

void dlgNeuerAkku::Form_Load()
{
    setWindowTitle(res("0500"));
    frameAkku->setTitle(res("0502"));
    lblName->setText(res("0510"));
    lblAkkuBemerkung->setText(res("0506"));
    frameMessreihe->setTitle(res("0504"));
    lblMessreiheBemerkung->setText(res("0508"));
    cmdOk->setText(res("0100"));
    cmdCancel->setText(res("0101"));
    txtAkkuBemerkung->clear();
    txtMessreiheBemerkung->clear();
    txtName->clear();
    txtName->setMaxLength(MesswerteErfassenLogic::kNameWidth);
    txtAkkuBemerkung->setMaxLength(
        MesswerteErfassenLogic::remarkLimit(objSettings().getSetting(QStringLiteral("MaxAkkuBemerkung"))));
    txtMessreiheBemerkung->setMaxLength(
        MesswerteErfassenLogic::remarkLimit(objSettings().getSetting(QStringLiteral("MaxMessBemerkung"))));
}

void dlgNeuerAkku::cmdOk_Click()
{
    // Stored as checked: an untrimmed name would let " Pack" and "Pack" both exist.
    const QString name = txtName->text().trimmed();
    if (name.isEmpty()) {
        msgBox(res("0554"), MessageService::OkOnly, MessageService::Exclamation, res("0550"));
        txtName->setFocus();
        return;
    }
    bool unique = false;
    if (!ErrorGuard::run([&] { unique = SeriesStore(dbVeluser).isAkkuNameUnique(name); }))
        return;
    if (!unique) {
        msgBox(res("0552"), MessageService::OkOnly, MessageService::Information, res("0550"));
        txtName->setFocus();
        return;
    }
    // The question whether to record now is asked without this dialog in front.
    hide();
    if (parentWin) {
        const QString remark = txtAkkuBemerkung->text();
        const QString seriesRemark = txtMessreiheBemerkung->text();
        parentWin->guarded([&] { parentWin->addNewAkku(name, remark, seriesRemark); });
    }
    done(Accepted);
}
