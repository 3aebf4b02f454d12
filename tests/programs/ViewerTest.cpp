// The program viewer: filled hidden from a stored program and read by control
// name, its read-only extended options, and the printout's own hidden viewer
// that gives a channel report its program block.
#include "../printing/FakeControls.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "link/CommunicationProgram.h"
#include "platform/FocusValidator.h"
#include "printing/ReportLayout.h"
#include "printing/WidgetControlReader.h"
#include "programs/dlgErweiterterProgrammiermodus.h"
#include "programs/dlgUsedProgram.h"
#include "wiring/ProgramViewerSource.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ViewerTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        openGlobalRecordsets();
    }
    void TearDown() override
    {
        QLocale::setDefault(saved);
        CoreTest::TearDown();
    }
    static std::shared_ptr<CommunicationProgram> program(const char* text)
    {
        auto p = std::make_shared<CommunicationProgram>();
        p->splitRecievedString(QString::fromLatin1(text), false);
        return p;
    }
    static QString r(const char* id) { return getResource(QString::fromLatin1(id)); }
    static QString dec(const char* text)
    {
        return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
    }
    static int viewersAlive()
    {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<dlgUsedProgram*>(w))
                ++n;
        return n;
    }
    QLocale saved;
};

const char* const kNiMH = "001,P,A02,M03,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400";

} // namespace

TEST_F(ViewerTest, FilledHiddenFromAStoredProgramAndReadByName)
{
    const struct {
        const char* program;
        // control -> expected text ('.' the user's separator); a leading '!'
        // on a name: the control is hidden; '=' : its value.
        std::vector<std::pair<const char*, const char*>> expect;
    } cases[] = {
        {kNiMH,
         {{"=optAkkuTyp", "1"},
          {"cboZellenzahl", "6"},
          {"cboNennSpannung", "7.2 V"},
          {"txtKapazitaetAh", "2.000"},
          {"txtKapazitaetProzent", "80"},
          {"txtLadestrom", "1.000"},
          {"txtEntladestrom", "0.500"},
          {"=chkSollKapazitaet", "1"},
          {"=chkSelbstentladung", "0"},
          {"!cboModeZyklus", ""},
          {"!txtZeitraum", ""},
          {"!txtLadeschlussSpannung", "0.000"},
          {"!cmdExtendedModus", ""}}},
        // Preset end voltages: both shown, whatever the mode's end-voltage flags.
        {"001,P,A05,M01,Z06,F0,W30,L01000,E00500,V08400,D05400",
         {{"=optVorgSpannung", "1"},
          {"txtLadeschlussSpannung", "8.400"},
          {"txtEntladeschlussSpannung", "5.400"},
          {"!cboAkkuType", ""},
          {"=chkSollKapazitaet", "0"},
          {"!txtKapazitaetAh", "0.000"}}},
        // Self-discharge in hours; an extended block keeps the options button.
        {"001,P,A02,M07,Z06,F0,W30,L01000,E00500,V07200,D05400,YH012,S1,C0,B0,H0,N100",
         {{"=chkSelbstentladung", "1"},
          {"txtSelbstentladungsZeitraum", "12"},
          {"=optSelbstentladungStunden", "1"},
          {"=optSelbstentladungTage", "0"},
          {"cmdExtendedModus", "0903"}}},
        // A mode without the test: its check box is hidden, the stored period still shown.
        {"001,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,YD014",
         {{"!chkSelbstentladung", ""},
          {"=chkSelbstentladung", "1"},
          {"txtSelbstentladungsZeitraum", "14"},
          {"=optSelbstentladungTage", "1"},
          {"optSelbstentladungTage", "0928"}}},
        // Charged only, with a capacity: both rate lists beside it, the
        // unit of a program without a test is hours, as loaded.
        {"001,P,A02,M01,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400",
         {{"!txtEntladestrom", ""},
          {"cboEntladeStromC", ""},
          {"lblEnladeStromC", "0946"},
          {"cboLadeStromC", ""},
          {"=optSelbstentladungStunden", "1"},
          {"=optSelbstentladungTage", "0"}}},
        // Storage with a period; cycle mode with its forming choice.
        {"001,P,A02,M06,Z06,F0,W07,L01000,E00500,V07200,D05400", {{"txtZeitraum", "7"}, {"!cboModeZyklus", ""}}},
        // No program text: the viewer stays as loading left it.
        {"",
         {{"txtLadestrom", "0.000"},
          {"=optAkkuTyp", "0"},
          {"!cboAkkuType", ""},
          {"cmdExtendedModus", "0903"},
          {"!txtSelbstentladungsZeitraum", "1"},
          {"!chkSelbstentladung", ""},
          {"=optSelbstentladungStunden", "1"}}},
    };
    for (const bool german : {false, true}) {
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.program) + (german ? " de" : " C"));
            dlgUsedProgram viewer;
            viewer.setProgram(program(c.program));
            viewer.Form_Activate();
            EXPECT_FALSE(viewer.isVisible());
            const WidgetControlReader read(viewer);
            EXPECT_EQ(read.windowCaption(), r("0901"));
            EXPECT_EQ(read.controlText(QStringLiteral("cmdCancelButton")), r("0100"));
            for (const auto& [rawName, rawValue] : c.expect) {
                QString name = QString::fromLatin1(rawName);
                const bool value = name.startsWith(QLatin1Char('=')), hidden = name.startsWith(QLatin1Char('!'));
                if (value || hidden)
                    name.remove(0, 1);
                ASSERT_TRUE(read.hasControl(name)) << rawName;
                QString expected = dec(rawValue);
                if (QString::fromLatin1(rawValue).startsWith(QLatin1String("09")))
                    expected = r(rawValue);
                if (value) {
                    EXPECT_EQ(read.controlValue(name), expected.toInt()) << rawName;
                    continue;
                }
                EXPECT_EQ(read.isControlVisible(name), !hidden) << rawName;
                if (!expected.isEmpty()) {
                    EXPECT_EQ(read.controlText(name), expected) << rawName;
                }
            }
        }
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewerTest, HasNoControlThatStoresOrSendsAndNeverWritesTheProgram)
{
    const auto prog = program("001,P,A02,M03,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400,S0,C1,B1,H1,N050");
    const QString before = QString::number(prog->lLadestrom) + QString::number(prog->iLadeende);
    ScriptedDialogs dialogs;
    TestServices scripted(services, {.dialogs = &dialogs});
    dlgUsedProgram viewer;
    viewer.setProgram(prog);
    viewer.Form_Activate();
    for (const char* name : {"cboAkkuProgram", "lblAkkuprogrammWaehlen", "frameAkku2", "cmdSaveAsButton",
                             "cmdDeleteButton", "cmdSendButton", "cmdSendToAll", "cmdProgrammHolen"})
        EXPECT_EQ(viewer.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    for (QLineEdit* box : viewer.findChildren<QLineEdit*>())
        EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
    EXPECT_FALSE(
        viewer.validator().causesValidation(viewer.findChild<QPushButton*>(QStringLiteral("cmdCancelButton"))));

    // What the user changes on screen is written over by the next activation.
    viewer.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"))->setText(QStringLiteral("3.000"));
    dialogs.then(as<dlgErweiterterProgrammiermodus>([](dlgErweiterterProgrammiermodus& d) {
        EXPECT_TRUE(d.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isHidden());
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("txtLadeende"))->text(), QStringLiteral("5"));
        EXPECT_TRUE(d.options().ohneLast);
        d.cmdCancel_Click();
    }));
    viewer.findChild<QPushButton*>(QStringLiteral("cmdExtendedModus"))->click();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(viewer.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"))->text(), QStringLiteral("1.000"));
    EXPECT_EQ(QString::number(prog->lLadestrom) + QString::number(prog->iLadeende), before);
}

