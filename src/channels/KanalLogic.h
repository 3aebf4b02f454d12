#pragma once

#include "channels/HeldValues.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class CommunicationProgram;
class CommunicationResults;
struct CommunicationEndwert;
class EntwertList;
class KanalDiagram;
class KanalHost;
class KanalProgramEditor;
class ChargerPort;
class KanalView;
class Recordset;
class QWidget;

// What one channel window does, without its widgets: it polls its channel on
// a timer, keeps the channel's state and flags, and writes its controls
// through KanalView. Every timer handler can be called directly.
class KanalLogic : public QObject {
    Q_OBJECT
public:
    // Caption colours of the status frame: the frame's own colour (a system
    // colour code) and pure red.
    static constexpr quint32 kCaptionNormal = 0x80000012u;
    static constexpr quint32 kCaptionRed = 255u;
    static constexpr int kPollInterval = 3000;
    static constexpr int kLostInterval = 14000;
    static constexpr int kWaitInterval = 6000;
    static constexpr int kFlashInterval = 1000;

    // channel: 1 .. 4. link: nullptr takes the shared link.
    KanalLogic(int channel, KanalHost& host, KanalView& view, ChargerPort* link = nullptr);
    ~KanalLogic() override;

    int channelNumber() const { return m_channel; }
    // "001" .. "004"
    QString channelId() const { return m_channelId; }
    // Object name of the window: frmKanal, frmKanal2 .. frmKanal4.
    QString windowName() const;

    // --- public variables --------------------------------------------------------
    bool bRecording = false;
    bool bCurrentProgramWritten = false;
    bool bRecordingInQueue = false;
    bool bEndwerteAvaiable = false;
    qint32 lAkkuId = -1;
    qint32 lMessReiheId = -1;
    bool bMeasurementRunning = false;

    // --- state shared by the channel's own parts -----------------------------------
    qint16 iNoAnswerCount = 0;
    qint32 lTempMessReiheId = -1;
    qint32 lLastTempMessReiheId = -1;
    bool bTempValuesWritten = false;
    bool bProgramDialogOpen = false;
    bool bDiagramLoading = false;
    // Start of the current temporary series (unset until its first value),
    // of the previous one, and of the recorded series.
    QDateTime dtTempStart;
    QDateTime dtLastTempStart;
    QDateTime dtRecordingStart;
    bool bResetHeading = false;

    // Timers: the poll (timerKanal1 .. timerKanal4) and the status frame's flashing.
    QTimer pollTimer;
    QTimer flashingTimer;
    void stopTimers();

    // The channel's status record, its program as last read and the end
    // values of the running program (all made anew by initChannel).
    CommunicationResults* comResults() const { return m_comResults.get(); }
    std::shared_ptr<CommunicationProgram> commProgram;
    std::shared_ptr<EntwertList> endwertList;

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
    void showProgram(const CommunicationProgram& program);
    QString getModeText(const CommunicationProgram& program) const;
    void setStatusFlashing(bool bFlashing);
    void setStatusbarChannelText(const QString& text);
    void flashingTimer_Timer();
    quint32 frameStatusColor() const { return m_frameStatusColor; }

    // --- events of the status record ---------------------------------------------------
    void comResults_EndwertRecieved(const std::shared_ptr<EntwertList>& list);
    void comResults_ProgramChanged(const std::shared_ptr<CommunicationProgram>& program);

