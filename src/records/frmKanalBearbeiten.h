#pragma once

#include "records/KanalBearbeitenLogic.h"
#include "records/KanalBearbeitenView.h"
#include "widgets/NamedControls.h"

#include <QWidget>

class ProgramServices;
class QEvent;

// A measurement series recorded earlier: its program, its end values, the
// battery condition, self-discharge and remark, its diagrams and its report.
// A window of its own owned by the main window, laid out like a channel window
// and carrying the control names the printout reads. It reads the series
// again on every activation; what it does lives in KanalBearbeitenLogic, which
// shows the series through this window's view.
class frmKanalBearbeiten : public QWidget, public KanalBearbeitenView {
    Q_OBJECT
public:
    // services: the program's, which the window's buttons reach.
    explicit frmKanalBearbeiten(ProgramServices& services, QWidget* owner = nullptr);
    ~frmKanalBearbeiten() override;

    KanalBearbeitenLogic& logic() { return m_logic; }

    // Shows the one series window (made when none is open) for a series,
    // owned by owner, and reads the series. nullptr when the series could
    // not be shown (deleted meanwhile; the user has been told).
    static frmKanalBearbeiten* openSeries(ProgramServices& services, QWidget* owner, qint32 lMessId,
                                          const QString& strAkkuName, const QString& strMessreihenNr,
                                          const QString& strBemerkungstext);
    static frmKanalBearbeiten* current();

    // Reads the series again and shows it; a series that no longer exists
    // closes the window. False then. Database failures are shown to the user.
    bool Form_Activate();
    void cmdOk_Click();
    void cmdProgram_Click();
    void cmdDiagramme_Click();
    void cmdDruck_Click();
    void lstEndwertLaden_DblClick();
    void lstEndwertEntladen_DblClick();

    // KanalBearbeitenView
    void setControlText(const QString& name, const QString& text) override;
    QString controlText(const QString& name) const override;
    void setControlVisible(const QString& name, bool visible) override;
    bool isControlVisible(const QString& name) const override;
    void clearList(const QString& name) override;
    void addListItem(const QString& name, const QString& text, qint32 itemData) override;
    QStringList listItems(const QString& name) const override;
    qint32 listItemData(const QString& name, int row) const override;
    int selectedListRow(const QString& name) const override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Reads the series again and shows it; closes the window when it is gone.
    bool readSeries();

    ProgramServices& m_services;
    NamedControls m_controls;
    KanalBearbeitenLogic m_logic;
    bool m_activating = false;
    bool m_closing = false;
    bool m_readFailed = false;
};
