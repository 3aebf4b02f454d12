// The stored-value text decoded in both layouts, the texts that must be
// refused, the seconds of field 4, and the temporary-series procedures against
// a real user database.
#include "SeriesTables.h"
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/MesswertStringError.h"
#include "link/CommunicationEndwert.h"
#include "link/CommunicationResults.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

const QDateTime kStart(QDate(2024, 3, 1), QTime(10, 0, 0));

CommunicationEndwert endValue(qint16 typ, bool withZustand, bool zustand, qint16 prozent, qint32 selbst)
{
    CommunicationEndwert e;
    e.iEndwertTyp = typ;
    e.lKapazitaet = 1850;
    e.lSpannung = 13100;
    e.lZykluszeit = 95;
    e.bWithAkkuzustand = withZustand;
    e.bAkkuzustand = zustand;
    e.iProzent = prozent;
    e.lSelbstentladung = selbst;
    return e;
}

TEST(BuildStoredValue, PlainTextFromTheStatusRecord)
{
    CommunicationResults r;
    r.lKapazitaet = 1234;
    r.lSpannung = 9800;
    r.lStrom = 2000;
    EXPECT_EQ(buildMesswertString(r, kStart, kStart.addSecs(360)), QStringLiteral("1234;9800;2000;360"));
    r.lStrom = -2000;
    const QString text = buildMesswertString(r, kStart, kStart.addSecs(360));
    EXPECT_EQ(text, QStringLiteral("1234;9800;-2000;360"));
    EXPECT_EQ(parseMesswertString(text, false).lLadestrom, -2000);
}

TEST(BuildStoredValue, EndValueTextCarriesOnlyTheOptionalPartsItHas)
{
    const QDateTime at = kStart.addSecs(5400);
    EXPECT_EQ(buildEndwertString(endValue(2, false, false, 0, -1), kStart, at), QStringLiteral("2;1850;13100;5400;95"));
    EXPECT_EQ(buildEndwertString(endValue(2, true, true, 87, 12), kStart, at),
              QStringLiteral("2;1850;13100;5400;95;T;87;12"));
    EXPECT_EQ(buildEndwertString(endValue(3, true, false, 40, -1), kStart, at),
              QStringLiteral("3;1850;13100;5400;95;F;40"));
    // A self-discharge of 0 was measured and is written; only -1 means none.
    EXPECT_EQ(buildEndwertString(endValue(3, false, false, 0, 0), kStart, at),
              QStringLiteral("3;1850;13100;5400;95;0"));
}

TEST(BuildStoredValue, EveryEndValueSurvivesTheRoundTrip)
{
    for (bool withZustand : {false, true})
        for (bool zustand : {false, true})
            for (qint32 selbst : {-1, 0, 12}) {
                const CommunicationEndwert e = endValue(3, withZustand, zustand, withZustand ? 87 : 0, selbst);
                const LoadedMeasurementValue v = parseMesswertString(buildEndwertString(e, kStart, kStart), true);
                EXPECT_EQ(v.iEndwertTyp, 3);
                EXPECT_EQ(v.bWithAkkuzustand, withZustand);
                EXPECT_EQ(v.bAkkuzustand, withZustand && zustand);
                EXPECT_EQ(v.iProzent, e.iProzent);
                EXPECT_EQ(v.bWithSelbstentladung, selbst != -1);
                EXPECT_EQ(v.lSelbstentladung, selbst == -1 ? 0 : selbst);
                EXPECT_EQ(v.zykluszeitValue(), 95);
            }
}

TEST(BuildStoredValue, AnUnsetStartTimeRaisesInsteadOfWritingNonsense)
{
    CommunicationResults r;
    EXPECT_THROW(buildMesswertString(r, QDateTime()), MesswertStringError);
    EXPECT_THROW(buildEndwertString(endValue(2, false, false, 0, -1), QDateTime()), MesswertStringError);
}

TEST(ParseMesswertString, PlainValueFillsOnlyItsFourMembers)
{
    const LoadedMeasurementValue v = parseMesswertString(QStringLiteral("1234;9800;-2000;360"), false);
    EXPECT_FALSE(v.bEndwert);
    EXPECT_EQ(v.lKapazitaet, 1234);
    EXPECT_EQ(v.lSpannung, 9800);
    EXPECT_EQ(v.lLadestrom, -2000);
    EXPECT_EQ(v.lTimeDiff, 360);
    EXPECT_EQ(v.iEndwertTyp, 0);
    EXPECT_FALSE(v.bWithAkkuzustand);
    EXPECT_FALSE(v.bAkkuzustand);
    EXPECT_FALSE(v.bWithSelbstentladung);
    EXPECT_EQ(v.iProzent, 0);
    EXPECT_EQ(v.lSelbstentladung, 0);
    EXPECT_FALSE(v.lZykluszeit.has_value());
    EXPECT_EQ(v.zykluszeitValue(), 0);
}

