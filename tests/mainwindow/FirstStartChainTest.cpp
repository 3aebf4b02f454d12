// The first-start chain with the real dialogs: every way out of every step,
// the self-describing charger, and the live language switch.
#include "DialogFixture.h"

#include "mainwindow/FirstStartChain.h"
#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgFirstComPortSelection.h"
#include "mainwindow/dlgFirstSprache.h"
#include "platform/DataCombo.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
class FirstStartChainTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        setSetting("FirstStartup", QStringLiteral("YES"));
        setSetting("ChargerSelfInfo", QStringLiteral("NO"));
    }
    // Runs the chain; true when it ended the program.
    bool runChain()
    {
        try {
            checkFirstStartup();
        } catch (const ProgramTerminated&) {
            return true;
        }
        return false;
    }
    static void choose(DataCombo& combo, const QString& value)
    {
        for (int i = 0; i < combo.count(); ++i) {
            if (combo.itemData(i).toString() == value) {
                combo.setCurrentIndex(i);
                Q_EMIT combo.selectionChanged();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << value.toStdString();
    }
    static QStringList entries(const DataCombo& combo)
    {
        QStringList list;
        for (int i = 0; i < combo.count(); ++i)
            list << combo.itemText(i);
        return list;
    }
    FirstStartChain chain;
    TestServices firstStart{services, {.firstStartDialogs = &chain}};
};
} // namespace

TEST_F(FirstStartChainTest, WholeChainStoresEveryChoiceInOrder)
{
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) {
        EXPECT_EQ(d.btnOk->text(), QStringLiteral("Next"));
        choose(*d.cboSprachAuswahl, QStringLiteral("DE"));
        d.btnOk->click();
    }));
    dialogs.then(as<dlgFirstCharger>([](dlgFirstCharger& d) {
        // First-start mode: the chain's OK caption, starting on the stored model.
        EXPECT_EQ(d.btnOk->text(), QStringLiteral("Weiter"));
        EXPECT_EQ(d.cboChargerSelection->currentValue(), QStringLiteral("KZT4"));
        EXPECT_EQ(d.cboChargerSelection->count(), 5);
        choose(*d.cboChargerSelection, QStringLiteral("KZT4 48V"));
        d.btnOk->click();
    }));
    dialogs.then(as<dlgFirstComPortSelection>([](dlgFirstComPortSelection& d) {
        EXPECT_FALSE(d.bStartup);
        EXPECT_TRUE(d.optCom[0]->isChecked());
        d.optCom[3]->setChecked(true);
        d.cmdOk->click();
    }));
    EXPECT_FALSE(runChain());
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(dialogs.shown, (QStringList{"dlgFirstSprache", "dlgFirstCharger", "dlgFirstComPortSelection"}));
    EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("DE"));
    EXPECT_EQ(setting("UsedCharger"), QStringLiteral("KZT4 48V"));
    EXPECT_EQ(setting("ComPort"), QStringLiteral("4"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(FirstStartChainTest, SelfDescribingChargerSkipsModelDialog)
{
    setSetting("ChargerSelfInfo", QStringLiteral("YES"));
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) { d.btnOk_Click(); }));
    dialogs.then(as<dlgFirstComPortSelection>([](dlgFirstComPortSelection& d) { d.cmdOk_Click(); }));
    EXPECT_FALSE(runChain());
    EXPECT_EQ(dialogs.shown, (QStringList{"dlgFirstSprache", "dlgFirstComPortSelection"}));
    EXPECT_EQ(setting("UsedCharger"), QStringLiteral("KZTx"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));
}

TEST_F(FirstStartChainTest, LanguageSwitchesLiveAndCancelStillEndsTheProgram)
{
    dialogs.then(as<dlgFirstSprache>([this](dlgFirstSprache& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Language"));
        EXPECT_EQ(entries(*d.cboSprachAuswahl), (QStringList{"English", "German"}));
        choose(*d.cboSprachAuswahl, QStringLiteral("DE"));
        // Relabelled and renamed at once, before anything is stored.
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Sprache"));
        EXPECT_EQ(d.btnOk->text(), QStringLiteral("Weiter"));
        EXPECT_EQ(entries(*d.cboSprachAuswahl), (QStringList{"Deutsch", "Englisch"}));
        EXPECT_EQ(d.cboSprachAuswahl->currentValue(), QStringLiteral("DE"));
        EXPECT_EQ(getResource(QStringLiteral("0400")), QStringLiteral("Sprache"));
        EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("EN"));
        // And back again.
        choose(*d.cboSprachAuswahl, QStringLiteral("EN"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Language"));
        choose(*d.cboSprachAuswahl, QStringLiteral("DE"));
        dbVeluser.exec(
            QStringLiteral("INSERT INTO TempMessWerte (MessReiheID, EW, MessWertString) VALUES (1, 0, 'x')"));
        d.btnCancel->click();
    }));
    EXPECT_TRUE(runChain());
    EXPECT_EQ(terminator.calls, 1);
    EXPECT_EQ(dialogs.shown, QStringList{"dlgFirstSprache"});
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("YES"));
    EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("EN"));
    EXPECT_EQ(tempRows(), 0); // closeApplication ran
    EXPECT_EQ(objLog, nullptr);
}

