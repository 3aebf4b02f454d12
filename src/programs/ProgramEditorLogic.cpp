#include "programs/ProgramEditorLogic.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "platform/MessageService.h"
#include "platform/Recordset.h"
#include "platform/SqlLists.h"
#include "programs/NamedPrograms.h"
#include "programs/ProgramEditorView.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {

QString s(const char* name)
{
    return QString::fromLatin1(name);
}

QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

// A number as general text: no grouping, no trailing zeros, the user's separator.
QString generalText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 7);
}

// A milli-unit value as the boxes show it: the unit text less its unit.
QString unitless(const QString& formatted, int unitLength)
{
    return formatted.chopped(unitLength);
}

struct NumberBox {
    const char* name;
    bool decimal;
    const char* row; // nullptr: chosen by the self-discharge options
    const char* parts[3];
};

constexpr NumberBox kBoxes[] = {
    {"txtLadeschlussSpannung", true, "05", {"0954", "0955", "0956"}},
    {"txtEntladeschlussSpannung", true, "05", {"0957", "0955", "0956"}},
    {"txtLadestrom", true, "L", {"0959", "0964", "0965"}},
    {"txtEntladestrom", true, "E", {"0961", "0964", "0965"}},
    {"txtKapazitaetAh", true, "K", {"0958", "0966", "0967"}},
    {"txtKapazitaetProzent", false, "P", {"0960", "0970", "0971"}},
    {"txtZeitraum", false, "W", {"0962", "0968", "0969"}},
    {"txtSelbstentladungsZeitraum", false, nullptr, {"0963", "0970", "0971"}},
};

const NumberBox* numberBox(const QString& name)
{
    for (const NumberBox& b : kBoxes)
        if (name == QLatin1String(b.name))
            return &b;
    return nullptr;
}

// Rounds half to even, as the cell count and the voltage items are rounded.
double roundHalfEven(double v)
{
    return std::nearbyint(v);
}

} // namespace

ProgramEditorLogic::ProgramEditorLogic(ProgramEditorView& view, Role role)
    : m_view(view),
      m_role(role),
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

    m_filled.reset();
    const qint16 typ = m_program->iAkkuTyp;
    if (typ == -2 || typ == -1 || typ == -4)
        return;
    fillBatteryFields();
    fillModeAndCurrents();
    fillCapacityFields();
    fillSelfDischargeFields();
    applyDeviceMode(m_program->iMode);
    rememberFill();
}

