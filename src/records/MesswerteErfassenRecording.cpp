#include "records/MesswerteErfassenLogic.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "wiring/RecordingChannel.h"
#include "wiring/RecordsHost.h"

#include <exception>

// The choice of what the opening channel records: a new battery or series
// recorded at once or from the next program start, no recording, or a queued
// series discarded.

namespace {
QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}
} // namespace

// --- recording choice ---------------------------------------------------------------------

void MesswerteErfassenLogic::updateRecordingControls()
{
    if (bEditMode)
        return;
    const bool choosing = !m_locked && !bRecordRunning;
    setEnabled("cmdNeuerAkku", !m_locked);
    // Only with a battery chosen: a new series needs one.
    setEnabled("cmdNeueMessreihe", !m_locked && m_chosenAkku != -1);
    setEnabled("cmdKeineErfassung", !m_locked && bRecordRunning);
    setEnabled("frameErfassung", choosing);
    setEnabled("optNaechster", choosing);
    setEnabled("optSofort", choosing && m_sofortAllowed);
    setChecked("optNaechster", m_optNaechster);
    setChecked("optSofort", !m_optNaechster);
}

void MesswerteErfassenLogic::optSofort_Click()
{
    if (m_locked || !m_sofortAllowed)
        return;
    m_optNaechster = false;
    updateRecordingControls();
    showLists();
}

void MesswerteErfassenLogic::optNaechster_Click()
{
    if (m_locked)
        return;
    m_optNaechster = true;
    updateRecordingControls();
    showLists();
}

void MesswerteErfassenLogic::lockRecordingChoice()
{
    m_locked = true;
    setText("cmdCancel", "0100");
    updateRecordingControls();
    showLists();
}

bool MesswerteErfassenLogic::confirmRecordNow()
{
    if (m_optNaechster)
        return false;
    const bool yes =
        msgBox(res("0750"), MessageService::YesNo, MessageService::Question, res("0700")) == MessageService::Yes;
    // The channel went on polling while the question was open: what it does
    // now decides, not what it did when the dialog opened.
    if (parentWin)
        bMeasurementRunning = parentWin->isMeasurementRunning();
    if (yes)
        return true;
    if (!bMeasurementRunning) {
        m_optNaechster = true;
        updateRecordingControls();
        showLists();
    }
    return false;
}

bool MesswerteErfassenLogic::startOnChannel(const RecordsStore::NewSeries& made, const std::function<void()>& undo)
{
    const bool withTemp = confirmRecordNow();
    try {
        parentWin->startRecording(made.akkuId, made.seriesId, m_optNaechster, withTemp);
        return true;
    } catch (...) {
        // Nothing records the new rows: they go again, and the choice stays open.
        const std::exception_ptr failure = std::current_exception();
        ErrorGuard::run(undo);
        ErrorGuard::run([&] { std::rethrow_exception(failure); });
    }
    return false;
}

void MesswerteErfassenLogic::addNewAkku(const QString& strAkkuName, const QString& strAkkuBemerkung,
                                        const QString& strMessreiheBemerkung)
{
    if (!parentWin || m_locked)
        return;
    const RecordsStore::NewSeries made =
        RecordsStore::insertAkkuWithSeries(dbVeluser, strAkkuName, strAkkuBemerkung, strMessreiheBemerkung, now());
    const qint32 previous = m_chosenAkku;
    m_chosenAkku = made.akkuId;
    m_selectedSeries = -1;
    refreshLists();
    notifyOthers();
    if (!startOnChannel(made, [&] { RecordsStore::deleteAkku(dbVeluser, made.akkuId); })) {
        m_chosenAkku = previous;
        refreshLists();
        notifyOthers();
        return;
    }
    parentWin->setFrameAkkumesswerteHeading(strAkkuName, strMessreiheBemerkung, QStringLiteral("1"));
    lockRecordingChoice();
}

