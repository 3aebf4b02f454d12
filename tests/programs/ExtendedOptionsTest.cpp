// The extended charging options: program -> dialog -> program, editable and
// read-only, the charge end's checks, and the editor's button.
#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "link/CommunicationProgram.h"
#include "platform/FocusValidator.h"
#include "programs/ExtendedOptions.h"
#include "programs/ExtendedProgramReceiver.h"
#include "programs/StoredEditorSources.h"
#include "programs/dlgErweiterterProgrammiermodus.h"
#include "programs/dlgVelmoroProgram.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <optional>

namespace {

const char* const kOptions[] = {"optGesperrt",
                                "optFreigegeben",
                                "optOhneLast",
                                "optUnterLast",
                                "optBleiakkuMode2",
                                "optBleiakkuMode1",
                                "optLiIonMode2",
                                "optLiIonMode1",
                                "optDauerstrom",
                                "optReversepulse",
                                "optQ2",
                                "optQ1",
                                "optU2",
                                "optU1"};

struct Receiver : ExtendedProgramReceiver {
    void setExtendedProgram(const CommunicationProgram& p) override { received = p; }
    std::optional<CommunicationProgram> received;
};

class ExtendedOptionsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        closeCoreForTest();
        QLocale::setDefault(saved);
    }
    // The databases of a KZT4 charger, with rows of our own first.
    void start(const QStringList& statements = {})
    {
        folder.execOn(folder.velmoroPath(), QStringList{QStringLiteral("UPDATE Optionen SET value='YES' "
                                                                       "WHERE key='ProgramExtensionAvaiable'")}
                                                + statements);
        openCoreForTest(folder);
        openGlobalRecordsets();
    }
    static std::shared_ptr<CommunicationProgram> program(const char* text)
    {
        auto p = std::make_shared<CommunicationProgram>();
        p->splitRecievedString(QString::fromLatin1(text), false);
        return p;
    }
    static QString r(const char* id) { return getResource(QString::fromLatin1(id)); }
    static bool on(const dlgErweiterterProgrammiermodus& d, const char* name)
    {
        return d.findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked();
    }
    static QLineEdit* box(const dlgErweiterterProgrammiermodus& d)
    {
        return d.findChild<QLineEdit*>(QStringLiteral("txtLadeende"));
    }
    static void eightEqual(const CommunicationProgram& a, const CommunicationProgram& b)
    {
        EXPECT_EQ(a.bProgrammierungGesperrt, b.bProgrammierungGesperrt);
        EXPECT_EQ(a.bOhneLast, b.bOhneLast);
        EXPECT_EQ(a.iBleiakkuMode, b.iBleiakkuMode);
        EXPECT_EQ(a.iLiionMode, b.iLiionMode);
        EXPECT_EQ(a.iLadeende, b.iLadeende);
        EXPECT_EQ(a.iLademode, b.iLademode);
        EXPECT_EQ(a.iQ, b.iQ);
        EXPECT_EQ(a.iU, b.iU);
    }

    QLocale saved;
    TempProgramFolder folder;
    ScriptedMessages messages;
    ThrowingTerminator terminator;
    TestServices services{{.messages = &messages, .terminator = &terminator}};
};

} // namespace

