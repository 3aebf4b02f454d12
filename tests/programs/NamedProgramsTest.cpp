// Named programs: choosing, saving, overwriting and deleting, names that
// differ only in case or carry an apostrophe, and a failing database.
#include "ExchangeFixture.h"

#include "core/DatabaseModul.h"
#include "platform/Database.h"
#include "platform/ErrorGuard.h"
#include "programs/NamedPrograms.h"

#include "core/velmoroLog.h"

#include <QFile>
#include <QSqlQuery>

namespace {
using Msg = MessageService;

class NamedProgramsTest : public ExchangeFixture {
protected:
    void openWith(const QStringList& rows = {})
    {
        open();
        for (const QString& row : rows)
            dbVeluser.exec(row);
        exchange->refreshProgramList();
    }
    // Save as, with this name typed in the dialog.
    void saveAs(const QString& name)
    {
        host.onSaveAs = [this, name] { logic->setNewProgramName(name.trimmed()); };
        ErrorGuard::run([this] { exchange->cmdSaveAsButton_Click(); });
    }
    QStringList rows()
    {
        QStringList l;
        QSqlQuery q(dbVeluser.handle());
        q.exec(QStringLiteral("SELECT ProgrammID, Bez, Daten FROM Programme ORDER BY ProgrammID"));
        while (q.next())
            l << q.value(0).toString() + QLatin1Char('|') + q.value(1).toString() + QLatin1Char('|')
                     + q.value(2).toString();
        return l;
    }
    QStringList listed() const
    {
        QStringList l;
        for (const ListEntry& e : view.bound.value(QStringLiteral("cboAkkuProgram")))
            l << e.text;
        return l;
    }
    QString chosen() const { return view.boundText(QStringLiteral("cboAkkuProgram")); }
    bool deleteEnabled() const { return view.isControlEnabled(QStringLiteral("cmdDeleteButton")); }
    void choose(const QString& id)
    {
        view.setBoundText(QStringLiteral("cboAkkuProgram"), id);
        ErrorGuard::run([this] { exchange->cboAkkuProgram_Click(); });
    }

    static inline const QString kOther = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L02000,E00500,V07200,D05400");
};
} // namespace

TEST_F(NamedProgramsTest, SavingIntoAnEmptyTableAddsWithoutAskingAndChoosesIt)
{
    openWith();
    saveAs(QStringLiteral("  Bob's pack  "));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1|Bob's pack|") + sent});
    EXPECT_TRUE(hooked.shown.isEmpty());
    EXPECT_EQ(listed(), QStringList{QStringLiteral("Bob's pack")});
    EXPECT_EQ(chosen(), QStringLiteral("1"));
    EXPECT_TRUE(deleteEnabled());
    // The apostrophe finds its row again.
    EXPECT_EQ(NamedPrograms::findByName(QStringLiteral("BOB'S PACK")), QStringLiteral("1"));
}

