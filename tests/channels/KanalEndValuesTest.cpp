// The end values of a channel: stored in the temporary series, listed in two
// lists with fixed columns, battery condition and self-discharge below them,
// forgotten at a new program, not stored twice when the charger repeats them,
// and the choice of series behind a double-click.
#include "RecordingFixture.h"

#include "link/CommunicationEndwert.h"
#include "link/EntwertList.h"
#include "wiring/KanalDiagram.h"

using namespace recording;

namespace {
const QString kLaden = QStringLiteral("lstEndwertLaden");
const QString kEntladen = QStringLiteral("lstEndwertEntladen");

class KanalEndValuesTest : public RecordingFixture {
protected:
    QStringList lines(const QString& list) const { return view.listItems(list); }
    qint32 itemData(const QString& list, int row) const { return view.listItemData(list, row); }
    // Row identities of the end values in the temporary series, in order.
    QList<qint32> tempEndIds(qint32 series) const
    {
        auto rs = dbVeluser.openRecordset(
            QStringLiteral("SELECT * FROM TempMessWerte WHERE EW=1 AND MessReiheID=%1 ORDER BY MessWertId")
                .arg(series));
        QList<qint32> ids;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            ids << rs->field(QStringLiteral("MessWertId")).toInt();
        return ids;
    }
    bool shown(const char* control) const { return view.isControlVisible(QString::fromLatin1(control)); }
    QString text(const char* control) const { return view.texts.value(QString::fromLatin1(control)); }
};

TEST_F(KanalEndValuesTest, LinesHaveFixedColumnsAndTheLatestEndValueFillsTheFieldsBelow)
{
    KanalLogic& k = load(status1("SA"), endReply1({kCharge1, kDischarge1}));
    ASSERT_EQ(lines(kLaden), QStringList{QStringLiteral(" 1.      1.234     1.450    95")});
    ASSERT_EQ(lines(kEntladen), QStringList{QStringLiteral(" 1.      1.180     1.002    88")});
    EXPECT_EQ(lines(kLaden)[0].size(), 30);

    const QList<qint32> ids = tempEndIds(k.lLastTempMessReiheId);
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(itemData(kLaden, 0), ids[0]);
    EXPECT_EQ(itemData(kEntladen, 0), ids[1]);
    EXPECT_EQ(k.endwertList->Item(1)->TempID, ids[0]);
    EXPECT_EQ(temp(k.lLastTempMessReiheId), (QStringList{"E:2;1234;1450;0;95", "E:3;1180;1002;0;88;T;87;12"}));

    EXPECT_TRUE(shown("lblAkkuzustand"));
    EXPECT_TRUE(shown("txtAkkuzustand"));
    EXPECT_EQ(text("txtAkkuzustand"), r("0847") + QStringLiteral(" (87%)"));
    EXPECT_TRUE(shown("txtSelbstentladung"));
    EXPECT_EQ(text("txtSelbstentladung"), QStringLiteral("12 mAh"));
    EXPECT_TRUE(k.bEndwerteAvaiable);

    // A latest end value without either: both pairs hidden, the condition emptied,
    // the self-discharge text left as it was.
    tick(endReply1({kCharge1, kDischarge1, kCharge2}));
    EXPECT_FALSE(shown("lblAkkuzustand"));
    EXPECT_FALSE(shown("txtAkkuzustand"));
    EXPECT_EQ(text("txtAkkuzustand"), QString());
    EXPECT_FALSE(shown("lblSelbstentladung"));
    EXPECT_FALSE(shown("txtSelbstentladung"));
    EXPECT_EQ(text("txtSelbstentladung"), QStringLiteral("12 mAh"));

    tick(endReply1({kCharge1, QStringLiteral("SE,K01180,T88,V01002,X0,P040")}));
    EXPECT_EQ(text("txtAkkuzustand"), r("0846") + QStringLiteral(" (40%)"));
}

TEST_F(KanalEndValuesTest, ALoneEndValueIsAddedAndALongerListReplacesThemAll)
{
    KanalLogic& k = load(values1(100, 7000, 1000));
    tick(endReply1({kCharge1}));
    tick(endReply1({QStringLiteral("SL,K01250,T96,V01455")}));
    tick(endReply1({kCharge2}));
    EXPECT_EQ(lines(kLaden), (QStringList{QStringLiteral(" 1.      1.234     1.450    95"),
                                          QStringLiteral(" 2.      1.250     1.455    96"),
                                          QStringLiteral(" 3.      1.300     1.460    97")}));
    EXPECT_TRUE(lines(kEntladen).isEmpty());
    tick(endReply1({QStringLiteral("SL,K00900,T50,V01400"), QStringLiteral("SE,K00800,T40,V01000")}));
    EXPECT_EQ(lines(kLaden), QStringList{QStringLiteral(" 1.      0.900     1.400    50")});
    EXPECT_EQ(lines(kEntladen), QStringList{QStringLiteral(" 1.      0.800     1.000    40")});
    EXPECT_EQ(k.endwertList->Count(), 2);
    EXPECT_EQ(temp(k.lTempMessReiheId).size(), 5);
}

TEST_F(KanalEndValuesTest, AProgramThatBeginsWithADischargeShowsAPlaceholderChargeLine)
{
    load(status1("SA"), endReply1({kDischarge1, kCharge1, QStringLiteral("SE,K01000,T80,V01001")}));
    EXPECT_EQ(lines(kLaden), (QStringList{QStringLiteral("---"), QStringLiteral(" 2.      1.234     1.450    95")}));
    EXPECT_EQ(itemData(kLaden, 0), 0);
    EXPECT_EQ(lines(kEntladen), (QStringList{QStringLiteral(" 1.      1.180     1.002    88"),
                                             QStringLiteral(" 2.      1.000     1.001    80")}));
}

TEST_F(KanalEndValuesTest, LinesGrowRatherThanLoseDigits)
{
    CommunicationEndwert e;
    e.lKapazitaet = 1234;
    e.lSpannung = 1450;
    e.lZykluszeit = 95;
    EXPECT_EQ(KanalLogic::formatEndValueLine(1, e), QStringLiteral(" 1.      1.234     1.450    95"));
    e.lKapazitaet = 123456;
    e.lSpannung = 99999;
    e.lZykluszeit = 12345;
    EXPECT_EQ(KanalLogic::formatEndValueLine(100, e), QStringLiteral("100.    123.456   99.999  12345"));
}

TEST_F(KanalEndValuesTest, EndValuesOfAnotherChannelOrAnUnreadableReplyLeaveTheListsEmpty)
{
    KanalLogic& k = load(status1("SA"), endReply1({kCharge1, kDischarge1}));
    EntwertList other;
    QString reply = QStringLiteral("002,D,") + kCharge1 + QLatin1Char(',') + kCharge2 + QLatin1Char(',');
    ASSERT_TRUE(other.splitRecievedString(reply));
    k.comResults_EndwertRecieved(std::make_shared<EntwertList>(other));
    EXPECT_TRUE(lines(kLaden).isEmpty());
    EXPECT_EQ(k.endwertList->Count(), 2);
    // Stored all the same, under this channel's temporary series.
    EXPECT_EQ(temp(k.lTempMessReiheId).size(), 2);
    // The fields below keep what they showed.
    EXPECT_EQ(text("txtSelbstentladung"), QStringLiteral("12 mAh"));

    load(status1("SA"), endReply1({kCharge1, kDischarge1}));
    tick(QStringLiteral("001,D,SL,K0123,"));
    EXPECT_TRUE(lines(kLaden).isEmpty());
    EXPECT_TRUE(lines(kEntladen).isEmpty());
    EXPECT_TRUE(logic->bEndwerteAvaiable);
    EXPECT_TRUE(shown("txtAkkuzustand"));
}

TEST_F(KanalEndValuesTest, ANewProgramForgetsTheEndValuesAndStartsAQueuedRecording)
{
    qint32 akku = 0;
    const qint32 series = newSeries(akku);
    KanalLogic& k = load(status1("SA"), endReply1({kCharge1, kDischarge1}));
    k.startRecording(akku, series, true, false);
    tick(values1(10, 7000, 1000)); // the status leaves 1
    EXPECT_TRUE(lines(kLaden).isEmpty());
    EXPECT_TRUE(lines(kEntladen).isEmpty());
    EXPECT_FALSE(k.bEndwerteAvaiable);
    EXPECT_EQ(k.endwertList->Count(), 0);
    EXPECT_TRUE(k.bRecording);
    for (const char* field : {"lblAkkuzustand", "txtAkkuzustand", "lblSelbstentladung", "txtSelbstentladung"})
        EXPECT_FALSE(shown(field)) << field;
    EXPECT_EQ(text("txtAkkuzustand"), QString());
    EXPECT_EQ(recorded(series), QStringList{"M:10;7000;1000;0"});
}

TEST_F(KanalEndValuesTest, EndValuesReadAgainAfterTheLinkCameBackAreNotStoredTwice)
{
    KanalLogic& k = load(values1(100, 7000, 1000), endReply1({kCharge1, kDischarge1}));
    const qint32 series = k.lTempMessReiheId;
    const QList<qint32> ids = tempEndIds(series);
    ASSERT_EQ(ids.size(), 2);

    tick(QString()); // no reply
    link.endwert.push_back(endReply1({kCharge1, kDischarge1}));
    tick(values1(110, 7010, 1000)); // recovery: program, end values, status
    EXPECT_EQ(link.calls.mid(link.calls.size() - 4), (QStringList{"W001", "M001", "D001", "W001"}));
    EXPECT_EQ(tempEndIds(k.lLastTempMessReiheId) + tempEndIds(k.lTempMessReiheId), ids);
    EXPECT_EQ(itemData(kLaden, 0), ids[0]);
    EXPECT_EQ(itemData(kEntladen, 0), ids[1]);

    // A lone end value at the same position is the same one too.
    tick(QString());
    link.endwert.push_back(endReply1({kCharge1}));
    tick(values1(120, 7020, 1000));
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte WHERE EW=1")).toInt(), 2);
    EXPECT_EQ(itemData(kLaden, 0), ids[0]);

    // What changed, or is new, is stored.
    tick(QString());
    link.endwert.push_back(endReply1({kCharge1, QStringLiteral("SE,K01181,T88,V01002"), kCharge2}));
    tick(values1(130, 7030, 1000));
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte WHERE EW=1")).toInt(), 4);
    EXPECT_EQ(itemData(kLaden, 0), ids[0]);
}

TEST_F(KanalEndValuesTest, AChargerThatRepeatsItsWholeListWithEachNewEndStoresEachEndOnce)
{
    KanalLogic& k = load(values1(100, 7000, 1000));
    tick(endReply1({kCharge1}));
    tick(values1(10, 7000, 500, "SE"));
    tick(endReply1({kCharge1, kDischarge1}));
    tick(endReply1({kCharge1, kDischarge1, kCharge2}));
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte WHERE EW=1")).toInt(), 3);
    EXPECT_EQ(lines(kLaden).size(), 2);
    EXPECT_EQ(lines(kEntladen).size(), 1);
    // After a new program the same values are new end values.
    link.status.push_back(status1("SA"));
    k.resetForNewProgram();
    tick(endReply1({kCharge1}));
    EXPECT_EQ(dbVeluser.scalar(QStringLiteral("SELECT count(*) FROM TempMessWerte WHERE EW=1")).toInt(), 4);
}

TEST_F(KanalEndValuesTest, DoubleClickDrawsThePhaseFromTheSeriesThatHoldsIt)
{
    DiagramSpy diagram;
    KanalLogic& k = load(values1(100, 7000, 1000));
    k.setDiagram(&diagram);
    tick(values1(110, 7010, 1000));
    tick(endReply1({kCharge1}));
    const qint32 running = k.lTempMessReiheId;

    // No line selected: nothing.
    k.lstEndwertLaden_DblClick();
    EXPECT_TRUE(diagram.requests.isEmpty());

    // While charging: the current series.
    view.selected[kLaden] = 0;
    k.lstEndwertLaden_DblClick();
    ASSERT_EQ(diagram.requests.size(), 1);
    EXPECT_EQ(diagram.requests[0].lMessReiheId, running);
    EXPECT_TRUE(diagram.requests[0].bTempCreated);
    EXPECT_EQ(diagram.requests[0].lEndWertId, k.endwertList->Item(1)->TempID);
    EXPECT_EQ(diagram.requests[0].cProg, k.commProgram);
    EXPECT_FALSE(k.bDiagramLoading);

    // Idle or finished after the program: the previous series.
    tick(QStringLiteral("001,M,SF,X3,"));
    view.selected[kLaden] = 0;
    k.lstEndwertLaden_DblClick();
    EXPECT_EQ(diagram.requests.back().lMessReiheId, running);
    EXPECT_NE(k.lTempMessReiheId, running);
    tick(status1("SA"));
    EXPECT_EQ(k.diagramSeries(), running);

    // A second request while one loads does nothing.
    diagram.whileLoading = [&] { k.lstEndwertLaden_DblClick(); };
    view.selected[kLaden] = 0;
    k.lstEndwertLaden_DblClick();
    EXPECT_EQ(diagram.requests.size(), 3);
    EXPECT_FALSE(k.bDiagramLoading);
}

TEST_F(KanalEndValuesTest, BeforeAnyPreviousSeriesTheCurrentOneIsDrawnAndThePlaceholderAsksForTheWholeSeries)
{
    DiagramSpy diagram;
    KanalLogic& k = load(status1("SA"), endReply1({kDischarge1}));
    k.setDiagram(&diagram);
    // The start's own series was closed by the idle status; before that the
    // window had no previous series.
    EXPECT_EQ(k.lLastTempMessReiheId, 1);
    k.lLastTempMessReiheId = -1;
    view.selected[kLaden] = 0;
    k.lstEndwertLaden_DblClick();
    ASSERT_EQ(diagram.requests.size(), 1);
    EXPECT_EQ(diagram.requests[0].lMessReiheId, k.lTempMessReiheId);
    EXPECT_EQ(diagram.requests[0].lEndWertId, 0);
    view.selected[kEntladen] = 0;
    k.lstEndwertEntladen_DblClick();
    EXPECT_EQ(diagram.requests[1].lEndWertId, k.endwertList->Item(1)->TempID);
}
} // namespace