struct EndCase {
    const char* text;
    qint16 typ;
    bool withZustand, zustand;
    qint16 prozent;
    bool withSelbst;
    qint32 selbst;
};

class ParseEndValue : public ::testing::TestWithParam<EndCase> {};

TEST_P(ParseEndValue, OptionalPartsFollowTheFieldCount)
{
    const EndCase c = GetParam();
    const LoadedMeasurementValue v = parseMesswertString(QString::fromLatin1(c.text), true);
    EXPECT_TRUE(v.bEndwert);
    EXPECT_EQ(v.iEndwertTyp, c.typ);
    EXPECT_EQ(v.lKapazitaet, 1850);
    EXPECT_EQ(v.lSpannung, 13100);
    EXPECT_EQ(v.lTimeDiff, 5400);
    ASSERT_TRUE(v.lZykluszeit.has_value());
    EXPECT_EQ(*v.lZykluszeit, 95);
    EXPECT_EQ(v.bWithAkkuzustand, c.withZustand);
    EXPECT_EQ(v.bAkkuzustand, c.zustand);
    EXPECT_EQ(v.iProzent, c.prozent);
    EXPECT_EQ(v.bWithSelbstentladung, c.withSelbst);
    EXPECT_EQ(v.lSelbstentladung, c.selbst);
    EXPECT_EQ(v.lLadestrom, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ParseEndValue,
                         ::testing::Values(EndCase{"2;1850;13100;5400;95", 2, false, false, 0, false, 0},
                                           EndCase{"2;1850;13100;5400;95;12", 2, false, false, 0, true, 12},
                                           EndCase{"3;1850;13100;5400;95;F;40", 3, true, false, 40, false, 0},
                                           EndCase{"2;1850;13100;5400;95;T;87;12", 2, true, true, 87, true, 12},
                                           // Seven fields whose sixth is no flag: that field is the self-discharge.
                                           EndCase{"2;1850;13100;5400;95;7;99", 2, false, false, 0, true, 7},
                                           // Type 0 and a negative self-discharge keep their signs.
                                           EndCase{"0;1850;13100;5400;95;-1", 0, false, false, 0, true, -1}));

TEST(ParseMesswertString, MalformedTextsRaiseAndNeverReturnHalfAValue)
{
    const struct {
        const char* text;
        bool ew;
    } bad[] = {
        {"1234;9800;2000", false}, // three fields
        {"", false},
        {"1234;9800;;360", false},            // empty field
        {"1234;98x0;2000;360", false},        // not a number
        {"1234;9800;2000;36.5", false},       // not a whole number
        {"1234;9800;2000;2147483648", false}, // beyond 32 bits
        {"2;1850;13100;5400", true},          // four fields for an end value
        {"40000;1850;13100;5400;95", true},   // type beyond 16 bits
        {"2;1850;13100;5400;95;T;40000", true},
        {"2;1850;13100;5400;95;t;87", true}, // lower-case flag is read as a self-discharge
        {"2;1850;13100;5400;95;T;x;12", true},
        {"2;1850;13100;5400;95;abc", true},
    };
    for (const auto& b : bad)
        EXPECT_THROW(parseMesswertString(QString::fromLatin1(b.text), b.ew), MesswertStringError) << b.text;
}

TEST(MesswertSeconds, CountsWholeClockSecondsAndRefusesAnUnsetStart)
{
    const QDateTime start(QDate(2024, 3, 1), QTime(10, 0, 0, 900));
    EXPECT_EQ(messwertSeconds(start, start.addSecs(360)), 360);
    // 10:00:00.900 to 10:00:01.100 crosses one clock second.
    EXPECT_EQ(messwertSeconds(start, start.addMSecs(200)), 1);
    EXPECT_EQ(messwertSeconds(start, start), 0);
    EXPECT_THROW(messwertSeconds(QDateTime(), start), MesswertStringError);
    EXPECT_THROW(messwertSeconds(QDateTime(QDate(1899, 12, 30), QTime(0, 0)), start), MesswertStringError);
}

class TempSeriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        openCoreForTest(folder);
        deleteTempMesswerte(0);
    }
    void TearDown() override { closeCoreForTest(); }

    void addTemp(qint32 series, bool ew, const QString& text)
    {
        rsTempMessWerte->addNew();
        rsTempMessWerte->setField(QStringLiteral("MessReiheID"), series);
        rsTempMessWerte->setField(QStringLiteral("EW"), ew);
        rsTempMessWerte->setField(QStringLiteral("MessWertString"), text);
        rsTempMessWerte->update();
    }
    QStringList rows(const QString& table, qint32 series) { return seriesRows(table, series); }
    int count(const QString& table) { return rowCount(table); }

    TempProgramFolder folder;
};