void ProgramEditorLogic::rememberFill()
{
    // A record no program text was read into (a channel that has not read
    // its program yet) gives nothing to keep: its zeros were never given.
    if (m_program->strKanal.isEmpty())
        return;
    Filled f;
    f.byType = m_program->iAkkuTyp != 5;
    f.akkuTyp = m_view.boundText(s("cboAkkuType"));
    f.cycle = m_view.boundText(s("cboModeZyklus"));
    for (const char* name : {"cboZellenzahl", "cboNennSpannung", "txtLadeschlussSpannung", "txtEntladeschlussSpannung",
                             "txtLadestrom", "txtEntladestrom", "txtZeitraum"})
        f.texts.insert(s(name), m_view.controlText(s(name)));
    f.zellenzahl = m_program->iZellenzahl;
    f.formierCode = m_program->iFormierZyklen;
    f.zeitraum = m_program->iWiederholtesLadenEntladen;
    f.ladestrom = m_program->lLadestrom;
    f.entladestrom = m_program->lEntladeStrom;
    f.spannung = m_program->lLadeschlussSpannung;
    f.entladeschlussSpannung = m_program->lEntladeschlussSpannung;
    m_filled = std::move(f);
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
    m_filled.reset();
    bLadestromFromCRate = false;
    bEntladestromFromCRate = false;
    bLadeschlussVisible = true;
    bEntladeschlussVisible = true;

    const bool viewer = m_role == Role::Viewer;
    m_view.setControlText(viewer ? s("dlgUsedProgram") : s("dlgVelmoroProgram"), res(viewer ? "0901" : "0900"));
    static const struct {
        const char* control;
        const char* id;
    } captions[] = {
        {"lblAkkuprogrammWaehlen", "0902"},
        {"cmdProgrammHolen", "0904"},
        {"cmdExtendedModus", "0903"},
        {"frameAkku1", "0906"},
        {"frameAkku2", "0908"},
        {"optAkkuTyp", "0910"},
        {"optVorgSpannung", "0912"},
        {"lblZellenzahl", "0914"},
        {"lblNennSpannung", "0916"},
        {"lblLadeSchlussSpannung", "0918"},
        {"lblEntladeschlussSpannung", "0920"},
        {"lblEntladestrom", "0922"},
        {"lblLadestrom", "0924"},
        {"optSelbstentladungStunden", "0926"},
        {"optSelbstentladungTage", "0928"},
        {"cmdSendButton", "0930"},
        {"cmdSendToAll", "0931"},
        {"chkSollKapazitaet", "0932"},
        {"chkSelbstentladung", "0934"},
        {"lblMode", "0936"},
        {"lblZeitraum", "0938"},
        {"lblSelbstentladungNach", "0940"},
        {"lblKapazitaetProzent1", "0942"},
        {"lblKapazitaetProzent2", "0944"},
        {"lblEnladeStromC", "0946"},
        {"lblLadeStromC", "0948"},
        {"cmdDeleteButton", "0950"},
        {"cmdSaveAsButton", "0952"},
        {"cmdCancelButton", "0101"},
    };
    for (const auto& c : captions)
        m_view.setControlText(s(c.control), res(c.id));
    if (viewer)
        m_view.setControlText(s("cmdCancelButton"), res("0100"));
    for (const char* v : {"lblVoltLade", "lblVoltEntl"})
        m_view.setControlText(s(v), QStringLiteral("V"));
    for (const char* a : {"lblAmpereLaden", "lblAmpereEntladen"})
        m_view.setControlText(s(a), QStringLiteral("A"));
    m_view.setControlText(s("lblKapazitaetAh"), QStringLiteral("Ah"));

    loadLookupTables();
}

void ProgramEditorLogic::loadLookupTables()
{
    // The named programs, battery types, device modes and forming modes.
    if (m_role == Role::Editor) {
        m_view.setBoundEntries(s("cboAkkuProgram"), NamedPrograms::list());
        m_view.setBoundText(s("cboAkkuProgram"), QString());
    }

    m_akkuTypen.clear();
    {
        QSqlQuery q(dbVelmoro.handle());
        q.setForwardOnly(true);
        if (!dbVelmoro.isOpen() || !q.exec(strSqlAkkutypen))
            throw DatabaseError(q.lastError().text() + QStringLiteral(" [") + strSqlAkkutypen + QLatin1Char(']'));
        QVector<ListEntry> entries;
        while (q.next()) {
            AkkuTyp t;
            t.nr = static_cast<qint16>(q.value(QStringLiteral("Nr")).toInt());
            t.nennspannung = q.value(QStringLiteral("Nennspannung")).toFloat();
            t.zmin = static_cast<qint16>(q.value(QStringLiteral("ZMin")).toInt());
            t.zmax = static_cast<qint16>(q.value(QStringLiteral("ZMax")).toInt());
            m_akkuTypen.push_back(t);
            entries.push_back({QString::number(t.nr), q.value(QStringLiteral("ResourceText")).toString()});
        }
        m_view.setBoundEntries(s("cboAkkuType"), entries);
    }
    m_view.setBoundEntries(s("cboGeraeteModi"),
                           SqlLists::readEntries(dbVelmoro, strSqlGeraeteModi, s("ModusNr"), s("ResourceText")));
    const QVector<ListEntry> cycles = SqlLists::readEntries(dbVelmoro, strSqlFormierModi, s("SendeCode"), s("Modus"));
    m_view.setBoundEntries(s("cboModeZyklus"), cycles);
    // The cycle list always has a choice, so a program never goes without one.
    if (!cycles.isEmpty())
        m_view.setBoundText(s("cboModeZyklus"), cycles.first().value);

    hideAllFields();
    fillCRateList(s("cboLadeStromC"));
    fillCRateList(s("cboEntladeStromC"));
    if (m_role == Role::Viewer)
        return;

    const bool sendAll = objSettings().getSetting(QStringLiteral("SendAllVisible")) == QLatin1String("YES");
    m_view.setControlEnabled(s("cmdSendToAll"), sendAll);
    m_view.setControlVisible(s("cmdSendToAll"), sendAll);
    const bool extension = objSettings().getSetting(QStringLiteral("ProgramExtensionAvaiable")) == QLatin1String("YES");
    m_view.setControlEnabled(s("cmdExtendedModus"), extension);
    m_view.setControlVisible(s("cmdExtendedModus"), extension);
}

