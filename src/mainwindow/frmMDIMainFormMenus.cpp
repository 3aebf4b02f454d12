#include "mainwindow/frmMDIMainForm.h"

#include "core/ProgramResources.h"
#include "core/StartupModul.h"
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
#include "platform/ProgramPrinter.h"
#include "printing/dlgPrintSettings.h"
#include "printing/dlgSubTitle.h"
#include "records/dlgMesswerteErfassen.h"
#include "wiring/ProgramServices.h"

#include <QAction>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>

// The main window's menus: built from the table of its control names, and
// the commands they run.

// --- building the menus --------------------------------------------------------------

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

// --- menu commands -------------------------------------------------------------------

void frmMDIMainForm::mnuEinstellungenKanaeleKanal_Click(int channel)
{
    m_logic.channelMenuClicked(channel);
}

void frmMDIMainForm::mnuDateiBeenden_Click()
{
    close();
}

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
    showHelpContents(m_services.urlOpener());
}

void frmMDIMainForm::mnuHelpIndex_Click()
{
    showNotImplemented();
}

void frmMDIMainForm::mnuHelpWeb_Click()
{
    showNotImplemented();
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

dlgFirstCharger* frmMDIMainForm::chargerDialog() const
{
    return m_chargerDialog;
}

frmAbout* frmMDIMainForm::aboutBox() const
{
    return m_about;
}
