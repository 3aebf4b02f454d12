#include "mainwindow/frmMDIMainForm.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"
#include "core/ProgramVersion.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "diagrams/DiagramOpener.h"
#include "diagrams/frmDiagramm.h"
#include "mainwindow/MainFormControls.h"
#include "mainwindow/MainMenuModul.h"
#include "mainwindow/dlgComPortSelection.h"
#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgSprache.h"
#include "mainwindow/frmAbout.h"
#include "platform/ControlNames.h"
#include "platform/ErrorGuard.h"
#include "platform/MdiArrange.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/PanelStatusBar.h"
#include "platform/ProgramPrinter.h"
#include "platform/ScreenFit.h"
#include "platform/Terminator.h"
#include "printing/dlgPrintSettings.h"
#include "printing/dlgSubTitle.h"
#include "records/dlgMesswerteErfassen.h"
#include "wiring/RecordsHost.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <limits>
#include <stdexcept>

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

frmMDIMainForm::frmMDIMainForm(QWidget* parent) : QMainWindow(parent), m_logic(*this, objSettings(), objResources())
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
    setMainFormServices(this);
    frmDiagramm::setHost(this);
    RecordsHost::setInstance(&g_recordsHost);
}

frmMDIMainForm::~frmMDIMainForm()
{
    if (g_mainForm == this)
        g_mainForm = nullptr;
    if (mainFormServices() == this)
        setMainFormServices(nullptr);
    frmDiagramm::setHost(nullptr);
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

// --- layout -------------------------------------------------------------------

void frmMDIMainForm::buildMenus()
{
    const QStringList names = mainFormControlNames();
    for (const MainMenuEntry& e : mainMenuEntries()) {
        const QString name = QString::fromLatin1(e.name);
        QMenu* parentMenu =
            e.parent ? qobject_cast<QMenu*>(namedControl(*this, names, QString::fromLatin1(e.parent))) : nullptr;
        QAction* a = nullptr;
        if (e.kind == MainMenuEntry::Menu) {
            QMenu* m = parentMenu ? parentMenu->addMenu(QString()) : menuBar()->addMenu(QString());
            m->setObjectName(name);
            a = m->menuAction();
        } else if (e.kind == MainMenuEntry::Separator) {
            a = parentMenu->addSeparator();
        } else {
            a = parentMenu->addAction(QString());
        }
        a->setObjectName(name);
        if (!e.shown)
            a->setVisible(false);
    }
    bindMenus();
    mnuDateiPrint->setEnabled(false);
    connectMenus();
}

void frmMDIMainForm::bindMenus()
{
    // Each member carries the name of its control.
#define VELMORO_CONTROL(member)                                                                                        \
    {                                                                                                                  \
        &member, #member                                                                                               \
    }
    const std::pair<QMenu**, const char*> menus[] = {
        VELMORO_CONTROL(mnuDatei),         VELMORO_CONTROL(mnuDateiImport),          VELMORO_CONTROL(mnuBearbeiten),
        VELMORO_CONTROL(mnuEinstellungen), VELMORO_CONTROL(mnuEinstellungenKanaele), VELMORO_CONTROL(mnuFenster),
        VELMORO_CONTROL(mnuHelp),
    };
    const std::pair<QAction**, const char*> items[] = {
        VELMORO_CONTROL(mnuDateiImportVelmoro10),
        VELMORO_CONTROL(mnuDateiImportVelmoro20),
        VELMORO_CONTROL(mnuDateiExport),
        VELMORO_CONTROL(mnuDateiSeperator1),
        VELMORO_CONTROL(mnuDateiFormatPage),
        VELMORO_CONTROL(mnuDateiConfigurePrinter),
        VELMORO_CONTROL(mnuDateiPrint),
        VELMORO_CONTROL(mnuDateiSeperator2),
        VELMORO_CONTROL(mnuDateiBeenden),
        VELMORO_CONTROL(mnuBearbeitenMesswerteVerwalten),
        VELMORO_CONTROL(mnuBearbeitenSeperator1),
        VELMORO_CONTROL(mnuBearbeitenInfoDiagramm),
        VELMORO_CONTROL(mnuBearbeitenSeperator2),
        VELMORO_CONTROL(mnuBearbeitenDBKomprimieren),
        VELMORO_CONTROL(mnuEinstellungenKanaeleKanal1),
        VELMORO_CONTROL(mnuEinstellungenKanaeleKanal2),
        VELMORO_CONTROL(mnuEinstellungenKanaeleKanal3),
        VELMORO_CONTROL(mnuEinstellungenKanaeleKanal4),
        VELMORO_CONTROL(mnuEinstellungenSeperator1),
        VELMORO_CONTROL(mnuEinstellungenCOMPort),
        VELMORO_CONTROL(mnuEinstellungenSeperator2),
        VELMORO_CONTROL(mnuEinstellungenSprache),
        VELMORO_CONTROL(mnuEinstellungenSep5),
        VELMORO_CONTROL(mnuEinstellungenLadegeraet),
        VELMORO_CONTROL(mnuEinstellungenSep),
        VELMORO_CONTROL(mnuEinstellungenOptionen),
        VELMORO_CONTROL(mnuEinstellungenSep6),
        VELMORO_CONTROL(mnuPrintsettings),
        VELMORO_CONTROL(mnuFensterUeberlappend),
        VELMORO_CONTROL(mnuFensterUebereinander),
        VELMORO_CONTROL(mnuFensterNebeneinander),
        VELMORO_CONTROL(mnuFensterSymboleAnordnen),
        VELMORO_CONTROL(mnuFensterAlleFensterVerkleinern),
        VELMORO_CONTROL(mnuHelpInhalt),
        VELMORO_CONTROL(mnuHelpIndex),
        VELMORO_CONTROL(mnuHelpWeb),
        VELMORO_CONTROL(mnuSeperatorHelp1),
        VELMORO_CONTROL(mnuHelpInfo),
    };
#undef VELMORO_CONTROL
    const QStringList names = mainFormControlNames();
    for (const auto& [member, name] : menus)
        *member = qobject_cast<QMenu*>(namedControl(*this, names, QString::fromLatin1(name)));
    for (const auto& [member, name] : items)
        *member = menuItem(QString::fromLatin1(name));
}

void frmMDIMainForm::connectMenus()
{
    const QKeySequence channelKeys[] = {QKeySequence(Qt::SHIFT | Qt::Key_F1), QKeySequence(Qt::SHIFT | Qt::Key_F2),
                                        QKeySequence(Qt::SHIFT | Qt::Key_F3), QKeySequence(Qt::SHIFT | Qt::Key_F4)};
    for (int n = 1; n <= 4; ++n) {
        QAction* a = channelMenuItem(n);
        a->setCheckable(true);
        a->setShortcut(channelKeys[n - 1]);
        // Qt has flipped the mark before the handler runs; the command decides
        // from the mark as it was.
        connect(a, &QAction::triggered, this, [this, a, n](bool checked) {
            a->setChecked(!checked);
            ErrorGuard::run([this, n] { mnuEinstellungenKanaeleKanal_Click(n); });
        });
    }
    const std::pair<QAction*, void (frmMDIMainForm::*)()> commands[] = {
        {mnuDateiImportVelmoro10, &frmMDIMainForm::mnuDateiImportVelmoro10_Click},
        {mnuDateiImportVelmoro20, &frmMDIMainForm::mnuDateiImportVelmoro20_Click},
        {mnuDateiExport, &frmMDIMainForm::mnuDateiExport_Click},
        {mnuDateiFormatPage, &frmMDIMainForm::mnuDateiFormatPage_Click},
        {mnuDateiConfigurePrinter, &frmMDIMainForm::mnuDateiConfigurePrinter_Click},
        {mnuDateiPrint, &frmMDIMainForm::mnuDateiPrint_Click},
        {mnuDateiBeenden, &frmMDIMainForm::mnuDateiBeenden_Click},
        {mnuBearbeitenInfoDiagramm, &frmMDIMainForm::mnuBearbeitenInfoDiagramm_Click},
        {mnuBearbeitenMesswerteVerwalten, &frmMDIMainForm::mnuBearbeitenMesswerteVerwalten_Click},
        {mnuBearbeitenDBKomprimieren, &frmMDIMainForm::mnuBearbeitenDBKomprimieren_Click},
        {mnuEinstellungenCOMPort, &frmMDIMainForm::mnuEinstellungenCOMPort_Click},
        {mnuEinstellungenSprache, &frmMDIMainForm::mnuEinstellungenSprache_Click},
        {mnuEinstellungenLadegeraet, &frmMDIMainForm::mnuEinstellungenLadegeraet_Click},
        {mnuFensterUeberlappend, &frmMDIMainForm::mnuFensterUeberlappend_Click},
        {mnuFensterUebereinander, &frmMDIMainForm::mnuFensterUebereinander_Click},
        {mnuFensterNebeneinander, &frmMDIMainForm::mnuFensterNebeneinander_Click},
        {mnuFensterSymboleAnordnen, &frmMDIMainForm::mnuFensterSymboleAnordnen_Click},
        {mnuFensterAlleFensterVerkleinern, &frmMDIMainForm::mnuFensterAlleFensterVerkleinern_Click},
        {mnuHelpInhalt, &frmMDIMainForm::mnuHelpInhalt_Click},
        {mnuHelpIndex, &frmMDIMainForm::mnuHelpIndex_Click},
        {mnuHelpWeb, &frmMDIMainForm::mnuHelpWeb_Click},
        {mnuHelpInfo, &frmMDIMainForm::mnuHelpInfo_Click},
        {mnuPrintsettings, &frmMDIMainForm::mnuPrintsettings_Click},
        {mnuEinstellungenOptionen, &frmMDIMainForm::mnuEinstellungenOptionen_Click},
    };
    for (const auto& [action, handler] : commands)
        connect(action, &QAction::triggered, this, ErrorGuard::slot([this, handler] { (this->*handler)(); }));

    // The window menu also lists the shown child windows.
    connect(mnuFenster, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : mnuFenster->actions())
            if (a->property("velmoroWindowList").toBool())
                delete a;
        const auto windows = m_mdi->subWindowList();
        bool first = true;
        for (QMdiSubWindow* w : windows) {
            if (w->isHidden())
                continue;
            if (first) {
                mnuFenster->addSeparator()->setProperty("velmoroWindowList", true);
                first = false;
            }
            QAction* a = mnuFenster->addAction(w->windowTitle());
            a->setProperty("velmoroWindowList", true);
            a->setCheckable(true);
            a->setChecked(w == m_mdi->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, w] { m_mdi->setActiveSubWindow(w); });
        }
    });
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

