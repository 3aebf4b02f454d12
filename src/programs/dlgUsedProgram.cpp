#include "programs/dlgUsedProgram.h"

#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/FocusValidator.h"
#include "printing/WidgetControlReader.h"
#include "programs/ProgramControlNames.h"
#include "programs/ProgramFormControls.h"
#include "programs/dlgErweiterterProgrammiermodus.h"
#include "wiring/ProgramViewerSource.h"

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

using ProgramForm::make;

const char* const kNumberBoxes[] = {
    "txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom", "txtEntladestrom",
    "txtKapazitaetAh",        "txtKapazitaetProzent",      "txtZeitraum",  "txtSelbstentladungsZeitraum"};

// A hidden viewer of the printout's own, read while the reader lives and
// unloaded with it.
class FilledViewer : public ControlReader {
public:
    explicit FilledViewer(const CommunicationProgram& program)
        : m_program(std::make_shared<CommunicationProgram>(program)),
          m_viewer(std::make_unique<dlgUsedProgram>()),
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
    : FormDialog(parent),
      m_view(*this, programEditorControlNames()),
      m_logic(m_view, m_sources, ProgramEditorLogic::Role::Viewer)
{
    setObjectName(QStringLiteral("dlgUsedProgram"));
    buildControls();
    // As designed: zeros in the volt, ampere and ampere-hour boxes, the
    // percentage, the self-discharge period in days.
    const QString zero = formatThreeDecimals(QStringLiteral("0"));
    for (const char* box :
         {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtLadestrom", "txtEntladestrom", "txtKapazitaetAh"})
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

    ProgramForm::addProgramFrames(this, root, "");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(make<QPushButton>(this, "cmdExtendedModus"));
    buttons->addStretch(1);
    buttons->addWidget(make<QPushButton>(this, "cmdCancelButton"));
    root->addLayout(buttons);
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    // The boxes show the program; nothing is typed into them.
    for (const char* name : kNumberBoxes)
        ProgramForm::named<QLineEdit>(*this, programViewerControlNames(), name)->setReadOnly(true);
}

void dlgUsedProgram::connectHandlers()
{
    auto button = [this](const char* name) {
        return ProgramForm::named<QAbstractButton>(*this, programViewerControlNames(), name);
    };

    // What the user picks on screen lays the window out as in the editor;
    // none of it reaches the program.
    ProgramForm::connectLayoutHandlers(this, m_logic);
    connect(button("cmdExtendedModus"), &QAbstractButton::clicked, this,
            ErrorGuard::slot([this] { cmdExtendedModus_Click(); }));
    connect(button("cmdCancelButton"), &QAbstractButton::clicked, this, [this] { cancelButton(); });

    // The range checks still run on the values shown; Cancel always closes.
    m_validator = new FocusValidator(this);
    m_validator->setCausesValidation(button("cmdCancelButton"), false);
    for (const char* boxName : kNumberBoxes) {
        const QString name = QString::fromLatin1(boxName);
        m_validator->addBox(ProgramForm::named<QLineEdit>(*this, programViewerControlNames(), boxName), [this, name] {
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

std::unique_ptr<ProgramViewerSource> dlgUsedProgram::printingSource()
{
    return std::make_unique<UsedProgramSource>();
}
