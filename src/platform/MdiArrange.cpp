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
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized())
            w->showNormal();
        QRect r;
        if (aboveEachOther) {
            const int top = space.height() * i / n;
            r = QRect(0, top, space.width(), space.height() * (i + 1) / n - top);
        } else {
            const int left = space.width() * i / n;
            r = QRect(left, 0, space.width() * (i + 1) / n - left, space.height());
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
    case MdiArrangement::Cascade: area.cascadeSubWindows(); break;
    case MdiArrangement::TileHorizontal: tile(area, true); break;
    case MdiArrangement::TileVertical: tile(area, false); break;
    case MdiArrangement::ArrangeIcons: arrangeIcons(area); break;
    }
}
