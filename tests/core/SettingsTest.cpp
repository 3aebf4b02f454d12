// Settings, texts and the shared recordsets over the shipped reference data.
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"

#include <gtest/gtest.h>

namespace {
class CoreDataTest : public CoreTest {};
} // namespace

TEST_F(CoreDataTest, SettingsMatchKeysWithoutCaseAndNeverCreateKeys)
{
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("firststartup")),
              objSettings().getSetting(QStringLiteral("FirstStartup")));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("NoSuchKey")), QString());

    objSettings().setSetting(QStringLiteral("NoSuchKey"), QStringLiteral("x"));
    EXPECT_EQ(dbVelmoro.scalar(QStringLiteral("SELECT count(*) FROM Optionen WHERE key='NoSuchKey'")).toInt(), 0);

    objSettings().setSetting(QStringLiteral("KZtxExtensionAvailable"), QStringLiteral("YES"));
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("KZTxExtensionAvailable")), QStringLiteral("YES"));
    // Written through to the file, not only to the loaded rows.
    EXPECT_EQ(
        dbVelmoro.scalar(QStringLiteral("SELECT value FROM Optionen WHERE key='KZTxExtensionAvailable'")).toString(),
        QStringLiteral("YES"));
}

TEST_F(CoreDataTest, RefusedSettingWriteKeepsTheStoredValueAndTheNextWriteWorks)
{
    const QString before = objSettings().getSetting(QStringLiteral("UsedLanguage"));
    dbVelmoro.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Optionen "
                                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_THROW(objSettings().setSetting(QStringLiteral("UsedLanguage"), QStringLiteral("XX")), DatabaseError);
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("UsedLanguage")), before);
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("FirstStartup")),
              dbVelmoro.scalar(QStringLiteral("SELECT value FROM Optionen WHERE key='FirstStartup'")).toString());

    dbVelmoro.exec(QStringLiteral("DROP TRIGGER refuse"));
    objSettings().setSetting(QStringLiteral("UsedLanguage"), QStringLiteral("DE"));
    EXPECT_EQ(dbVelmoro.scalar(QStringLiteral("SELECT value FROM Optionen WHERE key='UsedLanguage'")).toString(),
              QStringLiteral("DE"));
}

TEST_F(CoreDataTest, ASettingAlreadyStoredIsNotWrittenAgain)
{
    const QString before = objSettings().getSetting(QStringLiteral("UsedLanguage"));
    dbVelmoro.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Optionen "
                                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_NO_THROW(objSettings().setSetting(QStringLiteral("UsedLanguage"), before));
    EXPECT_THROW(objSettings().setSetting(QStringLiteral("UsedLanguage"), before.toLower()), DatabaseError);
}

TEST_F(CoreDataTest, SettingsWithNullValueOrQuoteInKeyReadSafely)
{
    dbVelmoro.exec(QStringLiteral("UPDATE Optionen SET value=NULL WHERE key='ChargerTextTop'"));
    openSettings();
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("ChargerTextTop")), QString());
    EXPECT_EQ(objSettings().getSetting(QStringLiteral("O'Brien")), QString());
    EXPECT_NO_THROW(objSettings().setSetting(QStringLiteral("x' OR '1'='1"), QStringLiteral("boom")));
    EXPECT_EQ(dbVelmoro.scalar(QStringLiteral("SELECT count(*) FROM Optionen WHERE value='boom'")).toInt(), 0);
}

TEST_F(CoreDataTest, TextsFollowTheLanguageKey)
{
    ProgramResources res;
    res.setRsResources(dbVelmoro.openRecordset(QStringLiteral("SELECT * FROM NLSResources")));
    EXPECT_EQ(res.getResource(QStringLiteral("0101")), QStringLiteral("0101")); // no language yet
    res.setLanguageKey(QStringLiteral("EN"));
    const QString english = res.getResource(QStringLiteral("0101"));
    res.setLanguageKey(QStringLiteral("DE"));
    const QString german = res.getResource(QStringLiteral("0101"));
    EXPECT_NE(english, QStringLiteral("0101"));
    EXPECT_NE(german, english);
    EXPECT_EQ(res.getResource(QStringLiteral("9999")), QStringLiteral("9999"));
    res.setLanguageKey(QStringLiteral("X'Y"));
    EXPECT_EQ(res.getResource(QStringLiteral("0101")), QStringLiteral("0101"));
}