TEST_F(ViewerTest, ActivationFillsTheViewerShownOnScreen)
{
    dlgUsedProgram viewer;
    viewer.setProgram(program(kNiMH));
    viewer.show();
    viewer.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(viewer.findChild<QLineEdit*>(QStringLiteral("txtKapazitaetAh"))->text(), QStringLiteral("2.000"));
    // Cancel closes it, even while a box holds a value its check refuses.
    auto* current = viewer.findChild<QLineEdit*>(QStringLiteral("txtLadestrom"));
    current->setText(QStringLiteral("50.000"));
    current->setFocus();
    auto* cancel = viewer.findChild<QPushButton*>(QStringLiteral("cmdCancelButton"));
    cancel->setFocus(Qt::MouseFocusReason);
    cancel->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(ViewerTest, PrintoutFillsItsOwnHiddenViewerNeverTheOneOnScreen)
{
    const std::unique_ptr<ProgramViewerSource> source = dlgUsedProgram::printingSource();
    ASSERT_NE(source, nullptr);

    // The user looks at a lead-acid preset program.
    dlgUsedProgram onScreen;
    onScreen.setProgram(program("001,P,A05,M01,Z06,F0,W30,L01000,E00500,V08400,D05400"));
    onScreen.show();
    onScreen.Form_Activate();
    const int before = viewersAlive();

    const auto printed = program(kNiMH);
    {
        const std::unique_ptr<ControlReader> viewer = source->openFilled(*printed);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewersAlive(), before + 1);
        EXPECT_EQ(viewer->controlText(QStringLiteral("cboZellenzahl")), QStringLiteral("6"));
        EXPECT_EQ(viewer->controlValue(QStringLiteral("optAkkuTyp")), 1);

        // The channel report's program block comes from that viewer.
        const ReportLayout::Document doc = ReportLayout::layoutChannelReport(
            channelWindow(), viewer.get(), ReportLayout::ReportSettings{}, QString(), false, QSizeF(190, 277));
        QStringList texts;
        for (const auto& page : doc.pages)
            for (const auto& t : page.texts)
                texts << t.text;
        EXPECT_TRUE(texts.contains(ReportLayout::batteryTypeText(*viewer)))
            << texts.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(ReportLayout::batteryTypeText(*viewer).contains(QStringLiteral("7.2 V")));
        EXPECT_TRUE(texts.contains(QStringLiteral("2.000 Ah")));
        EXPECT_TRUE(texts.contains(QStringLiteral("0.500 A")));
    }
    // Unloaded with the reader; the user's viewer is untouched.
    EXPECT_EQ(viewersAlive(), before);
    EXPECT_TRUE(onScreen.isVisible());
    EXPECT_EQ(onScreen.findChild<QLineEdit*>(QStringLiteral("txtLadeschlussSpannung"))->text(),
              QStringLiteral("8.400"));
    EXPECT_TRUE(messages.shown.isEmpty());
}