TEST_F(ExtendedOptionsTest, UntouchedOptionsComeBackAsStoredUnderBothLocales)
{
    start();
    const struct {
        const char* program;
        const char* shown; // the charge end, '.' for the user's separator
        bool gesperrt, ohneLast, blei2, liion2, dauer, q2, u2;
    } cases[] = {
        {"001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S0,C1,B1,H0,N025", "2.5", true, true, true, false, false,
         false, false},
        {"001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B0,H1,N100,O1,Q0,U1", "10", false, false, false,
         true, true, false, true},
        {"001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C1,B0,H0,N455,O0,Q1,U0", "45.5", false, true, false,
         false, false, true, false},
    };
    for (const bool german : {false, true}) {
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.program) + (german ? " de" : " C"));
            const auto prog = program(c.program);
            ASSERT_TRUE(prog->bExtendedRecieved);
            const CommunicationProgram before = *prog;
            Receiver receiver;
            dlgErweiterterProgrammiermodus d;
            d.prog = prog;
            d.parentWin = &receiver;
            d.initDialog();
            EXPECT_EQ(box(d)->text(), QString::fromLatin1(c.shown).replace(QLatin1Char('.'), QLocale().decimalPoint()));
            const bool expected[] = {c.gesperrt, c.ohneLast, c.blei2, c.liion2, c.dauer, c.q2, c.u2};
            for (int i = 0; i < 7; ++i) {
                EXPECT_EQ(on(d, kOptions[2 * i]), expected[i]) << kOptions[2 * i];
                EXPECT_NE(on(d, kOptions[2 * i + 1]), expected[i]) << kOptions[2 * i + 1];
            }
            d.cmdOk_Click();
            ASSERT_TRUE(receiver.received.has_value());
            EXPECT_EQ(d.result(), QDialog::Accepted);
            // A fractional charge end is not cut to a whole number.
            eightEqual(*receiver.received, before);
            // The dialog itself never writes the program it shows.
            eightEqual(*prog, before);
        }
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ExtendedOptionsTest, ChangedOptionsAndATypedChargeEndAreHandedOver)
{
    // A charger that is sent option U.
    start({QStringLiteral("UPDATE Optionen SET value='2' WHERE key='ProgramExtensionType'")});
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto prog = program("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B0,H0,N105");
    // A mode the dialog does not know shows the first option and is stored as 0.
    prog->iBleiakkuMode = 2;
    Receiver receiver;
    dlgErweiterterProgrammiermodus d;
    d.prog = prog;
    d.parentWin = &receiver;
    d.initDialog();
    EXPECT_TRUE(on(d, "optBleiakkuMode1"));
    EXPECT_EQ(box(d)->text(), QStringLiteral("10,5"));
    d.findChild<QRadioButton*>(QStringLiteral("optGesperrt"))->click();
    d.findChild<QRadioButton*>(QStringLiteral("optU2"))->click();
    box(d)->setText(QStringLiteral("12"));
    d.cmdOk_Click();
    ASSERT_TRUE(receiver.received.has_value());
    EXPECT_TRUE(receiver.received->bProgrammierungGesperrt);
    EXPECT_EQ(receiver.received->iBleiakkuMode, 0);
    EXPECT_EQ(receiver.received->iU, 1);
    EXPECT_EQ(receiver.received->iLadeende, 120);
}

TEST_F(ExtendedOptionsTest, ChargeEndIsCheckedAsARealNumberThatFitsThreeDigits)
{
    // Limits of our own: a fractional minimum, and a maximum beyond what the
    // charger's three digits take.
    start({QStringLiteral("UPDATE MinMaxWerte SET MinKzt4=1.5, MaxKzt4=200 WHERE Bez='N'")});
    const struct {
        const char* text;
        bool accepted;
    } cases[] = {
        {"", true}, // OK asks for it
        {"1", false},  {"2", true},    {"1.5", true},
        {"99", true},  {"99.9", true}, {"100", false}, // 1000 tenths do not fit
        {"-5", false}, {"x", false},
    };
    const StoredEditorSources sources;
    for (const bool german : {false, true}) {
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        for (const auto& c : cases) {
            const QString text = QString::fromLatin1(c.text).replace(QLatin1Char('.'), QLocale().decimalPoint());
            const QString message = ExtendedOptions::checkLadeende(text, sources);
            EXPECT_EQ(message.isEmpty(), c.accepted) << c.text << (german ? " de" : " C");
            if (!c.accepted) {
                // The limits in the message are the ones checked, in the user's format.
                const QString dp = QLocale().decimalPoint();
                EXPECT_EQ(message, r("7050") + QStringLiteral(" 1") + dp + QStringLiteral("5") + r("7051")
                                       + QStringLiteral(" 99") + dp + QStringLiteral("9") + r("7052"));
            }
        }
    }
}

TEST_F(ExtendedOptionsTest, OkRefusesAnEmptyOrRefusedChargeEnd)
{
    start();
    const auto prog = program("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B0,H0,N100");
    Receiver receiver;
    dlgErweiterterProgrammiermodus d;
    d.prog = prog;
    d.parentWin = &receiver;
    d.initDialog();
    // Editable, Cancel checks the box it takes the focus from, as any button does.
    EXPECT_TRUE(d.validator().causesValidation(d.findChild<QPushButton*>(QStringLiteral("cmdCancel"))));
    box(d)->setText(QStringLiteral("  "));
    d.cmdOk_Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, r("7054"));
    box(d)->setText(QStringLiteral("60")); // above row N's 50
    d.cmdOk_Click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[1].text.startsWith(r("7050")));
    EXPECT_FALSE(receiver.received.has_value());
    EXPECT_NE(d.result(), QDialog::Accepted);
}