TEST_F(CoreDataTest, ColumnChoiceFollowsExactChargerModel)
{
    struct Case {
        const char* charger;
        const char* suffix;
        const char* limits;
    };
    const Case cases[] = {
        {"KZT4", "KZT4", "MinKzt4 as Min, MaxKzt4 as Max"},
        {"KZT4 48V", "KZT448V", "MinKzt448V as Min, MaxKzt448V as Max"},
        {"J4", "J4", "MinJ4 as Min, MaxJ4 as Max"},
        {"KZTx", "KZTx", "MinKztx as Min, MaxKztx as Max"},
        {"KZT1", "KZT1", "MinKzt1 as Min, MaxKzt1 as Max"},
        {"kzt4", "KZT1", "MinKzt1 as Min, MaxKzt1 as Max"}, // exact comparison
        {"", "KZT1", "MinKzt1 as Min, MaxKzt1 as Max"},
        {"Unknown", "KZT1", "MinKzt1 as Min, MaxKzt1 as Max"},
    };
    for (const Case& c : cases) {
        const QString akku = buildSqlAkkutypen(QLatin1String(c.charger), QStringLiteral("EN"));
        EXPECT_TRUE(akku.contains(QStringLiteral("Akkutypen.Zmin%1 AS ZMin").arg(QLatin1String(c.suffix))))
            << c.charger;
        EXPECT_TRUE(akku.contains(QStringLiteral("Akkutypen.Zmax%1 AS ZMax").arg(QLatin1String(c.suffix))))
            << c.charger;
        EXPECT_TRUE(buildSqlMinMaxWerte(QLatin1String(c.charger)).contains(QLatin1String(c.limits))) << c.charger;
        // Every chosen column exists in the shipped database.
        EXPECT_NO_THROW(dbVelmoro.openRecordset(akku)) << c.charger;
        EXPECT_NO_THROW(dbVelmoro.openRecordset(buildSqlMinMaxWerte(QLatin1String(c.charger)))) << c.charger;
    }
}

TEST_F(CoreDataTest, BatteryTypesAreUsableOnesInLanguageSortedByName)
{
    dbVelmoro.exec(QStringLiteral("DELETE FROM Akkutypen"));
    dbVelmoro.exec(QStringLiteral("INSERT INTO NLSResources VALUES ('3901','EN','zeta'),('3902','EN','Alpha'),"
                                  "('3903','EN','beta'),('3901','DE','Zeta-de'),('3902','DE','Alpha-de')"));
    dbVelmoro.exec(
        QStringLiteral("INSERT INTO Akkutypen (Nr, Nennspannung, SprachId, Usable, ZminKZT4, ZmaxKZT4) VALUES "
                       "(1, 1.2, '3901', 1, 1, 10), (2, 1.2, '3902', 1, 2, 20), (3, 2.0, '3903', 0, 3, 30)"));
    objSettings().setSetting(QStringLiteral("UsedCharger"), QStringLiteral("KZT4"));
    objSettings().setSetting(QStringLiteral("UsedLanguage"), QStringLiteral("EN"));
    openGlobalRecordsets();
    QStringList names;
    for (rsAkkutypen->moveFirst(); !rsAkkutypen->eof(); rsAkkutypen->moveNext())
        names << rsAkkutypen->field(QStringLiteral("ResourceText")).toString();
    EXPECT_EQ(names, (QStringList{"Alpha", "zeta"}));
    rsAkkutypen->moveFirst();
    EXPECT_EQ(rsAkkutypen->field(QStringLiteral("ZMax")).toInt(), 20);
}

TEST_F(CoreDataTest, UnknownLanguageGivesEmptyListsNotAnError)
{
    objSettings().setSetting(QStringLiteral("UsedLanguage"), QStringLiteral("XX"));
    EXPECT_NO_THROW(openGlobalRecordsets());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(rsAkkutypen->recordCount(), 0);
    EXPECT_EQ(rsGeraeteModi->recordCount(), 0);
}

TEST_F(CoreDataTest, LanguageCodeInAnotherLetterCaseFindsItsTexts)
{
    for (const char* code : {"en", "De", "EN"}) {
        SCOPED_TRACE(code);
        objSettings().setSetting(QStringLiteral("UsedLanguage"), QString::fromLatin1(code));
        objResources().setLanguageKey(QString::fromLatin1(code));
        EXPECT_NE(getResource(QStringLiteral("1000")), QStringLiteral("1000"));
        openGlobalRecordsets();
        EXPECT_GT(rsAkkutypen->recordCount(), 0);
        EXPECT_GT(rsGeraeteModi->recordCount(), 0);
        rsGeraeteModi->moveFirst();
        EXPECT_FALSE(rsGeraeteModi->field(QStringLiteral("ResourceText")).toString().isEmpty());
    }
    // The German code in small letters shows the German texts.
    objResources().setLanguageKey(QStringLiteral("de"));
    const QString german = getResource(QStringLiteral("1000"));
    objResources().setLanguageKey(QStringLiteral("EN"));
    EXPECT_NE(german, getResource(QStringLiteral("1000")));
}
