#pragma once

#include "channels/KanalControls.h"
#include "channels/KanalLogic.h"
#include "channels/KanalView.h"
#include "widgets/NamedControls.h"

#include <QWidget>

class KanalHost;
class ChargerPort;
class ProgramServices;
class QMdiSubWindow;

// The window of one charger channel (1 .. 4) inside the main window. It lives
// for the whole run: closing it hides it and it goes on polling. Its controls
// carry the names the printout reads; what it does lives in KanalLogic.
class frmKanal : public QWidget, public KanalView {
    Q_OBJECT
public:
    // services: the program's, which the recording and print buttons reach.
    // link: the conversations with the charger (nullptr: the shared link).
    frmKanal(int channel, KanalHost& host, ProgramServices& services, ChargerPort* link = nullptr,
             QWidget* parent = nullptr);
    ~frmKanal() override;

    int channelNumber() const { return m_logic.channelNumber(); }
    QString channelId() const { return m_logic.channelId(); }
    KanalLogic& logic() { return m_logic; }
    const KanalLogic& logic() const { return m_logic; }
    // The MDI frame around this window, once it has one.
    QMdiSubWindow* subWindow() const;

    // Window events.
    void Form_Load();
    void Form_Activate();
    // unloadMode 0: the user closed the window; it is only hidden then.
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Form_Unload();

    // Public procedures other windows call.
    void resetForNewProgram() { m_logic.resetForNewProgram(); }
    bool isAkkuUsed(qint32 id) const { return m_logic.isAkkuUsed(id); }
    bool resetAkkuId(qint32 id) { return m_logic.resetAkkuId(id); }
    void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp)
    {
        m_logic.startRecording(lakku, lmess, bInQueue, bWithTemp);
    }
    void endRecording() { m_logic.endRecording(); }
    void setFrameAkkumesswerteHeading(const QString& strAkkuName = QString(),
                                      const QString& strMessreiheName = QString(),
                                      const QString& strMessreiheNr = QString())
    {
        m_logic.setFrameAkkumesswerteHeading(strAkkuName, strMessreiheName, strMessreiheNr);
    }

    void stopTimers() { m_logic.stopTimers(); }

    // Opens the program editor for this channel with its program as last read.
    void cmdProgram_Click();

    // The recording button: the records dialog for this channel, modal.
    void cmdMesswert_Click();
    // Prints the channel's report (asks for a remark and the printer first).
    void cmdDruck_Click();

    // KanalView
    void setControlText(const QString& name, const QString& text) override;
    QString controlText(const QString& name) const override;
    void setControlVisible(const QString& name, bool visible) override;
    bool isControlVisible(const QString& name) const override;
    void clearList(const QString& name) override;
    void addListItem(const QString& name, const QString& text, qint32 itemData) override;
    QStringList listItems(const QString& name) const override;
    qint32 listItemData(const QString& name, int row) const override;
    int selectedListRow(const QString& name) const override;
    void setCaptionColor(const QString& name, quint32 color) override;
    quint32 captionColor(const QString& name) const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // The control of that name of the window's list (nullptr for another name).
    QWidget* control(const QString& name) const;
    NamedControls namedControls() const { return NamedControls(const_cast<frmKanal&>(*this), kanalControlNames()); }
    template <typename T>
    T* control(const QString& name) const
    {
        return qobject_cast<T*>(control(name));
    }

    KanalHost& m_host;
    ProgramServices& m_services;
    KanalLogic m_logic;
};
