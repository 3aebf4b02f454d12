#include "wiring/SeriesWindowServices.h"

#include "platform/ModalDialogRunner.h"
#include "programs/dlgUsedProgram.h"

namespace {
SeriesProgramViewer* g_viewer = nullptr;
SeriesDiagram* g_diagram = nullptr;

// The program's read-only viewer, one for each showing.
class UsedProgramViewer : public SeriesProgramViewer {
public:
    void showProgram(QWidget* owner, const std::shared_ptr<CommunicationProgram>& program) override
    {
        dlgUsedProgram viewer(owner);
        viewer.setProgram(program);
        execModal(viewer);
    }
};

SeriesProgramViewer* defaultViewer()
{
    static UsedProgramViewer viewer;
    return &viewer;
}
} // namespace

SeriesProgramViewer* SeriesProgramViewer::instance()
{
    return g_viewer ? g_viewer : defaultViewer();
}

SeriesProgramViewer* SeriesProgramViewer::setInstance(SeriesProgramViewer* viewer)
{
    SeriesProgramViewer* previous = g_viewer;
    g_viewer = viewer;
    return previous;
}

SeriesDiagram* SeriesDiagram::instance()
{
    return g_diagram;
}

SeriesDiagram* SeriesDiagram::setInstance(SeriesDiagram* diagram)
{
    SeriesDiagram* previous = g_diagram;
    g_diagram = diagram;
    return previous;
}
