#include "programs/dlgErweiterterProgrammiermodus.h"

#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "platform/ErrorGuard.h"
#include "platform/FocusValidator.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "programs/ExtendedProgramReceiver.h"
#include "programs/ProgramControlNames.h"
#include "programs/ProgramFormControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

template <class W>
W* control(const QWidget& dialog, const char* name)
{
    return ProgramForm::named<W>(dialog, extendedOptionsControlNames(), name);
}

// One choice of two: its frame, the option standing for True (or 1) first.
struct Pair {
    const char* frame;
    const char* frameCaption;
    const char* on;
    const char* onCaption;
    const char* onTip;
    const char* off;
    const char* offCaption;
    const char* offTip;
};

constexpr Pair kPairs[] = {
    {"frameProgrammierung", "7002", "optGesperrt", "7012", "7014", "optFreigegeben", "7016", "7018"},
    {"frameSpannungMessen", "7004", "optOhneLast", "7024", "7026", "optUnterLast", "7020", "7022"},
    {"frameBleiakku", "7006", "optBleiakkuMode2", "7032", "7034", "optBleiakkuMode1", "7028", "7030"},
    {"frameLiIon", "7008", "optLiIonMode2", "7040", "7042", "optLiIonMode1", "7036", "7038"},
    {"frameLademode", "7060", "optDauerstrom", "7066", "7068", "optReversepulse", "7062", "7064"},
    {"frameQ", "7070", "optQ2", "7076", "7078", "optQ1", "7072", "7074"},
    {"frameU", "7080", "optU2", "7086", "7088", "optU1", "7082", "7084"},
};

} // namespace

dlgErweiterterProgrammiermodus::dlgErweiterterProgrammiermodus(QWidget* owner) : FormDialog(owner)
{
    setObjectName(QStringLiteral("dlgErweiterterProgrammiermodus"));
    buildControls();
    // Only chargers of extension type 2 are sent the charge mode and the
    // options Q and U; elsewhere they are shown greyed, as the program has them.
    const bool sent = m_sources.setting(QStringLiteral("ProgramExtensionType")).trimmed() == QLatin1String("2");
    for (const char* frame : {"frameLademode", "frameQ", "frameU"})
        control<QGroupBox>(*this, frame)->setEnabled(sent);
}

dlgErweiterterProgrammiermodus::~dlgErweiterterProgrammiermodus() = default;