TEST_F(TempSeriesTest, DeleteOneSeriesOrAllAndReopenTheSharedRecordset)
{
    addTemp(1, false, QStringLiteral("1;2;3;4"));
    addTemp(2, false, QStringLiteral("5;6;7;8"));
    addTemp(2, true, QStringLiteral("2;1;2;3;4"));
    deleteTempMesswerte(2);
    EXPECT_EQ(rows(QStringLiteral("TempMessWerte"), 1), QStringList{QStringLiteral("M:1;2;3;4")});
    EXPECT_EQ(count(QStringLiteral("TempMessWerte")), 1);
    ASSERT_TRUE(rsTempMessWerte);
    EXPECT_EQ(rsTempMessWerte->recordCount(), 1);

    deleteTempMesswerte(0);
    EXPECT_EQ(count(QStringLiteral("TempMessWerte")), 0);
    ASSERT_TRUE(rsTempMessWerte);
    EXPECT_EQ(rsTempMessWerte->recordCount(), 0);
    // Still usable for the next temporary row.
    addTemp(3, false, QStringLiteral("9;9;9;9"));
    EXPECT_EQ(count(QStringLiteral("TempMessWerte")), 1);
}

TEST_F(TempSeriesTest, TransferKeepsOrderGivesNewIdsAndLeavesTheTemporaryRows)
{
    // Interleave two channels so that the ids of one series have gaps.
    addTemp(4, false, QStringLiteral("10;1000;500;0"));
    addTemp(5, false, QStringLiteral("99;99;99;99"));
    addTemp(4, false, QStringLiteral("20;1100;500;3"));
    addTemp(4, true, QStringLiteral("2;30;1200;6;1"));
    addTemp(5, false, QStringLiteral("98;98;98;98"));
    addTemp(4, false, QStringLiteral("40;1000;-500;9"));
    dbVeluser.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (77, 0, 'x')"));
    const qint64 before = dbVeluser.scalar(QStringLiteral("SELECT max(MessWertId) FROM MessWerte")).toLongLong();

    transferTempMesswerte(4, 12);
    const QStringList expected{QStringLiteral("M:10;1000;500;0"), QStringLiteral("M:20;1100;500;3"),
                               QStringLiteral("E:2;30;1200;6;1"), QStringLiteral("M:40;1000;-500;9")};
    EXPECT_EQ(rows(QStringLiteral("MessWerte"), 12), expected);
    EXPECT_EQ(
        dbVeluser.scalar(QStringLiteral("SELECT min(MessWertId) FROM MessWerte WHERE MessReiheID=12")).toLongLong(),
        before + 1);
    EXPECT_EQ(rows(QStringLiteral("TempMessWerte"), 4).size(), 4);
    EXPECT_EQ(rows(QStringLiteral("TempTempMessWerte"), 12).size(), 4);

    // A second transfer of the same series into another recorded series gives the same values.
    transferTempMesswerte(4, 13);
    EXPECT_EQ(rows(QStringLiteral("MessWerte"), 13), expected);
    EXPECT_EQ(rows(QStringLiteral("MessWerte"), 12), expected);
    EXPECT_EQ(count(QStringLiteral("TempTempMessWerte")), 4);

    // An empty temporary series adds nothing and raises nothing.
    EXPECT_NO_THROW(transferTempMesswerte(99, 14));
    EXPECT_TRUE(rows(QStringLiteral("MessWerte"), 14).isEmpty());
    EXPECT_EQ(count(QStringLiteral("TempTempMessWerte")), 0);
}

TEST_F(TempSeriesTest, FailingTransferLeavesNothingHalfDone)
{
    addTemp(4, false, QStringLiteral("10;1000;500;0"));
    addTemp(4, false, QStringLiteral("20;1100;500;3"));
    transferTempMesswerte(4, 12);
    // The last statement fails: the scratch table must not have been emptied
    // or refilled, and MessWerte gets nothing.
    dbVeluser.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON MessWerte "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    addTemp(6, false, QStringLiteral("1;1;1;1"));
    EXPECT_THROW(transferTempMesswerte(6, 20), DatabaseError);
    EXPECT_FALSE(dbVeluser.inTransaction());
    EXPECT_TRUE(rows(QStringLiteral("MessWerte"), 20).isEmpty());
    EXPECT_EQ(rows(QStringLiteral("TempTempMessWerte"), 12).size(), 2);
    EXPECT_TRUE(rows(QStringLiteral("TempTempMessWerte"), 20).isEmpty());
    dbVeluser.exec(QStringLiteral("DROP TRIGGER refuse"));
    transferTempMesswerte(6, 20);
    EXPECT_EQ(rows(QStringLiteral("MessWerte"), 20), QStringList{QStringLiteral("M:1;1;1;1")});
}

} // namespace
