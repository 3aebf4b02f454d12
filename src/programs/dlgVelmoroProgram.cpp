#include "programs/dlgVelmoroProgram.h"

#include "core/utilitiesModul.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/FocusValidator.h"
#include "platform/ModalDialogRunner.h"
#include "programs/ExtendedProgramReceiver.h"
#include "programs/ProgramControlNames.h"
#include "programs/ProgramFormControls.h"
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

using ProgramForm::make;

const char* const kDecimalBoxes[] = {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom",
                                     "txtEntladestrom", "txtKapazitaetAh"};
const char* const kIntegerBoxes[] = {"txtKapazitaetProzent", "txtZeitraum", "txtSelbstentladungsZeitraum"};

} // namespace

dlgVelmoroProgram::dlgVelmoroProgram(QWidget* parent)
    : FormDialog(parent),
      WidgetEditorView(static_cast<QWidget&>(*this), programEditorControlNames()),
      m_logic(*this, m_sources),
      m_exchange(m_logic, *this, *this)
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

    ProgramForm::addProgramFrames(this, root, "frameAkku2");

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
    auto combo = [this](const char* name) {
        return ProgramForm::named<DataCombo>(*this, programEditorControlNames(), name);
    };
    auto button = [this](const char* name) {
        return ProgramForm::named<QAbstractButton>(*this, programEditorControlNames(), name);
    };
    // Each handler runs through the error guard: a failing database is shown
    // and the dialog stays usable.
    auto on = [this](void (ProgramEditorLogic::*handler)()) {
        return ErrorGuard::slot([this, handler] { (m_logic.*handler)(); });
    };

    // Only the user's own actions: the logic's changes raise none of these.
    ProgramForm::connectLayoutHandlers(this, m_logic);
    connect(combo("cboModeZyklus"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboModeZyklus_Click));
    connect(combo("cboNennSpannung"), &DataCombo::droppedDown, this, on(&ProgramEditorLogic::cboNennSpannung_DropDown));
    connect(combo("cboZellenzahl"), &DataCombo::droppedDown, this, on(&ProgramEditorLogic::cboZellenzahl_DropDown));
    connect(button("optSelbstentladungStunden"), &QAbstractButton::clicked, this,
            on(&ProgramEditorLogic::optSelbstentladungStunden_Click));
    connect(button("optSelbstentladungTage"), &QAbstractButton::clicked, this,
            on(&ProgramEditorLogic::optSelbstentladungTage_Click));
    connect(button("cmdCancelButton"), &QAbstractButton::clicked, this, [this] { cancelButton(); });
    auto exchange = [this](void (ProgramExchange::*handler)()) {
        return ErrorGuard::slot([this, handler] { (m_exchange.*handler)(); });
    };
    connect(button("cmdProgrammHolen"), &QAbstractButton::clicked, this,
            exchange(&ProgramExchange::cmdProgrammHolen_Click));
    connect(button("cmdSendButton"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdSendButton_Click));
    connect(button("cmdSendToAll"), &QAbstractButton::clicked, this, exchange(&ProgramExchange::cmdSendToAll_Click));
    connect(button("cmdSaveAsButton"), &QAbstractButton::clicked, this,
            exchange(&ProgramExchange::cmdSaveAsButton_Click));
    connect(button("cmdDeleteButton"), &QAbstractButton::clicked, this,
            exchange(&ProgramExchange::cmdDeleteButton_Click));
    connect(combo("cboAkkuProgram"), &DataCombo::selectionChanged, this,
            exchange(&ProgramExchange::cboAkkuProgram_Click));

    m_validator = new FocusValidator(this);
    m_validator->setCausesValidation(button("cmdCancelButton"), false);
    auto wire = [this](const char* boxName, bool decimal) {
        const QString name = QString::fromLatin1(boxName);
        auto* box = ProgramForm::named<QLineEdit>(*this, programEditorControlNames(), boxName);
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