    // --- end values ----------------------------------------------------------------------
    void resetEndValues();
    // Stores one end value in the temporary series and notes its row in TempID
    // (held like any value when the database refuses it).
    void writeEndValueToTempDB(const std::shared_ptr<CommunicationEndwert>& endwert);
    void showEndValues();
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
    void writeNewTempValueToDB(const CommunicationResults& comRes);
    void writeNewValueToDB(const CommunicationResults& comRes);
    void renewTempMessreiheId();
    // Starts recording into the series lmess of the battery lakku, now or
    // with the next program start, with or without the values collected so
    // far. Raises DatabaseError (taking over the collected values is all or
    // nothing; when it fails the window's state is unchanged).
    void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp);
    void endRecording();
    void setFrameAkkumesswerteHeading(const QString& strAkkuName = QString(),
                                      const QString& strMessreiheName = QString(),
                                      const QString& strMessreiheNr = QString());
    bool resetAkkuId(qint32 id);
    bool isAkkuUsed(qint32 id) const;
    // Change of the remark box: stores its text with the series.
    void txtBemerkung_Change();

    // The clock the stored times are taken from (tests set their own).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    enum class Read { Taken, OtherChannel };

    QString text(const char* resourceId) const;
    QString noSeriesHeading() const;
    void setCaptions();
    void newRecords();
    // The conversations of a tick; each keeps out what belongs to another channel.
    Read readProgram(bool wait);
    void readEndwerte(bool replaceList);
    Read readStatus();
    bool recoveryRoad();
    bool normalRoad();
    void noticeProgramStart(qint16 previousStatus);
    bool isOtherChannel(const QString& strKanal) const;
    void showErrorBox(const QString& text);
    // status text X: the status box and this channel's panel of the status bar.
    void statusText(const char* resourceId);
    void clearValues();
    void showAkkuzustand(const CommunicationResults& comRes);
    void pollTick();
    QDateTime now() const;
    // Appends one row of values and returns its identity. Raises DatabaseError.
    qint32 appendValueRow(Recordset* rs, qint32 series, bool ew, const QString& text);
    bool storeProgramInMessreihe(qint32 lakku, qint32 lmess);
    void openDiagramOf(const QString& listName);
    // Runs a database step at the edge of an event: a failure is told to the
    // user once and the channel goes on.
    void guardDatabase(const std::function<void()>& step);
    void reportDatabaseError(const QString& description);

    int m_channel;
    QString m_channelId;
    KanalHost& m_host;
    KanalView& m_view;
    ChargerPort& m_link;
    quint32 m_frameStatusColor = kCaptionNormal;
    std::unique_ptr<CommunicationResults> m_comResults;
    // A tick or a start of this channel is running (a message box or a wait
    // lets events run; none of them may start another one of this window).
    bool m_busy = false;
    // The user has been told that values could not be stored; told again
    // only after a tick stored its values without a failure.
    bool m_databaseErrorShown = false;
    bool m_wroteInTick = false;
    bool m_failedInTick = false;
    // The end values of the status reply being handled (none when the reply
    // carried none this channel could take).
    std::shared_ptr<EntwertList> m_statusEndwerte;
    // The end values of the running program stored in the temporary series,
    // by their position in the charger's list.
    std::vector<std::shared_ptr<CommunicationEndwert>> m_tempStoredEndwerte;
    KanalDiagram* m_diagram = nullptr;
    QWidget* m_diagramCaller = nullptr;
    KanalProgramEditor* m_programEditor = nullptr;
    std::function<QDateTime()> m_clock;

public:
    // Values the database refused, per table (the temporary series and the
    // recorded one), kept in order and written before any newer one of their
    // table as soon as it takes writes again. A day of polling at most (a
    // value every 3 s); beyond that the oldest give way, each with a line in
    // the log.
    static constexpr std::size_t kHeldCapacity = 86400 / 3;
    // Held values written at most per attempt (one transaction each).
    static constexpr std::size_t kHeldBatch = 2000;
    // How long a tick waits for a lock another program holds on the user
    // database: not long, its values wait in memory instead of the program.
    static constexpr int kTickLockWaitMs = 250;
    const HeldValues& heldValues(bool recorded) const { return m_held[recorded ? 1 : 0]; }
    void setHeldCapacity(std::size_t capacity)
    {
        for (HeldValues& held : m_held)
            held.setCapacity(capacity);
    }

private:
    // Writes a value behind those of its table still held; holds it when the
    // database refuses it (or refused that table earlier in this tick). True
    // when written.
    bool storeValue(HeldValues::Value value);
    qint32 writeValue(const HeldValues::Value& value);
    void holdValue(HeldValues::Value value);
    // The held values of both tables, oldest first; a failure is told once.
    void writeHeldValues();
    // One batch of one table's held values; raises the failure.
    void writeHeldValuesOrThrow(int table);
    // Key of this channel's boxes of one kind, shown after the tick.
    QString boxKey(const char* kind) const;
    // The poll interval, changed only when it differs: setting it restarts
    // the timer, which would add the tick's own wait to the interval.
    void setPollInterval(int milliseconds);
    // A reply with a status code the program does not know: the state is
    // shown as unknown, not the last values as if they were current.
    void showUnknownStatus();
    // The end values read after the link came back; those new to the running
    // program go into the recorded series too while it records.
    void readEndwerteAfterRecovery();
    // The start's program read got another channel's reply: read it at the
    // next tick.
    bool m_readProgramAgain = false;

    HeldValues m_held[2]{HeldValues(kHeldCapacity), HeldValues(kHeldCapacity)};
    // A write into the table failed in this tick: it is not asked again (a
    // locked database would keep the tick waiting once more for each value).
    bool m_refusedInTick[2] = {false, false};
};
