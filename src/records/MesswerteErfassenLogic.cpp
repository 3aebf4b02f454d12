#include "records/MesswerteErfassenLogic.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "records/MesswerteErfassenView.h"
#include "wiring/RecordingChannel.h"
#include "wiring/RecordsHost.h"

#include <QSqlError>
#include <QSqlQuery>
#include <exception>
#include <utility>

namespace {
QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}
const QString kTitle = QStringLiteral("dlgMesswerteErfassen");
const char* const kManagement[] = {"cmdAkkuLoeschen", "cmdMessReiheAnzeigen", "cmdMessReiheLoeschen",
                                   "lblMessVerwaltung"};
const char* const kRecording[] = {"cmdNeueMessreihe", "cmdNeuerAkku", "cmdKeineErfassung", "frameErfassung"};
} // namespace

MesswerteErfassenLogic::MesswerteErfassenLogic(MesswerteErfassenView* view, RecordsHost& host,
                                               RecordsNotifier& notifier, QObject* parent)
    : QObject(parent),
      m_view(view),
      m_host(host),
      m_notifier(notifier)
{
    // Whatever another records dialog writes, this one shows.
    connect(&m_notifier, &RecordsNotifier::recordsChanged, this, [this] {
        if (!m_notifying)
            ErrorGuard::run([this] { refreshLists(); });
    });
}

MesswerteErfassenLogic::~MesswerteErfassenLogic() = default;

QDateTime MesswerteErfassenLogic::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

int MesswerteErfassenLogic::remarkLimit(const QString& settingValue)
{
    bool ok = false;
    const int n = settingValue.trimmed().toInt(&ok);
    return ok && n > 0 ? n : kRemarkWidth;
}

// --- opening ------------------------------------------------------------------------------

void MesswerteErfassenLogic::Form_Load()
{
    if (m_view)
        m_view->setControlText(kTitle, res("0700"));
    const std::pair<const char*, const char*> captions[] = {
        {"lblMesswerteErfassen", "0702"},
        {"cmdNeuerAkku", "0704"},
        {"cmdNeueMessreihe", "0706"},
        {"cmdKeineErfassung", "0708"},
        {"dbGrid", "0710"},
        {"frameErfassung", "0720"},
        {"optNaechster", "0722"},
        {"optSofort", "0724"},
        {"lblMessVerwaltung", "0732"},
        {"cmdMessReiheLoeschen", "0734"},
        {"cmdMessReiheAnzeigen", "0736"},
        {"cmdAkkuLoeschen", "0738"},
        {"cmdCancel", "0101"},
    };
    for (const auto& [name, id] : captions)
        setText(name, id);
    for (const char* name : kManagement)
        setVisible(name, false);
    bEndwerteAvaiable = false;

    m_akkus = SeriesStore(dbVeluser).readAkkus();
    chooseAkku(m_akkus.isEmpty() ? -1 : m_akkus.first().id);
    requerySeries();
    showLists();
}

void MesswerteErfassenLogic::initializeDialog(bool& bShow)
{
    bShow = true;
    if (bEditMode) {
        for (const char* name : kManagement)
            setVisible(name, true);
        for (const char* name : kRecording)
            setVisible(name, false);
    } else {
        static const QStringList channels = {QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("003"),
                                             QStringLiteral("004")};
        const int channel = channels.indexOf(geraeteKanalNr);
        if (channel >= 0 && m_view)
            m_view->setControlText(kTitle, res("0700") + QStringLiteral(" - ") + res("0701") + QLatin1Char(' ')
                                               + QString::number(channel + 1));
        m_optNaechster = false;
        m_sofortAllowed = true;
        m_programStartsAtOpening = parentWin ? parentWin->programStartCount() : 0;
        // A series that started from the queue is recording: it is no longer
        // offered for discarding.
        m_bCheckQueuedSeries = bRecordingInQueue && !bRecordRunning;
        if (!bMeasurementRunning && !bEndwerteAvaiable) {
            m_optNaechster = true;
            m_sofortAllowed = false;
        }
    }
    if (lActualAkkuId != -1 && !m_akkus.isEmpty())
        chooseAkku(lActualAkkuId);
    requerySeries();
    updateRecordingControls();
    showLists();

    if (m_bCheckQueuedSeries) {
        m_bCheckQueuedSeries = false;
        if (!discardQueuedSeries())
            bShow = false;
    }
}

QString MesswerteErfassenLogic::buildMeasurementRowsSqlString() const
{
    return QStringLiteral("SELECT Nummer, bemerkung AS Bemerkung, Mode, Datum, MessReiheID FROM MessReihen"
                          " WHERE AkkuId=? ORDER BY Nummer ASC");
}