TEST_F(ExtendedOptionsTest, ReadOnlyChangesNothingAndCancelAlwaysCloses)
{
    start();
    // A stored charge end outside the limits must not hold the user.
    const auto prog = program("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S0,C1,B1,H1,N990,O1,Q1,U1");
    dlgErweiterterProgrammiermodus d;
    d.prog = prog;
    d.initDialog();
    d.setEditableFalse();
    for (const char* name : kOptions)
        EXPECT_FALSE(d.findChild<QRadioButton*>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(box(d)->isReadOnly());
    EXPECT_EQ(box(d)->text(), QStringLiteral("99"));
    auto* cancel = d.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    EXPECT_TRUE(d.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isHidden());
    EXPECT_FALSE(d.validator().causesValidation(cancel));

    d.show();
    d.activateWindow();
    QApplication::processEvents();
    box(d)->setFocus();
    ASSERT_TRUE(box(d)->hasFocus());
    cancel->setFocus(Qt::MouseFocusReason);
    cancel->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(ExtendedOptionsTest, EditorButtonOpensTheOptionsAndOnlyOkChangesTheProgram)
{
    start();
    ScriptedDialogs dialogs;
    TestServices scripted(services, {.dialogs = &dialogs});
    const auto prog = program("001,P,A02,M03,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B0,H0,N100");
    const CommunicationProgram before = *prog;
    dlgVelmoroProgram editor;
    editor.setGeraeteNr(QStringLiteral("001"));
    editor.setProgram(prog);
    editor.initDialog();
    auto* button = editor.findChild<QPushButton*>(QStringLiteral("cmdExtendedModus"));
    ASSERT_TRUE(button->isEnabled());

    // Changed, then cancelled: the program stays as it was.
    dialogs.then(as<dlgErweiterterProgrammiermodus>([](dlgErweiterterProgrammiermodus& d) {
        EXPECT_TRUE(d.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isVisibleTo(&d));
        d.findChild<QRadioButton*>(QStringLiteral("optOhneLast"))->click();
        d.cmdCancel_Click();
    }));
    button->click();
    eightEqual(*prog, before);

    // Confirmed: the eight fields change in the editor's own program, nothing else.
    dialogs.then(as<dlgErweiterterProgrammiermodus>([](dlgErweiterterProgrammiermodus& d) {
        d.findChild<QRadioButton*>(QStringLiteral("optOhneLast"))->click();
        d.findChild<QLineEdit*>(QStringLiteral("txtLadeende"))->setText(QStringLiteral("25"));
        d.cmdOk_Click();
    }));
    button->click();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(prog->bOhneLast);
    EXPECT_EQ(prog->iLadeende, 250);
    EXPECT_EQ(prog->lLadestrom, before.lLadestrom);
    EXPECT_EQ(prog->iMode, before.iMode);
}

TEST_F(ExtendedOptionsTest, ChargeModeAndOptionsQAndUAreGreyedWhereTheyAreNotSent)
{
    const struct {
        const char* type;
        bool sent;
    } cases[] = {{"2", true}, {" 2 ", true}, {"1", false}, {"", false}, {"22", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        start({QStringLiteral("UPDATE Optionen SET value='%1' WHERE key='ProgramExtensionType'")
                   .arg(QLatin1String(c.type))});
        const auto prog = program("001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,S1,C0,B0,H0,N100,O1,Q1,U1");
        Receiver receiver;
        dlgErweiterterProgrammiermodus d;
        d.prog = prog;
        d.parentWin = &receiver;
        d.initDialog();
        for (const char* name : {"optDauerstrom", "optReversepulse", "optQ2", "optQ1", "optU2", "optU1"})
            EXPECT_EQ(d.findChild<QRadioButton*>(QString::fromLatin1(name))->isEnabled(), c.sent) << name;
        for (const char* name : {"optGesperrt", "optOhneLast", "optBleiakkuMode2", "optLiIonMode1"})
            EXPECT_TRUE(d.findChild<QRadioButton*>(QString::fromLatin1(name))->isEnabled()) << name;
        // Shown, and handed back, as the program has them.
        EXPECT_TRUE(on(d, "optDauerstrom") && on(d, "optQ2") && on(d, "optU2"));
        d.cmdOk_Click();
        ASSERT_TRUE(receiver.received.has_value());
        eightEqual(*receiver.received, *prog);
        closeCoreForTest();
        folder.execOn(folder.velmoroPath(),
                      {QStringLiteral("UPDATE Optionen SET value='1' WHERE key='ProgramExtensionType'")});
    }
}
