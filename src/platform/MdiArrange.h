#pragma once

class QMdiArea;

// The four arrangements of the Window menu, over the shown child windows;
// hidden ones (a closed channel window) keep their place.
enum class MdiArrangement {
    Cascade = 0,        // one behind the other, each a step lower and further right
    TileHorizontal = 1, // one above the other, each the full width
    TileVertical = 2,   // side by side, each the full height
    ArrangeIcons = 3    // the minimised windows in a row along the bottom
};

void arrangeMdi(QMdiArea& area, MdiArrangement how);
