#include "diagrams/SeriesDiagramWindow.h"

#include "diagrams/DiagramOpener.h"
#include "diagrams/frmDiagramm.h"
#include "wiring/SeriesWindowServices.h"

namespace {
// A stored series lives in MessWerte.
class DiagramWindow : public SeriesDiagram {
public:
    bool showDiagram(const Request& request) override
    {
        DiagramSource source;
        source.lMessReiheId = request.lMessReiheId;
        source.bTempCreated = false;
        source.lEndWertId = request.lEndWertId;
        return DiagramOpener::instance().open(source, request.callerForm, request.cProg);
    }
};
} // namespace

namespace SeriesDiagramWindow {

void install()
{
    static DiagramWindow diagram;
    SeriesDiagram::setInstance(&diagram);
}

} // namespace SeriesDiagramWindow