// --- load and close -----------------------------------------------------------

void frmMDIMainForm::MDIForm_Load()
{
    velmoroActiveForm = nullptr;
    lNextTempMesswertID = 1;
    bNoKZTFound = false;
    check_Ladegeraet = true;
    hide();
    initApplication(*this);
}

void frmMDIMainForm::MDIForm_QueryUnload(int& cancel)
{
    m_logic.queryUnload(cancel);
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

void frmMDIMainForm::mnuDateiBeenden_Click()
{
    close();
}

// --- further menu commands --------------------------------------------------------

void frmMDIMainForm::mnuDateiImportVelmoro10_Click()
{
}

void frmMDIMainForm::mnuDateiImportVelmoro20_Click()
{
    // Only the common dialog: nothing is imported.
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("commonDialogMain"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    execModal(dialog);
}

void frmMDIMainForm::mnuDateiExport_Click()
{
    // Only the common dialog: nothing is exported.
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("commonDialogMain"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    execModal(dialog);
}

void frmMDIMainForm::mnuDateiFormatPage_Click()
{
    showNotImplemented();
}

void frmMDIMainForm::mnuDateiConfigurePrinter_Click()
{
    configurePrinter(this);
}

void frmMDIMainForm::mnuDateiPrint_Click()
{
    // Only the printer dialog: the choice is not used and nothing is printed.
    QPrintDialog dialog(&programPrinter(), this);
    dialog.setObjectName(QStringLiteral("commonDialogMain"));
    execModal(dialog);
}

void frmMDIMainForm::mnuBearbeitenInfoDiagramm_Click()
{
    msgBox(getResource(QStringLiteral("1100")), MessageService::OkOnly, MessageService::Information,
           getResource(QStringLiteral("0410")));
}

void frmMDIMainForm::mnuBearbeitenDBKomprimieren_Click()
{
    compactUserDatabase();
}

void frmMDIMainForm::mnuEinstellungenCOMPort_Click()
{
    dlgComPortSelection dialog(this);
    execModal(dialog);
}

void frmMDIMainForm::mnuEinstellungenSprache_Click()
{
    dlgSprache dialog(this);
    execModal(dialog);
}

void frmMDIMainForm::mnuEinstellungenLadegeraet_Click()
{
    // Modeless and without owner: the main window stays usable beside it.
    if (!m_chargerDialog) {
        m_chargerDialog = new dlgFirstCharger;
        m_chargerDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_chargerDialog->show();
    m_chargerDialog->raise();
    m_chargerDialog->activateWindow();
}

void frmMDIMainForm::mnuFensterUeberlappend_Click()
{
    arrangeMdi(*m_mdi, MdiArrangement::Cascade);
}

void frmMDIMainForm::mnuFensterUebereinander_Click()
{
    arrangeMdi(*m_mdi, MdiArrangement::TileHorizontal);
}

void frmMDIMainForm::mnuFensterNebeneinander_Click()
{
    arrangeMdi(*m_mdi, MdiArrangement::TileVertical);
}

void frmMDIMainForm::mnuFensterSymboleAnordnen_Click()
{
    arrangeMdi(*m_mdi, MdiArrangement::ArrangeIcons);
}

void frmMDIMainForm::mnuFensterAlleFensterVerkleinern_Click()
{
    showNotImplemented();
}

void frmMDIMainForm::mnuHelpInhalt_Click()
{
    showHelpContents();
}

void frmMDIMainForm::mnuHelpIndex_Click()
{
    showNotImplemented();
}

void frmMDIMainForm::mnuHelpWeb_Click()
{
    showNotImplemented();
}

dlgFirstCharger* frmMDIMainForm::chargerDialog() const
{
    return m_chargerDialog;
}

frmAbout* frmMDIMainForm::aboutBox() const
{
    return m_about;
}

void frmMDIMainForm::mnuHelpInfo_Click()
{
    if (!m_about) {
        m_about = new frmAbout;
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

// --- activation and print item -------------------------------------------------

void frmMDIMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Laid out at start before the window was on the screen: once there, its
    // own parts and frame are known and the layout is made exact.
    if (m_channelGrid && !m_placedOnScreen) {
        m_placedOnScreen = true;
        placeChannelWindows();
    }
    keepOnScreen(this);
}

void frmMDIMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
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

// --- texts and title ------------------------------------------------------------

void frmMDIMainForm::ReloadWindowCaption()
{
    m_logic.ReloadWindowCaption();
}

void frmMDIMainForm::setLanguageResources()
{
    m_logic.setLanguageResources();
}

// --- status bar -----------------------------------------------------------------

bool frmMDIMainForm::channelPresent(int channel) const
{
    return m_logic.channelPresent(channel);
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

// --- channel windows ------------------------------------------------------------

QAction* frmMDIMainForm::channelMenuItem(int channel) const
{
    switch (channel) {
    case 1:
        return mnuEinstellungenKanaeleKanal1;
    case 2:
        return mnuEinstellungenKanaeleKanal2;
    case 3:
        return mnuEinstellungenKanaeleKanal3;
    case 4:
        return mnuEinstellungenKanaeleKanal4;
    default:
        return nullptr;
    }
}

void frmMDIMainForm::setChannelMenuChecked(int channel, bool checked)
{
    m_logic.setChannelMenuChecked(channel, checked);
}

void frmMDIMainForm::setChannelMenuEnabled(int channel, bool enabled)
{
    m_logic.setChannelMenuEnabled(channel, enabled);
}

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
    auto* k = new frmKanal(channel, *this);
    auto* sub = new QMdiSubWindow;
    sub->setObjectName(k->objectName() + QStringLiteral("Window"));
    // A channel window lives for the whole run; closing it only hides it.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWidget(k);
    m_mdi->addSubWindow(sub);
    sub->hide();
    m_kanal[channel - 1] = k;
    k->logic().setDiagram(&DiagramOpener::instance(), k);
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

void frmMDIMainForm::mnuEinstellungenKanaeleKanal_Click(int channel)
{
    m_logic.channelMenuClicked(channel);
}

void frmMDIMainForm::loadChannelWindows()
{
    m_logic.loadChannelWindows();
}

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
    resize((grid.extent() + chrome + bars + slack).boundedTo(most).expandedTo(minimumSizeHint()).boundedTo(most));
    keepWithin(this, screenArea);
}

void frmMDIMainForm::saveChannelVisibility()
{
    m_logic.saveChannelVisibility();
}

void frmMDIMainForm::setProgramExtensionSetting()
{
    m_logic.setProgramExtensionSetting();
}

// --- usage queries and the temporary series counter ------------------------------

bool frmMDIMainForm::askKanalWindow(int channel, ChargerModel::ChannelQuery query, qint32 lAkkuId)
{
    frmKanal* k = kanal(channel);
    if (!k)
        return false;
    return query == ChargerModel::ChannelQuery::Used ? k->isAkkuUsed(lAkkuId) : k->resetAkkuId(lAkkuId);
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

// --- batteries and series ------------------------------------------------------------

void frmMDIMainForm::mnuBearbeitenMesswerteVerwalten_Click()
{
    ErrorGuard::run([this] { dlgMesswerteErfassen::openManager(this); });
}

void frmMDIMainForm::mnuPrintsettings_Click()
{
    dlgPrintSettings dialog(this);
    execModal(dialog);
}

void frmMDIMainForm::mnuEinstellungenOptionen_Click()
{
    dlgSubTitle dialog(this);
    execModal(dialog);
}

// --- sending a program to every channel ----------------------------------------------

int frmMDIMainForm::programChannelCount() const
{
    return m_logic.programChannelCount();
}

void frmMDIMainForm::resetChannelForNewProgram(int channel)
{
    // A channel whose window was never loaded has nothing to forget.
    if (frmKanal* k = kanal(channel))
        k->resetForNewProgram();
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
