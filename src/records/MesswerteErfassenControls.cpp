#include "records/MesswerteErfassenLogic.h"

#include "core/ProgramResources.h"
#include "platform/MessageService.h"
#include "records/MesswerteErfassenView.h"
#include "wiring/RecordingChannel.h"

#include <QSqlRecord>

// What the dialog shows: its controls through the view, the grid's selection,
// and the recording choice the user makes in it.

namespace {
QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}
} // namespace

// --- the controls ------------------------------------------------------------------------------

void MesswerteErfassenLogic::setText(const char* name, const char* resourceId)
{
    if (m_view)
        m_view->setControlText(QString::fromLatin1(name), res(resourceId));
}

void MesswerteErfassenLogic::setVisible(const char* name, bool visible)
{
    if (m_view)
        m_view->setControlVisible(QString::fromLatin1(name), visible);
}

void MesswerteErfassenLogic::setEnabled(const char* name, bool enabled)
{
    if (m_view)
        m_view->setControlEnabled(QString::fromLatin1(name), enabled);
}

void MesswerteErfassenLogic::setChecked(const char* name, bool checked)
{
    if (m_view)
        m_view->setChecked(QString::fromLatin1(name), checked);
}

MesswerteErfassenLogic::Control MesswerteErfassenLogic::control(const QString& name) const
{
    Control c;
    if (!m_view)
        return c;
    c.text = m_view->controlText(name);
    c.toolTip = m_view->controlToolTip(name);
    c.visible = m_view->isControlVisible(name);
    c.enabled = m_view->isControlEnabled(name);
    c.checked = m_view->isChecked(name);
    return c;
}

void MesswerteErfassenLogic::showLists()
{
    if (!m_view)
        return;
    QVector<ListEntry> entries;
    for (const auto& a : m_akkus)
        entries.push_back({QString::number(a.id), a.name});
    const QString akkus = QStringLiteral("cboAkkus");
    m_view->setBoundEntries(akkus, entries);
    m_view->setBoundText(akkus, m_chosenAkku == -1 ? QString() : QString::number(m_chosenAkku));
    const QString grid = QStringLiteral("dbGrid");
    const int idColumn = seriesColumn("MessReiheID");
    if (idColumn >= 0)
        m_view->hideColumn(grid, idColumn);
    m_view->setListIndex(grid, selectedSeriesRow());
}

// --- the grid's selection ----------------------------------------------------------------------

int MesswerteErfassenLogic::seriesColumn(const char* name) const
{
    return m_series.record().indexOf(QString::fromLatin1(name));
}

void MesswerteErfassenLogic::selectSeriesRow(int row)
{
    m_selectedSeries = -1;
    if (row >= 0 && row < m_series.rowCount())
        m_selectedSeries = m_series.record(row).value(QStringLiteral("MessReiheID")).toInt();
}

int MesswerteErfassenLogic::selectedSeriesRow() const
{
    if (m_selectedSeries == -1)
        return -1;
    const int column = seriesColumn("MessReiheID");
    for (int row = 0; row < m_series.rowCount(); ++row)
        if (m_series.data(m_series.index(row, column)).toInt() == m_selectedSeries)
            return row;
    return -1;
}

std::optional<MesswerteErfassenLogic::SeriesToShow> MesswerteErfassenLogic::seriesToShow() const
{
    const int row = selectedSeriesRow();
    if (row < 0)
        return std::nullopt;
    const QSqlRecord record = m_series.record(row);
    SeriesToShow s;
    s.lMessId = m_selectedSeries;
    s.strAkkuName = chosenAkkuName();
    s.strMessreihenNr = record.value(QStringLiteral("Nummer")).toString();
    s.strBemerkungstext = record.value(QStringLiteral("Bemerkung")).toString();
    return s;
}

// --- the recording choice ----------------------------------------------------------------------

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
