#include "mainwindow/frmMDIMainForm.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "mainwindow/MainFormControls.h"
#include "platform/ControlNames.h"
#include "platform/ErrorGuard.h"
#include "platform/PanelStatusBar.h"
#include "platform/ScreenFit.h"
#include "platform/Terminator.h"
#include "wiring/MainWindowHosts.h"
#include "wiring/ProgramServices.h"
#include "wiring/RecordsHost.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <limits>
#include <stdexcept>

// The window itself: its making and ending, start and close, activation,
// texts and status bar, what the channel windows share, and its controls by
// name. The menus and the channel windows have files of their own.

namespace {
frmMDIMainForm* g_mainForm = nullptr;

// The records dialogs ask the channel windows through the main window.
class MainFormRecordsHost : public RecordsHost {
public:
    QString isAkkuUsed(qint32 id) override
    {
        return g_mainForm ? g_mainForm->isAkkuUsed(id) : QStringLiteral("notUsed");
    }
    QString resetAkkuId(qint32 id) override
    {
        return g_mainForm ? g_mainForm->resetAkkuId(id) : QStringLiteral("noReset");
    }
    void seriesWindowActivated(QWidget* window) override
    {
        if (!g_mainForm)
            return;
        g_mainForm->velmoroActiveForm = window;
        g_mainForm->checkAndSetPrintItem(false);
    }
};
MainFormRecordsHost g_recordsHost;

} // namespace

frmMDIMainForm* mainForm()
{
    return g_mainForm;
}

frmMDIMainForm::frmMDIMainForm(ProgramServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_services(services),
      m_logic(*this, objSettings(), objResources())
{
    setObjectName(QStringLiteral("frmMDIMainForm"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    // Arranging lays the channel windows out in channel order.
    m_mdi->setActivationOrder(QMdiArea::CreationOrder);
    // A window the area cannot hold whole is reached by scrolling, never cut.
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    buildMenus();
    buildStatusbar();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &frmMDIMainForm::onSubWindowActivated);
    resize(1024, 720);
    g_mainForm = this;
    m_services.mainWindow().attach(*this, *this, g_recordsHost);
}

frmMDIMainForm::~frmMDIMainForm()
{
    if (g_mainForm == this)
        g_mainForm = nullptr;
    m_services.mainWindow().detach(*this);
    // The children go after this part of the window is gone; what they report
    // while they go must not reach it.
    disconnect(m_mdi, nullptr, this, nullptr);
    disconnect(stbFirstStatusbar, nullptr, this, nullptr);
    // The channel windows stop polling before anything they use goes away.
    for (auto*& k : m_kanal) {
        if (k) {
            k->stopTimers();
            k = nullptr;
        }
    }
}

// --- start and close -----------------------------------------------------------------

void frmMDIMainForm::MDIForm_Load()
{
    velmoroActiveForm = nullptr;
    lNextTempMesswertID = 1;
    bNoKZTFound = false;
    check_Ladegeraet = true;
    hide();
    initApplication(*this);
}

void frmMDIMainForm::setProgramExtensionSetting()
{
    m_logic.setProgramExtensionSetting();
}

void frmMDIMainForm::loadChannelWindows()
{
    m_logic.loadChannelWindows();
}

void frmMDIMainForm::showChannelWindow1()
{
    m_logic.showChannelWindow(1);
}

void frmMDIMainForm::showChannelWindow2()
{
    m_logic.showChannelWindow(2);
}

void frmMDIMainForm::showChannelWindow3()
{
    m_logic.showChannelWindow(3);
}

void frmMDIMainForm::showChannelWindow4()
{
    m_logic.showChannelWindow(4);
}

void frmMDIMainForm::showChannelWindows2To4()
{
    m_logic.showChannelWindows2To4();
}

void frmMDIMainForm::MDIForm_QueryUnload(int& cancel)
{
    m_logic.queryUnload(cancel);
}

void frmMDIMainForm::saveChannelVisibility()
{
    m_logic.saveChannelVisibility();
}

void frmMDIMainForm::MDIForm_Unload(int cancel)
{
    if (cancel != 0)
        return;
    closeApplication();
    endProgram(0);
}

void frmMDIMainForm::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    // The user's No keeps the window; a failure to store the channel layout
    // is shown and the program still ends as asked.
    ErrorGuard::run([this, &cancel] { MDIForm_QueryUnload(cancel); });
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    MDIForm_Unload(0);
}

// --- activation and print item -------------------------------------------------------

void frmMDIMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange) {
        // A new port or a charger's own text makes the title longer or shorter.
        keepMenusAndTitleWhole(availableInsideWidth(this));
        if (isVisible())
            keepOnScreen(this);
        return;
    }
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // Coming back to the main window while a channel window is the current
    // child is that child's activation; only with no child current is it the
    // main window's own.
    QMdiSubWindow* current = m_mdi->currentSubWindow();
    auto* k = current && !current->isHidden() ? qobject_cast<frmKanal*>(current->widget()) : nullptr;
    if (k)
        k->Form_Activate();
    else if (!current || current->isHidden())
        MDIForm_Activate();
}

