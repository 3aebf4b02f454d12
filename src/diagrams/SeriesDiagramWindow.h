#pragma once

#include "wiring/SeriesWindowServices.h"

class DiagramOpener;

// The diagram window as the stored series window reaches it: a stored series
// (MessWerte) drawn in the program's one diagram window.
class SeriesDiagramWindow : public SeriesDiagram {
public:
    explicit SeriesDiagramWindow(DiagramOpener& opener) : m_opener(opener) {}
    bool showDiagram(const Request& request) override;

private:
    DiagramOpener& m_opener;
};