void ProgramEditorLogic::showFields(std::initializer_list<const char*> names, bool visible)
{
    for (const char* n : names)
        m_view.setControlVisible(s(n), visible);
}

void ProgramEditorLogic::hideAllFields()
{
    showFields({"txtZeitraum", "cboModeZyklus", "lblZeitraum"}, false);
    m_view.setControlEnabled(s("cmdDeleteButton"), false);
    showFields({"lblEntladeschlussSpannung",
                "lblLadeSchlussSpannung",
                "lblVoltLade",
                "lblVoltEntl",
                "txtEntladeschlussSpannung",
                "txtLadeschlussSpannung",
                "lblZellenzahl",
                "lblNennSpannung",
                "cboAkkuType",
                "cboNennSpannung",
                "cboZellenzahl",
                "txtKapazitaetAh",
                "lblKapazitaetAh",
                "txtKapazitaetProzent",
                "lblKapazitaetProzent1",
                "lblKapazitaetProzent2",
                "lblLadeStromC",
                "cboLadeStromC",
                "lblEnladeStromC",
                "cboEntladeStromC"},
               false);
    setCheck(s("chkSelbstentladung"), false);
    m_view.setControlVisible(s("chkSelbstentladung"), false);
    showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                "optSelbstentladungTage"},
               false);
    // The viewer starts on hours; a program's own unit is chosen by its fill.
    if (m_role == Role::Viewer)
        m_view.setChecked(s("optSelbstentladungStunden"), true);
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
    if (!rsGeraeteModi)
        return;
    rsGeraeteModi->moveFirst();
    const QString key = QString::number(mode);
    if (!rsGeraeteModi->findFirst(
            [&key](const Recordset& rs) { return rs.field(QStringLiteral("ModusNr")).toString() == key; }))
        return; // an unknown mode changes nothing
    auto flag = [](const char* column) { return rsGeraeteModi->field(QString::fromLatin1(column)).toBool(); };
    const bool l = flag("LBlock"), e = flag("EBlock"), t = flag("TSel"), f = flag("FormCbo"), w = flag("TageText");
    const bool ls = flag("Ladeschluss"), els = flag("Entladeschluss");
    setChargeBlockVisible(l);
    setDischargeBlockVisible(e);
    setSelfDischargeBlockVisible(t);
    setCycleModeVisible(f);
    setPeriodVisible(w);
    if (m_role == Role::Editor)
        setEndVoltagesVisible(ls, els);
}

void ProgramEditorLogic::setChargeBlockVisible(bool b)
{
    showFields({"txtLadestrom", "lblLadestrom", "lblAmpereLaden"}, b);
    if (m_view.isChecked(s("chkSollKapazitaet")))
        showFields({"cboLadeStromC", "lblLadeStromC"}, b);
}

void ProgramEditorLogic::setDischargeBlockVisible(bool b)
{
    showFields({"txtEntladestrom", "lblEntladestrom", "lblAmpereEntladen"}, b);
    if (m_view.isChecked(s("chkSollKapazitaet")))
        showFields({"cboEntladeStromC", "lblEnladeStromC"}, b);
}

void ProgramEditorLogic::setSelfDischargeBlockVisible(bool b)
{
    m_view.setControlVisible(s("chkSelbstentladung"), b);
    // The viewer keeps showing a stored program's test period when the mode
    // hides the check box.
    const bool viewerHidden = m_role == Role::Viewer && !m_view.isControlVisible(s("chkSelbstentladung"));
    if (m_view.isChecked(s("chkSelbstentladung")) && !viewerHidden)
        showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                    "optSelbstentladungTage"},
                   b);
}

