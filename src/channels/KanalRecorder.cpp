#include "channels/KanalRecorder.h"

#include "core/DbAccess.h"
#include "core/MesswertStringError.h"
#include "core/SeriesStore.h"
#include "link/CommunicationResults.h"
#include "platform/Database.h"

namespace {
// Two end values that the charger reports alike are the same end value.
bool sameEndValue(const CommunicationEndwert& a, const CommunicationEndwert& b)
{
    return a.strKanal == b.strKanal && a.iEndwertTyp == b.iEndwertTyp && a.lKapazitaet == b.lKapazitaet
           && a.lSpannung == b.lSpannung && a.lZykluszeit == b.lZykluszeit && a.lSelbstentladung == b.lSelbstentladung
           && a.bWithAkkuzustand == b.bWithAkkuzustand && a.bAkkuzustand == b.bAkkuzustand && a.iProzent == b.iProzent;
}
} // namespace

KanalRecorder::KanalRecorder(SeriesStore& store, Window& window, Log log)
    : endwertList(std::make_shared<EntwertList>()),
      m_store(store),
      m_window(window),
      m_log(std::move(log))
{
}

QDateTime KanalRecorder::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

// --- a tick ----------------------------------------------------------------------------

void KanalRecorder::beginTick()
{
    m_wroteInTick = false;
    m_failedInTick = false;
    m_refusedInTick[0] = m_refusedInTick[1] = false;
}

void KanalRecorder::endTick()
{
    // A later failure is told anew.
    if (m_wroteInTick && !m_failedInTick)
        m_databaseErrorShown = false;
}

void KanalRecorder::reportDatabaseError(const QString& description)
{
    m_failedInTick = true;
    if (m_databaseErrorShown)
        return;
    m_databaseErrorShown = true;
    m_window.tellDatabaseError(description);
}

void KanalRecorder::guardDatabase(const std::function<void()>& step)
{
    try {
        step();
    } catch (const DatabaseError& e) {
        reportDatabaseError(e.description());
    } catch (const MesswertStringError& e) {
        reportDatabaseError(e.description());
    }
}

// --- the temporary series ------------------------------------------------------------

void KanalRecorder::renewTempMessreiheId()
{
    if (!bTempValuesWritten)
        return;
    lLastTempMessReiheId = lTempMessReiheId;
    lTempMessReiheId = m_window.newTempSeriesId();
    bTempValuesWritten = false;
    // The start goes with its series; the new one starts at its first value.
    if (m_programTempId != -1 && lLastTempMessReiheId == m_programTempId)
        m_programTempStart = dtTempStart;
    dtLastTempStart = dtTempStart;
    dtTempStart = QDateTime();
}

void KanalRecorder::writeNewTempValueToDB(const CommunicationResults& comRes)
{
    if (!comRes.hasValues() || (comRes.iStatusTyp != 2 && comRes.iStatusTyp != 3))
        return;
    const QDateTime at = now();
    if (!bTempValuesWritten)
        dtTempStart = at;
    bTempValuesWritten = true;
    storeValue({false, lTempMessReiheId, false, buildMesswertString(comRes, dtTempStart, at), nullptr});
}

void KanalRecorder::writeEndValueToTempDB(const std::shared_ptr<CommunicationEndwert>& endwert)
{
    const QDateTime at = now();
    if (!bTempValuesWritten)
        dtTempStart = at;
    bTempValuesWritten = true;
    storeValue({false, lTempMessReiheId, true, buildEndwertString(*endwert, dtTempStart, at), endwert});
}

void KanalRecorder::keepEndwert(const std::shared_ptr<CommunicationEndwert>& endwert, std::size_t position)
{
    // The charger repeats end values it reported before (its full list after
    // the link came back, or with each new end): one that is the same at the
    // same position is already in the temporary series and keeps its row.
    if (position <= m_tempStoredEndwerte.size()) {
        const auto& stored = m_tempStoredEndwerte[position - 1];
        if (stored && sameEndValue(*stored, *endwert)) {
            endwert->TempID = stored->TempID;
            return;
        }
    }
    // This runs inside the status parse: a failure stops here.
    guardDatabase([&] { writeEndValueToTempDB(endwert); });
    if (endwert->TempID == 0 && !m_held[0].holdsEndwert(endwert.get()))
        return;
    if (m_tempStoredEndwerte.size() < position)
        m_tempStoredEndwerte.resize(position);
    m_tempStoredEndwerte[position - 1] = endwert;
}

void KanalRecorder::takeEndwerte(const std::shared_ptr<EntwertList>& list)
{
    if (list->Count() == 1) {
        const auto endwert = list->Item(1);
        keepEndwert(endwert, std::size_t(endwertList->Count()) + 1);
        endwertList->Add(endwert);
    } else {
        endwertList = list;
        std::size_t position = 0;
        for (const auto& endwert : *endwertList)
            keepEndwert(endwert, ++position);
    }
    m_window.endValuesChanged();
    bEndwerteAvaiable = true;
}

