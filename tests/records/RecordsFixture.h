#pragma once

// The records dialogs against a real user database, a fake channel and a fake
// main window; message boxes and modal dialogs are scripted.
#include "FakeRecordsViews.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "WhileBoxOpen.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "platform/Database.h"
#include "records/MesswerteErfassenLogic.h"
#include "wiring/RecordingChannel.h"
#include "wiring/RecordsHost.h"

#include <QDateTime>
#include <QMap>
#include <QSqlRecord>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

// A channel that notes what the dialog told it.
class FakeChannel : public RecordingChannel {
public:
    qint32 lAkkuId = -1;
    qint32 lMessReiheId = -1;
    bool bRecording = false;
    bool bRecordingInQueue = false;
    bool bMeasurementRunning = false;
    QStringList calls;
    // The remark box as the channel shows it, and the series it was shown for.
    QString heading;
    qint32 remarkSeriesAtHeading = -2;
    std::function<void()> failStart;
    // Program starts the channel has seen, and whether the last one still runs.
    quint32 starts = 0;
    bool startedProgramRuns = true;

    void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp) override
    {
        calls << QStringLiteral("start(%1,%2,%3,%4)").arg(lakku).arg(lmess).arg(bInQueue).arg(bWithTemp);
        if (failStart)
            failStart();
        lAkkuId = lakku;
        lMessReiheId = lmess;
        bRecordingInQueue = bInQueue;
        bRecording = !bInQueue;
    }
    bool recordStartedProgram(qint32 lakku, qint32 lmess) override
    {
        calls << QStringLiteral("fromStart(%1,%2)").arg(lakku).arg(lmess);
        if (failStart)
            failStart();
        lAkkuId = lakku;
        lMessReiheId = lmess;
        bRecordingInQueue = false;
        bRecording = startedProgramRuns;
        return bRecording;
    }
    void endRecording() override
    {
        calls << QStringLiteral("end");
        bRecording = bRecordingInQueue = false;
        lMessReiheId = -1;
    }
    void setFrameAkkumesswerteHeading(const QString& a, const QString& m, const QString& n) override
    {
        calls << QStringLiteral("heading(%1,%2,%3)").arg(a, m, n);
        heading = a.isEmpty() ? QString() : a + QLatin1Char('/') + n;
        remarkSeriesAtHeading = lMessReiheId;
    }
    void setRecordingInQueue(bool q) override { bRecordingInQueue = q; }
    void setAkkuId(qint32 id) override { lAkkuId = id; }
    void setMessReiheId(qint32 id) override { lMessReiheId = id; }
    bool isRecording() const override { return bRecording; }
    bool isRecordingInQueue() const override { return bRecordingInQueue; }
    bool isMeasurementRunning() const override { return bMeasurementRunning; }
    qint32 messReiheId() const override { return lMessReiheId; }
    quint32 programStartCount() const override { return starts; }

    // What a poll does when the charger starts the program a queued series
    // waits for: the series records from now on.
    void programStarts()
    {
        ++starts;
        if (bRecordingInQueue)
            bRecording = true;
        bMeasurementRunning = true;
    }
};

// The main window's answers: which channel uses which battery.
class FakeRecordsHost : public RecordsHost {
public:
    QMap<qint32, QString> usedBy;
    // Answers given one after the other before usedBy counts (a channel
    // starting to use a battery while a question is open).
    QStringList scriptedUse;
    QList<qint32> resets;
    QString isAkkuUsed(qint32 id) override
    {
        if (!scriptedUse.isEmpty())
            return scriptedUse.takeFirst();
        return usedBy.value(id, QStringLiteral("notUsed"));
    }
    QString resetAkkuId(qint32 id) override
    {
        resets << id;
        return QStringLiteral("noReset");
    }
};

class RecordsTest : public CoreTest {
protected:
    static QString r(const char* id) { return getResource(QString::fromLatin1(id)); }