// --- lists -------------------------------------------------------------------------------------

QString MesswerteErfassenLogic::chosenAkkuName() const
{
    for (const auto& a : m_akkus)
        if (a.id == m_chosenAkku)
            return a.name;
    return QString();
}

void MesswerteErfassenLogic::chooseAkku(qint32 id)
{
    m_chosenAkku = -1;
    QString remark;
    for (const auto& a : m_akkus) {
        if (a.id == id) {
            m_chosenAkku = id;
            remark = a.remark;
            break;
        }
    }
    if (m_view)
        m_view->setControlToolTip(QStringLiteral("cboAkkus"), remark);
}

void MesswerteErfassenLogic::requerySeries()
{
    QSqlQuery q(dbVeluser.handle());
    if (!q.prepare(buildMeasurementRowsSqlString()))
        throw DatabaseError(q.lastError().text());
    q.addBindValue(m_chosenAkku);
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    m_series.setQuery(std::move(q));
    // All rows at once: no read stays open behind the grid while others write.
    while (m_series.canFetchMore())
        m_series.fetchMore();
    if (m_series.lastError().isValid())
        throw DatabaseError(m_series.lastError().text());
    const char* const captions[] = {"0712", "0714", "0716", "0718"};
    for (int i = 0; i < 4; ++i)
        m_series.setHeaderData(seriesColumn(kGridColumns[i]), Qt::Horizontal, res(captions[i]));
    // The selection stays on its series while that is listed.
    if (selectedSeriesRow() < 0)
        m_selectedSeries = -1;
}

void MesswerteErfassenLogic::cboAkkus_Click(int index)
{
    chooseAkku(index >= 0 && index < m_akkus.size() ? m_akkus[index].id : -1);
    m_selectedSeries = -1;
    requerySeries();
    updateRecordingControls();
    showLists();
}

void MesswerteErfassenLogic::refreshLists()
{
    m_akkus = SeriesStore(dbVeluser).readAkkus();
    chooseAkku(m_chosenAkku);
    requerySeries();
    updateRecordingControls();
    showLists();
}

void MesswerteErfassenLogic::guarded(const std::function<void()>& handler)
{
    ErrorGuard::run(handler);
    ErrorGuard::run([this] { refreshLists(); });
}

void MesswerteErfassenLogic::notifyOthers()
{
    m_notifying = true;
    m_notifier.notifyChanged();
    m_notifying = false;
}

// --- management ---------------------------------------------------------------------------

QString MesswerteErfassenLogic::usedBy(qint32 akkuId)
{
    const QString used = m_host.isAkkuUsed(akkuId);
    return used == QLatin1String("notUsed") ? QString() : (used.isEmpty() ? QStringLiteral("?") : used);
}

void MesswerteErfassenLogic::refuseInUse()
{
    msgBox(res("0752"), MessageService::OkOnly, MessageService::Information, res("0410"));
}

bool MesswerteErfassenLogic::cameIntoUse(qint32 akkuId, const char* textAfterChannel)
{
    const QString used = usedBy(akkuId);
    if (used.isEmpty())
        return false;
    bool numeric = false;
    const int channel = used.toInt(&numeric);
    if (!numeric) {
        refuseInUse();
        return true;
    }
    msgBox(res("0746") + QLatin1Char(' ') + QString::number(channel) + QLatin1Char(' ') + res(textAfterChannel),
           MessageService::OkOnly, MessageService::NoIcon, res("0410"));
    return true;
}

void MesswerteErfassenLogic::forgetAkkuEverywhere(qint32 akkuId)
{
    // Each call makes one more window forget it; a few calls cover every channel.
    for (int i = 0; i < 8; ++i)
        if (!m_host.resetAkkuId(akkuId).startsWith(QLatin1String("00")))
            break;
}

void MesswerteErfassenLogic::cmdAkkuLoeschen_Click()
{
    if (m_akkus.isEmpty() || m_chosenAkku == -1)
        return;
    const qint32 id = m_chosenAkku;
    if (!usedBy(id).isEmpty()) {
        refuseInUse();
        return;
    }
    const QString question = res("0740") + QChar(13) + QChar(13) + res("0742");
    if (msgBox(question, MessageService::YesNo, MessageService::NoIcon, res("0410")) != MessageService::Yes)
        return;
    // A channel may have started to use it while the question was open.
    if (cameIntoUse(id, "0747"))
        return;
    SeriesStore(dbVeluser).deleteAkku(id);
    m_chosenAkku = -1;
    m_selectedSeries = -1;
    forgetAkkuEverywhere(id);
    refreshLists();
    notifyOthers();
}