void ProgramEditorLogic::setCycleModeVisible(bool b)
{
    m_view.setControlVisible(s("cboModeZyklus"), b);
}

void ProgramEditorLogic::setPeriodVisible(bool b)
{
    showFields({"txtZeitraum", "lblZeitraum"}, b);
}

void ProgramEditorLogic::setEndVoltagesVisible(bool bLadeschluss, bool bEntladeschluss)
{
    bLadeschlussVisible = bLadeschluss;
    bEntladeschlussVisible = bEntladeschluss;
    if (!m_view.isChecked(s("optVorgSpannung")))
        return;
    showFields({"txtEntladeschlussSpannung", "lblEntladeschlussSpannung", "lblVoltEntl"}, bEntladeschluss);
    showFields({"txtLadeschlussSpannung", "lblLadeSchlussSpannung", "lblVoltLade"}, bLadeschluss);
}

void ProgramEditorLogic::optAkkuTyp_Click()
{
    showFields({"lblEntladeschlussSpannung", "lblLadeSchlussSpannung", "lblVoltLade", "lblVoltEntl",
                "txtEntladeschlussSpannung", "txtLadeschlussSpannung"},
               false);
    showFields({"lblZellenzahl", "lblNennSpannung", "cboAkkuType", "cboNennSpannung", "cboZellenzahl"}, true);
}

void ProgramEditorLogic::optVorgSpannung_Click()
{
    showFields({"lblZellenzahl", "lblNennSpannung", "cboAkkuType", "cboNennSpannung", "cboZellenzahl"}, false);
    showFields({"lblEntladeschlussSpannung", "lblLadeSchlussSpannung", "lblVoltLade", "lblVoltEntl",
                "txtEntladeschlussSpannung", "txtLadeschlussSpannung"},
               true);
    setEndVoltagesVisible(bLadeschlussVisible, bEntladeschlussVisible);
}

const ProgramEditorLogic::AkkuTyp* ProgramEditorLogic::findAkkuTyp(qint16 nr) const
{
    for (const AkkuTyp& t : m_akkuTypen)
        if (t.nr == nr)
            return &t;
    return nullptr;
}

QString ProgramEditorLogic::voltageItem(int cells, float perCell)
{
    const float pack = static_cast<float>(cells) * perCell;
    return generalText(roundHalfEven(static_cast<double>(pack) * 1000.0) / 1000.0) + QStringLiteral(" V");
}

void ProgramEditorLogic::fillBatteryTypeLists(const QString& typeNr)
{
    if (typeNr.isEmpty())
        return;
    bool ok = false;
    const int nr = typeNr.toInt(&ok);
    const AkkuTyp* t = ok ? findAkkuTyp(static_cast<qint16>(nr)) : nullptr;
    m_view.clearList(s("cboNennSpannung"));
    m_view.clearList(s("cboZellenzahl"));
    if (!t)
        return; // an unknown type leaves both lists empty
    for (int z = t->zmin; z <= t->zmax; ++z) {
        m_view.addListItem(s("cboNennSpannung"), voltageItem(z, t->nennspannung));
        m_view.addListItem(s("cboZellenzahl"), QString::number(z));
    }
}

float ProgramEditorLogic::getActualNennSpannung() const
{
    bool ok = false;
    const int nr = m_view.boundText(s("cboAkkuType")).toInt(&ok);
    const AkkuTyp* t = ok ? findAkkuTyp(static_cast<qint16>(nr)) : nullptr;
    return t ? t->nennspannung : 0.0f;
}

void ProgramEditorLogic::cboNennSpannung_Click()
{
    markCellsChosen();
    const QString text = m_view.controlText(s("cboNennSpannung"));
    if (text.trimmed().isEmpty() || text.size() < 2)
        return;
    float volts = 0;
    const float perCell = getActualNennSpannung();
    // No cell voltage: no cell count can be worked out.
    if (!ProgramString::readUserNumber(text.chopped(2), volts) || !(perCell > 0.0f))
        return;
    const double cells = roundHalfEven(static_cast<double>(volts / perCell));
    if (cells < 0 || cells > 32767)
        return;
    const QString cellText = QString::number(static_cast<int>(cells));
    if (cellText != m_view.controlText(s("cboZellenzahl")))
        setListText(s("cboZellenzahl"), cellText);
}