    qint32 akku(const QString& name, const QString& remark = QString())
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName, bemerkung) VALUES (?, ?)"), {name, remark});
        return dbVeluser.lastInsertId().toInt();
    }
    // A series of the battery with a number and this many values (and one end value).
    qint32 series(qint32 akkuId, int nummer, int values = 3)
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, bemerkung) VALUES (?, ?, ?)"),
                       {akkuId, nummer, QStringLiteral("s%1").arg(nummer)});
        const qint32 id = dbVeluser.lastInsertId().toInt();
        for (int i = 0; i < values; ++i)
            dbVeluser.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (?, ?, ?)"),
                           {id, i == 0 ? 1 : 0, QStringLiteral("1;2;3;%1").arg(i)});
        return id;
    }
    int count(const QString& sql, const QVariantList& params = {}) { return dbVeluser.scalar(sql, params).toInt(); }
    // "remark:number" of the battery's series, by number.
    QStringList seriesOf(qint32 akkuId)
    {
        QStringList out;
        auto rs = dbVeluser.openRecordset(
            QStringLiteral("SELECT * FROM MessReihen WHERE AkkuId=%1 ORDER BY Nummer").arg(akkuId));
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            out << rs->field(QStringLiteral("bemerkung")).toString() + QLatin1Char(':')
                       + rs->field(QStringLiteral("Nummer")).toString();
        return out;
    }
    // Everything the user database holds of batteries, series and values.
    QString snapshot()
    {
        QStringList parts;
        for (const char* sql :
             {"SELECT group_concat(AkkuId || AkkuName, ',') FROM Akkus",
              "SELECT group_concat(MessReiheID || '/' || AkkuId || '/' || Nummer, ',') FROM MessReihen",
              "SELECT count(*) || '/' || total(MessReiheID) FROM MessWerte"})
            parts << dbVeluser.scalar(QString::fromLatin1(sql)).toString();
        return parts.join(QLatin1Char('|'));
    }
    // A dialog opened from a channel, as the channel's button opens it.
    std::unique_ptr<MesswerteErfassenLogic> fromChannel(bool& bShow)
    {
        auto d = std::make_unique<MesswerteErfassenLogic>(newView(), host, services.recordsNotifier());
        d->setClock([] { return QDateTime(QDate(2024, 5, 1), QTime(9, 30, 0)); });
        d->Form_Load();
        d->parentWin = &channel;
        channel.bMeasurementRunning = measuring;
        d->geraeteKanalNr = QStringLiteral("003");
        d->bRecordRunning = channel.bRecording;
        d->bRecordingInQueue = channel.bRecordingInQueue;
        d->lActualAkkuId = channel.lAkkuId;
        d->lActualMessreiheId = channel.lMessReiheId;
        d->bMeasurementRunning = measuring;
        d->bEndwerteAvaiable = endValues;
        d->bEditMode = false;
        d->initializeDialog(bShow);
        return d;
    }
    std::unique_ptr<MesswerteErfassenLogic> fromChannel()
    {
        bool bShow = false;
        auto d = fromChannel(bShow);
        EXPECT_TRUE(bShow);
        return d;
    }
    std::unique_ptr<MesswerteErfassenLogic> manager()
    {
        auto d = std::make_unique<MesswerteErfassenLogic>(newView(), host, services.recordsNotifier());
        d->Form_Load();
        d->bEditMode = true;
        bool bShow = false;
        d->initializeDialog(bShow);
        return d;
    }
    // Selects the series with this number in the grid.
    static void selectNummer(MesswerteErfassenLogic& d, int nummer)
    {
        for (int row = 0; row < d.seriesCount(); ++row)
            if (d.seriesModel().record(row).value(QStringLiteral("Nummer")).toInt() == nummer)
                d.selectSeriesRow(row);
    }
    // A trigger that refuses one kind of change, as a full disk or a lock would.
    void refuse(const char* when, const char* table)
    {
        dbVeluser.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                           .arg(QLatin1String(when), QLatin1String(table)));
    }

    // A view of its own for each dialog the test opens; they outlive the dialogs.
    MesswerteErfassenView* newView() { return &views.emplace_back(); }

    FakeRecordsHost host;
    // The records windows of these tests ask the fake main window.
    TestServices services{CoreTest::services, {.recordsHost = &host}};
    std::deque<FakeMesswerteErfassenView> views;
    FakeChannel channel;
    bool measuring = false;
    bool endValues = false;
};
