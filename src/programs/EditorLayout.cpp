#include "programs/EditorLayout.h"

#include "core/ProgramResources.h"
#include "programs/ProgramEditorSources.h"
#include "programs/ProgramEditorView.h"

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

void EditorLayout::showCaptions()
{
    m_view.setControlText(m_viewer ? s("dlgUsedProgram") : s("dlgVelmoroProgram"), res(m_viewer ? "0901" : "0900"));
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
    if (m_viewer)
        m_view.setControlText(s("cmdCancelButton"), res("0100"));
    for (const char* v : {"lblVoltLade", "lblVoltEntl"})
        m_view.setControlText(s(v), QStringLiteral("V"));
    for (const char* a : {"lblAmpereLaden", "lblAmpereEntladen"})
        m_view.setControlText(s(a), QStringLiteral("A"));
    m_view.setControlText(s("lblKapazitaetAh"), QStringLiteral("Ah"));
}

void EditorLayout::showFields(std::initializer_list<const char*> names, bool visible)
{
    for (const char* n : names)
        m_view.setControlVisible(s(n), visible);
}

void EditorLayout::hideProgramFields()
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
}

void EditorLayout::hideSelfDischargeFields()
{
    m_view.setControlVisible(s("chkSelbstentladung"), false);
    showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                "optSelbstentladungTage"},
               false);
    // The viewer starts on hours; a program's own unit is chosen by its fill.
    if (m_viewer)
        m_view.setChecked(s("optSelbstentladungStunden"), true);
}

void EditorLayout::applyBlocks(const DeviceModeLayout& mode)
{
    setChargeBlockVisible(mode.chargeBlock);
    setDischargeBlockVisible(mode.dischargeBlock);
    setSelfDischargeBlockVisible(mode.selfDischarge);
    setCycleModeVisible(mode.cycleMode);
    setPeriodVisible(mode.period);
}

void EditorLayout::setChargeBlockVisible(bool b)
{
    showFields({"txtLadestrom", "lblLadestrom", "lblAmpereLaden"}, b);
    if (m_view.isChecked(s("chkSollKapazitaet")))
        showFields({"cboLadeStromC", "lblLadeStromC"}, b);
}

void EditorLayout::setDischargeBlockVisible(bool b)
{
    showFields({"txtEntladestrom", "lblEntladestrom", "lblAmpereEntladen"}, b);
    if (m_view.isChecked(s("chkSollKapazitaet")))
        showFields({"cboEntladeStromC", "lblEnladeStromC"}, b);
}

void EditorLayout::setSelfDischargeBlockVisible(bool b)
{
    m_view.setControlVisible(s("chkSelbstentladung"), b);
    // The viewer keeps showing a stored program's test period when the mode
    // hides the check box.
    const bool viewerHidden = m_viewer && !m_view.isControlVisible(s("chkSelbstentladung"));
    if (m_view.isChecked(s("chkSelbstentladung")) && !viewerHidden)
        showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                    "optSelbstentladungTage"},
                   b);
}

void EditorLayout::setCycleModeVisible(bool b)
{
    m_view.setControlVisible(s("cboModeZyklus"), b);
}

void EditorLayout::setPeriodVisible(bool b)
{
    showFields({"txtZeitraum", "lblZeitraum"}, b);
}

void EditorLayout::setEndVoltagesVisible(bool bLadeschluss, bool bEntladeschluss)
{
    if (!m_view.isChecked(s("optVorgSpannung")))
        return;
    showFields({"txtEntladeschlussSpannung", "lblEntladeschlussSpannung", "lblVoltEntl"}, bEntladeschluss);
    showFields({"txtLadeschlussSpannung", "lblLadeSchlussSpannung", "lblVoltLade"}, bLadeschluss);
}

void EditorLayout::showBatteryTypeFields()
{
    showFields({"lblEntladeschlussSpannung", "lblLadeSchlussSpannung", "lblVoltLade", "lblVoltEntl",
                "txtEntladeschlussSpannung", "txtLadeschlussSpannung"},
               false);
    showFields({"lblZellenzahl", "lblNennSpannung", "cboAkkuType", "cboNennSpannung", "cboZellenzahl"}, true);
}

void EditorLayout::showPresetVoltageFields()
{
    showFields({"lblZellenzahl", "lblNennSpannung", "cboAkkuType", "cboNennSpannung", "cboZellenzahl"}, false);
    showFields({"lblEntladeschlussSpannung", "lblLadeSchlussSpannung", "lblVoltLade", "lblVoltEntl",
                "txtEntladeschlussSpannung", "txtLadeschlussSpannung"},
               true);
}

void EditorLayout::showCapacityFields()
{
    if (!m_view.isChecked(s("chkSollKapazitaet"))) {
        showFields({"txtKapazitaetAh", "txtKapazitaetProzent", "lblKapazitaetAh", "lblKapazitaetProzent1",
                    "lblKapazitaetProzent2", "lblEnladeStromC", "lblLadeStromC", "cboEntladeStromC", "cboLadeStromC"},
                   false);
        return;
    }
    showFields({"txtKapazitaetAh", "txtKapazitaetProzent", "lblKapazitaetAh", "lblKapazitaetProzent1",
                "lblKapazitaetProzent2"},
               true);
    // The viewer shows a stored program's capacity with both rate lists,
    // whichever currents its mode shows.
    if (m_viewer || m_view.isControlVisible(s("txtEntladestrom")))
        showFields({"lblEnladeStromC", "cboEntladeStromC"}, true);
    if (m_viewer || m_view.isControlVisible(s("txtLadestrom")))
        showFields({"lblLadeStromC", "cboLadeStromC"}, true);
}

void EditorLayout::showSelfDischargeFields()
{
    const bool shown =
        m_view.isChecked(s("chkSelbstentladung")) && (m_viewer || m_view.isControlVisible(s("chkSelbstentladung")));
    showFields({"lblSelbstentladungNach", "txtSelbstentladungsZeitraum", "optSelbstentladungStunden",
                "optSelbstentladungTage"},
               shown);
    // Days are the default unit; the viewer shows the unit the program has.
    if (shown && !m_viewer && !m_view.isChecked(s("optSelbstentladungTage")))
        m_view.setChecked(s("optSelbstentladungTage"), true);
}
