#include "programs/ProgramEditorLogic.h"

#include "core/ProgramResources.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "programs/ProgramEditorView.h"

#include <QLocale>

namespace {

QString s(const char* name)
{
    return QString::fromLatin1(name);
}

QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

} // namespace

ProgramEditorLogic::ProgramEditorLogic(ProgramEditorView& view, const ProgramEditorSources& sources, Role role)
    : m_view(view),
      m_sources(sources),
      m_role(role),
      m_layout(view, role == Role::Viewer),
      m_boxes(view, sources),
      m_program(std::make_shared<CommunicationProgram>())
{
}

ProgramEditorLogic::~ProgramEditorLogic() = default;

// --- public members ------------------------------------------------------------------

void ProgramEditorLogic::setProgram(std::shared_ptr<CommunicationProgram> program)
{
    if (program)
        m_program = std::move(program);
}

void ProgramEditorLogic::setExtendedProgram(const CommunicationProgram& p)
{
    m_program->bProgrammierungGesperrt = p.bProgrammierungGesperrt;
    m_program->bOhneLast = p.bOhneLast;
    m_program->iBleiakkuMode = p.iBleiakkuMode;
    m_program->iLiionMode = p.iLiionMode;
    m_program->iLadeende = p.iLadeende;
    m_program->iLademode = p.iLademode;
    m_program->iQ = p.iQ;
    m_program->iU = p.iU;
}

void ProgramEditorLogic::initDialog()
{
    static const char* const channels[] = {"001", "002", "003", "004"};
    for (int i = 0; i < 4; ++i)
        if (m_geraeteNr == QLatin1String(channels[i]))
            m_view.setControlText(s("dlgVelmoroProgram"), res("0900") + QStringLiteral(" %1").arg(i + 1));

    const QString zero = formatThreeDecimals(QStringLiteral("0"));
    for (const char* box :
         {"txtLadeschlussSpannung", "txtEntladeschlussSpannung", "txtKapazitaetAh", "txtLadestrom", "txtEntladestrom"})
        setText(s(box), zero);

    m_hidden.forget();
    const qint16 typ = m_program->iAkkuTyp;
    if (typ == -2 || typ == -1 || typ == -4)
        return;
    fillBatteryFields();
    fillModeAndCurrents();
    fillCapacityFields();
    fillSelfDischargeFields();
    applyDeviceMode(m_program->iMode);
    m_hidden.remember(m_view, *m_program);
}

void ProgramEditorLogic::Form_Activate()
{
    const qint16 typ = m_program->iAkkuTyp;
    if (typ == -2 || typ == -1)
        return;
    if (typ != -3)
        fillBatteryFields();
    fillModeAndCurrents();
    fillCapacityFields();
    fillSelfDischargeFields();
    if (!m_program->bExtendedRecieved)
        m_view.setControlVisible(s("cmdExtendedModus"), false);
}

void ProgramEditorLogic::takeProgram(std::shared_ptr<CommunicationProgram> program)
{
    setProgram(std::move(program));
    initDialog();
}

// --- set-up ----------------------------------------------------------------------------

void ProgramEditorLogic::Form_Load()
{
    m_program = std::make_shared<CommunicationProgram>();
    m_hidden.forget();
    bLadestromFromCRate = false;
    bEntladestromFromCRate = false;
    bLadeschlussVisible = true;
    bEntladeschlussVisible = true;
    m_layout.showCaptions();
    loadLookupTables();
}