void ProgramEditorLogic::cboZellenzahl_Click()
{
    markCellsChosen();
    const QString text = m_view.controlText(s("cboZellenzahl"));
    if (text.trimmed().isEmpty())
        return;
    bool ok = false;
    const short cells = text.trimmed().toShort(&ok);
    if (!ok)
        return;
    const QString voltage = voltageItem(cells, getActualNennSpannung());
    if (voltage != m_view.controlText(s("cboNennSpannung")))
        setListText(s("cboNennSpannung"), voltage);
}

void ProgramEditorLogic::markCellsChosen()
{
    // A fill chooses them too; the note of the fill is made after it.
    if (m_filled)
        m_filled->cellsChosen = true;
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

void ProgramEditorLogic::fillBatteryFields()
{
    if (m_program->iAkkuTyp == 5) {
        selectOption(s("optVorgSpannung"));
        setText(s("txtLadeschlussSpannung"), unitless(formatVoltage(m_program->lLadeschlussSpannung), 2));
        setText(s("txtEntladeschlussSpannung"), unitless(formatVoltage(m_program->lEntladeschlussSpannung), 2));
        return;
    }
    selectOption(s("optAkkuTyp"));
    m_view.setBoundText(s("cboAkkuType"), QString::number(m_program->iAkkuTyp));
    if (m_view.boundText(s("cboAkkuType")).isEmpty()) {
        // A type the list does not hold: no cell counts or voltages to offer.
        m_view.clearList(s("cboNennSpannung"));
        m_view.clearList(s("cboZellenzahl"));
        return;
    }
    cboAkkuType_Change();
    setListText(s("cboZellenzahl"), QString::number(m_program->iZellenzahl));
}

void ProgramEditorLogic::fillModeAndCurrents()
{
    applyDeviceMode(m_program->iMode);
    m_view.setBoundText(s("cboGeraeteModi"), QString::number(m_program->iMode));
    cboGeraeteModi_Change();
    const QString cycle = m_view.boundText(s("cboModeZyklus"));
    m_view.setBoundText(s("cboModeZyklus"), QString::number(m_program->iFormierZyklen));
    // A code the list does not hold keeps the choice there was.
    if (m_view.boundText(s("cboModeZyklus")).isEmpty())
        m_view.setBoundText(s("cboModeZyklus"), cycle);
    setText(s("txtLadestrom"), unitless(formatCurrent(m_program->lLadestrom), 2));
    setText(s("txtEntladestrom"), unitless(formatCurrent(m_program->lEntladeStrom), 2));
    if (m_program->iWiederholtesLadenEntladen != 0)
        setText(s("txtZeitraum"), QString::number(m_program->iWiederholtesLadenEntladen));
}

void ProgramEditorLogic::fillCapacityFields()
{
    if (m_program->lKapazitaet == -3) {
        setCheck(s("chkSollKapazitaet"), false);
        return;
    }
    m_view.setControlVisible(s("chkSollKapazitaet"), true);
    setCheck(s("chkSollKapazitaet"), true);
    setText(s("txtKapazitaetProzent"), QString::number(m_program->iProzentwert));
    setText(s("txtKapazitaetAh"), unitless(formatCurrent(m_program->lKapazitaet), 2));
    chkSollKapazitaet_Click();
}

void ProgramEditorLogic::fillSelfDischargeFields()
{
    if (m_program->iSelbstentladungsIntervall == -3) {
        setCheck(s("chkSelbstentladung"), false);
        return;
    }
    if (m_role == Role::Editor)
        showFields({"chkSelbstentladung", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                    "optSelbstentladungTage"},
                   true);
    setCheck(s("chkSelbstentladung"), true);
    selectOption(m_program->iSelbstentladungsIntervalTyp == 2 ? s("optSelbstentladungStunden")
                                                              : s("optSelbstentladungTage"));
    setText(s("txtSelbstentladungsZeitraum"), QString::number(m_program->iSelbstentladungsIntervall));
}

void ProgramEditorLogic::resetProgramSelection()
{
    m_view.setBoundText(s("cboAkkuProgram"), QString());
    m_view.setControlEnabled(s("cmdDeleteButton"), false);
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

void ProgramEditorLogic::cboAkkuType_Change()
{
    fillBatteryTypeLists(m_view.boundText(s("cboAkkuType")));
}

void ProgramEditorLogic::cboGeraeteModi_Change()
{
    const QString mode = m_view.boundText(s("cboGeraeteModi"));
    bool ok = false;
    const short m = mode.toShort(&ok);
    if (ok)
        applyDeviceMode(m);
}

// --- the user's actions ----------------------------------------------------------------

void ProgramEditorLogic::cboAkkuType_Click()
{
    resetProgramSelection();
    cboAkkuType_Change();
}

void ProgramEditorLogic::cboGeraeteModi_Click()
{
    resetProgramSelection();
    cboGeraeteModi_Change();
}

void ProgramEditorLogic::cboModeZyklus_Click()
{
    resetProgramSelection();
}

void ProgramEditorLogic::cboNennSpannung_DropDown()
{
    resetProgramSelection();
}

void ProgramEditorLogic::cboZellenzahl_DropDown()
{
    resetProgramSelection();
}

void ProgramEditorLogic::chkSollKapazitaet_Click()
{
    if (m_view.isChecked(s("chkSollKapazitaet"))) {
        showFields({"txtKapazitaetAh", "txtKapazitaetProzent", "lblKapazitaetAh", "lblKapazitaetProzent1",
                    "lblKapazitaetProzent2"},
                   true);
        // The viewer shows a stored program's capacity with both rate lists,
        // whichever currents its mode shows.
        const bool viewer = m_role == Role::Viewer;
        if (viewer || m_view.isControlVisible(s("txtEntladestrom")))
            showFields({"lblEnladeStromC", "cboEntladeStromC"}, true);
        if (viewer || m_view.isControlVisible(s("txtLadestrom")))
            showFields({"lblLadeStromC", "cboLadeStromC"}, true);
    } else {
        showFields({"txtKapazitaetAh", "txtKapazitaetProzent", "lblKapazitaetAh", "lblKapazitaetProzent1",
                    "lblKapazitaetProzent2", "lblEnladeStromC", "lblLadeStromC", "cboEntladeStromC", "cboLadeStromC"},
                   false);
    }
}

void ProgramEditorLogic::chkSelbstentladung_Click()
{
    const bool viewer = m_role == Role::Viewer;
    if (m_view.isChecked(s("chkSelbstentladung")) && (viewer || m_view.isControlVisible(s("chkSelbstentladung")))) {
        showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                    "optSelbstentladungTage"},
                   true);
        // Days are the default unit; the viewer shows the unit the program has.
        if (!viewer)
            selectOption(s("optSelbstentladungTage"));
    } else {
        showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                    "optSelbstentladungTage"},
                   false);
    }
}

