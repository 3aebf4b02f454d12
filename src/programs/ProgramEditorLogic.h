#pragma once

#include "programs/EditorLayout.h"
#include "programs/HiddenValues.h"
#include "programs/NumberBoxes.h"
#include "programs/ProgramEditorSources.h"
#include "programs/ProgramString.h"

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <memory>

class CommunicationProgram;
class ProgramEditorView;

// What the program editor does, without its widgets: it opens the lookup
// lists, lays out the fields by device mode and battery description, fills
// them from a program, couples capacity, C-rates and currents, checks the
// number boxes against the charger model's limits and builds the program
// string. It writes the controls through ProgramEditorView and reads the
// lists, limits and settings from the ProgramEditorSources it is given.
//
// Handlers named after a control and an event (cboAkkuType_Click, ...) are
// the user's actions; the logic's own changes run the layout part of a
// handler directly and never clear the choice of a named program.
class ProgramEditorLogic {
public:
    // The read-only program viewer shares the editor's layout: it has no named
    // programs and reads no settings, and its preset-voltage entry always
    // shows both end voltages.
    enum class Role { Editor, Viewer };
    ProgramEditorLogic(ProgramEditorView& view, const ProgramEditorSources& sources, Role role = Role::Editor);
    ~ProgramEditorLogic();

    // --- public members of the editor -------------------------------------------
    void setGeraeteNr(const QString& nr) { m_geraeteNr = nr; }
    QString geraeteNr() const { return m_geraeteNr; }
    // The program to edit: the object itself, not a copy.
    void setProgram(std::shared_ptr<CommunicationProgram> program);
    std::shared_ptr<CommunicationProgram> program() const { return m_program; }
    void setNewProgramName(const QString& name) { m_newProgramName = name; }
    QString newProgramName() const { return m_newProgramName; }
    // The extended options chosen in their dialog: copies exactly those eight
    // fields into the edited program.
    void setExtendedProgram(const CommunicationProgram& p);
    // Caption and fields from the edited program.
    void initDialog();
    // Takes another program into the editor and shows it (what a program the
    // charger reports is turned into once the user agrees to it).
    void takeProgram(std::shared_ptr<CommunicationProgram> program);

    // The viewer's fill: the program's fields, without the editor's reset to
    // zeros; hides cmdExtendedModus when the program has no extended block.
    void Form_Activate();
    Role role() const { return m_role; }
    // What the editor reads besides its controls.
    const ProgramEditorSources& sources() const { return m_sources; }

    // --- set-up ------------------------------------------------------------------
    // Captions and lookup lists. Raises DatabaseError (the lists set up
    // before the failure stay).
    void Form_Load();
    void loadLookupTables();
    void hideAllFields();
    // Appends the eight C-rates to a list.
    void fillCRateList(const QString& name);

    // --- layout ------------------------------------------------------------------
    // Applies the flags of a device mode; an unknown mode leaves the layout as it is.
    void applyDeviceMode(qint16 mode);
    void setChargeBlockVisible(bool b);
    void setDischargeBlockVisible(bool b);
    void setSelfDischargeBlockVisible(bool b);
    void setCycleModeVisible(bool b);
    void setPeriodVisible(bool b);
    void setEndVoltagesVisible(bool bLadeschluss, bool bEntladeschluss);
    // Fills the nominal-voltage and cell-count lists for a battery type; an
    // unknown type leaves both empty.
    void fillBatteryTypeLists(const QString& typeNr);
    // Volts per cell of the chosen battery type; 0 when none is chosen.
    float getActualNennSpannung() const;
    void fillBatteryFields();
    void fillModeAndCurrents();
    void fillCapacityFields();
    void fillSelfDischargeFields();
    // Empties the choice of a named program.
    void resetProgramSelection();

    // --- the user's actions ----------------------------------------------------------
    void cboAkkuType_Click();
    void cboGeraeteModi_Click();
    void cboModeZyklus_Click();
    void cboNennSpannung_DropDown();
    void cboZellenzahl_DropDown();
    void cboNennSpannung_Click();
    void cboZellenzahl_Click();
    void optAkkuTyp_Click();
    void optVorgSpannung_Click();
    void chkSollKapazitaet_Click();
    void chkSelbstentladung_Click();
    void cboLadeStromC_Click();
    void cboEntladeStromC_Click();
    void optSelbstentladungStunden_Click();
    void optSelbstentladungTage_Click();
    // The user changed the text of a number box.
    void txtBox_Change(const QString& name);
    // The focus is about to leave a number box: false keeps it there (the
    // user has been told why).
    bool txtBox_Validate(const QString& name);

    // --- program string -------------------------------------------------------------
    // The controls as they stand, with the values the layout hides kept as
    // the program the editor was filled from gave them (ProgramInputs::Kept).
    ProgramInputs inputs() const;
    ProgramStringResult buildProgramString() const;
    // The message for a refused build, in the user's language.
    QString refusalMessage(const ProgramStringResult& result) const;

    // --- number boxes -----------------------------------------------------------------
    // The range check of a box without re-formatting it: false when its value
    // lies outside the limits of its row (the user has been told why).
    bool checkRange(const QString& name) const;
    static bool isNumberBox(const QString& name);
    static bool isDecimalBox(const QString& name);
    // The range message of a box with these limits.
    QString rangeMessage(const QString& box, float min, float max) const;
    // The limit row of a box as the options stand (self-discharge: hours or days).
    QString limitRow(const QString& box) const;
    // Reads Min and Max of a limit row of the charger model; false when the row
    // is missing or a limit is empty.
    bool readLimits(const QString& bez, float& min, float& max) const;

    bool bLadeschlussVisible = true;
    bool bEntladeschlussVisible = true;
    bool bLadestromFromCRate = false;
    bool bEntladestromFromCRate = false;

private:
    const BatteryTypeRow* findAkkuTyp(qint16 nr) const;
    static QString voltageItem(int cells, float perCell);

    // The program's own changes, with the layout part of the handlers they
    // would raise.
    void setText(const QString& name, const QString& text);
    void setCheck(const QString& name, bool checked);
    void selectOption(const QString& name);
    // The user chose the cells or the nominal voltage (a fill does too, before its note).
    void markCellsChosen();
    void setListText(const QString& name, const QString& text);
    void cboAkkuType_Change();
    void cboGeraeteModi_Change();
    void currentChanged(const QString& box, const QString& rateList, bool& fromCRate);
    void rateChosen(const QString& rateList, const QString& box, bool& fromCRate);
    // The choice of a self-discharge unit: the period is checked again
    // against the limits of the unit now chosen (a refusal is told).
    void selfDischargeUnitChosen();
    // The controls as they stand, without the kept values.
    ProgramInputs shownInputs() const;

    ProgramEditorView& m_view;
    const ProgramEditorSources& m_sources;
    Role m_role = Role::Editor;
    EditorLayout m_layout;
    NumberBoxes m_boxes;
    HiddenValues m_hidden;
    std::shared_ptr<CommunicationProgram> m_program;
    QString m_geraeteNr;
    QString m_newProgramName;
    QVector<BatteryTypeRow> m_akkuTypen; // the rows of the battery-type list
};
