#pragma once

#include "core/SeriesStore.h"

#include <QDateTime>
#include <QObject>
#include <QSqlQueryModel>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class MesswerteErfassenView;
class RecordingChannel;
class RecordsHost;
class RecordsNotifier;

// What the batteries and series dialog does, without its widgets: it sets
// the dialog's controls through a view, by control name. Two modes: managing
// batteries and series (bEditMode), or choosing what the opening channel
// records.
class MesswerteErfassenLogic : public QObject {
    Q_OBJECT
public:
    // What a control shows, as the view has it.
    struct Control {
        QString text;
        QString toolTip;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
    };

    // Columns of the series grid, found in the query by these names.
    static constexpr const char* kGridColumns[] = {"Nummer", "Bemerkung", "Mode", "Datum", "MessReiheID"};

    // view: the dialog's controls (nullptr: the logic shows nothing, reading
    // the lists alone); host: how it asks the channels; notifier: what every
    // records dialog tells the others when it has written or deleted something.
    MesswerteErfassenLogic(MesswerteErfassenView* view, RecordsHost& host, RecordsNotifier& notifier,
                           QObject* parent = nullptr);
    ~MesswerteErfassenLogic() override;

    // --- public members, set by the opener before initializeDialog ----------------
    RecordingChannel* parentWin = nullptr;
    QString geraeteKanalNr;
    bool bEditMode = false;
    qint32 lActualAkkuId = -1;
    qint32 lActualMessreiheId = -1;
    bool bRecordRunning = false;
    bool bRecordingInQueue = false;
    bool bMeasurementRunning = false;
    bool bEndwerteAvaiable = false;

    // Captions and the battery list; the first battery by name is chosen.
    // Raises DatabaseError.
    void Form_Load();
    // bShow comes back false when the user kept a queued series: the dialog is
    // then not shown. Raises DatabaseError.
    void initializeDialog(bool& bShow);
    // The series list of the chosen battery (its identifier is bound).
    QString buildMeasurementRowsSqlString() const;

    // --- the battery list -------------------------------------------------------------
    const QVector<SeriesStore::Akku>& akkus() const { return m_akkus; }
    // -1 while no battery is chosen.
    qint32 chosenAkkuId() const { return m_chosenAkku; }
    QString chosenAkkuName() const;
    // The user picked the battery at this position of the list.
    void cboAkkus_Click(int index);

    // --- the series grid --------------------------------------------------------------
    QSqlQueryModel& seriesModel() { return m_series; }
    int seriesColumn(const char* name) const;
    int seriesCount() const { return m_series.rowCount(); }
    // The row the user selected (-1 for none) and its series.
    void selectSeriesRow(int row);
    int selectedSeriesRow() const;
    qint32 selectedSeriesId() const { return m_selectedSeries; }
    // What the stored series window is opened with for the chosen row;
    // nothing while no row is chosen.
    struct SeriesToShow {
        qint32 lMessId = -1;
        QString strAkkuName;
        QString strMessreihenNr;
        QString strBemerkungstext;
    };
    std::optional<SeriesToShow> seriesToShow() const;

    // --- commands -------------------------------------------------------------------------
    void cmdAkkuLoeschen_Click();
    void cmdMessReiheLoeschen_Click();
    // Whether a new series may be made now (the battery is used by no channel);
    // tells the user why not.
    bool cmdNeueMessreihe_Allowed();
    void cmdKeineErfassung_Click();
    void optSofort_Click();
    void optNaechster_Click();
    // Called back by the new battery and new series dialogs.
    void addNewAkku(const QString& strAkkuName, const QString& strAkkuBemerkung, const QString& strMessreiheBemerkung);
    void addNewMeasurementRow(const QString& strBemerkung);
    // Runs a handler: a failure is shown, and the lists show the current rows afterwards.
    void guarded(const std::function<void()>& handler);

    // Reads the battery and series lists again, keeping the choice where it still exists.
    void refreshLists();

    // --- state of the controls --------------------------------------------------------
    Control control(const QString& name) const;
    bool isLocked() const { return m_locked; }

    // The clock a new series takes its date from (tests set their own).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // Text of a remark limit setting; a missing, non-numeric or non-positive
    // one gives the width of the remark column.
    static int remarkLimit(const QString& settingValue);
    static constexpr int kRemarkWidth = 200;
    static constexpr int kNameWidth = 30;

private:
    void setText(const char* name, const char* resourceId);
    void setVisible(const char* name, bool visible);
    void setEnabled(const char* name, bool enabled);
    void setChecked(const char* name, bool checked);
    // The battery list with its choice and the grid's selection, as the
    // logic holds them now.
    void showLists();
    void requerySeries();
    void chooseAkku(qint32 id);
    void updateRecordingControls();
    void lockRecordingChoice();
    bool confirmRecordNow();
    bool discardQueuedSeries();
    // Starts the channel's recording; when that fails the new rows are removed
    // again (undo), the user is told and false comes back.
    bool startOnChannel(const SeriesStore::NewSeries& made, const std::function<void()>& undo);
    // A program has started on the channel since the dialog opened.
    bool programStartedSinceOpening() const;
    // Tells the user when the new series took a program that started while
    // the dialog was open.
    void tellRecordedFromProgramStart();
    // The channel that uses the battery, or "" when none does.
    QString usedBy(qint32 akkuId);
    void refuseInUse();
    // After a question: whether a channel has started to use the battery
    // meanwhile; the user is told which one (textAfterChannel follows its number).
    bool cameIntoUse(qint32 akkuId, const char* textAfterChannel);
    // Whether the channel's queued series is no longer merely waiting.
    bool queuedSeriesStarted() const;
    // Tells the user that the started series stays, and shows the channel's state.
    void keepStartedSeries();
    void forgetAkkuEverywhere(qint32 akkuId);
    void notifyOthers();
    QDateTime now() const;

    MesswerteErfassenView* m_view;
    RecordsHost& m_host;
    RecordsNotifier& m_notifier;
    QVector<SeriesStore::Akku> m_akkus;
    qint32 m_chosenAkku = -1;
    QSqlQueryModel m_series;
    qint32 m_selectedSeries = -1;
    bool m_bCheckQueuedSeries = false;
    bool m_optNaechster = false;
    bool m_sofortAllowed = true;
    bool m_locked = false;
    // The channel's program starts when the dialog opened.
    quint32 m_programStartsAtOpening = 0;
    // What to tell about the series just started (a resource id), or nullptr.
    const char* m_startedProgramText = nullptr;
    // This dialog's own change is being told to the others.
    bool m_notifying = false;
    std::function<QDateTime()> m_clock;
};
