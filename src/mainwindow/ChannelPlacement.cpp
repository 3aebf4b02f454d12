#include "mainwindow/ChannelPlacement.h"

#include <algorithm>
#include <optional>

QSize ChannelGrid::extent() const
{
    return QSize((columns - 1) * step.width() + cell.width(), (rows - 1) * step.height() + cell.height());
}

QRect ChannelGrid::cellRect(int index) const
{
    const int cols = std::max(1, columns);
    return QRect(QPoint((index % cols) * step.width(), (index / cols) * step.height()), cell);
}

namespace {

int rowsFor(int count, int columns)
{
    return (count + columns - 1) / columns;
}

// Side by side, each window as large as the room allows between its minimum
// and its preferred size.
ChannelGrid sideBySide(int count, int columns, QSize preferred, QSize minimum, QSize room)
{
    ChannelGrid g;
    g.columns = columns;
    g.rows = rowsFor(count, columns);
    g.fits = columns * minimum.width() <= room.width() && g.rows * minimum.height() <= room.height();
    g.cell = QSize(std::clamp(room.width() / columns, minimum.width(), preferred.width()),
                   std::clamp(room.height() / g.rows, minimum.height(), preferred.height()));
    g.step = g.cell;
    return g;
}

// Along one direction: `n` windows of `length` in `room`, overlapping only
// as far as they must.
int overlapStep(int n, int length, int room)
{
    if (n <= 1 || n * length <= room)
        return length;
    return std::max(0, (room - length) / (n - 1));
}

ChannelGrid fannedOut(int count, int columns, QSize preferred, QSize minimum, QSize room)
{
    ChannelGrid g;
    g.columns = columns;
    g.rows = rowsFor(count, columns);
    // Where windows overlap they keep their minimum size, so more of each
    // stays uncovered; where they do not, they take what the room gives.
    const int width = columns * minimum.width() <= room.width()
                          ? std::clamp(room.width() / columns, minimum.width(), preferred.width())
                          : minimum.width();
    const int height = g.rows * minimum.height() <= room.height()
                           ? std::clamp(room.height() / g.rows, minimum.height(), preferred.height())
                           : minimum.height();
    g.cell = QSize(width, height);
    g.step = QSize(overlapStep(columns, width, room.width()), overlapStep(g.rows, height, room.height()));
    return g;
}

// The share of a window that its neighbours leave uncovered.
double uncovered(const ChannelGrid& g)
{
    return double(g.step.width()) / g.cell.width() * double(g.step.height()) / g.cell.height();
}

} // namespace

ChannelGrid chooseChannelGrid(int count, QSize preferred, QSize minimum, QSize room)
{
    count = std::max(1, count);
    minimum = minimum.expandedTo(QSize(1, 1));
    preferred = preferred.expandedTo(minimum);
    const int candidates[] = {count, (count + 1) / 2, 1};
    for (int columns : candidates) {
        const ChannelGrid g = sideBySide(count, columns, preferred, minimum, room);
        if (g.fits)
            return g;
    }
    if (minimum.width() <= room.width() && minimum.height() <= room.height()) {
        std::optional<ChannelGrid> best;
        for (int columns : candidates) {
            const ChannelGrid g = fannedOut(count, columns, preferred, minimum, room);
            if (!best || uncovered(g) > uncovered(*best))
                best = g;
        }
        return *best;
    }
    ChannelGrid g =
        sideBySide(count, minimum.height() <= room.height() ? count : (count + 1) / 2, preferred, minimum, room);
    g.fits = false;
    return g;
}
