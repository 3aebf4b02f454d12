#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>

// A shown window of its own that belongs to owner's window: the window system
// is told its owner (Qt names it on X11 only for dialog-like types) so that it
// stays in front of it, it keeps a main window's buttons, and it blocks
// nothing.
inline void expectOwnedWindow(const QWidget& window, const QWidget& owner)
{
    ASSERT_TRUE(window.isWindow());
    ASSERT_NE(window.windowHandle(), nullptr);
    ASSERT_NE(owner.window()->windowHandle(), nullptr);
    EXPECT_EQ(window.windowHandle()->transientParent(), owner.window()->windowHandle());
    EXPECT_EQ(window.windowType(), Qt::Dialog);
    EXPECT_EQ(window.windowHandle()->type(), Qt::Dialog);
    for (Qt::WindowType button :
         {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        EXPECT_TRUE(window.windowFlags().testFlag(button)) << std::hex << button;
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
