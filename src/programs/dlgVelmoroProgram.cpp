#include "programs/dlgVelmoroProgram.h"

#include "core/utilitiesModul.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/FocusValidator.h"
#include "platform/ModalDialogRunner.h"
#include "programs/ExtendedProgramReceiver.h"
#include "programs/WidgetEditorView.h"
#include "programs/dlgAkkuSpeichern.h"
#include "programs/dlgErweiterterProgrammiermodus.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class W>
W* make(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

const char* const kDecimalBoxes[] = {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom",
                                     "txtEntladestrom", "txtKapazitaetAh"};
const char* const kIntegerBoxes[] = {"txtKapazitaetProzent", "txtZeitraum", "txtSelbstentladungsZeitraum"};

} // namespace

dlgVelmoroProgram::dlgVelmoroProgram(QWidget* parent) : FormDialog(parent), m_logic(*this), m_exchange(m_logic, *this, *this)
{
    setObjectName(QStringLiteral("dlgVelmoroProgram"));
    buildControls();
    // As designed: the percentage, the self-discharge period in days.
    setControlText(QStringLiteral("txtKapazitaetProzent"), QStringLiteral("80"));
    setControlText(QStringLiteral("txtSelbstentladungsZeitraum"), QStringLiteral("1"));
    setChecked(QStringLiteral("optSelbstentladungTage"), true);
    connectHandlers();
    ErrorGuard::run([this] { m_logic.Form_Load(); });
    // Sending to every channel needs the channel windows (setChannels).
    setControlEnabled(QStringLiteral("cmdSendToAll"), false);
}

dlgVelmoroProgram::~dlgVelmoroProgram() = default;

