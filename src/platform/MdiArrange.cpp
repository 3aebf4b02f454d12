#include "platform/MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace {
// In the area's own order (the order its owner chose for arranging).
QList<QMdiSubWindow*> shownWindows(QMdiArea& area, bool minimised)
{
    QList<QMdiSubWindow*> windows;
    const auto all = area.subWindowList(area.activationOrder());
    for (QMdiSubWindow* w : all) {
        if (!w->isHidden() && w->isMinimized() == minimised)
            windows << w;
    }
    return windows;
}

void tile(QMdiArea& area, bool aboveEachOther)
{
    const QList<QMdiSubWindow*> windows = shownWindows(area, false);
    if (windows.isEmpty())
        return;
    const QRect space = area.viewport()->rect();
    const int n = int(windows.size());
    // A window never gets less than its controls need: where the area is too
    // small the windows follow one another beyond its edge and it scrolls.
    int next = 0;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized())
            w->showNormal();
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        QRect r;
        if (aboveEachOther) {
            const int top = std::max(next, space.height() * i / n);
            const int height = std::max(least.height(), space.height() * (i + 1) / n - top);
            r = QRect(0, top, std::max(least.width(), space.width()), height);
            next = r.bottom() + 1;
        } else {
            const int left = std::max(next, space.width() * i / n);
            const int width = std::max(least.width(), space.width() * (i + 1) / n - left);
            r = QRect(left, 0, width, std::max(least.height(), space.height()));
            next = r.right() + 1;
        }
        w->setGeometry(r);
    }
}

void arrangeIcons(QMdiArea& area)
{
    const QRect space = area.viewport()->rect();
    int x = 0;
    int bottom = space.bottom() + 1;
    for (QMdiSubWindow* w : shownWindows(area, true)) {
        const QSize size = w->size();
        if (x > 0 && x + size.width() > space.width()) {
            x = 0;
            bottom -= size.height();
        }
        w->move(x, bottom - size.height());
        x += size.width();
    }
}
} // namespace

void arrangeMdi(QMdiArea& area, MdiArrangement how)
{
    switch (how) {
    case MdiArrangement::Cascade:
        area.cascadeSubWindows();
        break;
    case MdiArrangement::TileHorizontal:
        tile(area, true);
        break;
    case MdiArrangement::TileVertical:
        tile(area, false);
        break;
    case MdiArrangement::ArrangeIcons:
        arrangeIcons(area);
        break;
    }
}