void ProgramEditorLogic::rateChosen(const QString& rateList, const QString& box, bool& fromCRate)
{
    resetProgramSelection();
    const int index = m_view.listIndex(rateList);
    float capacity = 0;
    // No usable capacity: nothing to multiply, the rate stays chosen.
    if (index < 0 || !ProgramString::readUserNumber(m_view.controlText(s("txtKapazitaetAh")), capacity)
        || capacity == 0.0f)
        return;
    const QString item = m_view.controlText(rateList);
    float rate = 0;
    if (item.size() < 2 || !ProgramString::readUserNumber(item.chopped(2), rate))
        return;
    const float current = rate * capacity;
    fromCRate = true;
    setText(box, generalText(static_cast<double>(current)));
    if (fromCRate) {
        // The box held that text already: it is still brought to three
        // decimals, and the flag never outlives this choice.
        setText(box, formatThreeDecimals(m_view.controlText(box)));
        m_view.setFocusTo(box);
        fromCRate = false;
    }
}

void ProgramEditorLogic::cboLadeStromC_Click()
{
    rateChosen(s("cboLadeStromC"), s("txtLadestrom"), bLadestromFromCRate);
}

void ProgramEditorLogic::cboEntladeStromC_Click()
{
    rateChosen(s("cboEntladeStromC"), s("txtEntladestrom"), bEntladestromFromCRate);
}

