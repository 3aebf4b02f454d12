#pragma once

#include "platform/FormDialog.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/ProgramEditorView.h"

#include <memory>

class CommunicationProgram;
class FocusValidator;
class ProgramEditorParent;

// The modal dialog in which the user edits the charge program of one channel.
// Its controls carry the names the rest of the program knows them by; what it
// does lives in ProgramEditorLogic.
class dlgVelmoroProgram : public FormDialog, public ProgramEditorView {
    Q_OBJECT
public:
    // Loads the dialog: captions and lookup lists (a database failure is
    // shown and leaves the dialog with what was set up until then).
    explicit dlgVelmoroProgram(QWidget* parent = nullptr);
    ~dlgVelmoroProgram() override;

    // --- public members, in the order the opener uses them ------------------------
    void setGeraeteNr(const QString& nr) { m_logic.setGeraeteNr(nr); }
    void setParentWin(ProgramEditorParent* parentWin) { m_parentWin = parentWin; }
    void setProgram(std::shared_ptr<CommunicationProgram> program) { m_logic.setProgram(std::move(program)); }
    void setNewProgramName(const QString& name) { m_logic.setNewProgramName(name); }
    // The charger reports another program while the editor is open. Until the
    // editor asks whether to take it, the user's fields stay as they are; the
    // report is kept for that question.
    void programChangedFromOutside(std::shared_ptr<CommunicationProgram> program);
    void initDialog();
    void setExtendedProgram(const CommunicationProgram& p) { m_logic.setExtendedProgram(p); }

    ProgramEditorLogic& logic() { return m_logic; }
    std::shared_ptr<CommunicationProgram> reportedProgram() const { return m_reportedProgram; }
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

    ProgramEditorLogic m_logic;
    ProgramEditorParent* m_parentWin = nullptr;
    std::shared_ptr<CommunicationProgram> m_reportedProgram;
    FocusValidator* m_validator = nullptr;
};
