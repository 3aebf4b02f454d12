#pragma once

#include "core/MainFormServices.h"
#include "wiring/DiagramHost.h"
#include "wiring/RecordsHost.h"

// The main window as the other windows and the start-up reach it: the start-up's
// main form, the diagram window's host and the records dialogs' host in one,
// each forwarding to the main window attached to it. The main window is made
// after the splash; until it is attached (and in a test without one) each
// does what the program does without a main window: no channel uses a
// battery or forgets one, nothing follows the active window, and the
// start-up's updates of the main window are skipped.
class MainWindowHosts : public MainFormServices, public DiagramHost, public RecordsHost {
public:
    // The main window attaches itself when it is made and detaches when it
    // goes; a window that is not the attached one detaches nothing.
    void attach(MainFormServices& form, DiagramHost& diagram, RecordsHost& records);
    void detach(const MainFormServices& form);
    bool isAttached() const { return m_form != nullptr; }

    // MainFormServices
    void setProgramExtensionSetting() override;
    void setLanguageResources() override;
    void optimizeStatusbar() override;
    void ReloadWindowCaption() override;
    void loadChannelWindows() override;
    void showChannelWindow1() override;
    void showChannelWindows2To4() override;
    void showMainForm() override;
    void setCheckLadegeraet(bool check) override;
    void setChannelMenuEnabled(int channel, bool enabled) override;
    void setChannelMenuChecked(int channel, bool checked) override;
    void closeMainForm() override;
    void setNextTempMessreiheID(qint32 id) override;

    // DiagramHost
    void setVelmoroActiveForm(QWidget* form) override;
    void checkAndSetPrintItem(std::optional<bool> bActive) override;

    // RecordsHost
    QString isAkkuUsed(qint32 lAkkuId) override;
    QString resetAkkuId(qint32 lAkkuId) override;
    void seriesWindowActivated(QWidget* window) override;

private:
    MainFormServices* m_form = nullptr;
    DiagramHost* m_diagram = nullptr;
    RecordsHost* m_records = nullptr;
};
