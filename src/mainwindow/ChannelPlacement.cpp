#include "mainwindow/ChannelPlacement.h"

#include <algorithm>

QRect ChannelGrid::cellRect(int index) const
{
    const int cols = std::max(1, columns);
    return QRect(QPoint((index % cols) * cell.width(), (index / cols) * cell.height()), cell);
}

ChannelGrid chooseChannelGrid(int count, QSize preferred, QSize minimum, QSize room)
{
    count = std::max(1, count);
    preferred = preferred.expandedTo(minimum);
    auto gridOf = [&](int columns) {
        ChannelGrid g;
        g.columns = columns;
        g.rows = (count + columns - 1) / columns;
        g.fits = columns * minimum.width() <= room.width() && g.rows * minimum.height() <= room.height();
        g.cell = QSize(std::clamp(room.width() / columns, minimum.width(), preferred.width()),
                       std::clamp(room.height() / g.rows, minimum.height(), preferred.height()));
        return g;
    };
    const int candidates[] = {count, (count + 1) / 2, 1};
    for (int columns : candidates) {
        const ChannelGrid g = gridOf(columns);
        if (g.fits)
            return g;
    }
    return gridOf(minimum.height() <= room.height() ? count : (count + 1) / 2);
}
