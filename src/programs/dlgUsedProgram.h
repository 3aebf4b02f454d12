#pragma once

#include "platform/FormDialog.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/StoredEditorSources.h"
#include "programs/WidgetEditorView.h"

#include <memory>

class CommunicationProgram;
class FocusValidator;
class ProgramViewerSource;

// The read-only program viewer: one stored program in the program editor's
// layout, without anything that stores or sends it. The stored series window
// shows it modally; the report printing fills a hidden instance of its own
// (printingSource) and reads it by control name.
class dlgUsedProgram : public FormDialog {
    Q_OBJECT
public:
    // Loads the viewer: captions and lookup lists (a database failure is
    // shown and leaves the viewer with what was set up until then).
    explicit dlgUsedProgram(QWidget* parent = nullptr);
    ~dlgUsedProgram() override;

    // The program to show, the caller's own object; the viewer only reads it.
    void setProgram(std::shared_ptr<CommunicationProgram> program) { m_logic.setProgram(std::move(program)); }
    // The fill; it runs on every activation and is called directly on a
    // hidden viewer.
    void Form_Activate();

    void cmdExtendedModus_Click();

    ProgramEditorLogic& logic() { return m_logic; }
    FocusValidator& validator() { return *m_validator; }

    // The viewer as the report printing reaches it: each printout fills a
    // hidden one of its own. main.cpp hands it to the program's services.
    static std::unique_ptr<ProgramViewerSource> printingSource();

protected:
    bool event(QEvent* e) override;

private:
    void buildControls();
    void connectHandlers();

    WidgetEditorView m_view;
    StoredEditorSources m_sources;
    ProgramEditorLogic m_logic;
    FocusValidator* m_validator = nullptr;
};
