#pragma once

#include <Qt>

// The window flags of a window of its own that belongs to another window
// (the window of its parent widget), as the stored series window and the
// diagram window belong to the main window: the window system keeps it in
// front of its owner whichever of the owner's windows the user clicks, yet it
// keeps the buttons of a main window (minimise, maximise, close) and is not
// modal, so the owner goes on working beside it.
//
// Qt names the owner to the window system (WM_TRANSIENT_FOR on X11) only for
// dialog-like window types, never for a plain Qt::Window: hence a dialog by
// type, with a main window's buttons.
inline constexpr Qt::WindowFlags kOwnedWindowFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                     | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
