#include "mainwindow/frmMDIMainForm.h"

#include "channels/frmKanal.h"
#include "platform/ScreenFit.h"
#include "wiring/ProgramServices.h"

#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

// The main window's channel windows: loaded once, shown and hidden in the MDI
// area, and laid out in their grid.

frmKanal* frmMDIMainForm::kanal(int channel) const
{
    return channel >= 1 && channel <= 4 ? m_kanal[channel - 1] : nullptr;
}

QMdiSubWindow* frmMDIMainForm::kanalSubWindow(int channel) const
{
    frmKanal* k = kanal(channel);
    return k ? k->subWindow() : nullptr;
}

frmKanal* frmMDIMainForm::loadKanal(int channel)
{
    if (channel < 1 || channel > 4)
        return nullptr;
    if (frmKanal* k = m_kanal[channel - 1])
        return k;
    auto* k = new frmKanal(channel, *this, m_services);
    auto* sub = new QMdiSubWindow;
    sub->setObjectName(k->objectName() + QStringLiteral("Window"));
    // A channel window lives for the whole run; closing it only hides it.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWidget(k);
    m_mdi->addSubWindow(sub);
    sub->hide();
    m_kanal[channel - 1] = k;
    k->logic().setDiagram(m_services.kanalDiagram(), k);
    k->Form_Load();
    // No arrangement or drag may make it smaller than its controls need,
    // whatever texts they carry now or later.
    if (sub->layout())
        sub->layout()->setSizeConstraint(QLayout::SetMinimumSize);
    // A window beyond the grid of the start (a charger that told more
    // channels than were known) lays all of them out anew.
    if (m_channelGrid) {
        if (channel <= m_channelGridCount)
            sub->setGeometry(m_channelGrid->cellRect(channel - 1));
        else
            placeChannelWindows();
    }
    return k;
}

bool frmMDIMainForm::isKanalShown(int channel) const
{
    QMdiSubWindow* sub = kanalSubWindow(channel);
    return sub && !sub->isHidden();
}

void frmMDIMainForm::showKanal(int channel)
{
    frmKanal* k = loadKanal(channel);
    if (!k)
        return;
    k->show();
    k->subWindow()->show();
}

void frmMDIMainForm::activateKanal(int channel)
{
    QMdiSubWindow* sub = kanalSubWindow(channel);
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    sub->raise();
    m_mdi->setActiveSubWindow(sub);
    sub->widget()->setFocus();
}

void frmMDIMainForm::hideKanalWindow(int channel)
{
    if (QMdiSubWindow* sub = kanalSubWindow(channel))
        sub->hide();
}

bool frmMDIMainForm::askKanalWindow(int channel, ChargerModel::ChannelQuery query, qint32 lAkkuId)
{
    frmKanal* k = kanal(channel);
    if (!k)
        return false;
    return query == ChargerModel::ChannelQuery::Used ? k->isAkkuUsed(lAkkuId) : k->resetAkkuId(lAkkuId);
}

void frmMDIMainForm::resetChannelForNewProgram(int channel)
{
    // A channel whose window was never loaded has nothing to forget.
    if (frmKanal* k = kanal(channel))
        k->resetForNewProgram();
}

// --- placement -----------------------------------------------------------------------

void frmMDIMainForm::placeChannelWindows()
{
    placeChannelWindows(screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768));
}

void frmMDIMainForm::placeChannelWindows(const QRect& screenArea)
{
    QList<QMdiSubWindow*> windows;
    QSize preferred;
    QSize minimum;
    const int channels = m_logic.placedChannelCount();
    for (int n = 1; n <= channels; ++n) {
        if (QMdiSubWindow* sub = kanalSubWindow(n)) {
            windows << sub;
            preferred = preferred.expandedTo(sub->sizeHint());
            minimum = minimum.expandedTo(sub->minimumSize().expandedTo(sub->minimumSizeHint()));
        }
    }
    if (windows.isEmpty())
        return;

    // The frame the window system adds (estimated until the window is on the
    // screen) and the main window's own parts around the area.
    const QMargins frameMargins = windowFrameMargins(this);
    const QSize frame(frameMargins.left() + frameMargins.right(), frameMargins.top() + frameMargins.bottom());
    const int areaFrame = 2 * m_mdi->frameWidth();
    QSize chrome;
    if (isVisible())
        chrome = size() - m_mdi->size() + QSize(areaFrame, areaFrame);
    else
        chrome = QSize(areaFrame, menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + areaFrame);
    // A little slack, so a pixel lost to rounding brings up no scroll bar.
    const QSize slack(4, 4);
    const QSize room = screenArea.size() - frame - chrome - slack;

    ChannelGrid grid = chooseChannelGrid(int(windows.size()), preferred, minimum, room);
    // A grid that scrolls loses the scroll bars' room.
    QSize bars;
    if (!grid.fits) {
        const int bar = m_mdi->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_mdi);
        bars = QSize(bar, bar);
        grid = chooseChannelGrid(int(windows.size()), preferred, minimum, room - bars);
    }
    m_channelGrid = grid;
    m_channelGridCount = int(windows.size());
    // Every window has its cell, also those hidden now: shown later, it
    // comes up in its own place. Where they overlap, each lies on the one
    // before it, so the left part of every window shows.
    for (int n = 1; n <= channels; ++n) {
        if (QMdiSubWindow* sub = kanalSubWindow(n)) {
            sub->setGeometry(grid.cellRect(n - 1));
            sub->raise();
        }
    }

    const QSize most = screenArea.size() - frame;
    keepMenusAndTitleWhole(most.width());
    resize((grid.extent() + chrome + bars + slack).boundedTo(most).expandedTo(minimumSizeHint()).boundedTo(most));
    keepWithin(this, screenArea);
}

void frmMDIMainForm::keepMenusAndTitleWhole(int mostWidth)
{
    // A menu bar narrower than its menus folds the last ones behind an arrow,
    // and the window system cuts a title too long for its bar: a charger with
    // one or two channels would otherwise give a window too narrow for both.
    const int wanted = std::min(std::max(menuBar()->sizeHint().width(), titleBarWidth(this)), mostWidth);
    // Where the window's parts need more anyway, they keep deciding.
    setMinimumWidth(wanted > minimumSizeHint().width() ? wanted : 0);
}

void frmMDIMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Laid out at start before the window was on the screen: once there, its
    // own parts and frame are known and the layout is made exact.
    if (m_channelGrid && !m_placedOnScreen) {
        m_placedOnScreen = true;
        placeChannelWindows();
    } else {
        keepMenusAndTitleWhole(availableInsideWidth(this));
    }
    keepOnScreen(this);
}