void frmMDIMainForm::MDIForm_Activate()
{
    checkAndSetPrintItem(false);
}

void frmMDIMainForm::onSubWindowActivated(QMdiSubWindow* window)
{
    if (!window)
        return;
    if (auto* k = qobject_cast<frmKanal*>(window->widget()))
        k->Form_Activate();
}

void frmMDIMainForm::setVelmoroActiveForm(QWidget* form)
{
    velmoroActiveForm = form;
    checkAndSetPrintItem();
}

void frmMDIMainForm::checkAndSetPrintItem(std::optional<bool> bActive)
{
    m_logic.checkAndSetPrintItem(bActive);
}

// --- texts, title and status bar -----------------------------------------------------

void frmMDIMainForm::ReloadWindowCaption()
{
    m_logic.ReloadWindowCaption();
}

void frmMDIMainForm::setLanguageResources()
{
    m_logic.setLanguageResources();
    keepMenusAndTitleWhole(availableInsideWidth(this));
}

void frmMDIMainForm::buildStatusbar()
{
    stbFirstStatusbar = new PanelStatusBar(this);
    stbFirstStatusbar->setObjectName(QStringLiteral("stbFirstStatusbar"));
    for (int n = 1; n <= 4; ++n) {
        stbFirstStatusbar->addPanel(channelLabelPanelName(n));
        stbFirstStatusbar->addPanel(channelTextPanelName(n), QString(), 1);
    }
    statusBar()->addWidget(stbFirstStatusbar, 1);
    connect(stbFirstStatusbar, &PanelStatusBar::panelClick, this,
            [this](const QString& key) { ErrorGuard::run([this, &key] { stbFirstStatusbar_PanelClick(key); }); });
    connect(stbFirstStatusbar, &PanelStatusBar::panelDblClick, this,
            [this](const QString& key) { ErrorGuard::run([this, &key] { stbFirstStatusbar_PanelDblClick(key); }); });
}

void frmMDIMainForm::optimizeStatusbar()
{
    m_logic.optimizeStatusbar();
}

void frmMDIMainForm::setStatusbarPanelText(const QString& key, const QString& text)
{
    m_logic.setStatusbarPanelText(key, text);
}

void frmMDIMainForm::stbFirstStatusbar_PanelClick(const QString& key)
{
    stbFirstStatusbar_PanelDblClick(key);
}

void frmMDIMainForm::stbFirstStatusbar_PanelDblClick(const QString& key)
{
    m_logic.panelDoubleClicked(key);
}

// --- what the channel windows share --------------------------------------------------

bool frmMDIMainForm::channelPresent(int channel) const
{
    return m_logic.channelPresent(channel);
}

void frmMDIMainForm::setChannelMenuChecked(int channel, bool checked)
{
    m_logic.setChannelMenuChecked(channel, checked);
}

void frmMDIMainForm::setChannelMenuEnabled(int channel, bool enabled)
{
    m_logic.setChannelMenuEnabled(channel, enabled);
}

QString frmMDIMainForm::resetAkkuId(qint32 lAkkuId)
{
    return m_logic.resetAkkuId(lAkkuId);
}

QString frmMDIMainForm::isAkkuUsed(qint32 lAkkuId)
{
    return m_logic.isAkkuUsed(lAkkuId);
}

qint32 frmMDIMainForm::getNewTempMessreiheID()
{
    if (lNextTempMesswertID == std::numeric_limits<qint32>::max())
        throw std::overflow_error("temporary series identifiers exhausted");
    return lNextTempMesswertID++;
}

int frmMDIMainForm::programChannelCount() const
{
    return m_logic.programChannelCount();
}

// --- controls by name ----------------------------------------------------------------

QAction* frmMDIMainForm::menuItem(const QString& name) const
{
    return namedAction(*this, mainFormControlNames(), name);
}

void frmMDIMainForm::setControlText(const QString& name, const QString& text)
{
    if (name == objectName())
        setWindowTitle(text);
    else if (stbFirstStatusbar->hasPanel(name))
        stbFirstStatusbar->setPanelText(name, text);
    else if (QAction* a = menuItem(name))
        a->setText(text);
}

void frmMDIMainForm::setControlVisible(const QString& name, bool visible)
{
    if (stbFirstStatusbar->hasPanel(name))
        stbFirstStatusbar->setPanelVisible(name, visible);
    else if (QAction* a = menuItem(name))
        a->setVisible(visible);
}

void frmMDIMainForm::setControlEnabled(const QString& name, bool enabled)
{
    if (stbFirstStatusbar->hasPanel(name))
        stbFirstStatusbar->setPanelEnabled(name, enabled);
    else if (QAction* a = menuItem(name))
        a->setEnabled(enabled);
}

void frmMDIMainForm::setControlChecked(const QString& name, bool checked)
{
    if (QAction* a = menuItem(name))
        a->setChecked(checked);
}

bool frmMDIMainForm::isControlChecked(const QString& name) const
{
    QAction* a = menuItem(name);
    return a && a->isChecked();
}