TEST_F(NamedProgramsTest, ANameDifferingOnlyInCaseAsksAndOverwritesThatRow)
{
    const struct {
        const char* typed;
        Msg::Result answer;
        bool replaced;
    } cases[] = {
        {" ärger ", Msg::Yes, true},
        {"ÄRGER", Msg::No, false},
        {"Ärger", Msg::Yes, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        openWith({QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Ärger', '%1')").arg(kOther),
                  QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Zeta', '%1')").arg(kOther)});
        hooked.answer(c.answer);
        saveAs(QString::fromUtf8(c.typed));
        ASSERT_EQ(hooked.shown.size(), 1);
        EXPECT_EQ(hooked.shown[0].text, r("0992"));
        EXPECT_EQ(hooked.shown[0].buttons, Msg::YesNo);
        EXPECT_EQ(hooked.shown[0].icon, Msg::Question);
        EXPECT_EQ(hooked.shown[0].title, r("0110"));
        const QString daten = c.replaced ? sent : kOther;
        EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|Ärger|") + daten, QStringLiteral("2|Zeta|") + kOther}));
        EXPECT_EQ(chosen(), c.replaced ? QStringLiteral("1") : QString());
        exchange.reset();
        objComCommunication.reset();
        logic.reset();
        closeCoreForTest();
        hooked.shown.clear();
        folder.execOn(folder.veluserPath(), {QStringLiteral("DELETE FROM Programme"),
                                             QStringLiteral("DELETE FROM sqlite_sequence WHERE name='Programme'")});
    }
}

TEST_F(NamedProgramsTest, CancelledOrEmptyNameSavesNothing)
{
    openWith();
    saveAs(QStringLiteral("   "));
    host.onSaveAs = nullptr;
    ErrorGuard::run([this] { exchange->cmdSaveAsButton_Click(); });
    EXPECT_EQ(host.saveAsShown, 2);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(hooked.shown.isEmpty());
}

TEST_F(NamedProgramsTest, ChoosingLoadsTheProgramAndACorruptOneLeavesTheFields)
{
    openWith({QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Good', '%1')").arg(kOther),
              QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Bad', '001,P,Axx,M01')"),
              QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Empty', '')")});
    const QString huge = QStringLiteral("001,P,A02,M01\n") + QString(5000, QLatin1Char('x'));
    dbVeluser.exec(QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('Huge', ?)"), {huge});
    exchange->refreshProgramList();
    objLog = std::make_unique<velmoroLog>(folder.path());
    for (const char* id : {"2", "3", "4"}) {
        hooked.shown.clear();
        const auto before = logic->program();
        choose(QString::fromLatin1(id));
        EXPECT_EQ(hooked.texts(), QStringList{r("0979")}) << id;
        EXPECT_EQ(logic->program(), before) << id;
        EXPECT_EQ(text("txtLadestrom"), dec("1.000"));
    }
    choose(QStringLiteral("1"));
    EXPECT_EQ(text("txtLadestrom"), dec("2.000"));
    EXPECT_TRUE(deleteEnabled());
    EXPECT_EQ(chosen(), QStringLiteral("1"));

    // Each unreadable one is in the error log once, under its name, in one
    // line of a readable length.
    objLog.reset();
    QFile f(folder.path() + QStringLiteral("/error.log"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.count(QStringLiteral("LogType: Named program")), 3);
    EXPECT_TRUE(lines.contains(QStringLiteral("ProgrammID 2 \"Bad\" cannot be read: \"001,P,Axx,M01\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ProgrammID 3 \"Empty\" cannot be read: \"\"")));
    const QStringList huge4 = lines.filter(QStringLiteral("ProgrammID 4 \"Huge\" cannot be read: \"001,P,A02,M01 xxx"));
    ASSERT_EQ(huge4.size(), 1);
    EXPECT_LT(huge4[0].size(), 300);
    EXPECT_TRUE(huge4[0].endsWith(QStringLiteral("... (5014 characters)\"")));
}

TEST_F(NamedProgramsTest, DeleteRemovesTheChosenRowAndKeepsTheFields)
{
    openWith({QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('A', '%1')").arg(kOther),
              QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('B', '%1')").arg(kOther)});
    choose(QStringLiteral("1"));
    view.setControlText(QStringLiteral("txtLadestrom"), dec("3.5"));
    hooked.answer(Msg::No);
    ErrorGuard::run([this] { exchange->cmdDeleteButton_Click(); });
    EXPECT_EQ(rows().size(), 2);
    ErrorGuard::run([this] { exchange->cmdDeleteButton_Click(); });
    EXPECT_EQ(hooked.texts(), (QStringList{r("0994"), r("0994")}));
    EXPECT_EQ(hooked.shown[0].title, r("0110"));
    EXPECT_EQ(listed(), QStringList{QStringLiteral("B")});
    EXPECT_EQ(chosen(), QString());
    EXPECT_FALSE(deleteEnabled());
    EXPECT_EQ(text("txtLadestrom"), dec("3.5"));
    // A key no row has deletes nothing.
    EXPECT_FALSE(NamedPrograms::remove(QStringLiteral("1")));
    EXPECT_FALSE(NamedPrograms::overwrite(QStringLiteral("1"), kProgram));
    EXPECT_EQ(rows().size(), 1);
}

TEST_F(NamedProgramsTest, ADatabaseFailureLeavesListAndFieldsAsTheyWere)
{
    openWith({QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES ('A', '%1')").arg(kOther)});
    dbVeluser.exec(
        QStringLiteral("CREATE TRIGGER noAdd BEFORE INSERT ON Programme BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    dbVeluser.exec(QStringLiteral(
        "CREATE TRIGGER noDelete BEFORE DELETE ON Programme BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    saveAs(QStringLiteral("New"));
    ASSERT_EQ(hooked.shown.size(), 1);
    EXPECT_EQ(hooked.shown[0].icon, Msg::Critical);
    EXPECT_EQ(listed(), QStringList{QStringLiteral("A")});

    choose(QStringLiteral("1"));
    view.setControlText(QStringLiteral("txtLadestrom"), dec("3.5"));
    hooked.answer(Msg::Yes);
    ErrorGuard::run([this] { exchange->cmdDeleteButton_Click(); });
    EXPECT_EQ(hooked.shown.size(), 3);
    EXPECT_EQ(hooked.shown[2].icon, Msg::Critical);
    EXPECT_EQ(listed(), QStringList{QStringLiteral("A")});
    EXPECT_EQ(chosen(), QStringLiteral("1"));
    EXPECT_EQ(text("txtLadestrom"), dec("3.5"));
    EXPECT_EQ(rows().size(), 1);
}

TEST_F(NamedProgramsTest, AProgramReportedDuringSaveAsWaitsUntilItIsOver)
{
    openWith();
    host.onSaveAs = [this] {
        exchange->programChangedFromOutside(reported("001,P,A02,M01,Z06,F0,W30,L09000,E00500,V07200,D05400"));
        logic->setNewProgramName(QStringLiteral("Mine"));
    };
    ErrorGuard::run([this] { exchange->cmdSaveAsButton_Click(); });
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1|Mine|") + sent});
    EXPECT_EQ(host.posted, 1);
    EXPECT_EQ(text("txtLadestrom"), dec("1.000"));
}

TEST_F(NamedProgramsTest, NamesAreListedAsTheProgramsLanguageSortsThem)
{
    openWith();
    for (const char* name : {"zulu", "Ärger", "Pack 10", "alpha", "Pack 2", "Beta", "Alpha"})
        dbVeluser.exec(QStringLiteral("INSERT INTO Programme (Bez, Daten) VALUES (?, ?)"),
                       {QString::fromUtf8(name), kOther});
    const QString before = objResources().languageKey();
    for (const char* language : {"EN", "DE"}) {
        SCOPED_TRACE(language);
        objResources().setLanguageKey(QString::fromLatin1(language));
        exchange->refreshProgramList();
        const QStringList names = listed();
        ASSERT_EQ(names.size(), 7);
        EXPECT_EQ(names.indexOf(QStringLiteral("zulu")), 6);
        EXPECT_LT(names.indexOf(QStringLiteral("Alpha")), names.indexOf(QString::fromUtf8("Ärger")));
        EXPECT_LT(names.indexOf(QStringLiteral("alpha")), names.indexOf(QString::fromUtf8("Ärger")));
        EXPECT_LT(names.indexOf(QString::fromUtf8("Ärger")), names.indexOf(QStringLiteral("Beta")));
        EXPECT_LT(names.indexOf(QStringLiteral("Pack 2")), names.indexOf(QStringLiteral("Pack 10")));
    }
    objResources().setLanguageKey(before);
    // Finding a name is as before: without regard to case.
    EXPECT_EQ(NamedPrograms::findByName(QString::fromUtf8(" ärger ")), QStringLiteral("2"));
}