void MesswerteErfassenLogic::addNewMeasurementRow(const QString& strBemerkung)
{
    if (!parentWin || m_locked || m_chosenAkku == -1)
        return;
    // The channels polled while the new series dialog was open.
    if (!cmdNeueMessreihe_Allowed())
        return;
    const QString name = chosenAkkuName();
    const RecordsStore::NewSeries made = RecordsStore::insertSeries(dbVeluser, m_chosenAkku, strBemerkung, now());
    refreshLists();
    notifyOthers();
    if (!startOnChannel(made, [&] { RecordsStore::deleteSeries(dbVeluser, made.akkuId, made.seriesId); })) {
        refreshLists();
        notifyOthers();
        return;
    }
    parentWin->setFrameAkkumesswerteHeading(name, strBemerkung, QString::number(made.nummer));
    lockRecordingChoice();
}

bool MesswerteErfassenLogic::cmdNeueMessreihe_Allowed()
{
    if (m_locked || m_chosenAkku == -1)
        return false;
    const QString used = usedBy(m_chosenAkku);
    if (used.isEmpty())
        return true;
    bool numeric = false;
    const int channel = used.toInt(&numeric);
    msgBox(res("0748") + QLatin1Char(' ') + (numeric ? QString::number(channel) : QStringLiteral("?"))
               + QLatin1Char(' ') + res("0749"),
           MessageService::OkOnly, MessageService::NoIcon, res("0410"));
    return false;
}

void MesswerteErfassenLogic::cmdKeineErfassung_Click()
{
    if (!parentWin || m_locked)
        return;
    parentWin->endRecording();
    parentWin->setFrameAkkumesswerteHeading(QString(), QString(), QString());
    lockRecordingChoice();
}

bool MesswerteErfassenLogic::discardQueuedSeries()
{
    if (msgBox(res("0726"), MessageService::YesNo, MessageService::NoIcon, res("0410")) != MessageService::Yes)
        return false;
    // The channel went on polling while the question was open: a series that
    // started meanwhile is the user's recording and is never deleted.
    if (queuedSeriesStarted()) {
        keepStartedSeries();
        return true;
    }
    auto result = RecordsStore::Discard::Kept;
    if (!ErrorGuard::run([&] { result = RecordsStore::discardSeries(dbVeluser, lActualAkkuId, lActualMessreiheId); }))
        return false; // nothing changed: the channel keeps its queued series
    if (result == RecordsStore::Discard::Kept) {
        keepStartedSeries();
        return true;
    }
    const bool akkuGone = result == RecordsStore::Discard::WithAkku;
    if (parentWin) {
        if (akkuGone)
            parentWin->setAkkuId(-1);
        parentWin->setRecordingInQueue(false);
        // The channel forgets the series before its remark box is emptied, so
        // the empty box is never stored as the series' remark.
        parentWin->setMessReiheId(-1);
        parentWin->setFrameAkkumesswerteHeading(QString(), QString(), QString());
    }
    bRecordingInQueue = false;
    if (akkuGone)
        m_chosenAkku = -1;
    ErrorGuard::run([this] { refreshLists(); });
    notifyOthers();
    return true;
}

bool MesswerteErfassenLogic::queuedSeriesStarted() const
{
    return parentWin
           && (parentWin->isRecording() || !parentWin->isRecordingInQueue()
               || parentWin->messReiheId() != lActualMessreiheId);
}

void MesswerteErfassenLogic::keepStartedSeries()
{
    msgBox(res("0755"), MessageService::OkOnly, MessageService::Information, res("0410"));
    // The dialog offers what fits the channel as it is now.
    if (parentWin) {
        bRecordRunning = parentWin->isRecording();
        bRecordingInQueue = parentWin->isRecordingInQueue();
        bMeasurementRunning = parentWin->isMeasurementRunning();
        lActualMessreiheId = parentWin->messReiheId();
    }
    if (bMeasurementRunning)
        m_sofortAllowed = true;
    // The series' row now carries the program and mode of its recording.
    ErrorGuard::run([this] { refreshLists(); });
}