void ProgramEditorLogic::loadLookupTables()
{
    // The named programs, battery types, device modes and forming modes.
    if (m_role == Role::Editor) {
        m_view.setBoundEntries(s("cboAkkuProgram"), m_sources.namedPrograms());
        m_view.setBoundText(s("cboAkkuProgram"), QString());
    }

    m_akkuTypen.clear();
    m_akkuTypen = m_sources.batteryTypes();
    QVector<ListEntry> entries;
    for (const BatteryTypeRow& t : m_akkuTypen)
        entries.push_back({QString::number(t.nr), t.text});
    m_view.setBoundEntries(s("cboAkkuType"), entries);
    m_view.setBoundEntries(s("cboGeraeteModi"), m_sources.deviceModes());
    const QVector<ListEntry> cycles = m_sources.cycleModes();
    m_view.setBoundEntries(s("cboModeZyklus"), cycles);
    // The cycle list always has a choice, so a program never goes without one.
    if (!cycles.isEmpty())
        m_view.setBoundText(s("cboModeZyklus"), cycles.first().value);

    hideAllFields();
    fillCRateList(s("cboLadeStromC"));
    fillCRateList(s("cboEntladeStromC"));
    if (m_role == Role::Viewer)
        return;

    const bool sendAll = m_sources.setting(QStringLiteral("SendAllVisible")) == QLatin1String("YES");
    m_view.setControlEnabled(s("cmdSendToAll"), sendAll);
    m_view.setControlVisible(s("cmdSendToAll"), sendAll);
    const bool extension = m_sources.setting(QStringLiteral("ProgramExtensionAvaiable")) == QLatin1String("YES");
    m_view.setControlEnabled(s("cmdExtendedModus"), extension);
    m_view.setControlVisible(s("cmdExtendedModus"), extension);
}

void ProgramEditorLogic::hideAllFields()
{
    m_layout.hideProgramFields();
    setCheck(s("chkSelbstentladung"), false);
    m_layout.hideSelfDischargeFields();
}

void ProgramEditorLogic::fillCRateList(const QString& name)
{
    const QLocale locale;
    // "0.#0" and "0.##" of the rates below give two decimals each.
    for (double rate : {0.1, 0.25, 0.33, 0.5, 0.75})
        m_view.addListItem(name, locale.toString(rate, 'f', 2) + QStringLiteral(" C"));
    for (const char* whole : {"1 C", "2 C", "3 C"})
        m_view.addListItem(name, s(whole));
}

// --- layout ------------------------------------------------------------------------------

void ProgramEditorLogic::applyDeviceMode(qint16 mode)
{
    const std::optional<DeviceModeLayout> flags = m_sources.deviceModeLayout(mode);
    if (!flags)
        return; // an unknown mode changes nothing
    m_layout.applyBlocks(*flags);
    if (m_role == Role::Editor)
        setEndVoltagesVisible(flags->chargeEnd, flags->dischargeEnd);
}

void ProgramEditorLogic::setChargeBlockVisible(bool b)
{
    m_layout.setChargeBlockVisible(b);
}

void ProgramEditorLogic::setDischargeBlockVisible(bool b)
{
    m_layout.setDischargeBlockVisible(b);
}

void ProgramEditorLogic::setSelfDischargeBlockVisible(bool b)
{
    m_layout.setSelfDischargeBlockVisible(b);
}

void ProgramEditorLogic::setCycleModeVisible(bool b)
{
    m_layout.setCycleModeVisible(b);
}

void ProgramEditorLogic::setPeriodVisible(bool b)
{
    m_layout.setPeriodVisible(b);
}

void ProgramEditorLogic::setEndVoltagesVisible(bool bLadeschluss, bool bEntladeschluss)
{
    bLadeschlussVisible = bLadeschluss;
    bEntladeschlussVisible = bEntladeschluss;
    m_layout.setEndVoltagesVisible(bLadeschluss, bEntladeschluss);
}

// --- the program's own changes --------------------------------------------------------

void ProgramEditorLogic::setText(const QString& name, const QString& text)
{
    if (m_view.controlText(name) == text)
        return; // the same text is no change
    m_view.setControlText(name, text);
    if (name == QLatin1String("txtLadestrom"))
        currentChanged(name, s("cboLadeStromC"), bLadestromFromCRate);
    else if (name == QLatin1String("txtEntladestrom"))
        currentChanged(name, s("cboEntladeStromC"), bEntladestromFromCRate);
}

void ProgramEditorLogic::setCheck(const QString& name, bool checked)
{
    if (m_view.isChecked(name) == checked)
        return;
    m_view.setChecked(name, checked);
    if (name == QLatin1String("chkSollKapazitaet"))
        chkSollKapazitaet_Click();
    else if (name == QLatin1String("chkSelbstentladung"))
        chkSelbstentladung_Click();
}

