// The user's actions in the program form, and the coupling of capacity,
// C-rates and currents they set off.
#include "programs/ProgramEditorLogic.h"

#include "core/utilitiesModul.h"
#include "programs/ProgramEditorView.h"

namespace {

QString s(const char* name)
{
    return QString::fromLatin1(name);
}

} // namespace

void ProgramEditorLogic::resetProgramSelection()
{
    m_view.setBoundText(s("cboAkkuProgram"), QString());
    m_view.setControlEnabled(s("cmdDeleteButton"), false);
}

void ProgramEditorLogic::cboGeraeteModi_Change()
{
    const QString mode = m_view.boundText(s("cboGeraeteModi"));
    bool ok = false;
    const short m = mode.toShort(&ok);
    if (ok)
        applyDeviceMode(m);
}

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

void ProgramEditorLogic::optAkkuTyp_Click()
{
    m_layout.showBatteryTypeFields();
}

void ProgramEditorLogic::optVorgSpannung_Click()
{
    m_layout.showPresetVoltageFields();
    setEndVoltagesVisible(bLadeschlussVisible, bEntladeschlussVisible);
}

void ProgramEditorLogic::chkSollKapazitaet_Click()
{
    m_layout.showCapacityFields();
}

void ProgramEditorLogic::chkSelbstentladung_Click()
{
    m_layout.showSelfDischargeFields();
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
