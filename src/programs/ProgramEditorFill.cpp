// How a program fills the editor's fields, and the battery-type lists that
// the fill and the user's picks share.
#include "programs/ProgramEditorLogic.h"

#include "core/utilitiesModul.h"
#include "link/CommunicationProgram.h"
#include "programs/ProgramEditorView.h"

#include <cmath>

namespace {

QString s(const char* name)
{
    return QString::fromLatin1(name);
}

// A milli-unit value as the boxes show it: the unit text less its unit.
QString unitless(const QString& formatted, int unitLength)
{
    return formatted.chopped(unitLength);
}

// Rounds half to even, as the cell count and the voltage items are rounded.
double roundHalfEven(double v)
{
    return std::nearbyint(v);
}

} // namespace

// --- the battery-type lists ------------------------------------------------------------

const BatteryTypeRow* ProgramEditorLogic::findAkkuTyp(qint16 nr) const
{
    for (const BatteryTypeRow& t : m_akkuTypen)
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
    const BatteryTypeRow* t = ok ? findAkkuTyp(static_cast<qint16>(nr)) : nullptr;
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
    const BatteryTypeRow* t = ok ? findAkkuTyp(static_cast<qint16>(nr)) : nullptr;
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
    m_hidden.cellsChosen();
}

void ProgramEditorLogic::cboAkkuType_Change()
{
    fillBatteryTypeLists(m_view.boundText(s("cboAkkuType")));
}

// --- the fill --------------------------------------------------------------------------

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
        m_layout.showFields({"chkSelbstentladung", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                             "optSelbstentladungTage"},
                            true);
    setCheck(s("chkSelbstentladung"), true);
    selectOption(m_program->iSelbstentladungsIntervalTyp == 2 ? s("optSelbstentladungStunden")
                                                              : s("optSelbstentladungTage"));
    setText(s("txtSelbstentladungsZeitraum"), QString::number(m_program->iSelbstentladungsIntervall));
}
