#pragma once

#include "platform/FormDialog.h"
#include "records/MesswerteErfassenLogic.h"
#include "records/MesswerteErfassenView.h"
#include "widgets/NamedControls.h"

class DataCombo;
class QBoxLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class ProgramServices;
class QRadioButton;
class QTableView;

// The batteries and their series: managed from the main menu (modeless), or
// chosen for recording on a channel (modal). What it does lives in
// MesswerteErfassenLogic, which sets the controls through this window's view;
// the window passes on the clicks.
class dlgMesswerteErfassen : public FormDialog, public MesswerteErfassenView {
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

    // MesswerteErfassenView
    void setControlText(const QString& name, const QString& text) override;
    QString controlText(const QString& name) const override;
    void setControlToolTip(const QString& name, const QString& text) override;
    QString controlToolTip(const QString& name) const override;
    void setControlVisible(const QString& name, bool visible) override;
    bool isControlVisible(const QString& name) const override;
    void setControlEnabled(const QString& name, bool enabled) override;
    bool isControlEnabled(const QString& name) const override;
    void setChecked(const QString& name, bool checked) override;
    bool isChecked(const QString& name) const override;
    void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) override;
    void setBoundText(const QString& name, const QString& value) override;
    QString boundText(const QString& name) const override;
    void setListIndex(const QString& name, int row) override;
    int listIndex(const QString& name) const override;
    void hideColumn(const QString& name, int column) override;

protected:
    void cancelButton() override { cmdCancel_Click(); }
    void closedByFrame() override { cmdCancel_Click(); }

private:
    void buildControls();
    void buildRecordingRow(QBoxLayout* root);
    void buildManagementRow(QBoxLayout* root);
    void connectHandlers();
    // Whether a series row is selected; tells the user when none is.
    bool seriesSelected();
    // The control that shows a name's caption: the grid's is its frame's.
    QString captionHolder(const QString& name) const;

    ProgramServices& m_services;
    NamedControls m_controls;
    MesswerteErfassenLogic m_logic;
    // The logic sets the grid's selection: not the user's choice.
    bool m_showing = false;
};
