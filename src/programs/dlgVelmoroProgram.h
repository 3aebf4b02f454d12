#pragma once

#include "platform/FormDialog.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/ProgramEditorView.h"
#include "programs/ProgramExchange.h"

#include <memory>

class CommunicationProgram;
class FocusValidator;
class ProgramChannels;
class ProgramEditorParent;
class ProgramLink;

// The modal dialog in which the user edits the charge program of one channel.
// Its controls carry the names the rest of the program knows them by; what it
// does lives in ProgramEditorLogic.
class dlgVelmoroProgram : public FormDialog, public ProgramEditorView, private ProgramExchangeHost {
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
    void setLink(ProgramLink* link) { m_exchange.setLink(link); }

    ProgramEditorLogic& logic() { return m_logic; }
    ProgramExchange& exchange() { return m_exchange; }
    std::shared_ptr<CommunicationProgram> reportedProgram() const { return m_exchange.reportedProgram(); }
    FocusValidator& validator() { return *m_validator; }

    // --- ProgramEditorView --------------------------------------------------------------
    void setControlText(const QString& name, const QString& text) override;
    QString controlText(const QString& name) const override;
    void setControlVisible(const QString& name, bool visible) override;
    bool isControlVisible(const QString& name) const override;
    void setControlEnabled(const QString& name, bool enabled) override;
    bool isControlEnabled(const QString& name) const override;
    void setChecked(const QString& name, bool checked) override;
    bool isChecked(const QString& name) const override;
    void clearList(const QString& name) override;
    void addListItem(const QString& name, const QString& text) override;
    QStringList listItems(const QString& name) const override;
    int listIndex(const QString& name) const override;
    void setListIndex(const QString& name, int index) override;
    void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) override;
    QString boundText(const QString& name) const override;
    void setBoundText(const QString& name, const QString& value) override;
    void setFocusTo(const QString& name) override;

private:
    void buildControls();
    void connectHandlers();
    QWidget* control(const QString& name) const;

    // ProgramExchangeHost
    void runSaveAsDialog() override;
    void closeEditor() override;
    void postOfferReportedProgram() override;

    ProgramEditorLogic m_logic;
    ProgramExchange m_exchange;
    FocusValidator* m_validator = nullptr;
};
