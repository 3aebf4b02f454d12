#include "programs/ProgramFormControls.h"

#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "programs/ProgramControlNames.h"
#include "programs/ProgramEditorLogic.h"

#include <QAbstractButton>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

void ProgramForm::addProgramFrames(QWidget* dialog, QVBoxLayout* root, const char* programFrameName)
{
    // The battery: by type with cells and nominal voltage, or by preset end
    // voltages; the target capacity.
    auto* battery = make<QGroupBox>(dialog, "frameAkku1");
    auto* bg = new QGridLayout(battery);
    auto* optAkkuTyp = make<QRadioButton>(battery, "optAkkuTyp");
    auto* optVorgSpannung = make<QRadioButton>(battery, "optVorgSpannung");
    auto* batteryOptions = new QButtonGroup(battery);
    batteryOptions->addButton(optAkkuTyp);
    batteryOptions->addButton(optVorgSpannung);
    bg->addWidget(optAkkuTyp, 0, 0);
    bg->addWidget(optVorgSpannung, 0, 1, 1, 2);
    bg->addWidget(make<DataCombo>(battery, "cboAkkuType"), 1, 0, 1, 3);
    bg->addWidget(make<QLabel>(battery, "lblZellenzahl"), 2, 0);
    bg->addWidget(make<DataCombo>(battery, "cboZellenzahl"), 2, 1);
    bg->addWidget(make<QLabel>(battery, "lblNennSpannung"), 3, 0);
    bg->addWidget(make<DataCombo>(battery, "cboNennSpannung"), 3, 1);
    bg->addWidget(make<QLabel>(battery, "lblLadeSchlussSpannung"), 4, 0);
    bg->addWidget(make<QLineEdit>(battery, "txtLadeschlussSpannung"), 4, 1);
    bg->addWidget(make<QLabel>(battery, "lblVoltLade"), 4, 2);
    bg->addWidget(make<QLabel>(battery, "lblEntladeschlussSpannung"), 5, 0);
    bg->addWidget(make<QLineEdit>(battery, "txtEntladeschlussSpannung"), 5, 1);
    bg->addWidget(make<QLabel>(battery, "lblVoltEntl"), 5, 2);
    bg->addWidget(make<QCheckBox>(battery, "chkSollKapazitaet"), 6, 0);
    bg->addWidget(make<QLineEdit>(battery, "txtKapazitaetAh"), 6, 1);
    bg->addWidget(make<QLabel>(battery, "lblKapazitaetAh"), 6, 2);
    auto* percent = new QHBoxLayout;
    percent->addWidget(make<QLabel>(battery, "lblKapazitaetProzent1"));
    percent->addWidget(make<QLineEdit>(battery, "txtKapazitaetProzent"));
    percent->addWidget(make<QLabel>(battery, "lblKapazitaetProzent2"));
    bg->addLayout(percent, 7, 0, 1, 3);
    root->addWidget(battery);

    // The program: mode, cycles, period and the two currents with their C-rates.
    auto* program = make<QGroupBox>(dialog, programFrameName);
    auto* pg = new QGridLayout(program);
    pg->addWidget(make<QLabel>(program, "lblMode"), 0, 0);
    pg->addWidget(make<DataCombo>(program, "cboGeraeteModi"), 0, 1, 1, 2);
    pg->addWidget(make<DataCombo>(program, "cboModeZyklus"), 0, 3);
    pg->addWidget(make<QLabel>(program, "lblZeitraum"), 1, 0);
    pg->addWidget(make<QLineEdit>(program, "txtZeitraum"), 1, 1);
    pg->addWidget(make<QLabel>(program, "lblLadestrom"), 2, 0);
    pg->addWidget(make<QLineEdit>(program, "txtLadestrom"), 2, 1);
    pg->addWidget(make<QLabel>(program, "lblAmpereLaden"), 2, 2);
    pg->addWidget(make<QLabel>(program, "lblLadeStromC"), 3, 0);
    pg->addWidget(make<DataCombo>(program, "cboLadeStromC"), 3, 1);
    pg->addWidget(make<QLabel>(program, "lblEntladestrom"), 4, 0);
    pg->addWidget(make<QLineEdit>(program, "txtEntladestrom"), 4, 1);
    pg->addWidget(make<QLabel>(program, "lblAmpereEntladen"), 4, 2);
    pg->addWidget(make<QLabel>(program, "lblEnladeStromC"), 5, 0);
    pg->addWidget(make<DataCombo>(program, "cboEntladeStromC"), 5, 1);
    root->addWidget(program);

    // The self-discharge test.
    auto* test = make<QGroupBox>(dialog, "Frame3");
    auto* tg = new QGridLayout(test);
    tg->addWidget(make<QCheckBox>(test, "chkSelbstentladung"), 0, 0, 1, 3);
    tg->addWidget(make<QLabel>(test, "lblSelbstentladungNach"), 1, 0);
    tg->addWidget(make<QLineEdit>(test, "txtSelbstentladungsZeitraum"), 1, 1);
    auto* hours = make<QRadioButton>(test, "optSelbstentladungStunden");
    auto* days = make<QRadioButton>(test, "optSelbstentladungTage");
    auto* unit = new QButtonGroup(test);
    unit->addButton(hours);
    unit->addButton(days);
    tg->addWidget(hours, 1, 2);
    tg->addWidget(days, 1, 3);
    root->addWidget(test);
}

void ProgramForm::connectLayoutHandlers(QWidget* dialog, ProgramEditorLogic& logic)
{
    const QStringList& names = programFormControlNames();
    auto combo = [dialog, &names](const char* name) { return named<DataCombo>(*dialog, names, name); };
    auto button = [dialog, &names](const char* name) { return named<QAbstractButton>(*dialog, names, name); };
    auto on = [&logic](void (ProgramEditorLogic::*handler)()) {
        return ErrorGuard::slot([&logic, handler] { (logic.*handler)(); });
    };
    const std::pair<const char*, void (ProgramEditorLogic::*)()> picks[] = {
        {"cboAkkuType", &ProgramEditorLogic::cboAkkuType_Click},
        {"cboGeraeteModi", &ProgramEditorLogic::cboGeraeteModi_Click},
        {"cboNennSpannung", &ProgramEditorLogic::cboNennSpannung_Click},
        {"cboZellenzahl", &ProgramEditorLogic::cboZellenzahl_Click},
        {"cboLadeStromC", &ProgramEditorLogic::cboLadeStromC_Click},
        {"cboEntladeStromC", &ProgramEditorLogic::cboEntladeStromC_Click}};
    for (const auto& [name, handler] : picks)
        QObject::connect(combo(name), &DataCombo::selectionChanged, dialog, on(handler));
    const std::pair<const char*, void (ProgramEditorLogic::*)()> clicks[] = {
        {"optAkkuTyp", &ProgramEditorLogic::optAkkuTyp_Click},
        {"optVorgSpannung", &ProgramEditorLogic::optVorgSpannung_Click},
        {"chkSollKapazitaet", &ProgramEditorLogic::chkSollKapazitaet_Click},
        {"chkSelbstentladung", &ProgramEditorLogic::chkSelbstentladung_Click}};
    for (const auto& [name, handler] : clicks)
        QObject::connect(button(name), &QAbstractButton::clicked, dialog, on(handler));
}
