#include "mainwindow/frmMDIMainForm.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"
#include "core/ProgramVersion.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "mainwindow/MainMenuModul.h"
#include "mainwindow/dlgComPortSelection.h"
#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgSprache.h"
#include "mainwindow/frmAbout.h"
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
#include "wiring/MainWindowHosts.h"
#include "wiring/ProgramServices.h"
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
#include <algorithm>
#include <cmath>
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

QString setting(const char* key)
{
    return objSettings().getSetting(QString::fromLatin1(key));
}

QString channelKey(int channel, const char* kind)
{
    return QStringLiteral("Kanal") + QString::number(channel) + QLatin1String(kind);
}

QString visibleKey(int channel)
{
    return QStringLiteral("Akku") + QString::number(channel) + QStringLiteral("Visible");
}

// The six panels beyond channel 1, in the order the layout table names them.
const char* const kPanelsBeyondChannel1[] = {"Kanal2Text", "Kanal2Label", "Kanal3Label",
                                             "Kanal3Text", "Kanal4Label", "Kanal4Text"};
} // namespace

frmMDIMainForm* mainForm()
{
    return g_mainForm;
}

frmMDIMainForm::frmMDIMainForm(ProgramServices& services, QWidget* parent) : QMainWindow(parent), m_services(services)
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

// --- layout -------------------------------------------------------------------

