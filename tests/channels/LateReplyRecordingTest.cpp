// Four channels polled through the real windows against a fake charger whose
// every seventh reply comes late, after its conversation gave up and while
// the next one waits: each late reply may cost its own value, and nothing
// else. Slow by nature (every late reply waits out the reply limit), so it
// stays short and lives in a test of its own.
#include "ChannelFixtures.h"

#include "channels/frmKanal.h"
#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/DbAccess.h"

#include <QMap>
#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
class LateReplyRecordingTest : public FakeChargerWindowFixture {};

// "K;V;I" of a status reply with values, keyed by channel; other replies are skipped.
QMap<QString, QStringList> valuesSent(const QStringList& replies)
{
    static const QRegularExpression withValues(QStringLiteral("^(00[1-4]),M,S[LE],[LE](\\d{5}),V(\\d{5}),K(\\d{5}),$"));
    QMap<QString, QStringList> sent;
    for (const QString& reply : replies) {
        const auto m = withValues.match(reply);
        if (m.hasMatch())
            sent[m.captured(1)] << QStringLiteral("%1;%2;%3")
                                       .arg(m.captured(4).toInt())
                                       .arg(m.captured(3).toInt())
                                       .arg(m.captured(2).toInt());
    }
    return sent;
}
} // namespace

TEST_F(LateReplyRecordingTest, EverySeventhReplyLateCostsOnlyItsOwnValue)
{
    folder.execOn(folder.velmoroPath(),
                  {QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='ComPort'").arg(fake.portPath()),
                   QStringLiteral("UPDATE Optionen SET value='KZT4' WHERE key='UsedCharger'")});
    // Each channel charges a pack of its own, so a value tells its channel.
    for (int n = 1; n <= 4; ++n) {
        fake.setProgram(n, QStringLiteral("00%1,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400").arg(n));
        fake.setBattery(n, FakeBattery::Chemistry::NiMH, 3 + n, 5000, 0.3);
        ASSERT_TRUE(fake.startProgram(n));
    }
    fake.setSecondsPerRequest(10);
    setProgramFolder(folder.path());
    form = std::make_unique<frmMDIMainForm>(services);
    form->MDIForm_Load();
    for (int n = 1; n <= 4; ++n)
        form->kanal(n)->stopTimers();
    deleteTempMesswerte(0);
    fake.clearFrameLog();

    fake.injectPeriodicFault(FakeFault::LateReply, 7);
    QMap<qint32, QString> seriesChannel;
    auto pollRound = [&] {
        for (int n = 1; n <= 4; ++n) {
            KanalLogic& k = form->kanal(n)->logic();
            k.timerKanal_Timer();
            seriesChannel[k.lTempMessReiheId] = QStringLiteral("00%1").arg(n);
        }
    };
    for (int round = 0; round < 9; ++round)
        pollRound();
    // The last held reply goes out unread; one round without faults after it.
    fake.clearFaults();
    fake.releaseLateReplies();
    pollRound();

    const QMap<QString, QStringList> sent = valuesSent(fake.replyLog());
    int sentCount = 0;
    for (const QStringList& values : sent)
        sentCount += int(values.size());
    ASSERT_GE(sentCount, 30);

    QMap<QString, QStringList> stored;
    QSqlQuery rows(dbVeluser.handle());
    rows.setForwardOnly(true);
    ASSERT_TRUE(rows.exec(QStringLiteral("SELECT MessReiheID, MessWertString FROM TempMessWerte WHERE EW=0 "
                                         "ORDER BY MessWertId")));
    while (rows.next()) {
        const QString channel = seriesChannel.value(rows.value(0).toInt());
        ASSERT_FALSE(channel.isEmpty()) << "a value under a series no channel had";
        stored[channel] << rows.value(1).toString().section(QLatin1Char(';'), 0, 2);
    }
    int storedCount = 0;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        // Each value stored once, by the channel that sent it, in its order.
        const QStringList& mine = sent.value(it.key());
        qsizetype from = 0;
        for (const QString& value : it.value()) {
            const qsizetype at = mine.indexOf(value, from);
            EXPECT_GE(at, 0) << qPrintable(it.key()) << " stored " << qPrintable(value) << ", not one of its values";
            from = at + 1;
        }
        storedCount += int(it.value().size());
    }
    EXPECT_GE(storedCount * 100, sentCount * 80) << storedCount << " of " << sentCount << " values stored";
    // Every window came back from its missing reply.
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(form->kanal(n)->controlText(QStringLiteral("txtStatus")), getResource(QStringLiteral("6012"))) << n;
    EXPECT_TRUE(messages.shown.isEmpty());
}
