#pragma once

#include "diagrams/DiagramValues.h"
#include "diagrams/frmDiagramm.h"
#include "wiring/KanalDiagram.h"

#include <QPointer>
#include <memory>

class DiagramHost;
class ProgramViewerSource;

// Opens the program's one diagram window: shows the loading notice, loads the
// window (or reuses the open one), sets what it is to show, loads the values
// and shows it. A database failure is shown to the user and draws nothing.
// The program has one (main.cpp makes it), which its services hand on.
class DiagramOpener : public KanalDiagram {
public:
    // The window it opens tells host of its activation and its end, and
    // prints its opener's report with programViewer's program values
    // (either nullptr: none).
    DiagramOpener(DiagramHost* host, ProgramViewerSource* programViewer);
    ~DiagramOpener() override;
    DiagramOpener(const DiagramOpener&) = delete;
    DiagramOpener& operator=(const DiagramOpener&) = delete;

    // True when the diagram is shown. Refused (false) while a load runs. A
    // failed load closes the window only when this request opened it.
    bool open(const DiagramSource& source, QWidget* callerForm, std::shared_ptr<CommunicationProgram> cProg);

    // KanalDiagram
    bool showDiagram(const Request& request) override;

    // The window a diagram opened by callerForm belongs to: the outermost
    // window that holds the caller or owns the caller's window (the main
    // window); none without a caller or for a window nobody owns.
    static QWidget* ownerOf(QWidget* callerForm);

    // The open diagram window, if any.
    frmDiagramm* window() const { return m_window; }
    bool isLoading() const { return m_loading; }

private:
    DiagramHost* m_host;
    ProgramViewerSource* m_programViewer;
    QPointer<frmDiagramm> m_window;
    bool m_loading = false;
};
