#include "programs/HiddenValues.h"

#include "link/CommunicationProgram.h"
#include "programs/ProgramEditorView.h"
#include "programs/ProgramString.h"

namespace {
QString s(const char* name)
{
    return QString::fromLatin1(name);
}
} // namespace

void HiddenValues::remember(const ProgramEditorView& view, const CommunicationProgram& program)
{
    if (program.strKanal.isEmpty())
        return;
    Filled f;
    f.byType = program.iAkkuTyp != 5;
    f.akkuTyp = view.boundText(s("cboAkkuType"));
    f.cycle = view.boundText(s("cboModeZyklus"));
    for (const char* name : {"cboZellenzahl", "cboNennSpannung", "txtLadeschlussSpannung", "txtEntladeschlussSpannung",
                             "txtLadestrom", "txtEntladestrom", "txtZeitraum"})
        f.texts.insert(s(name), view.controlText(s(name)));
    f.zellenzahl = program.iZellenzahl;
    f.formierCode = program.iFormierZyklen;
    f.zeitraum = program.iWiederholtesLadenEntladen;
    f.ladestrom = program.lLadestrom;
    f.entladestrom = program.lEntladeStrom;
    f.spannung = program.lLadeschlussSpannung;
    f.entladeschlussSpannung = program.lEntladeschlussSpannung;
    m_filled = std::move(f);
}

void HiddenValues::cellsChosen()
{
    // A fill chooses them too; the note of the fill is made after it.
    if (m_filled)
        m_filled->cellsChosen = true;
}

void HiddenValues::keep(const ProgramEditorView& view, ProgramInputs& in) const
{
    if (!m_filled)
        return;
    const Filled& f = *m_filled;
    auto asFilled = [&](const char* name) { return view.controlText(s(name)) == f.texts.value(s(name)); };
    auto hiddenAsFilled = [&](const char* name) { return !view.isControlVisible(s(name)) && asFilled(name); };
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
    if (!view.isControlVisible(s("cboModeZyklus")) && in.strFormierCode == f.cycle)
        in.kept.formierCode = f.formierCode;
}
