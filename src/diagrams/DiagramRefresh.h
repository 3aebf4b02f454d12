#pragma once

struct velmoroAxisRange;

// What the diagram options hand back to the diagram window: the new ranges
// (the Y range first) and the call to redraw lines and grids from the
// settings just written.
class DiagramRefresh {
public:
    virtual ~DiagramRefresh() = default;
    virtual void refreshXYRanges(const velmoroAxisRange& yAx, const velmoroAxisRange& xAx) = 0;
    virtual void refreshMinMaxStatLines() = 0;
    virtual void refreshGrids() = 0;
};