void dlgErweiterterProgrammiermodus::buildControls()
{
    setWindowTitle(res("7000"));
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int i = 0;
    for (const Pair& p : kPairs) {
        auto* frame = new QGroupBox(res(p.frameCaption), this);
        frame->setObjectName(QString::fromLatin1(p.frame));
        auto* fl = new QVBoxLayout(frame);
        auto* group = new QButtonGroup(frame);
        // The False option first, as the charger's default.
        for (const auto& [name, caption, tip] :
             {std::tuple{p.off, p.offCaption, p.offTip}, std::tuple{p.on, p.onCaption, p.onTip}}) {
            auto* b = new QRadioButton(res(caption), frame);
            b->setObjectName(QString::fromLatin1(name));
            b->setToolTip(res(tip));
            group->addButton(b);
            fl->addWidget(b);
        }
        grid->addWidget(frame, i / 2, i % 2);
        ++i;
    }
    auto* frame = new QGroupBox(res("7010"), this);
    frame->setObjectName(QStringLiteral("frameLadeende"));
    auto* fl = new QHBoxLayout(frame);
    auto* label = new QLabel(res("7044"), frame);
    label->setObjectName(QStringLiteral("lblLadeende"));
    auto* box = new QLineEdit(frame);
    box->setObjectName(QStringLiteral("txtLadeende"));
    box->setMaxLength(6);
    fl->addWidget(label);
    fl->addWidget(box);
    grid->addWidget(frame, i / 2, i % 2);
    root->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(res("0100"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    auto* cancel = new QPushButton(res("0101"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);

    // The keystroke filter takes back what leaves no whole number.
    connectIntegerInputFilter(box);
    connect(ok, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdOk_Click(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    m_validator = new FocusValidator(this);
    m_validator->addBox(box, [this] {
        bool accepted = true;
        // A check that cannot read the limits lets the user go on.
        ErrorGuard::run([&] { accepted = txtLadeende_Validate(); });
        return accepted;
    });
}

QLineEdit* dlgErweiterterProgrammiermodus::ladeende() const
{
    return control<QLineEdit>(*this, "txtLadeende");
}

bool dlgErweiterterProgrammiermodus::checked(const char* name) const
{
    auto* b = control<QRadioButton>(*this, name);
    return b && b->isChecked();
}

void dlgErweiterterProgrammiermodus::choose(const char* on, const char* off, bool first)
{
    if (auto* b = control<QRadioButton>(*this, first ? on : off))
        b->setChecked(true);
}

ExtendedOptions dlgErweiterterProgrammiermodus::options() const
{
    ExtendedOptions o;
    o.gesperrt = checked("optGesperrt");
    o.ohneLast = checked("optOhneLast");
    o.bleiakkuMode2 = checked("optBleiakkuMode2");
    o.liIonMode2 = checked("optLiIonMode2");
    o.dauerstrom = checked("optDauerstrom");
    o.q2 = checked("optQ2");
    o.u2 = checked("optU2");
    o.ladeende = ladeende()->text();
    return o;
}

void dlgErweiterterProgrammiermodus::setOptions(const ExtendedOptions& o)
{
    const bool values[] = {o.gesperrt, o.ohneLast, o.bleiakkuMode2, o.liIonMode2, o.dauerstrom, o.q2, o.u2};
    int i = 0;
    for (const Pair& p : kPairs)
        choose(p.on, p.off, values[i++]);
    ladeende()->setText(o.ladeende);
}

void dlgErweiterterProgrammiermodus::initDialog()
{
    if (prog)
        setOptions(ExtendedOptions::fromProgram(*prog));
}

void dlgErweiterterProgrammiermodus::setEditableFalse()
{
    for (const Pair& p : kPairs)
        for (const char* name : {p.on, p.off})
            if (auto* b = control<QRadioButton>(*this, name))
                b->setEnabled(false);
    ladeende()->setReadOnly(true);
    control<QPushButton>(*this, "cmdOk")->hide();
    // Nothing can be changed here, so nothing may keep the user from leaving.
    m_validator->setCausesValidation(control<QPushButton>(*this, "cmdCancel"), false);
}

bool dlgErweiterterProgrammiermodus::txtLadeende_Validate()
{
    const QString message = ExtendedOptions::checkLadeende(ladeende()->text(), m_sources);
    if (message.isEmpty())
        return true;
    msgBox(message);
    return false;
}

void dlgErweiterterProgrammiermodus::cmdOk_Click()
{
    QLineEdit* box = ladeende();
    if (box->text().trimmed().isEmpty()) {
        msgBox(res("7054"));
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    const CommunicationProgram original = prog ? *prog : CommunicationProgram();
    // A typed charge end is checked even when OK is reached without leaving
    // the box; the stored one the user left alone goes back as it was.
    const bool typed = box->text().trimmed() != ExtendedOptions::ladeendeText(original.iLadeende);
    if (typed && !txtLadeende_Validate()) {
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    CommunicationProgram result;
    if (!options().writeTo(result, original)) {
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (parentWin)
        parentWin->setExtendedProgram(result);
    done(Accepted);
}

void dlgErweiterterProgrammiermodus::cmdCancel_Click()
{
    done(Rejected);
}

void dlgErweiterterProgrammiermodus::cancelButton()
{
    cmdCancel_Click();
}

void dlgErweiterterProgrammiermodus::open(QWidget* owner, std::shared_ptr<const CommunicationProgram> prog,
                                          ExtendedProgramReceiver* receiver, bool editable)
{
    dlgErweiterterProgrammiermodus dialog(owner);
    dialog.parentWin = receiver;
    dialog.prog = std::move(prog);
    dialog.initDialog();
    if (!editable)
        dialog.setEditableFalse();
    execModal(dialog);
}
