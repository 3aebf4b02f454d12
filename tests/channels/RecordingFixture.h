#pragma once

// The channel logic against a scripted link, a real user database and a clock
// the test moves, for the end values and the recording of a series.
#include "ChannelFixtures.h"
#include "SeriesTables.h"

#include "channels/KanalLogic.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/ProgramResources.h"

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>
#include <memory>

namespace recording {

inline QString program1(int mode = 1)
{
    return QStringLiteral("001,P,A02,M%1,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,")
        .arg(mode, 2, 10, QLatin1Char('0'));
}
inline QString status1(const char* code)
{
    return QStringLiteral("001,M,") + QLatin1String(code) + QLatin1Char(',');
}
// A status reply with values ("SL" charging, "SE" discharging, "SM").
inline QString values1(int mAh, int mV, int mA, const char* code = "SL")
{
    return QStringLiteral("001,M,%1,%2%3,V%4,K%5,")
        .arg(QLatin1String(code))
        .arg(QLatin1String(code) == QLatin1String("SE") ? QLatin1Char('E') : QLatin1Char('L'))
        .arg(mA, 5, 10, QLatin1Char('0'))
        .arg(mV, 5, 10, QLatin1Char('0'))
        .arg(mAh, 5, 10, QLatin1Char('0'));
}
const QString kCharge1 = QStringLiteral("SL,K01234,T95,V01450");
const QString kDischarge1 = QStringLiteral("SE,K01180,T88,V01002,Y00012,X1,P087");
const QString kCharge2 = QStringLiteral("SL,K01300,T97,V01460");
// An end-value reply of channel 1 with the given groups.
inline QString endReply1(const QStringList& groups)
{
    return QStringLiteral("001,D,") + groups.join(QLatin1Char(',')) + QLatin1Char(',');
}

class RecordingFixture : public KanalLogicFixture {
protected:
    void SetUp() override
    {
        // The list lines are compared as texts: a fixed decimal point.
        QLocale::setDefault(QLocale::c());
        KanalLogicFixture::SetUp();
        deleteTempMesswerte(0);
        link.programFallback = program1();
        view.changed = [this](const QString& name) {
            if (logic && name == QLatin1String("txtBemerkung"))
                logic->txtBemerkung_Change();
        };
    }
    void TearDown() override
    {
        KanalLogicFixture::TearDown();
        QLocale::setDefault(QLocale::system());
    }

    // Channel 1 loaded; its start reads the program, these end values and this status.
    KanalLogic& load(const QString& firstStatus = status1("SA"), const QString& endwerte = QString())
    {
        if (!endwerte.isEmpty())
            link.endwert.push_back(endwerte);
        link.status.push_back(firstStatus);
        logic = std::make_unique<KanalLogic>(1, host, view, &link);
        logic->setClock([this] { return clock; });
        logic->Form_Load();
        logic->stopTimers();
        link.calls.clear();
        return *logic;
    }
    // One poll tick answered by this status reply.
    void tick(const QString& reply)
    {
        link.status.push_back(reply);
        logic->timerKanal_Timer();
    }
    void advance(int seconds) { clock = clock.addSecs(seconds); }

    // A battery with one series; returns the series' identifier.
    qint32 newSeries(qint32& akku, const QString& remark = QString())
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO Akkus (AkkuName) VALUES ('Pack')"));
        akku = dbVeluser.lastInsertId().toInt();
        dbVeluser.exec(QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, bemerkung) VALUES (?, 1, ?)"),
                       {akku, remark});
        return dbVeluser.lastInsertId().toInt();
    }
    // "M:text" for a measured value, "E:text" for an end value, in order of writing.
    QStringList rows(const QString& table, qint32 series) const { return seriesRows(table, series); }
    QStringList temp(qint32 series) const { return rows(QStringLiteral("TempMessWerte"), series); }
    QStringList recorded(qint32 series) const { return rows(QStringLiteral("MessWerte"), series); }
    QVariant seriesField(qint32 series, const char* column) const
    {
        return dbVeluser.scalar(
            QStringLiteral("SELECT %1 FROM MessReihen WHERE MessReiheID=?").arg(QLatin1String(column)), {series});
    }
    int count(const char* table) const { return rowCount(QLatin1String(table)); }
    QDateTime clock{QDate(2024, 5, 1), QTime(8, 0, 0)};
};

} // namespace recording
