#pragma once

#include "platform/FormDialog.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/ProgramExchange.h"
#include "programs/StoredEditorSources.h"
#include "programs/WidgetEditorView.h"

#include <memory>

class CommunicationProgram;
class FocusValidator;
class ProgramChannels;
class ProgramEditorParent;
class ChargerPort;

// The modal dialog in which the user edits the charge program of one channel.
// Its controls carry the names the rest of the program knows them by and are
// found by those names the way the viewer finds its own; what it does lives
// in ProgramEditorLogic.
class dlgVelmoroProgram : public FormDialog, public WidgetEditorView, private ProgramExchangeHost {
    Q_OBJECT
public:
    // Loads the dialog: captions and lookup lists (a database failure is
    // shown and leaves the dialog with what was set up until then).
    explicit dlgVelmoroProgram(QWidget* parent = nullptr);
    ~dlgVelmoroProgram() override;

    // --- public members, in the order the opener uses them ------------------------
    void setGeraeteNr(const QString& nr) { m_logic.setGeraeteNr(nr); }
    void setParentWin(ProgramEditorParent* parentWin) { m_exchange.setParentWin(parentWin); }
    void setProgram(std::shared_ptr<CommunicationProgram> program) { m_logic.setProgram(std::move(program)); }
    void setNewProgramName(const QString& name) { m_logic.setNewProgramName(name); }
    // The charger reports another program while the editor is open (from a
    // channel's poll). The question whether to take it comes after the poll,
    // or after the question, dialog or send the user has open; until then
    // the user's fields stay as they are.
    void programChangedFromOutside(std::shared_ptr<CommunicationProgram> program);
    void initDialog();
    void setExtendedProgram(const CommunicationProgram& p) { m_logic.setExtendedProgram(p); }

    // The channel windows, for sending to every channel (without them that
    // button does nothing); the link, when not the shared one.
    void setChannels(ProgramChannels* channels);
    void setLink(ChargerPort* link) { m_exchange.setLink(link); }

    ProgramEditorLogic& logic() { return m_logic; }
    ProgramExchange& exchange() { return m_exchange; }
    std::shared_ptr<CommunicationProgram> reportedProgram() const { return m_exchange.reportedProgram(); }
    FocusValidator& validator() { return *m_validator; }

private:
    void buildControls();
    void connectHandlers();

    // ProgramExchangeHost
    void runSaveAsDialog() override;
    void closeEditor() override;
    void postOfferReportedProgram() override;

    StoredEditorSources m_sources;
    ProgramEditorLogic m_logic;
    ProgramExchange m_exchange;
    FocusValidator* m_validator = nullptr;
};
