#include "platform/ScreenFit.h"
#include "platform/FormDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace {

struct FitCase {
    const char* name;
    QRect wanted;
    QRect available;
    QRect expected;
};

TEST(ScreenFitTest, AWindowIsMovedInBeforeItIsShrunk)
{
    const QRect screen(0, 0, 1440, 900);
    const FitCase cases[] = {
        {"inside stays", QRect(100, 100, 400, 300), screen, QRect(100, 100, 400, 300)},
        {"below the bottom moves up", QRect(100, 700, 400, 300), screen, QRect(100, 600, 400, 300)},
        {"right of the edge moves left", QRect(1300, 10, 400, 300), screen, QRect(1040, 10, 400, 300)},
        {"above and left moves in", QRect(-50, -20, 400, 300), screen, QRect(0, 0, 400, 300)},
        {"too tall shrinks to the area", QRect(10, 50, 400, 1100), screen, QRect(10, 0, 400, 900)},
        {"an area with a panel on top", QRect(0, 0, 400, 300), QRect(0, 32, 1440, 868), QRect(0, 32, 400, 300)},
        {"no area leaves it", QRect(5, 5, 10, 10), QRect(), QRect(5, 5, 10, 10)},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect fitted = fitWithin(c.wanted, c.available);
        EXPECT_EQ(fitted, c.expected);
        if (!c.available.isEmpty()) {
            EXPECT_TRUE(c.available.contains(fitted));
        }
    }
}

TEST(ScreenFitTest, ATallWindowEndsWhollyOnTheScreenFrameIncluded)
{
    QWidget w;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    w.setGeometry(area.left() + 20, area.top() + 40, 300, area.height() + 200);
    keepOnScreen(&w);
    const QRect frame = w.geometry().marginsAdded(windowFrameMargins(&w));
    EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

TEST(ScreenFitTest, EveryDialogOpensWhollyOnTheScreen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        QRect wanted;
    } cases[] = {
        {"past the bottom right corner", QRect(area.right() - 100, area.bottom() - 50, 300, 200)},
        {"above and left of the screen", QRect(area.left() - 200, area.top() - 300, 300, 200)},
        {"taller than the screen", QRect(area.left() + 10, area.top() + 10, 300, area.height() + 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormDialog dialog;
        dialog.setGeometry(c.wanted);
        dialog.show();
        QApplication::processEvents();
        const QRect frame = dialog.geometry().marginsAdded(windowFrameMargins(&dialog));
        EXPECT_TRUE(area.contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        dialog.hide();
    }
}

TEST(ScreenFitTest, ADialogIsWideEnoughForItsTitleAsFarAsTheScreenAllows)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    FormDialog dialog;
    dialog.resize(120, 80);
    dialog.setWindowTitle(QStringLiteral("Charge program (view only)"));
    dialog.show();
    QApplication::processEvents();
    EXPECT_GE(dialog.width(), titleBarWidth(&dialog));
    // Bold title text with room for the icon and three buttons: more than the
    // text in the plain font.
    EXPECT_GT(titleBarWidth(&dialog), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 96);

    // A title that changes while the dialog is open (a language picked in it).
    dialog.setWindowTitle(QStringLiteral("Ladeprogramm (nur Ansicht), ein noch etwas längerer Titel"));
    QApplication::processEvents();
    EXPECT_GE(dialog.width(), titleBarWidth(&dialog));

    // A title longer than the screen is wide is cut by the title bar; the
    // dialog stays on the screen.
    dialog.setWindowTitle(QString(400, QLatin1Char('W')));
    QApplication::processEvents();
    EXPECT_EQ(dialog.width(), availableInsideWidth(&dialog));
    const QRect frame = dialog.geometry().marginsAdded(windowFrameMargins(&dialog));
    EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

} // namespace
