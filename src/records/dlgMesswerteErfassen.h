#pragma once

#include "platform/FormDialog.h"
#include "records/MesswerteErfassenLogic.h"

class DataCombo;
class QGroupBox;
class QLabel;
class QPushButton;
class ProgramServices;
class QRadioButton;
class QTableView;

// The batteries and their series: managed from the main menu (modeless), or
// chosen for recording on a channel (modal). What it does lives in
// MesswerteErfassenLogic; this window shows its state and passes on the clicks.
class dlgMesswerteErfassen : public FormDialog {
    Q_OBJECT
public:
    // Loads the dialog (captions, battery list). services: the program's,
    // through which it asks the channels and opens a stored series. Raises
    // DatabaseError.
    dlgMesswerteErfassen(QWidget* parent, ProgramServices& services);
    ~dlgMesswerteErfassen() override;

    MesswerteErfassenLogic& logic() { return m_logic; }
    // Raises DatabaseError.
    void initializeDialog(bool& bShow);

    // The management dialog of the main menu: one at a time, brought to the
    // front with the current rows when it is open already.
    static dlgMesswerteErfassen* openManager(QWidget* owner, ProgramServices& services);
    static dlgMesswerteErfassen* manager();

    void cmdNeuerAkku_Click();
    void cmdNeueMessreihe_Click();
    void cmdCancel_Click();
    // Opens the stored series window for the selected series.
    void cmdMessReiheAnzeigen_Click();
    // Deletes the selected series (after the logic's checks and question).
    void cmdMessReiheLoeschen_Click();

    DataCombo* cboAkkus = nullptr;
    QTableView* dbGrid = nullptr;
    QLabel* lblMesswerteErfassen = nullptr;
    QLabel* lblMessVerwaltung = nullptr;
    QPushButton* cmdAkkuLoeschen = nullptr;
    QPushButton* cmdMessReiheAnzeigen = nullptr;
    QPushButton* cmdMessReiheLoeschen = nullptr;
    QPushButton* cmdNeuerAkku = nullptr;
    QPushButton* cmdNeueMessreihe = nullptr;
    QPushButton* cmdKeineErfassung = nullptr;
    QGroupBox* frameErfassung = nullptr;
    QRadioButton* optSofort = nullptr;
    QRadioButton* optNaechster = nullptr;
    QPushButton* cmdCancel = nullptr;
    QGroupBox* Frame1 = nullptr;

protected:
    void cancelButton() override { cmdCancel_Click(); }
    void closedByFrame() override { cmdCancel_Click(); }

private:
    void buildControls();
    // Whether a series row is selected; tells the user when none is.
    bool seriesSelected();
    void showState();

    ProgramServices& m_services;
    MesswerteErfassenLogic m_logic;
    bool m_showing = false;
};