void ProgramEditorLogic::optSelbstentladungStunden_Click()
{
    selfDischargeUnitChosen();
}

void ProgramEditorLogic::optSelbstentladungTage_Click()
{
    selfDischargeUnitChosen();
}

void ProgramEditorLogic::selfDischargeUnitChosen()
{
    resetProgramSelection();
    // The period was accepted for the unit chosen before; 200 hours are not
    // 200 days. The focus stays on the option: a refused box would hold it,
    // and going back to the other unit is as good a mend as another number.
    const QString period = s("txtSelbstentladungsZeitraum");
    if (m_view.isControlVisible(period))
        checkRange(period);
}

void ProgramEditorLogic::currentChanged(const QString& box, const QString& rateList, bool& fromCRate)
{
    if (fromCRate) {
        setText(box, formatThreeDecimals(m_view.controlText(box)));
        m_view.setFocusTo(box);
        fromCRate = false;
        return;
    }
    // Any other change of the current forgets the chosen rate.
    m_view.setListIndex(rateList, -1);
}

void ProgramEditorLogic::txtBox_Change(const QString& name)
{
    if (name == QLatin1String("txtLadestrom"))
        currentChanged(name, s("cboLadeStromC"), bLadestromFromCRate);
    else if (name == QLatin1String("txtEntladestrom"))
        currentChanged(name, s("cboEntladeStromC"), bEntladestromFromCRate);
}

// --- range checks ------------------------------------------------------------------------

bool ProgramEditorLogic::isNumberBox(const QString& name)
{
    return numberBox(name) != nullptr;
}

bool ProgramEditorLogic::isDecimalBox(const QString& name)
{
    const NumberBox* b = numberBox(name);
    return b && b->decimal;
}

QString ProgramEditorLogic::limitRow(const QString& box) const
{
    const NumberBox* b = numberBox(box);
    if (!b)
        return QString();
    if (b->row)
        return s(b->row);
    return m_view.isChecked(s("optSelbstentladungStunden")) ? QStringLiteral("YH") : QStringLiteral("YD");
}

bool ProgramEditorLogic::readLimits(const QString& bez, float& min, float& max)
{
    if (!rsMinMaxWerte)
        return false;
    rsMinMaxWerte->moveFirst();
    if (!rsMinMaxWerte->findFirst(
            [&bez](const Recordset& rs) { return rs.field(QStringLiteral("Bez")).toString() == bez; }))
        return false;
    const QVariant lo = rsMinMaxWerte->field(QStringLiteral("Min"));
    const QVariant hi = rsMinMaxWerte->field(QStringLiteral("Max"));
    bool okLo = false, okHi = false;
    const float l = lo.isNull() ? 0.0f : lo.toFloat(&okLo);
    const float h = hi.isNull() ? 0.0f : hi.toFloat(&okHi);
    if (!okLo || !okHi)
        return false;
    min = l;
    max = h;
    return true;
}

QString ProgramEditorLogic::rangeMessage(const QString& box, float min, float max) const
{
    const NumberBox* b = numberBox(box);
    if (!b)
        return QString();
    return res(b->parts[0]) + QLatin1Char(' ') + generalText(static_cast<double>(min)) + res(b->parts[1])
           + QLatin1Char(' ') + generalText(static_cast<double>(max)) + res(b->parts[2]);
}

bool ProgramEditorLogic::checkRange(const QString& name) const
{
    if (!numberBox(name))
        return true;
    const QString text = m_view.controlText(name);
    if (text.trimmed().isEmpty())
        return true;
    float value = 0;
    const bool number = ProgramString::readUserNumber(text, value);
    if (number && value == 0.0f)
        return true;
    float min = 0, max = 0;
    // A limit row that is missing or empty checks nothing.
    if (!readLimits(limitRow(name), min, max) || (number && min <= value && value <= max))
        return true;
    msgBox(rangeMessage(name, min, max));
    return false;
}

