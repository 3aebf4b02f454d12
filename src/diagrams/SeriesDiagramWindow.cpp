#include "diagrams/SeriesDiagramWindow.h"

#include "diagrams/DiagramOpener.h"

bool SeriesDiagramWindow::showDiagram(const Request& request)
{
    DiagramSource source;
    source.lMessReiheId = request.lMessReiheId;
    source.bTempCreated = false;
    source.lEndWertId = request.lEndWertId;
    return m_opener.open(source, request.callerForm, request.cProg);
}
