#pragma once

#include "mainwindow/ChannelPlacement.h"
#include "mainwindow/MainFormLogic.h"
#include "mainwindow/MainFormView.h"

#include "core/MainFormServices.h"
#include "wiring/DiagramHost.h"
#include "wiring/KanalHost.h"
#include "wiring/ProgramChannels.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class PanelStatusBar;
class dlgFirstCharger;
class frmAbout;
class frmKanal;
class ProgramServices;

// The multiple-document parent window: menus, status bar, the channel windows,
// and the small public state that the channel windows share. What it decides
// lies in MainFormLogic; the window builds the widgets and carries out the
// logic's orders through MainFormView.
class frmMDIMainForm : public QMainWindow,
                       public KanalHost,
                       public MainFormServices,
                       public ProgramChannels,
                       public DiagramHost,
                       private MainFormView {
    Q_OBJECT
public:
    // services: the program's services; the window attaches itself to their
    // main-window hosts while it exists.
    explicit frmMDIMainForm(ProgramServices& services, QWidget* parent = nullptr);
    ~frmMDIMainForm() override;

    // Public state shared with the channel windows and dialogs.
    QPointer<QWidget> velmoroActiveForm;
    qint32 lNextTempMesswertID = 1;
    bool bNoKZTFound = false;
    bool check_Ladegeraet = true;

    // --- menu bar ------------------------------------------------------------
    QMenu* mnuDatei = nullptr;
    QMenu* mnuDateiImport = nullptr;
    QAction* mnuDateiImportVelmoro10 = nullptr;
    QAction* mnuDateiImportVelmoro20 = nullptr;
    QAction* mnuDateiExport = nullptr;
    QAction* mnuDateiSeperator1 = nullptr;
    QAction* mnuDateiFormatPage = nullptr;
    QAction* mnuDateiConfigurePrinter = nullptr;
    QAction* mnuDateiPrint = nullptr;
    QAction* mnuDateiSeperator2 = nullptr;
    QAction* mnuDateiBeenden = nullptr;

    QMenu* mnuBearbeiten = nullptr;
    QAction* mnuBearbeitenMesswerteVerwalten = nullptr;
    QAction* mnuBearbeitenSeperator1 = nullptr;
    QAction* mnuBearbeitenInfoDiagramm = nullptr;
    QAction* mnuBearbeitenSeperator2 = nullptr;
    QAction* mnuBearbeitenDBKomprimieren = nullptr;

    QMenu* mnuEinstellungen = nullptr;
    QMenu* mnuEinstellungenKanaele = nullptr;
    QAction* mnuEinstellungenKanaeleKanal1 = nullptr;
    QAction* mnuEinstellungenKanaeleKanal2 = nullptr;
    QAction* mnuEinstellungenKanaeleKanal3 = nullptr;
    QAction* mnuEinstellungenKanaeleKanal4 = nullptr;
    QAction* mnuEinstellungenSeperator1 = nullptr;
    QAction* mnuEinstellungenCOMPort = nullptr;
    QAction* mnuEinstellungenSeperator2 = nullptr;
    QAction* mnuEinstellungenSprache = nullptr;
    QAction* mnuEinstellungenSep5 = nullptr;
    QAction* mnuEinstellungenLadegeraet = nullptr;
    QAction* mnuEinstellungenSep = nullptr;
    QAction* mnuEinstellungenOptionen = nullptr;
    QAction* mnuEinstellungenSep6 = nullptr;
    QAction* mnuPrintsettings = nullptr;

    QMenu* mnuFenster = nullptr;
    QAction* mnuFensterUeberlappend = nullptr;
    QAction* mnuFensterUebereinander = nullptr;
    QAction* mnuFensterNebeneinander = nullptr;
    QAction* mnuFensterSymboleAnordnen = nullptr;
    QAction* mnuFensterAlleFensterVerkleinern = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpInhalt = nullptr;
    QAction* mnuHelpIndex = nullptr;
    QAction* mnuHelpWeb = nullptr;
    QAction* mnuSeperatorHelp1 = nullptr;
    QAction* mnuHelpInfo = nullptr;

    // Status bar with the panels Kanal1Label, Kanal1Text .. Kanal4Label, Kanal4Text.
    PanelStatusBar* stbFirstStatusbar = nullptr;

    // --- public operations -------------------------------------------------
    // Without argument (or with true) only the print item follows
    // velmoroActiveForm; with false the reference is emptied first.
    void checkAndSetPrintItem(std::optional<bool> bActive = std::nullopt) override;
    void optimizeStatusbar() override;
    void setLanguageResources() override;
    // Load: resets the public state and runs the start sequence.
    void MDIForm_Load();
    // Close request: asks "1090"; cancel is set when the user says No.
    void MDIForm_QueryUnload(int& cancel);
    // With cancel 0 the program ends here.
    void MDIForm_Unload(int cancel);
    // The channel identifier of the window that decides, or "noReset".
    QString resetAkkuId(qint32 lAkkuId);
    // The channel identifier of the window that uses the battery, or "notUsed".
    QString isAkkuUsed(qint32 lAkkuId);
    qint32 getNewTempMessreiheID() override;
    void ReloadWindowCaption() override;

    // Event handlers.
    void MDIForm_Activate();
    void stbFirstStatusbar_PanelClick(const QString& key);
    void stbFirstStatusbar_PanelDblClick(const QString& key);

    // Channel layout.
    void showChannelWindow1() override;
    void showChannelWindow2();
    void showChannelWindow3();
    void showChannelWindow4();
    void showChannelWindows2To4() override;
    void saveChannelVisibility();
    void setProgramExtensionSetting() override;
    // Start steps: loads the channel windows of the charger model, enables
    // their menu items and shows those the settings say.
    void loadChannelWindows() override;

    // Menu commands of the channel layout and the window itself.
    void mnuEinstellungenKanaeleKanal_Click(int channel);
    void mnuDateiBeenden_Click();

    // Further menu commands.
    void mnuDateiImportVelmoro10_Click();
    void mnuDateiImportVelmoro20_Click();
    void mnuDateiExport_Click();
    void mnuDateiFormatPage_Click();
    void mnuDateiConfigurePrinter_Click();
    void mnuDateiPrint_Click();
    void mnuBearbeitenInfoDiagramm_Click();
    void mnuBearbeitenDBKomprimieren_Click();
    void mnuEinstellungenCOMPort_Click();
    void mnuEinstellungenSprache_Click();
    void mnuEinstellungenLadegeraet_Click();
    void mnuFensterUeberlappend_Click();
    void mnuFensterUebereinander_Click();
    void mnuFensterNebeneinander_Click();
    void mnuFensterSymboleAnordnen_Click();
    void mnuFensterAlleFensterVerkleinern_Click();
    void mnuHelpInhalt_Click();
    void mnuHelpIndex_Click();
    void mnuHelpWeb_Click();
    void mnuHelpInfo_Click();
    // The batteries and series, managed in a modeless dialog.
    void mnuBearbeitenMesswerteVerwalten_Click();
    void mnuPrintsettings_Click();
    void mnuEinstellungenOptionen_Click();

    // The modeless windows the menu opens, while they are open.
    dlgFirstCharger* chargerDialog() const;
    frmAbout* aboutBox() const;

    // Channel window n (1 .. 4) once loaded, else nullptr.
    frmKanal* kanal(int channel) const;
    // Channel window n, loaded first when it is not.
    frmKanal* loadKanal(int channel);
    QMdiSubWindow* kanalSubWindow(int channel) const;
    QAction* channelMenuItem(int channel) const;
    bool isKanalShown(int channel) const;

    QMdiArea* mdiArea() const { return m_mdi; }
    MainFormLogic& logic() { return m_logic; }

    // Lays the loaded channel windows out in a grid, in channel order, and
    // sizes the main window to hold them, frame included, within the
    // available area of its screen. Where the area cannot hold them side by
    // side they overlap, each wholly inside it; only a screen smaller than
    // one channel window leaves the area to scroll. Run at start.
    void placeChannelWindows();
    // The same within a given area of the screen.
    void placeChannelWindows(const QRect& screenArea);

    // KanalHost
    bool noKZTFound() const override { return bNoKZTFound; }
    void setNoKZTFound(bool lost) override { bNoKZTFound = lost; }
    bool checkLadegeraet() const override { return check_Ladegeraet; }
    void setCheckLadegeraet(bool check) override { check_Ladegeraet = check; }
    void setStatusbarPanelText(const QString& key, const QString& text) override;
    void setChannelMenuChecked(int channel, bool checked) override;
    bool channelPresent(int channel) const override;
    void setVelmoroActiveForm(QWidget* form) override;
    ProgramChannels* programChannels() override { return this; }

    // MainFormServices (setCheckLadegeraet and setChannelMenuChecked above serve both)
    void showMainForm() override { show(); }
    void setChannelMenuEnabled(int channel, bool enabled) override;
    void closeMainForm() override { close(); }
    void setNextTempMessreiheID(qint32 id) override { lNextTempMesswertID = id; }

    // ProgramChannels: 1 for KZT1, 2 for KZT4 48V, KZTxChannelCount for KZTx
    // (1 when it is no number), else 4.
    int programChannelCount() const override;
    void resetChannelForNewProgram(int channel) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void bindMenus();
    void connectMenus();
    void buildStatusbar();
    void activateKanal(int channel);
    void showKanal(int channel);
    void onSubWindowActivated(QMdiSubWindow* window);
    // At least as wide as the menu bar and the title need, but no wider than
    // mostWidth (the screen's room for the window's inside).
    void keepMenusAndTitleWhole(int mostWidth);

    // MainFormView
    void setControlText(const QString& name, const QString& text) override;
    void setControlVisible(const QString& name, bool visible) override;
    void setControlEnabled(const QString& name, bool enabled) override;
    void setControlChecked(const QString& name, bool checked) override;
    bool isControlChecked(const QString& name) const override;
    bool loadKanalWindow(int channel) override { return loadKanal(channel) != nullptr; }
    bool isKanalWindowLoaded(int channel) const override { return kanal(channel) != nullptr; }
    bool isKanalWindowShown(int channel) const override { return isKanalShown(channel); }
    void showKanalWindow(int channel) override { showKanal(channel); }
    void hideKanalWindow(int channel) override;
    void activateKanalWindow(int channel) override { activateKanal(channel); }
    void placeKanalWindows() override { placeChannelWindows(); }
    bool askKanalWindow(int channel, ChargerModel::ChannelQuery query, qint32 lAkkuId) override;
    bool hasActiveForm() const override { return !velmoroActiveForm.isNull(); }
    void forgetActiveForm() override { velmoroActiveForm = nullptr; }
    // A menu item or a menu's own action by its name.
    QAction* menuItem(const QString& name) const;

    ProgramServices& m_services;
    MainFormLogic m_logic;
    QMdiArea* m_mdi = nullptr;
    std::array<frmKanal*, 4> m_kanal{};
    QPointer<dlgFirstCharger> m_chargerDialog;
    QPointer<frmAbout> m_about;
    // The grid of the start and the number of windows it was laid out for;
    // a channel window loaded later gets its cell, or a new grid where it has none.
    std::optional<ChannelGrid> m_channelGrid;
    int m_channelGridCount = 0;
    bool m_placedOnScreen = false;
};

// The main window of the run, once it exists.
frmMDIMainForm* mainForm();
