#pragma once

#include "channels/HeldValues.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class CommunicationResults;
class EntwertList;
class SeriesStore;
struct CommunicationEndwert;

// What one channel keeps of what its charger does: the temporary series of
// the running charge or discharge with its end values, and the recorded
// series while recording is on. Every value is committed before its writer
// returns; a value the database refuses is held (see heldValues) and written
// before any newer one of its table once the database takes writes again.
// The failure is told once, through the window, after the tick.
class KanalRecorder {
public:
    // What the recorder asks of its window.
    class Window {
    public:
        virtual ~Window() = default;
        // The identity of a new temporary series.
        virtual qint32 newTempSeriesId() = 0;
        // The channel's running program, as the charger sends it, and the name
        // of its mode; false when the charger gives none now.
        virtual bool programForSeries(QString& program, QString& mode) = 0;
        // The end values changed or learnt their rows: the lists show them.
        virtual void endValuesChanged() = 0;
        // Values could not be stored (told once until a tick stores again).
        virtual void tellDatabaseError(const QString& description) = 0;
    };
    using Log = std::function<void(const QString& line)>;

    // A day of polling at most (a value every 3 s); beyond that the oldest
    // give way, each with a line in the log.
    static constexpr std::size_t kHeldCapacity = 86400 / 3;
    // Held values written at most per attempt (one transaction each).
    static constexpr std::size_t kHeldBatch = 2000;

    KanalRecorder(SeriesStore& store, Window& window, Log log);

    // --- the window's public variables of its series ----------------------------------
    bool bRecording = false;
    bool bCurrentProgramWritten = false;
    bool bRecordingInQueue = false;
    bool bEndwerteAvaiable = false;
    qint32 lAkkuId = -1;
    qint32 lMessReiheId = -1;
    qint32 lTempMessReiheId = -1;
    qint32 lLastTempMessReiheId = -1;
    bool bTempValuesWritten = false;
    // Start of the current temporary series (unset until its first value),
    // of the previous one, and of the recorded series.
    QDateTime dtTempStart;
    QDateTime dtLastTempStart;
    QDateTime dtRecordingStart;
    // The end values of the running program.
    std::shared_ptr<EntwertList> endwertList;

    // The clock the stored times are taken from (tests set their own).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // --- a tick ----------------------------------------------------------------------
    void beginTick();
    // The failure is over once a whole tick stored its values again.
    void endTick();
    // Runs a database step at the edge of an event: a failure is told once
    // and the channel goes on.
    void guardDatabase(const std::function<void()>& step);
    // The held values of both tables, oldest first; a failure is told once.
    void writeHeldValues();

    // --- the temporary series --------------------------------------------------------
    void renewTempMessreiheId();
    void writeNewTempValueToDB(const CommunicationResults& comRes);
    // Stores one end value in the temporary series and notes its row in TempID
    // (held like any value when the database refuses it).
    void writeEndValueToTempDB(const std::shared_ptr<CommunicationEndwert>& endwert);
    // End values the charger reported: one is added to the list, several
    // replace it; each is stored unless it is stored already.
    void takeEndwerte(const std::shared_ptr<EntwertList>& list);
    // The end values of the running program stored in the temporary series,
    // by their position in the charger's list.
    using StoredEndwerte = std::vector<std::shared_ptr<CommunicationEndwert>>;
    const StoredEndwerte& storedEndwerte() const { return m_tempStoredEndwerte; }
    // The end values read after the link came back, in place of the list;
    // those not among storedBefore go into the recorded series too while it records.
    void takeEndwerteAfterRecovery(const std::shared_ptr<EntwertList>& list, const StoredEndwerte& storedBefore);
    // A new program: its end values start afresh, a queued recording starts.
    void resetEndValues();

    // --- the recorded series -----------------------------------------------------------
    // statusEndwerte: the end values that came with this very reply.
    void writeNewValueToDB(const CommunicationResults& comRes, const EntwertList* statusEndwerte);
    // Raises DatabaseError (taking over the collected values is all or
    // nothing; when it fails the state is unchanged).
    void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp, bool bMeasurementRunning);
    void endRecording();
    bool resetAkkuId(qint32 id);
    bool isAkkuUsed(qint32 id) const;

    // --- the program that started last -------------------------------------------------
    // The poll saw a program start: its values go into the temporary series
    // current now.
    void noteProgramStart();
    // A status came that would end a recording of that program.
    void noteProgramEnd() { m_startedProgramRunning = false; }
    // How many program starts were noticed so far.
    quint32 programStarts() const { return m_programStarts; }
    // Records the program that started last into the series lmess of the
    // battery lakku as a series queued before that start would have recorded
    // it: what the channel collected since the start goes into the series
    // (on the time axis of that start), and the recording goes on while the
    // program runs. Returns whether it goes on. Raises DatabaseError (all or
    // nothing, as startRecording).
    bool recordStartedProgram(qint32 lakku, qint32 lmess);
    // The remark of the recorded series, cut to what the column takes.
    void storeRemark(const QString& remark);

    // --- values the database refused ----------------------------------------------------
    const HeldValues& heldValues(bool recorded) const { return m_held[recorded ? 1 : 0]; }
    void setHeldCapacity(std::size_t capacity);

private:
    QDateTime now() const;
    void reportDatabaseError(const QString& description);
    bool storeProgramInMessreihe(qint32 lakku, qint32 lmess);
    // Keeps an end value at its position unless the same one is there already.
    void keepEndwert(const std::shared_ptr<CommunicationEndwert>& endwert, std::size_t position);
    // Writes a value behind those of its table still held; holds it when the
    // database refuses it (or refused that table earlier in this tick). True
    // when written.
    bool storeValue(HeldValues::Value value);
    qint32 writeValue(const HeldValues::Value& value);
    void holdValue(HeldValues::Value value);
    // One batch of one table's held values; raises the failure.
    void writeHeldValuesOrThrow(int table);
    // Every held temporary value, before a temporary series is copied.
    void writeHeldTempValuesOrThrow();
    // Copies the temporary series tempId, which started at start, into lmess;
    // returns where the recorded series' time axis begins.
    QDateTime takeOverTempSeries(qint32 tempId, const QDateTime& start, qint32 lmess);
    // Makes lmess of lakku the channel's series.
    void beginSeries(qint32 lakku, qint32 lmess, bool inQueue, bool recording, bool programWritten,
                     const QDateTime& start);

    SeriesStore& m_store;
    Window& m_window;
    Log m_log;
    std::function<QDateTime()> m_clock;
    StoredEndwerte m_tempStoredEndwerte;
    // The user has been told that values could not be stored; told again
    // only after a tick stored its values without a failure.
    bool m_databaseErrorShown = false;
    bool m_wroteInTick = false;
    bool m_failedInTick = false;
    HeldValues m_held[2]{HeldValues(kHeldCapacity), HeldValues(kHeldCapacity)};
    // A write into the table failed in this tick: it is not asked again (a
    // locked database would keep the tick waiting once more for each value).
    bool m_refusedInTick[2] = {false, false};
    quint32 m_programStarts = 0;
    // The temporary series the program that started last began in, and its
    // start once a newer series has replaced it.
    qint32 m_programTempId = -1;
    QDateTime m_programTempStart;
    bool m_startedProgramRunning = false;
};
