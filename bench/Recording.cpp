// Recording costs on a real user database file (WAL): moving a temporary
// series of 30,000 values into a recorded series, and writing one recorded
// value the way a poll tick does (committed before it returns).
#include "../tests/common/QuietKanalHost.h"
#include "QtBenchmarkMain.h"
#include "channels/KanalLogic.h"
#include "channels/KanalView.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "link/ChargerPort.h"
#include "link/CommunicationResults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
struct UserDatabase {
    QTemporaryDir dir;
    UserDatabase()
    {
        const QString to = dir.path() + QStringLiteral("/veluser.mdb");
        QFile::copy(QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(QStringLiteral("shipped/Daten/veluser.mdb")), to);
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        dbVeluser.open(to);
        deleteTempMesswerte(0);
        strSqlMessWerte = QStringLiteral("SELECT * FROM MessWerte");
        rsMessWerte = dbVeluser.openRecordset(strSqlMessWerte);
    }
    ~UserDatabase()
    {
        rsMessWerte.reset();
        rsTempMessWerte.reset();
        dbVeluser.close();
    }
};

void fillTempSeries(qint32 tempId, int values)
{
    Transaction tx(dbVeluser);
    for (int i = 0; i < values; ++i)
        dbVeluser.exec(QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (?, ?, ?)"),
                       {tempId, i % 500 == 499, QStringLiteral("%1;%2;2000;%3").arg(i).arg(9800 + i % 700).arg(i * 3)});
    tx.commit();
}

void BM_TransferTempSeries30000(benchmark::State& state)
{
    UserDatabase db;
    fillTempSeries(1, 30000);
    qint32 series = 1;
    for (auto _ : state)
        transferTempMesswerte(1, series++);
    state.counters["values"] = 30000;
}
BENCHMARK(BM_TransferTempSeries30000)->Unit(benchmark::kMillisecond)->Iterations(5);

// A channel window without widgets and a charger that always answers.
class QuietView : public KanalView {
public:
    void setControlText(const QString&, const QString&) override {}
    QString controlText(const QString&) const override { return {}; }
    void setControlVisible(const QString&, bool) override {}
    bool isControlVisible(const QString&) const override { return true; }
    void clearList(const QString&) override {}
    void addListItem(const QString&, const QString&, qint32) override {}
    QStringList listItems(const QString&) const override { return {}; }
    qint32 listItemData(const QString&, int) const override { return 0; }
    int selectedListRow(const QString&) const override { return -1; }
    void setCaptionColor(const QString&, quint32) override {}
    quint32 captionColor(const QString&) const override { return 0; }
};

class AnsweringLink : public ChargerPort {
public:
    QString getStatus(const QString&) override { return QStringLiteral("001,M,SL,L01000,V07000,K00100,"); }
    QString getEndwert(const QString&) override { return {}; }
    QString getProgram(const QString&, bool) override
    {
        return QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,");
    }
    QString sendProgram(const QString&) override { return {}; }
    bool isBusy() const override { return false; }
};

void BM_WriteOneRecordedValue(benchmark::State& state)
{
    UserDatabase db;
    dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Pack')"));
    const qint32 akku = dbVeluser.lastInsertId().toInt();
    dbVeluser.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer) VALUES (?, 1)"), {akku});
    const qint32 series = dbVeluser.lastInsertId().toInt();
    QuietKanalHost host;
    QuietView view;
    AnsweringLink link;
    KanalLogic k(1, host, view, &link);
    k.initChannel();
    k.startRecording(akku, series, false, false);
    CommunicationResults& r = *k.comResults();
    k.writeNewValueToDB(r); // stores the program once
    for (auto _ : state) {
        ++r.lKapazitaet;
        k.writeNewValueToDB(r);
    }
}
BENCHMARK(BM_WriteOneRecordedValue)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv);
}
