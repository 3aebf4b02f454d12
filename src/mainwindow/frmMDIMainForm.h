#pragma once

#include <QMainWindow>
#include <QPointer>

class QMdiArea;

// The multiple-document parent window: menus, status bar, and the small public
// state that the channel windows share.
class frmMDIMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMDIMainForm(QWidget* parent = nullptr);
    ~frmMDIMainForm() override;

    // Public state shared with the channel windows.
    QPointer<QWidget> velmoroActiveForm;
    qint32 lNextTempMesswertID = 1;
    bool bNoKZTFound = false;
    bool check_Ladegeraet = true;

    // Load: resets the public state and runs the start sequence.
    void MDIForm_Load();
    // Close request: asks "1090"; cancel is set when the user says No.
    void MDIForm_QueryUnload(int& cancel);
    // With cancel 0 the program ends here.
    void MDIForm_Unload(int cancel);

    void setProgramExtensionSetting();
    void setLanguageResources();
    void optimizeStatusbar();
    void saveChannelVisibility();
    void ReloadWindowCaption();
    // Loads and shows the channel windows of the charger model.
    void loadChannelWindows();

    QMdiArea* mdiArea() const { return m_mdi; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* m_mdi = nullptr;
};

// The main window of the run, once it exists.
frmMDIMainForm* mainForm();
