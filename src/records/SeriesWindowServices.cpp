#include "records/SeriesWindowServices.h"

namespace {
SeriesProgramViewer* g_viewer = nullptr;
SeriesDiagram* g_diagram = nullptr;

SeriesProgramViewer* defaultViewer()
{
    return nullptr;
}

SeriesDiagram* defaultDiagram()
{
    return nullptr;
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
    return g_diagram ? g_diagram : defaultDiagram();
}

SeriesDiagram* SeriesDiagram::setInstance(SeriesDiagram* diagram)
{
    SeriesDiagram* previous = g_diagram;
    g_diagram = diagram;
    return previous;
}
