#pragma once

#include "channels/KanalDisplay.h"
#include "channels/KanalPoll.h"
#include "channels/KanalRecorder.h"
#include "core/SeriesStore.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class CommunicationProgram;
class CommunicationResults;
struct CommunicationEndwert;
class EntwertList;
class KanalDiagram;
class KanalHost;
class KanalProgramEditor;
class ChargerPort;
class KanalView;
class QWidget;

// What one channel window does, without its widgets. Three parts do the work:
// the poll road (KanalPoll: the conversations with the charger on a timer and
// what a reply means for the link), the display (KanalDisplay: what the window
// shows through KanalView and the status-bar panel) and the recorder
// (KanalRecorder: the temporary and the recorded series). This class makes
// them, passes on what one part tells the others, and keeps the names the
// other windows, the printout and the tests use. Every timer handler can be
// called directly.
class KanalLogic : public QObject, private KanalPoll::Events, private KanalRecorder::Window {
    Q_OBJECT
public:
    static constexpr quint32 kCaptionNormal = KanalDisplay::kCaptionNormal;
    static constexpr quint32 kCaptionRed = KanalDisplay::kCaptionRed;
    // How long a tick waits for a lock another program holds on the user
    // database: not long, its values wait in memory instead of the program.
    static constexpr int kTickLockWaitMs = 250;

    // channel: 1 .. 4. link: nullptr takes the shared link.
    KanalLogic(int channel, KanalHost& host, KanalView& view, ChargerPort* link = nullptr);
    ~KanalLogic() override;

    int channelNumber() const { return m_channel; }
    // "001" .. "004"
    QString channelId() const { return m_channelId; }
    // Object name of the window: frmKanal, frmKanal2 .. frmKanal4.
    QString windowName() const;

private:
    int m_channel;
    QString m_channelId;
    KanalHost& m_host;
    ChargerPort& m_link;
    KanalDisplay m_display;
    SeriesStore m_store;
    KanalRecorder m_recorder;
    KanalPoll m_poll;

public:
    // --- public variables (those of the series live in the recorder) -------------
    bool& bRecording = m_recorder.bRecording;
    bool& bCurrentProgramWritten = m_recorder.bCurrentProgramWritten;
    bool& bRecordingInQueue = m_recorder.bRecordingInQueue;
    bool& bEndwerteAvaiable = m_recorder.bEndwerteAvaiable;
    qint32& lAkkuId = m_recorder.lAkkuId;
    qint32& lMessReiheId = m_recorder.lMessReiheId;
    bool bMeasurementRunning = false;

    // --- state shared by the channel's own parts -----------------------------------
    qint16& iNoAnswerCount = m_poll.iNoAnswerCount;
    qint32& lTempMessReiheId = m_recorder.lTempMessReiheId;
    qint32& lLastTempMessReiheId = m_recorder.lLastTempMessReiheId;
    bool& bTempValuesWritten = m_recorder.bTempValuesWritten;
    bool bProgramDialogOpen = false;
    bool bDiagramLoading = false;
    QDateTime& dtRecordingStart = m_recorder.dtRecordingStart;
    bool bResetHeading = false;

    // Timers: the poll (timerKanal1 .. timerKanal4) and the status frame's flashing.
    QTimer& pollTimer = m_poll.pollTimer;
    QTimer& flashingTimer = m_display.flashingTimer;
    void stopTimers();

    // The channel's status record, its program as last read and the end
    // values of the running program (all made anew by initChannel).
    CommunicationResults* comResults() const { return m_poll.comResults(); }
    std::shared_ptr<CommunicationProgram>& commProgram = m_poll.commProgram;
    std::shared_ptr<EntwertList>& endwertList = m_recorder.endwertList;

    // --- life cycle ------------------------------------------------------------------
    // Load values, captions, then initChannel; starts both timers.
    void Form_Load();
    void initChannel();
    // The poll tick (timerKanal1_Timer .. timerKanal4_Timer).
    void timerKanal_Timer();
    // Starts the channel afresh after a program was sent to it.
    void resetForNewProgram();

    // --- status display --------------------------------------------------------------
    void showStatus(CommunicationResults& comRes);
    void showProgram(const CommunicationProgram& program) { m_display.showProgram(program); }
    QString getModeText(const CommunicationProgram& program) const { return m_display.getModeText(program); }
    void setStatusFlashing(bool bFlashing) { m_display.setStatusFlashing(bFlashing); }
    void flashingTimer_Timer() { m_display.flashingTimer_Timer(); }

    // --- events of the status record ---------------------------------------------------
    void comResults_EndwertRecieved(const std::shared_ptr<EntwertList>& list);
    void comResults_ProgramChanged(const std::shared_ptr<CommunicationProgram>& program);