void MesswerteErfassenLogic::cmdMessReiheLoeschen_Click()
{
    if (m_series.rowCount() == 0 || m_chosenAkku == -1)
        return;
    // Only the series the user selected is ever deleted.
    const qint32 series = m_selectedSeries;
    if (series == -1 || selectedSeriesRow() < 0)
        return;
    const qint32 akku = m_chosenAkku;
    if (!usedBy(akku).isEmpty()) {
        refuseInUse();
        return;
    }
    const QString question = res("0744") + QChar(13) + QChar(13) + res("0742");
    if (msgBox(question, MessageService::YesNo, MessageService::NoIcon, res("0410")) != MessageService::Yes)
        return;
    // The battery goes with its last series, after its own question.
    if (m_series.rowCount() == 1) {
        cmdAkkuLoeschen_Click();
        return;
    }
    // A channel may have started to use the battery while the question was open.
    if (cameIntoUse(akku, "0756"))
        return;
    SeriesStore(dbVeluser).deleteSeries(akku, series);
    m_selectedSeries = -1;
    refreshLists();
    notifyOthers();
}

// --- recording choice ---------------------------------------------------------------------

bool MesswerteErfassenLogic::programStartedSinceOpening() const
{
    return parentWin && parentWin->programStartCount() != m_programStartsAtOpening;
}

bool MesswerteErfassenLogic::startOnChannel(const SeriesStore::NewSeries& made, const std::function<void()>& undo)
{
    // The next program start as the user chose it (or as all that was
    // offered), not as a "no" to the collected values leads to it.
    const bool nextChosen = m_optNaechster;
    const bool withTemp = confirmRecordNow();
    m_startedProgramText = nullptr;
    try {
        // The channel went on polling while the dialogs were open: when a
        // program has started since this one opened, the start the series
        // would wait for has come, and the series records that program.
        if (nextChosen && programStartedSinceOpening()) {
            const bool goesOn = parentWin->recordStartedProgram(made.akkuId, made.seriesId);
            m_startedProgramText = goesOn ? "0758" : "0759";
            m_optNaechster = false;
        } else {
            parentWin->startRecording(made.akkuId, made.seriesId, m_optNaechster, withTemp);
        }
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
    const SeriesStore::NewSeries made =
        SeriesStore(dbVeluser).insertAkkuWithSeries(strAkkuName, strAkkuBemerkung, strMessreiheBemerkung, now());
    const qint32 previous = m_chosenAkku;
    m_chosenAkku = made.akkuId;
    m_selectedSeries = -1;
    refreshLists();
    notifyOthers();
    if (!startOnChannel(made, [&] { SeriesStore(dbVeluser).deleteAkku(made.akkuId); })) {
        m_chosenAkku = previous;
        refreshLists();
        notifyOthers();
        return;
    }
    parentWin->setFrameAkkumesswerteHeading(strAkkuName, strMessreiheBemerkung, QStringLiteral("1"));
    lockRecordingChoice();
    tellRecordedFromProgramStart();
}

void MesswerteErfassenLogic::addNewMeasurementRow(const QString& strBemerkung)
{
    if (!parentWin || m_locked || m_chosenAkku == -1)
        return;
    // The channels polled while the new series dialog was open.
    if (!cmdNeueMessreihe_Allowed())
        return;
    const QString name = chosenAkkuName();
    const SeriesStore::NewSeries made = SeriesStore(dbVeluser).insertSeries(m_chosenAkku, strBemerkung, now());
    refreshLists();
    notifyOthers();
    if (!startOnChannel(made, [&] { SeriesStore(dbVeluser).deleteSeries(made.akkuId, made.seriesId); })) {
        refreshLists();
        notifyOthers();
        return;
    }
    parentWin->setFrameAkkumesswerteHeading(name, strBemerkung, QString::number(made.nummer));
    lockRecordingChoice();
    tellRecordedFromProgramStart();
}

void MesswerteErfassenLogic::tellRecordedFromProgramStart()
{
    if (const char* text = std::exchange(m_startedProgramText, nullptr))
        msgBox(res(text), MessageService::OkOnly, MessageService::Information, res("0700"));
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
    auto result = SeriesStore::Discard::Kept;
    if (!ErrorGuard::run([&] { result = SeriesStore(dbVeluser).discardSeries(lActualAkkuId, lActualMessreiheId); }))
        return false; // nothing changed: the channel keeps its queued series
    if (result == SeriesStore::Discard::Kept) {
        keepStartedSeries();
        return true;
    }
    const bool akkuGone = result == SeriesStore::Discard::WithAkku;
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
