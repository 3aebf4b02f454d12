#pragma once

#include <QRect>
#include <QSize>

// Where the channel windows go at start: a grid, in channel order, in which
// no window covers another. Kept apart from the windows so it can be checked
// for any screen.
struct ChannelGrid {
    int columns = 1;
    int rows = 1;
    QSize cell;        // the size each window gets
    bool fits = true;  // false: the grid is larger than the room and the area scrolls
    // The room the grid takes (columns x rows cells).
    QSize extent() const { return QSize(columns * cell.width(), rows * cell.height()); }
    // The place of window `index` (0-based, channel order).
    QRect cellRect(int index) const;
};

// The grid for `count` windows that want `preferred` size and need at least
// `minimum`, in `room` (the free inside of the main window on the screen).
// Tried in turn: all in one row, two rows, one column; the first whose
// windows fit at their minimum size wins, and each window then gets as much
// of its preferred size as the room allows. When none fits, one row of
// windows at their minimum size when its height fits (the area scrolls
// sideways), else two rows.
ChannelGrid chooseChannelGrid(int count, QSize preferred, QSize minimum, QSize room);