bool ProgramEditorLogic::txtBox_Validate(const QString& name)
{
    const NumberBox* b = numberBox(name);
    if (!b)
        return true;
    const bool accepted = checkRange(name);
    if (b->decimal)
        setText(name, formatThreeDecimals(m_view.controlText(name)));
    return accepted;
}

// --- program string ------------------------------------------------------------------------

ProgramInputs ProgramEditorLogic::inputs() const
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
    if (!m_filled)
        return in;

    // What the layout hides goes out as the program gave it, as long as the
    // user has left it and what it depends on as they were filled: the
    // battery's description, and its type and cells or its preset
    // charge-end voltage.
    const Filled& f = *m_filled;
    auto asFilled = [&](const char* name) { return m_view.controlText(s(name)) == f.texts.value(s(name)); };
    auto hiddenAsFilled = [&](const char* name) { return !m_view.isControlVisible(s(name)) && asFilled(name); };
    const bool sameDescription = f.byType ? in.bAkkuTyp : in.bVorgSpannung;
    const bool sameBattery = sameDescription
                             && (f.byType ? in.strAkkuTyp == f.akkuTyp && !f.cellsChosen && asFilled("cboZellenzahl")
                                          : asFilled("txtLadeschlussSpannung"));
    if (!f.byType && sameBattery && hiddenAsFilled("cboZellenzahl"))
        in.kept.zellenzahl = f.zellenzahl;
    // The list offers the type's own cell voltage, the charger may have used
    // another; a voltage the user chose goes out as shown.
    if (f.byType && sameBattery && asFilled("cboNennSpannung"))
        in.kept.nennSpannung = f.spannung;
    if (sameBattery && hiddenAsFilled("txtEntladeschlussSpannung"))
        in.kept.entladeschlussSpannung = f.entladeschlussSpannung;
    if (hiddenAsFilled("txtLadestrom"))
        in.kept.ladestrom = f.ladestrom;
    if (hiddenAsFilled("txtEntladestrom"))
        in.kept.entladestrom = f.entladestrom;
    // A period of 0 leaves the box as it was, so only a hidden one is kept.
    if (hiddenAsFilled("txtZeitraum"))
        in.kept.zeitraum = f.zeitraum;
    // A code the list does not hold left the list on another choice.
    if (!m_view.isControlVisible(s("cboModeZyklus")) && in.strFormierCode == f.cycle)
        in.kept.formierCode = f.formierCode;
    return in;
}

ProgramStringResult ProgramEditorLogic::buildProgramString() const
{
    return ProgramString::buildProgramString(inputs(), *m_program, ProgramStringSettings::read());
}

QString ProgramEditorLogic::refusalMessage(const ProgramStringResult& result) const
{
    using Refusal = ProgramStringResult::Refusal;
    switch (result.refusal) {
    case Refusal::None:
        return QString();
    case Refusal::NoDeviceMode:
        return res("0977");
    case Refusal::NoCycleMode:
        return res("0978");
    case Refusal::MissingValue:
        if (result.control == QLatin1String("txtLadestrom"))
            return res("0997");
        if (result.control == QLatin1String("txtEntladestrom"))
            return res("0998");
        return res("0986");
    case Refusal::OutOfField:
        break;
    }
    if (result.control == QLatin1String("cboAkkuType"))
        return res("0982");
    if (result.control == QLatin1String("cboZellenzahl") || result.control == QLatin1String("cboNennSpannung"))
        return res("0984");
    float min = 0, max = 0;
    if (result.control == QLatin1String("cmdExtendedModus")) {
        if (!readLimits(QStringLiteral("N"), min, max))
            return res("7050");
        return res("7050") + QLatin1Char(' ') + generalText(double(min)) + res("7051") + QLatin1Char(' ')
               + generalText(double(max)) + res("7052");
    }
    if (!readLimits(limitRow(result.control), min, max)) {
        const NumberBox* b = numberBox(result.control);
        return b ? res(b->parts[0]) : QString();
    }
    return rangeMessage(result.control, min, max);
}