    // --- end values ----------------------------------------------------------------------
    void resetEndValues();
    // One line of an end-value list: number, Ah, V and minutes in fixed columns.
    static QString formatEndValueLine(int number, const CommunicationEndwert& endwert);
    // A double-click on a line opens the diagram of that charge or discharge.
    void lstEndwertLaden_DblClick();
    void lstEndwertEntladen_DblClick();
    // The temporary series a double-click draws from: the previous one while
    // the channel is idle or finished after a program, else the current one.
    qint32 diagramSeries() const;
    // The diagram window (none until it exists: a double-click then opens
    // nothing) and the window it is opened for.
    void setDiagram(KanalDiagram* diagram, QWidget* callerForm = nullptr)
    {
        m_diagram = diagram;
        m_diagramCaller = callerForm;
    }
    // The Diagram button: the whole of the series diagramButtonSeries names.
    void cmdDiagramme_Click();
    // The temporary series the Diagram button draws: the previous one while
    // the channel is idle, finished or stopped after a program (also before
    // there is one), else the current one.
    qint32 diagramButtonSeries() const;
    // The program editor open for this channel (none while it is closed):
    // a program the charger reports meanwhile is handed to it.
    void setProgramEditor(KanalProgramEditor* editor) { m_programEditor = editor; }

    // --- recording and temporary series ------------------------------------------------
    // The writers commit every value before they return. A value the database
    // refuses is held (see heldValues) and the failure is told once, after the
    // tick; a stored-value text that cannot be built raises MesswertStringError.
    void writeNewValueToDB(const CommunicationResults& comRes);
    // Starts recording into the series lmess of the battery lakku, now or
    // with the next program start, with or without the values collected so
    // far. Raises DatabaseError (taking over the collected values is all or
    // nothing; when it fails the window's state is unchanged).
    void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp);
    void endRecording() { m_recorder.endRecording(); }
    // How many program starts the poll noticed so far.
    quint32 programStartCount() const { return m_recorder.programStarts(); }
    // Records the program that started last from its start, as a series
    // queued before it would have; true while that program still runs (the
    // recording goes on). Raises DatabaseError, as startRecording.
    bool recordStartedProgram(qint32 lakku, qint32 lmess) { return m_recorder.recordStartedProgram(lakku, lmess); }
    void setFrameAkkumesswerteHeading(const QString& strAkkuName = QString(),
                                      const QString& strMessreiheName = QString(),
                                      const QString& strMessreiheNr = QString());
    bool resetAkkuId(qint32 id) { return m_recorder.resetAkkuId(id); }
    bool isAkkuUsed(qint32 id) const { return m_recorder.isAkkuUsed(id); }
    // Change of the remark box: stores its text with the series.
    void txtBemerkung_Change();

    // The clock the stored times are taken from (tests set their own).
    void setClock(std::function<QDateTime()> clock) { m_recorder.setClock(std::move(clock)); }

    // Values the database refused, per table (the temporary series and the
    // recorded one), kept in order and written before any newer one of their
    // table as soon as it takes writes again.
    const HeldValues& heldValues(bool recorded) const { return m_recorder.heldValues(recorded); }
    void setHeldCapacity(std::size_t capacity) { m_recorder.setHeldCapacity(capacity); }

private:
    void pollTick();
    void showUnknownStatus();
    void openDiagramOf(const QString& listName);
    void openDiagram(qint32 series, qint32 endWertId);

    // KanalPoll::Events
    void programRead(const CommunicationProgram& program) override { showProgram(program); }
    void programReported(const std::shared_ptr<CommunicationProgram>& program) override
    {
        comResults_ProgramChanged(program);
    }
    void endwerteRead(const std::shared_ptr<EntwertList>& list) override { comResults_EndwertRecieved(list); }
    void readEndwerteAfterRecovery() override;
    void programStarted() override
    {
        m_recorder.noteProgramStart();
        resetEndValues();
    }
    void unknownStatus() override { showUnknownStatus(); }

    // KanalRecorder::Window
    qint32 newTempSeriesId() override;
    bool programForSeries(QString& program, QString& mode) override;
    void endValuesChanged() override;
    void tellDatabaseError(const QString& description) override { m_display.showDatabaseError(description); }

    // A tick or a start of this channel is running (a message box or a wait
    // lets events run; none of them may start another one of this window).
    bool m_busy = false;
    KanalDiagram* m_diagram = nullptr;
    QWidget* m_diagramCaller = nullptr;
    KanalProgramEditor* m_programEditor = nullptr;
};