void KanalRecorder::takeEndwerteAfterRecovery(const std::shared_ptr<EntwertList>& list,
                                              const StoredEndwerte& storedBefore)
{
    endwertList->RemoveAll();
    takeEndwerte(list);
    if (!bRecording)
        return;
    // They came while the link was lost: the recorded series gets them as it
    // would have got each from its status reply.
    bool written = false;
    std::size_t position = 0;
    for (const auto& endwert : *list) {
        ++position;
        if (position <= storedBefore.size() && storedBefore[position - 1]
            && sameEndValue(*storedBefore[position - 1], *endwert))
            continue;
        guardDatabase([&] {
            written =
                storeValue({true, lMessReiheId, true, buildEndwertString(*endwert, dtRecordingStart, now()), nullptr})
                || written;
        });
    }
    bRecordingInQueue = false;
    if (written && !bCurrentProgramWritten)
        guardDatabase([this] { bCurrentProgramWritten = storeProgramInMessreihe(lAkkuId, lMessReiheId); });
}

void KanalRecorder::resetEndValues()
{
    endwertList = std::make_shared<EntwertList>();
    bEndwerteAvaiable = false;
    m_tempStoredEndwerte.clear();
    // A queued recording starts with this program, and its times count from now.
    if (bRecordingInQueue) {
        if (!bRecording)
            dtRecordingStart = now();
        bRecording = true;
    }
}

// --- the recorded series ---------------------------------------------------------------

void KanalRecorder::writeNewValueToDB(const CommunicationResults& comRes, const EntwertList* statusEndwerte)
{
    bool written = false;
    // Only values that came with this very reply: a state without values
    // ("SW", an error state, the refusal shown for a missing reply) would
    // repeat the old ones with a new time.
    if (comRes.hasValues()) {
        written =
            storeValue({true, lMessReiheId, false, buildMesswertString(comRes, dtRecordingStart, now()), nullptr});
    } else if (comRes.iAntwortTyp == CommunicationResults::EndwertReply) {
        // Only the newest end value of this very reply; a reply whose end
        // values did not parse (or were not this channel's) brings none.
        if (statusEndwerte && statusEndwerte->Count() > 0) {
            const auto last = statusEndwerte->Item(statusEndwerte->Count());
            written =
                storeValue({true, lMessReiheId, true, buildEndwertString(*last, dtRecordingStart, now()), nullptr});
        }
    }
    bRecordingInQueue = false;
    // Asked again with the next value until the charger has given a program
    // (a held value stores it with a later one).
    if (written && !bCurrentProgramWritten)
        bCurrentProgramWritten = storeProgramInMessreihe(lAkkuId, lMessReiheId);
}

bool KanalRecorder::storeProgramInMessreihe(qint32 lakku, qint32 lmess)
{
    // A series deleted meanwhile: nothing to store, and no need to ask the charger.
    if (!m_store.hasSeries(lakku, lmess))
        return false;
    QString program;
    QString mode;
    if (!m_window.programForSeries(program, mode))
        return false;
    m_store.setSeriesProgram(lakku, lmess, program, mode);
    return true;
}

void KanalRecorder::writeHeldTempValuesOrThrow()
{
    while (!m_held[0].empty())
        writeHeldValuesOrThrow(0);
}

QDateTime KanalRecorder::takeOverTempSeries(qint32 tempId, const QDateTime& start, qint32 lmess)
{
    // The recorded series goes on along the time axis of the series it takes
    // over; one that holds nothing yet starts now.
    const QDateTime from = start.isValid() ? start : now();
    m_store.transferTempMesswerte(tempId, lmess);
    return from;
}

void KanalRecorder::beginSeries(qint32 lakku, qint32 lmess, bool inQueue, bool recording, bool programWritten,
                                const QDateTime& start)
{
    lAkkuId = lakku;
    lMessReiheId = lmess;
    bRecordingInQueue = inQueue;
    bRecording = recording;
    bCurrentProgramWritten = programWritten;
    dtRecordingStart = start;
}

void KanalRecorder::startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp, bool bMeasurementRunning)
{
    // The program goes with the series before anything else: storing it can
    // fail, and after a committed take-over that failure would leave the
    // values copied but the window not recording (a second try would copy
    // them twice). Storing it again later only overwrites it.
    // Values still held would be missing from the copy: they go in first, or
    // the recording does not start.
    if (bWithTemp)
        writeHeldTempValuesOrThrow();
    const bool stored = storeProgramInMessreihe(lakku, lmess);
    if (!bWithTemp) {
        // The program is stored again with the first recorded value (a
        // queued recording records a later program).
        beginSeries(lakku, lmess, bInQueue, !bInQueue, false, now());
        return;
    }
    // Just after a program ended its series has already been replaced by a
    // new, empty one: take over the finished one.
    const bool finished = !bInQueue && bEndwerteAvaiable && !bMeasurementRunning && lLastTempMessReiheId != -1;
    const QDateTime start = finished ? takeOverTempSeries(lLastTempMessReiheId, dtLastTempStart, lmess)
                                     : takeOverTempSeries(lTempMessReiheId, dtTempStart, lmess);
    beginSeries(lakku, lmess, bInQueue, !bInQueue, stored, start);
}