void frmMDIMainForm::buildMenus()
{
    auto menu = [this](QMenu* parentMenu, const char* name) {
        QMenu* m = parentMenu ? parentMenu->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [](QMenu* m, const char* name) {
        QAction* a = m->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto separator = [](QMenu* m, const char* name) {
        QAction* a = m->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    mnuDatei = menu(nullptr, "mnuDatei");
    mnuDateiImport = menu(mnuDatei, "mnuDateiImport");
    mnuDateiImportVelmoro10 = item(mnuDateiImport, "mnuDateiImportVelmoro10");
    mnuDateiImportVelmoro20 = item(mnuDateiImport, "mnuDateiImportVelmoro20");
    mnuDateiExport = item(mnuDatei, "mnuDateiExport");
    mnuDateiSeperator1 = separator(mnuDatei, "mnuDateiSeperator1");
    mnuDateiFormatPage = item(mnuDatei, "mnuDateiFormatPage");
    mnuDateiConfigurePrinter = item(mnuDatei, "mnuDateiConfigurePrinter");
    mnuDateiPrint = item(mnuDatei, "mnuDateiPrint");
    mnuDateiSeperator2 = separator(mnuDatei, "mnuDateiSeperator2");
    mnuDateiBeenden = item(mnuDatei, "mnuDateiBeenden");

    mnuBearbeiten = menu(nullptr, "mnuBearbeiten");
    mnuBearbeitenMesswerteVerwalten = item(mnuBearbeiten, "mnuBearbeitenMesswerteVerwalten");
    mnuBearbeitenSeperator1 = separator(mnuBearbeiten, "mnuBearbeitenSeperator1");
    mnuBearbeitenInfoDiagramm = item(mnuBearbeiten, "mnuBearbeitenInfoDiagramm");
    mnuBearbeitenSeperator2 = separator(mnuBearbeiten, "mnuBearbeitenSeperator2");
    mnuBearbeitenDBKomprimieren = item(mnuBearbeiten, "mnuBearbeitenDBKomprimieren");

    mnuEinstellungen = menu(nullptr, "mnuEinstellungen");
    mnuEinstellungenKanaele = menu(mnuEinstellungen, "mnuEinstellungenKanaele");
    mnuEinstellungenKanaeleKanal1 = item(mnuEinstellungenKanaele, "mnuEinstellungenKanaeleKanal1");
    mnuEinstellungenKanaeleKanal2 = item(mnuEinstellungenKanaele, "mnuEinstellungenKanaeleKanal2");
    mnuEinstellungenKanaeleKanal3 = item(mnuEinstellungenKanaele, "mnuEinstellungenKanaeleKanal3");
    mnuEinstellungenKanaeleKanal4 = item(mnuEinstellungenKanaele, "mnuEinstellungenKanaeleKanal4");
    mnuEinstellungenSeperator1 = separator(mnuEinstellungen, "mnuEinstellungenSeperator1");
    mnuEinstellungenCOMPort = item(mnuEinstellungen, "mnuEinstellungenCOMPort");
    mnuEinstellungenSeperator2 = separator(mnuEinstellungen, "mnuEinstellungenSeperator2");
    mnuEinstellungenSprache = item(mnuEinstellungen, "mnuEinstellungenSprache");
    mnuEinstellungenSep5 = separator(mnuEinstellungen, "mnuEinstellungenSep5");
    mnuEinstellungenLadegeraet = item(mnuEinstellungen, "mnuEinstellungenLadegeraet");
    mnuEinstellungenSep = separator(mnuEinstellungen, "mnuEinstellungenSep");
    mnuEinstellungenOptionen = item(mnuEinstellungen, "mnuEinstellungenOptionen");
    mnuEinstellungenSep6 = separator(mnuEinstellungen, "mnuEinstellungenSep6");
    mnuPrintsettings = item(mnuEinstellungen, "mnuPrintsettings");

    mnuFenster = menu(nullptr, "mnuFenster");
    mnuFensterUeberlappend = item(mnuFenster, "mnuFensterUeberlappend");
    mnuFensterUebereinander = item(mnuFenster, "mnuFensterUebereinander");
    mnuFensterNebeneinander = item(mnuFenster, "mnuFensterNebeneinander");
    mnuFensterSymboleAnordnen = item(mnuFenster, "mnuFensterSymboleAnordnen");
    mnuFensterAlleFensterVerkleinern = item(mnuFenster, "mnuFensterAlleFensterVerkleinern");

    mnuHelp = menu(nullptr, "mnuHelp");
    mnuHelpInhalt = item(mnuHelp, "mnuHelpInhalt");
    mnuHelpIndex = item(mnuHelp, "mnuHelpIndex");
    mnuHelpWeb = item(mnuHelp, "mnuHelpWeb");
    mnuSeperatorHelp1 = separator(mnuHelp, "mnuSeperatorHelp1");
    mnuHelpInfo = item(mnuHelp, "mnuHelpInfo");

    // Items nobody ever sees.
    for (QAction* hidden : {mnuDateiImport->menuAction(), mnuDateiExport, mnuDateiSeperator1, mnuDateiFormatPage,
                            mnuFensterAlleFensterVerkleinern, mnuHelpIndex, mnuHelpWeb, mnuSeperatorHelp1})
        hidden->setVisible(false);

    mnuDateiPrint->setEnabled(false);

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
        stbFirstStatusbar->addPanel(channelKey(n, "Label"));
        stbFirstStatusbar->addPanel(channelKey(n, "Text"), QString(), 1);
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
    const auto answer = msgBox(getResource(QStringLiteral("1090")), MessageService::YesNo, MessageService::Information,
                               getResource(QStringLiteral("0410")));
    if (answer == MessageService::Yes) {
        saveChannelVisibility();
        cancel = 0;
    } else {
        cancel = 1;
    }
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
    if (bActive.has_value() && !*bActive)
        velmoroActiveForm = nullptr;
    mnuDateiPrint->setEnabled(!velmoroActiveForm.isNull());
}

// --- texts and title ------------------------------------------------------------

void frmMDIMainForm::ReloadWindowCaption()
{
    // The port as the port dialog would show it checked: "1" .. "10", or a
    // device path; anything else checks no option and reads "2".
    QString port = setting("ComPort");
    bool numeric = false;
    const int portNumber = port.toInt(&numeric);
    if (!port.startsWith(QLatin1Char('/')) && !(numeric && portNumber >= 1 && portNumber <= 10))
        port = QStringLiteral("2");
    else if (numeric)
        port = QString::number(portNumber);

    const QString title = getResource(QStringLiteral("0001")) + QStringLiteral(" - ")
                          + getResource(QStringLiteral("0002")) + QLatin1Char(' ') + programVersionText()
                          + getResource(QStringLiteral("0003")) + QStringLiteral("    ") + setting("ChargerTextTop")
                          + QStringLiteral("  velmoro ") + setting("UsedCharger") + QStringLiteral("    ")
                          + QStringLiteral("Com Port: ") + port;
    setWindowTitle(title);
}

void frmMDIMainForm::setLanguageResources()
{
    ReloadWindowCaption();
    const struct {
        QAction* item;
        const char* id;
    } texts[] = {
        {mnuDatei->menuAction(), "1000"},
        {mnuDateiImport->menuAction(), "1002"},
        {mnuDateiImportVelmoro10, "1004"},
        {mnuDateiImportVelmoro20, "1006"},
        {mnuDateiExport, "1008"},
        {mnuDateiFormatPage, "1010"},
        {mnuDateiConfigurePrinter, "1012"},
        {mnuDateiPrint, "1014"},
        {mnuDateiBeenden, "1016"},
        {mnuBearbeiten->menuAction(), "1020"},
        {mnuBearbeitenMesswerteVerwalten, "1022"},
        {mnuBearbeitenInfoDiagramm, "1024"},
        {mnuBearbeitenDBKomprimieren, "1026"},
        {mnuEinstellungen->menuAction(), "1040"},
        {mnuEinstellungenKanaele->menuAction(), "1042"},
        {mnuEinstellungenKanaeleKanal1, "1044"},
        {mnuEinstellungenKanaeleKanal2, "1046"},
        {mnuEinstellungenKanaeleKanal3, "1048"},
        {mnuEinstellungenKanaeleKanal4, "1050"},
        {mnuEinstellungenCOMPort, "1052"},
        {mnuEinstellungenSprache, "1054"},
        {mnuEinstellungenLadegeraet, "1055"},
        {mnuEinstellungenOptionen, "1056"},
        {mnuPrintsettings, "9020"},
        {mnuFenster->menuAction(), "1060"},
        {mnuFensterUeberlappend, "1062"},
        {mnuFensterUebereinander, "1064"},
        {mnuFensterNebeneinander, "1066"},
        {mnuFensterSymboleAnordnen, "1068"},
        {mnuFensterAlleFensterVerkleinern, "1070"},
        {mnuHelp->menuAction(), "1080"},
        {mnuHelpInhalt, "1082"},
        {mnuHelpIndex, "1084"},
        {mnuHelpWeb, "1086"},
        {mnuHelpInfo, "1088"},
    };
    for (const auto& t : texts)
        t.item->setText(getResource(QString::fromLatin1(t.id)));
    const char* const labelIds[] = {"1500", "1502", "1504", "1506"};
    for (int n = 1; n <= 4; ++n)
        stbFirstStatusbar->setPanelText(channelKey(n, "Label"), getResource(QString::fromLatin1(labelIds[n - 1])));
}

// --- status bar -----------------------------------------------------------------

bool frmMDIMainForm::channelPresent(int channel) const
{
    // Only a self-describing charger says how many channels it has.
    if (setting("UsedCharger") != QLatin1String("KZTx"))
        return true;
    return channel <= kztxChannelCount().value_or(1);
}

std::optional<int> frmMDIMainForm::kztxChannelCount()
{
    const QString text = setting("KZTxChannelCount").trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Converted as a whole number (halves to even), then kept to the channels
    // that exist: a larger count would address panels and windows there are not.
    const double whole = std::nearbyint(value);
    return static_cast<int>(std::clamp(whole, 1.0, 4.0));
}

void frmMDIMainForm::optimizeStatusbar()
{
    const QString charger = setting("UsedCharger");
    auto forSix = [this](auto&& action) {
        for (const char* key : kPanelsBeyondChannel1)
            action(QString::fromLatin1(key));
    };
    if (charger == QLatin1String("KZT1")) {
        forSix([this](const QString& key) { stbFirstStatusbar->setPanelVisible(key, false); });
    } else if (charger == QLatin1String("KZT4") || charger == QLatin1String("J4")) {
        forSix([this](const QString& key) { stbFirstStatusbar->setPanelEnabled(key, true); });
    } else if (charger == QLatin1String("KZT4 48V")) {
        stbFirstStatusbar->setPanelEnabled(QStringLiteral("Kanal2Text"), true);
        stbFirstStatusbar->setPanelEnabled(QStringLiteral("Kanal2Label"), true);
        for (int n = 3; n <= 4; ++n) {
            for (const char* kind : {"Label", "Text"}) {
                stbFirstStatusbar->setPanelEnabled(channelKey(n, kind), false);
                stbFirstStatusbar->setPanelVisible(channelKey(n, kind), false);
            }
        }
        objSettings().setSetting(QStringLiteral("Akku3Visible"), QStringLiteral("NO"));
        objSettings().setSetting(QStringLiteral("Akku4Visible"), QStringLiteral("NO"));
    } else if (charger == QLatin1String("KZTx")) {
        forSix([this](const QString& key) { stbFirstStatusbar->setPanelVisible(key, false); });
        forSix([this](const QString& key) { stbFirstStatusbar->setPanelEnabled(key, false); });
        if (const auto count = kztxChannelCount()) {
            for (int n = 1; n <= *count; ++n) {
                stbFirstStatusbar->setPanelVisible(channelKey(n, "Text"), true);
                stbFirstStatusbar->setPanelVisible(channelKey(n, "Label"), true);
                stbFirstStatusbar->setPanelEnabled(channelKey(n, "Text"), true);
                stbFirstStatusbar->setPanelEnabled(channelKey(n, "Label"), true);
            }
        }
    }
}

void frmMDIMainForm::setStatusbarPanelText(const QString& key, const QString& text)
{
    stbFirstStatusbar->setPanelText(key, text);
}

void frmMDIMainForm::stbFirstStatusbar_PanelClick(const QString& key)
{
    stbFirstStatusbar_PanelDblClick(key);
}

void frmMDIMainForm::stbFirstStatusbar_PanelDblClick(const QString& key)
{
    for (int n = 1; n <= 4; ++n) {
        if (key != channelKey(n, "Label"))
            continue;
        if (isKanalShown(n)) {
            activateKanal(n);
        } else {
            showKanal(n);
            setChannelMenuChecked(n, true);
        }
        return;
    }
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
    if (QAction* a = channelMenuItem(channel))
        a->setChecked(checked);
}

void frmMDIMainForm::setChannelMenuEnabled(int channel, bool enabled)
{
    if (QAction* a = channelMenuItem(channel))
        a->setEnabled(enabled);
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

void frmMDIMainForm::showChannelWindow(int channel)
{
    frmKanal* k = loadKanal(channel);
    if (!k)
        return;
    if (objSettings().getSetting(visibleKey(channel)) == QLatin1String("YES")) {
        showKanal(channel);
        setChannelMenuChecked(channel, true);
    } else {
        k->subWindow()->hide();
        setChannelMenuChecked(channel, false);
    }
}

void frmMDIMainForm::showChannelWindow1()
{
    showChannelWindow(1);
}
void frmMDIMainForm::showChannelWindow2()
{
    showChannelWindow(2);
}
void frmMDIMainForm::showChannelWindow3()
{
    showChannelWindow(3);
}
void frmMDIMainForm::showChannelWindow4()
{
    showChannelWindow(4);
}

void frmMDIMainForm::showChannelWindows2To4()
{
    showChannelWindow2();
    showChannelWindow3();
    showChannelWindow4();
}

void frmMDIMainForm::mnuEinstellungenKanaeleKanal_Click(int channel)
{
    QAction* a = channelMenuItem(channel);
    if (!a)
        return;
    if (a->isChecked()) {
        activateKanal(channel);
    } else {
        a->setChecked(true);
        showKanal(channel);
    }
}

void frmMDIMainForm::loadChannelWindows()
{
    loadKanal(1);
    for (int n = 2; n <= 4; ++n)
        channelMenuItem(n)->setEnabled(false);

    const QString charger = setting("UsedCharger");
    if (charger == QLatin1String("KZTx")) {
        const int count = kztxChannelCount().value_or(1);
        for (int n = 2; n <= count; ++n) {
            channelMenuItem(n)->setEnabled(true);
            loadKanal(n);
            showChannelWindow(n);
        }
    } else if (charger == QLatin1String("KZT4") || charger == QLatin1String("KZT4 48V")
               || charger == QLatin1String("J4")) {
        for (int n = 2; n <= 4; ++n)
            loadKanal(n);
        for (int n = 2; n <= 4; ++n)
            channelMenuItem(n)->setEnabled(true);
        showChannelWindows2To4();
    }
    showChannelWindow1();
    placeChannelWindows();
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
    const int channels = placedChannelCount();
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

int frmMDIMainForm::placedChannelCount() const
{
    // The two-channel model loads windows 3 and 4 but never shows them.
    return setting("UsedCharger") == QLatin1String("KZT4 48V") ? 2 : 4;
}

void frmMDIMainForm::saveChannelVisibility()
{
    auto fromMenu = [this](int n) {
        return channelMenuItem(n)->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO");
    };
    auto set = [](int n, const QString& value) { objSettings().setSetting(visibleKey(n), value); };
    const QString charger = setting("UsedCharger");
    if (charger == QLatin1String("KZT1")) {
        set(1, fromMenu(1));
    } else if (charger == QLatin1String("KZT4 48V")) {
        set(1, fromMenu(1));
        set(2, fromMenu(2));
        set(3, QStringLiteral("NO"));
        set(4, QStringLiteral("NO"));
    } else if (charger == QLatin1String("KZTx")) {
        for (int n = 1; n <= 4; ++n)
            set(n, QStringLiteral("NO"));
        if (const auto count = kztxChannelCount()) {
            for (int n = 1; n <= *count; ++n)
                if (channelMenuItem(n)->isChecked())
                    set(n, QStringLiteral("YES"));
        }
    } else {
        for (int n = 1; n <= 4; ++n)
            set(n, fromMenu(n));
    }
}

void frmMDIMainForm::setProgramExtensionSetting()
{
    const QString charger = setting("UsedCharger");
    QString value;
    if (charger == QLatin1String("KZT4"))
        value = setting("KZT4ExtensionAvailable");
    else if (charger == QLatin1String("KZT1"))
        value = setting("KZT1ExtensionAvailable");
    else if (charger == QLatin1String("KZT4 48V"))
        value = setting("KZT448VExtensionAvailable");
    else if (charger == QLatin1String("KZTx"))
        value = setting("KZTxExtensionAvailable");
    else
        value = QStringLiteral("NO");
    objSettings().setSetting(QStringLiteral("ProgramExtensionAvaiable"), value);
}

// --- usage queries and the temporary series counter ------------------------------

namespace {
enum class Query { Used, Reset };
}

static QString askChannels(frmMDIMainForm& form, Query query, qint32 lAkkuId)
{
    auto ask = [&](int n) {
        frmKanal* k = form.kanal(n);
        // A window that was never loaded holds no battery.
        if (!k)
            return false;
        return query == Query::Used ? k->isAkkuUsed(lAkkuId) : k->resetAkkuId(lAkkuId);
    };
    const QString none = query == Query::Used ? QStringLiteral("notUsed") : QStringLiteral("noReset");
    auto id = [](int n) { return QStringLiteral("00") + QString::number(n); };

    const QString charger = setting("UsedCharger");
    if (charger == QLatin1String("KZT1"))
        return ask(1) ? id(1) : none;
    if (charger == QLatin1String("KZT4 48V") && query == Query::Reset) {
        for (int n = 1; n <= 2; ++n)
            if (ask(n))
                return id(n);
        return none;
    }
    if (charger == QLatin1String("KZTx")) {
        const auto count = frmMDIMainForm::kztxChannelCount();
        if (!count)
            return QString();
        QString answer = none;
        for (int n = 1; n <= *count; ++n)
            if (ask(n))
                answer = id(n);
        return answer;
    }
    for (int n = 1; n <= 4; ++n)
        if (ask(n))
            return id(n);
    return none;
}

QString frmMDIMainForm::resetAkkuId(qint32 lAkkuId)
{
    return askChannels(*this, Query::Reset, lAkkuId);
}

QString frmMDIMainForm::isAkkuUsed(qint32 lAkkuId)
{
    return askChannels(*this, Query::Used, lAkkuId);
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
    ErrorGuard::run([this] { dlgMesswerteErfassen::openManager(this, m_services); });
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
    const QString charger = setting("UsedCharger");
    if (charger == QLatin1String("KZT1"))
        return 1;
    if (charger == QLatin1String("KZT4 48V"))
        return 2;
    if (charger == QLatin1String("KZTx"))
        return kztxChannelCount().value_or(1);
    return 4;
}

void frmMDIMainForm::resetChannelForNewProgram(int channel)
{
    // A channel whose window was never loaded has nothing to forget.
    if (frmKanal* k = kanal(channel))
        k->resetForNewProgram();
}
