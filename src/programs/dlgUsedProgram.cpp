#include "programs/dlgUsedProgram.h"

#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/FocusValidator.h"
#include "printing/ProgramViewerSource.h"
#include "printing/WidgetControlReader.h"
#include "programs/dlgErweiterterProgrammiermodus.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
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

const char* const kNumberBoxes[] = {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom",
                                    "txtEntladestrom",        "txtKapazitaetAh",           "txtKapazitaetProzent",
                                    "txtZeitraum",            "txtSelbstentladungsZeitraum"};

// A hidden viewer of the printout's own, read while the reader lives and
// unloaded with it.
class FilledViewer : public ControlReader {
public:
    explicit FilledViewer(const CommunicationProgram& program)
        : m_program(std::make_shared<CommunicationProgram>(program)), m_viewer(std::make_unique<dlgUsedProgram>()),
          m_reader(*m_viewer)
    {
        m_viewer->setProgram(m_program);
        m_viewer->Form_Activate();
    }
    bool hasControl(const QString& name) const override { return m_reader.hasControl(name); }
    QString controlText(const QString& name) const override { return m_reader.controlText(name); }
    bool isControlVisible(const QString& name) const override { return m_reader.isControlVisible(name); }
    int controlValue(const QString& name) const override { return m_reader.controlValue(name); }
    int listCount(const QString& name) const override { return m_reader.listCount(name); }
    QString listItem(const QString& name, int row) const override { return m_reader.listItem(name, row); }
    QString windowCaption() const override { return m_reader.windowCaption(); }

private:
    std::shared_ptr<CommunicationProgram> m_program;
    std::unique_ptr<dlgUsedProgram> m_viewer;
    WidgetControlReader m_reader;
};

class UsedProgramSource : public ProgramViewerSource {
public:
    std::unique_ptr<ControlReader> openFilled(const CommunicationProgram& program) override
    {
        return std::make_unique<FilledViewer>(program);
    }
};

} // namespace

dlgUsedProgram::dlgUsedProgram(QWidget* parent)
    : FormDialog(parent), m_view(*this), m_logic(m_view, ProgramEditorLogic::Role::Viewer)
{
    setObjectName(QStringLiteral("dlgUsedProgram"));
    buildControls();
    // As designed: zeros in the volt, ampere and ampere-hour boxes, the
    // percentage, the self-discharge period in days.
    const QString zero = formatThreeDecimals(QStringLiteral("0"));
    for (const char* box : {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom", "txtEntladestrom",
                            "txtKapazitaetAh"})
        m_view.setControlText(QString::fromLatin1(box), zero);
    m_view.setControlText(QStringLiteral("txtKapazitaetProzent"), QStringLiteral("80"));
    m_view.setControlText(QStringLiteral("txtSelbstentladungsZeitraum"), QStringLiteral("1"));
    m_view.setChecked(QStringLiteral("optSelbstentladungTage"), true);
    connectHandlers();
    ErrorGuard::run([this] { m_logic.Form_Load(); });
}

dlgUsedProgram::~dlgUsedProgram() = default;

void dlgUsedProgram::buildControls()
{
    auto* root = new QVBoxLayout(this);

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
    auto* program = new QGroupBox(this);
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
    buttons->addWidget(make<QPushButton>(this, "cmdExtendedModus"));
    buttons->addStretch(1);
    buttons->addWidget(make<QPushButton>(this, "cmdCancelButton"));
    root->addLayout(buttons);
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    // The boxes show the program; nothing is typed into them.
    for (const char* name : kNumberBoxes)
        findChild<QLineEdit*>(QString::fromLatin1(name))->setReadOnly(true);
}

void dlgUsedProgram::connectHandlers()
{
    auto combo = [this](const char* name) { return findChild<DataCombo*>(QString::fromLatin1(name)); };
    auto button = [this](const char* name) { return findChild<QAbstractButton*>(QString::fromLatin1(name)); };
    auto on = [this](void (ProgramEditorLogic::*handler)()) {
        return ErrorGuard::slot([this, handler] { (m_logic.*handler)(); });
    };

    // What the user picks on screen lays the window out as in the editor;
    // none of it reaches the program.
    connect(combo("cboAkkuType"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboAkkuType_Click));
    connect(combo("cboGeraeteModi"), &DataCombo::selectionChanged, this, on(&ProgramEditorLogic::cboGeraeteModi_Click));
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
    connect(button("cmdExtendedModus"), &QAbstractButton::clicked, this,
            ErrorGuard::slot([this] { cmdExtendedModus_Click(); }));
    connect(button("cmdCancelButton"), &QAbstractButton::clicked, this, [this] { cancelButton(); });

    // The range checks still run on the values shown; Cancel always closes.
    m_validator = new FocusValidator(this);
    m_validator->setCausesValidation(button("cmdCancelButton"), false);
    for (const char* boxName : kNumberBoxes) {
        const QString name = QString::fromLatin1(boxName);
        m_validator->addBox(findChild<QLineEdit*>(name), [this, name] {
            bool accepted = true;
            ErrorGuard::run([&] { accepted = m_logic.txtBox_Validate(name); });
            return accepted;
        });
    }
}

void dlgUsedProgram::Form_Activate()
{
    ErrorGuard::run([this] { m_logic.Form_Activate(); });
}

void dlgUsedProgram::cmdExtendedModus_Click()
{
    dlgErweiterterProgrammiermodus::open(this, m_logic.program(), nullptr, false);
    // Closing the options activates the viewer again, which fills it anew.
    Form_Activate();
}

bool dlgUsedProgram::event(QEvent* e)
{
    const bool handled = FormDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void dlgUsedProgram::registerForPrinting()
{
    static UsedProgramSource source;
    ProgramViewerSource::setInstance(&source);
}
