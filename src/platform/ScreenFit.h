#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Where a window whose frame wants `wanted` may stand so that all of it lies
// within `available`: moved in first, and shrunk only where it is larger than
// the area itself. An empty area leaves the wish as it is.
QRect fitWithin(const QRect& wanted, const QRect& available);

// Moves, and where it must shrinks, a top-level window so that its whole frame
// (title bar included) lies within the available area of its screen: the
// screen it stands on, else the screen of its parent, else the primary one.
// Before the window is first shown the window system has not told its frame
// yet, so a frame of the style's title-bar height is assumed.
void keepOnScreen(QWidget* window);
// The same within a given area.
void keepWithin(QWidget* window, const QRect& area);

// The frame a window system draws around `window`, as far as it is known.
QMargins windowFrameMargins(const QWidget* window);

// How wide `window` must be for its title bar to show its whole title. The
// window system draws the title itself, so this is an estimate that errs on
// the wide side: the title as Qt hands it over (the application's display
// name appended), in the title-bar font set bold, as most title bars draw it,
// plus room for the icon and three buttons, each a square of the title bar's
// height (24 px at least), and 40 px of padding.
int titleBarWidth(const QWidget* window);
// The width of the available area of the screen `window` stands on, less the
// frame the window system draws beside it: the most a window may ask for.
int availableInsideWidth(const QWidget* window);
// Widens a top-level window that is narrower than its whole title needs, as
// far as its screen allows; never narrows one.
void widenForTitle(QWidget* window);