TEST_F(FirstStartChainTest, CancelInChargerDialogEndsWithFirstStartupStillYes)
{
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) { d.btnOk_Click(); }));
    dialogs.then(as<dlgFirstCharger>([](dlgFirstCharger& d) {
        d.cboChargerSelection->selectValue(QStringLiteral("J4"));
        d.cboChargerSelection_Change();
        d.reject(); // Escape does what Cancel does
    }));
    EXPECT_TRUE(runChain());
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("YES"));
    EXPECT_EQ(setting("UsedCharger"), QStringLiteral("KZT4"));
    EXPECT_EQ(objLog, nullptr);
    // The next start asks again.
    EXPECT_EQ(dialogs.shown, (QStringList{"dlgFirstSprache", "dlgFirstCharger"}));
}

TEST_F(FirstStartChainTest, CancelInPortDialogKeepsPortAndStartGoesOn)
{
    setSetting("ComPort", QStringLiteral("7"));
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) { d.btnOk_Click(); }));
    dialogs.then(as<dlgFirstCharger>([](dlgFirstCharger& d) { d.btnOk_Click(); }));
    dialogs.then(as<dlgFirstComPortSelection>([](dlgFirstComPortSelection& d) {
        EXPECT_TRUE(d.optCom[6]->isChecked());
        d.optCom[1]->setChecked(true);
        d.cmdCancel->click();
    }));
    EXPECT_FALSE(runChain());
    EXPECT_EQ(terminator.calls, 0);
    EXPECT_EQ(setting("ComPort"), QStringLiteral("7"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));
    EXPECT_NE(objLog, nullptr);
}

TEST_F(FirstStartChainTest, ClosingFromTheFrameEndsTheChainButNotTheStart)
{
    // Language dialog closed by its frame after a live switch: nothing stored,
    // the texts go back to the stored language, no further dialog.
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) {
        choose(*d.cboSprachAuswahl, QStringLiteral("DE"));
        d.close();
    }));
    EXPECT_FALSE(runChain());
    EXPECT_EQ(dialogs.shown, QStringList{"dlgFirstSprache"});
    EXPECT_EQ(setting("UsedLanguage"), QStringLiteral("EN"));
    EXPECT_EQ(getResource(QStringLiteral("0400")), QStringLiteral("Language"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));

    // Charger dialog closed by its frame: the port is not asked either.
    setSetting("FirstStartup", QStringLiteral("YES"));
    dialogs.shown.clear();
    dialogs.then(as<dlgFirstSprache>([](dlgFirstSprache& d) { d.btnOk_Click(); }));
    dialogs.then(as<dlgFirstCharger>([](dlgFirstCharger& d) {
        d.cboChargerSelection->selectValue(QStringLiteral("J4"));
        d.cboChargerSelection_Change();
        d.close();
    }));
    EXPECT_FALSE(runChain());
    EXPECT_EQ(dialogs.shown, (QStringList{"dlgFirstSprache", "dlgFirstCharger"}));
    EXPECT_EQ(setting("UsedCharger"), QStringLiteral("KZT4"));
    EXPECT_EQ(setting("FirstStartup"), QStringLiteral("NO"));
    EXPECT_EQ(terminator.calls, 0);
}

TEST_F(FirstStartChainTest, QtsOwnButtonsSwitchWithTheChosenLanguageAndBackOnAFrameClose)
{
    auto yes = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes);
        return box.button(QMessageBox::Yes)->text();
    };
    dialogs.then(as<dlgFirstSprache>([&](dlgFirstSprache& d) {
        choose(*d.cboSprachAuswahl, QStringLiteral("DE"));
        EXPECT_EQ(yes(), QStringLiteral("&Ja"));
        d.close();
    }));
    EXPECT_FALSE(runChain());
    EXPECT_EQ(yes(), QStringLiteral("&Yes")); // nothing chosen: back to the stored language
}