void KanalRecorder::noteProgramStart()
{
    ++m_programStarts;
    // The channel was idle before: a temporary series that held values was
    // replaced then, so this one holds the new program from its first value.
    m_programTempId = lTempMessReiheId;
    m_programTempStart = QDateTime();
    m_startedProgramRunning = true;
}

bool KanalRecorder::recordStartedProgram(qint32 lakku, qint32 lmess)
{
    // As with taking over the collected values: held ones go in first, and
    // the program is stored before anything is copied.
    writeHeldTempValuesOrThrow();
    const bool stored = storeProgramInMessreihe(lakku, lmess);
    // The series the program began in, wherever the current one stands now
    // (after the program's end a newer one has replaced it).
    const QDateTime start = takeOverTempSeries(
        m_programTempId, m_programTempId == lTempMessReiheId ? dtTempStart : m_programTempStart, lmess);
    // A program that has ended leaves the series as an end by status would:
    // a later program never goes into it.
    beginSeries(lakku, lmess, false, m_startedProgramRunning, stored, start);
    return bRecording;
}

void KanalRecorder::endRecording()
{
    bRecording = false;
    bRecordingInQueue = false;
    lMessReiheId = -1;
}

bool KanalRecorder::resetAkkuId(qint32 id)
{
    if (id != lAkkuId)
        return false;
    lAkkuId = -1;
    return true;
}

bool KanalRecorder::isAkkuUsed(qint32 id) const
{
    return id == lAkkuId && (bRecording || bRecordingInQueue);
}

void KanalRecorder::storeRemark(const QString& text)
{
    QString remark = text.left(200);
    if (remark.size() == 200 && remark.back().isHighSurrogate())
        remark.chop(1);
    const qint32 series = lMessReiheId;
    // A series deleted meanwhile has no row: nothing is written.
    guardDatabase([&] { m_store.setSeriesRemark(series, remark); });
}

// --- values the database refused ----------------------------------------------------

void KanalRecorder::setHeldCapacity(std::size_t capacity)
{
    for (HeldValues& held : m_held)
        held.setCapacity(capacity);
}

qint32 KanalRecorder::writeValue(const HeldValues::Value& value)
{
    const qint32 row = m_store.appendValue(value.recorded, value.series, value.ew, value.text);
    m_wroteInTick = true;
    return row;
}

bool KanalRecorder::storeValue(HeldValues::Value value)
{
    const int table = value.recorded ? 1 : 0;
    HeldValues& held = m_held[table];
    if (!held.empty() && !m_refusedInTick[table]) {
        try {
            writeHeldValuesOrThrow(table);
        } catch (const DatabaseError& e) {
            m_refusedInTick[table] = true;
            reportDatabaseError(e.description());
        }
    }
    if (held.empty() && !m_refusedInTick[table]) {
        try {
            const qint32 row = writeValue(value);
            if (value.endwert)
                value.endwert->TempID = row;
            return true;
        } catch (const DatabaseError& e) {
            m_refusedInTick[table] = true;
            reportDatabaseError(e.description());
        }
    }
    holdValue(std::move(value));
    return false;
}

void KanalRecorder::holdValue(HeldValues::Value value)
{
    const int table = value.recorded ? 1 : 0;
    const auto dropped = m_held[table].hold(std::move(value));
    if (dropped && m_log)
        m_log(QStringLiteral("Value not stored, %1 values held: %2 %3 %4 %5")
                  .arg(m_held[table].size())
                  .arg(dropped->recorded ? QStringLiteral("MessWerte") : QStringLiteral("TempMessWerte"))
                  .arg(dropped->series)
                  .arg(dropped->ew ? QStringLiteral("EW") : QStringLiteral("MW"))
                  .arg(dropped->text));
}

void KanalRecorder::writeHeldValues()
{
    for (int table : {0, 1}) {
        if (m_held[table].empty() || m_refusedInTick[table])
            continue;
        try {
            writeHeldValuesOrThrow(table);
        } catch (const DatabaseError& e) {
            m_refusedInTick[table] = true;
            reportDatabaseError(e.description());
        }
    }
}

void KanalRecorder::writeHeldValuesOrThrow(int table)
{
    const auto& held = m_held[table].values();
    const std::size_t batch = std::min(kHeldBatch, held.size());
    bool endValues = false;
    for (std::size_t i = 0; i < batch && !endValues; ++i)
        endValues = held[i].endwert != nullptr;
    m_held[table].writeOldest(
        batch, [this](const HeldValues::Value& v) { return writeValue(v); },
        [this](const std::function<void()>& body) { m_store.inOneTransaction(body); });
    // Their lines lead to their rows now.
    if (endValues)
        m_window.endValuesChanged();
}