void dlgVelmoroProgram::buildControls()
{
    auto* root = new QVBoxLayout(this);

    // Named programs, reading the running program, the extended options.
    auto* top = new QHBoxLayout;
    top->addWidget(make<QLabel>(this, "lblAkkuprogrammWaehlen"));
    auto* named = make<DataCombo>(this, "cboAkkuProgram");
    named->setMinimumContentsLength(24);
    top->addWidget(named, 1);
    top->addWidget(make<QPushButton>(this, "cmdProgrammHolen"));
    top->addWidget(make<QPushButton>(this, "cmdExtendedModus"));
    root->addLayout(top);

    // The battery: by type with cells and nominal voltage, or by preset end
    // voltages; the target capacity.
    auto* battery = make<QGroupBox>(this, "frameAkku1");
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
    auto* program = make<QGroupBox>(this, "frameAkku2");
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
    auto* test = make<QGroupBox>(this, "Frame3");
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

    auto* buttons = new QHBoxLayout;
    for (const char* name : {"cmdSendButton", "cmdSendToAll", "cmdSaveAsButton", "cmdDeleteButton"})
        buttons->addWidget(make<QPushButton>(this, name));
    buttons->addStretch(1);
    buttons->addWidget(make<QPushButton>(this, "cmdCancelButton"));
    root->addLayout(buttons);
    // Enter in a box must not press a button behind the user's back.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

void dlgVelmoroProgram::connectHandlers()
{
    auto combo = [this](const char* name) { return findChild<DataCombo*>(QString::fromLatin1(name)); };
    auto button = [this](const char* name) { return findChild<QAbstractButton*>(QString::fromLatin1(name)); };
    // Each handler runs through the error guard: a failing database is shown
    // and the dialog stays usable.
    auto on = [this](void (ProgramEditorLogic::*handler)()) {
        return ErrorGuard::slot([this, handler] { (m_logic.*handler)(); });
    };

    // Only the user's own actions: the logic's changes raise none of these.
    connect(combo("cboAkkuType"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboAkkuType_Click));
    connect(combo("cboGeraeteModi"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboGeraeteModi_Click));
    connect(combo("cboModeZyklus"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboModeZyklus_Click));
    connect(combo("cboNennSpannung"), &DataCombo::droppedDown, this, on(&ProgramEditorLogic::cboNennSpannung_DropDown));
    connect(combo("cboZellenzahl"), &DataCombo::droppedDown, this, on(&ProgramEditorLogic::cboZellenzahl_DropDown));
    connect(combo("cboNennSpannung"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboNennSpannung_Click));
    connect(combo("cboZellenzahl"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboZellenzahl_Click));
    connect(combo("cboLadeStromC"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboLadeStromC_Click));
    connect(combo("cboEntladeStromC"), &DataCombo::selectionChanged, this,
            on(&ProgramEditorLogic::cboEntladeStromC_Click));
    connect(button("optAkkuTyp"), &QAbstractButton::clicked, this, on(&ProgramEditorLogic::optAkkuTyp_Click));
    connect(button("optVorgSpannung"), &QAbstractButton::clicked, this, on(&ProgramEditorLogic::optVorgSpannung_Click));
    connect(button("chkSollKapazitaet"), &QAbstractButton::clicked, this,
            on(&ProgramEditorLogic::chkSollKapazitaet_Click));
    connect(button("chkSelbstentladung"), &QAbstractButton::clicked, this,
            on(&ProgramEditorLogic::chkSelbstentladung_Click));
    connect(button("optSelbstentladungStunden"), &QAbstractButton::clicked, this,
            on(&ProgramEditorLogic::optSelbstentladungStunden_Click));
    connect(button("optSelbstentladungTage"), &QAbstractButton::clicked, this,
            on(&ProgramEditorLogic::optSelbstentladungTage_Click));
    connect(button("cmdCancelButton"), &QAbstractButton::clicked, this, [this] { cancelButton(); });
    auto exchange = [this](void (ProgramExchange::*handler)()) {
        return ErrorGuard::slot([this, handler] { (m_exchange.*handler)(); });
    };
    connect(button("cmdProgrammHolen"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdProgrammHolen_Click));
    connect(button("cmdSendButton"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdSendButton_Click));
    connect(button("cmdSendToAll"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdSendToAll_Click));
    connect(button("cmdSaveAsButton"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdSaveAsButton_Click));
    connect(button("cmdDeleteButton"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdDeleteButton_Click));
    connect(combo("cboAkkuProgram"), &DataCombo::selectionChanged, this, exchange(&ProgramExchange::cboAkkuProgram_Click));

    m_validator = new FocusValidator(this);
    m_validator->setCausesValidation(button("cmdCancelButton"), false);
    auto wire = [this](const char* boxName, bool decimal) {
        const QString name = QString::fromLatin1(boxName);
        auto* box = findChild<QLineEdit*>(name);
        if (decimal)
            connectDecimalInputFilter(box);
        else
            connectIntegerInputFilter(box);
        connect(box, &QLineEdit::textEdited, this, ErrorGuard::slot([this, name] { m_logic.txtBox_Change(name); }));
        m_validator->addBox(box, [this, name] {
            bool accepted = true;
            // A check that cannot read the limits lets the user go on.
            ErrorGuard::run([&] { accepted = m_logic.txtBox_Validate(name); });
            return accepted;
        });
    };
    for (const char* name : kDecimalBoxes)
        wire(name, true);
    for (const char* name : kIntegerBoxes)
        wire(name, false);

    connect(button("cmdExtendedModus"), &QAbstractButton::clicked, this, ErrorGuard::slot([this] {
                // The options go into the edited program only through OK.
                struct Receiver : ExtendedProgramReceiver {
                    explicit Receiver(ProgramEditorLogic& l) : logic(l) {}
                    void setExtendedProgram(const CommunicationProgram& p) override { logic.setExtendedProgram(p); }
                    ProgramEditorLogic& logic;
                } receiver(m_logic);
                dlgErweiterterProgrammiermodus::open(this, m_logic.program(), &receiver, true);
            }));
}

void dlgVelmoroProgram::programChangedFromOutside(std::shared_ptr<CommunicationProgram> program)
{
    m_exchange.programChangedFromOutside(std::move(program));
}

void dlgVelmoroProgram::setChannels(ProgramChannels* channels)
{
    m_exchange.setChannels(channels);
    const bool sendAll = channels && isControlVisible(QStringLiteral("cmdSendToAll"));
    setControlEnabled(QStringLiteral("cmdSendToAll"), sendAll);
}

void dlgVelmoroProgram::runSaveAsDialog()
{
    dlgAkkuSpeichern dialog(this);
    dialog.setParentWin(this);
    execModal(dialog);
}

void dlgVelmoroProgram::closeEditor()
{
    hide();
    cancelButton();
}

void dlgVelmoroProgram::postOfferReportedProgram()
{
    // Never inside the caller: that is a channel's poll, which must not wait
    // for the user.
    QMetaObject::invokeMethod(
        this, [this] { ErrorGuard::run([this] { m_exchange.offerReportedProgram(); }); }, Qt::QueuedConnection);
}

void dlgVelmoroProgram::initDialog()
{
    ErrorGuard::run([this] { m_logic.initDialog(); });
}

// --- controls by name ------------------------------------------------------------------
// The viewer finds its controls the same way; one implementation serves both.

namespace {
WidgetEditorView widgets(const dlgVelmoroProgram* dialog)
{
    return WidgetEditorView(const_cast<dlgVelmoroProgram&>(*dialog));
}
} // namespace

QWidget* dlgVelmoroProgram::control(const QString& name) const
{
    return findChild<QWidget*>(name);
}

void dlgVelmoroProgram::setControlText(const QString& name, const QString& text)
{
    widgets(this).setControlText(name, text);
}

QString dlgVelmoroProgram::controlText(const QString& name) const
{
    return widgets(this).controlText(name);
}

void dlgVelmoroProgram::setControlVisible(const QString& name, bool visible)
{
    widgets(this).setControlVisible(name, visible);
}

bool dlgVelmoroProgram::isControlVisible(const QString& name) const
{
    return widgets(this).isControlVisible(name);
}

void dlgVelmoroProgram::setControlEnabled(const QString& name, bool enabled)
{
    widgets(this).setControlEnabled(name, enabled);
}

bool dlgVelmoroProgram::isControlEnabled(const QString& name) const
{
    return widgets(this).isControlEnabled(name);
}

void dlgVelmoroProgram::setChecked(const QString& name, bool checked)
{
    widgets(this).setChecked(name, checked);
}

bool dlgVelmoroProgram::isChecked(const QString& name) const
{
    return widgets(this).isChecked(name);
}

void dlgVelmoroProgram::clearList(const QString& name)
{
    widgets(this).clearList(name);
}

void dlgVelmoroProgram::addListItem(const QString& name, const QString& text)
{
    widgets(this).addListItem(name, text);
}

QStringList dlgVelmoroProgram::listItems(const QString& name) const
{
    return widgets(this).listItems(name);
}

int dlgVelmoroProgram::listIndex(const QString& name) const
{
    return widgets(this).listIndex(name);
}

void dlgVelmoroProgram::setListIndex(const QString& name, int index)
{
    widgets(this).setListIndex(name, index);
}

void dlgVelmoroProgram::setBoundEntries(const QString& name, const QVector<ListEntry>& entries)
{
    widgets(this).setBoundEntries(name, entries);
}

QString dlgVelmoroProgram::boundText(const QString& name) const
{
    return widgets(this).boundText(name);
}

void dlgVelmoroProgram::setBoundText(const QString& name, const QString& value)
{
    widgets(this).setBoundText(name, value);
}

void dlgVelmoroProgram::setFocusTo(const QString& name)
{
    widgets(this).setFocusTo(name);
}
