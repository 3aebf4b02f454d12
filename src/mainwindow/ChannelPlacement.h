#pragma once

#include <QRect>
#include <QSize>

// Where the channel windows go at start: a grid, in channel order, in which
// no window covers another where the room allows it. Kept apart from the
// windows so it can be checked for any screen.
struct ChannelGrid {
    int columns = 1;
    int rows = 1;
    QSize cell; // the size each window gets
    // From one window's corner to its neighbour's: the cell itself, or less
    // where the windows overlap to stay within the room.
    QSize step;
    bool fits = true; // false: a window is larger than the room and the area scrolls
    bool overlaps() const { return step.width() < cell.width() || step.height() < cell.height(); }
    // The room the grid takes.
    QSize extent() const;
    // The place of window `index` (0-based, channel order).
    QRect cellRect(int index) const;
};

// The grid for `count` windows that want `preferred` size and need at least
// `minimum`, in `room` (the free inside of the main window on the screen).
// Tried in turn: all in one row, two rows, one column; the first whose
// windows fit side by side at their minimum size wins, and each window then
// gets as much of its preferred size as the room allows. When none fits, the
// windows overlap like cards fanned out, each wholly within the room, in the
// arrangement that leaves the most of each window uncovered. Only a room
// smaller than one window gives a grid that does not fit: one row of windows
// at their minimum size when its height fits (the area scrolls sideways),
// else two rows.
ChannelGrid chooseChannelGrid(int count, QSize preferred, QSize minimum, QSize room);