void ProgramEditorLogic::selectOption(const QString& name)
{
    if (m_view.isChecked(name))
        return;
    m_view.setChecked(name, true);
    if (name == QLatin1String("optAkkuTyp"))
        optAkkuTyp_Click();
    else if (name == QLatin1String("optVorgSpannung"))
        optVorgSpannung_Click();
    // The self-discharge options only clear the named program when the user picks them.
}

void ProgramEditorLogic::setListText(const QString& name, const QString& text)
{
    const int before = m_view.listIndex(name);
    m_view.setControlText(name, text);
    if (m_view.listIndex(name) == before)
        return;
    // A changed choice runs the list's own Click, as the user's would.
    if (name == QLatin1String("cboZellenzahl"))
        cboZellenzahl_Click();
    else if (name == QLatin1String("cboNennSpannung"))
        cboNennSpannung_Click();
}

// --- number boxes ------------------------------------------------------------------------

bool ProgramEditorLogic::isNumberBox(const QString& name)
{
    return NumberBoxes::isNumberBox(name);
}

bool ProgramEditorLogic::isDecimalBox(const QString& name)
{
    return NumberBoxes::isDecimalBox(name);
}

QString ProgramEditorLogic::limitRow(const QString& box) const
{
    return m_boxes.limitRow(box);
}

bool ProgramEditorLogic::readLimits(const QString& bez, float& min, float& max) const
{
    return m_boxes.readLimits(bez, min, max);
}

QString ProgramEditorLogic::rangeMessage(const QString& box, float min, float max) const
{
    return m_boxes.rangeMessage(box, min, max);
}

bool ProgramEditorLogic::checkRange(const QString& name) const
{
    return m_boxes.checkRange(name);
}

bool ProgramEditorLogic::txtBox_Validate(const QString& name)
{
    if (!isNumberBox(name))
        return true;
    const bool accepted = checkRange(name);
    if (isDecimalBox(name))
        setText(name, formatThreeDecimals(m_view.controlText(name)));
    return accepted;
}

// --- program string ------------------------------------------------------------------------

ProgramInputs ProgramEditorLogic::shownInputs() const
{
    ProgramInputs in;
    in.strGeraeteNr = m_geraeteNr;
    in.bAkkuTyp = m_view.isChecked(s("optAkkuTyp"));
    in.bVorgSpannung = m_view.isChecked(s("optVorgSpannung"));
    in.strAkkuTyp = m_view.boundText(s("cboAkkuType"));
    in.strModus = m_view.boundText(s("cboGeraeteModi"));
    in.strZellenzahl = m_view.controlText(s("cboZellenzahl"));
    in.bSollKapazitaet = m_view.isChecked(s("chkSollKapazitaet"));
    in.strKapazitaetProzent = m_view.controlText(s("txtKapazitaetProzent"));
    in.strFormierCode = m_view.boundText(s("cboModeZyklus"));
    in.strZeitraum = m_view.controlText(s("txtZeitraum"));
    in.strKapazitaetAh = m_view.controlText(s("txtKapazitaetAh"));
    in.strLadestrom = m_view.controlText(s("txtLadestrom"));
    in.strEntladestrom = m_view.controlText(s("txtEntladestrom"));
    in.strNennSpannung = m_view.controlText(s("cboNennSpannung"));
    in.strLadeschlussSpannung = m_view.controlText(s("txtLadeschlussSpannung"));
    in.strEntladeschlussSpannung = m_view.controlText(s("txtEntladeschlussSpannung"));
    in.bSelbstentladung = m_view.isChecked(s("chkSelbstentladung"));
    in.bStunden = m_view.isChecked(s("optSelbstentladungStunden"));
    in.strSelbstentladungsZeitraum = m_view.controlText(s("txtSelbstentladungsZeitraum"));
    return in;
}

ProgramInputs ProgramEditorLogic::inputs() const
{
    ProgramInputs in = shownInputs();
    m_hidden.keep(m_view, in);
    return in;
}

ProgramStringResult ProgramEditorLogic::buildProgramString() const
{
    return ProgramString::buildProgramString(inputs(), *m_program, ProgramStringSettings::read(m_sources));
}

QString ProgramEditorLogic::refusalMessage(const ProgramStringResult& result) const
{
    return m_boxes.refusalMessage(result);
}
