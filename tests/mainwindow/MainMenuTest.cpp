// The commands of the main menu: window arrangement, channel items, the
// settings dialogs, common dialogs, help, About and the items that are not
// there yet.
#include "DialogFixture.h"
#include "FakeCharger.h"
#include "MainWindowParts.h"
#include "UrlCatcher.h"

#include "channels/frmKanal.h"
#include "link/VelmoroComCommunication.h"
#include "mainwindow/dlgComPortSelection.h"
#include "mainwindow/dlgFirstCharger.h"
#include "mainwindow/dlgSprache.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmMDIMainForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPushButton>

namespace {
class MainMenuTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        setSetting("UsedCharger", QStringLiteral("KZT4"));
        setSetting("FirstStartup", QStringLiteral("NO"));
        for (int n = 1; n <= 4; ++n)
            objSettings().setSetting(QStringLiteral("Akku%1Visible").arg(n), QStringLiteral("YES"));
        form = mainWindowWithChannels(services);
        form->showChannelWindows2To4();
        form->showChannelWindow1();
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        objComCommunication.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DialogFixture::TearDown();
    }
    QRect frame(int channel) const { return form->kanalSubWindow(channel)->geometry(); }

    std::unique_ptr<frmMDIMainForm> form;
};

const QString notImplemented = QStringLiteral("Funktion ist noch nicht implementiert!");
} // namespace

TEST_F(MainMenuTest, OnlyTheDialogsOfLaterWorkStayDisabled)
{
    for (QAction* a :
         {form->mnuDateiConfigurePrinter, form->mnuDateiBeenden, form->mnuBearbeitenMesswerteVerwalten,
          form->mnuEinstellungenOptionen, form->mnuPrintsettings, form->mnuBearbeitenInfoDiagramm,
          form->mnuBearbeitenDBKomprimieren, form->mnuEinstellungenCOMPort, form->mnuEinstellungenSprache,
          form->mnuEinstellungenLadegeraet, form->mnuFensterUeberlappend, form->mnuFensterUebereinander,
          form->mnuFensterNebeneinander, form->mnuFensterSymboleAnordnen, form->mnuHelpInhalt, form->mnuHelpInfo})
        EXPECT_TRUE(a->isEnabled() && a->isVisible()) << a->objectName().toStdString();
}

TEST_F(MainMenuTest, PrintSettingsAndOptionsOpenTheirDialogs)
{
    dialogs.then([](QDialog& d) { d.setResult(QDialog::Rejected); });
    dialogs.then([](QDialog& d) { d.setResult(QDialog::Rejected); });
    form->mnuPrintsettings->trigger();
    form->mnuEinstellungenOptionen->trigger();
    EXPECT_EQ(dialogs.shown, QStringList({"dlgPrintSettings", "dlgSubTitle"}));
}

TEST_F(MainMenuTest, HiddenItemsAndDiagramInfoSayWhatTheyAre)
{
    for (QAction* a :
         {form->mnuDateiFormatPage, form->mnuFensterAlleFensterVerkleinern, form->mnuHelpIndex, form->mnuHelpWeb}) {
        EXPECT_FALSE(a->isVisible());
        a->trigger();
    }
    form->mnuDateiImportVelmoro10->trigger(); // does nothing at all
    ASSERT_EQ(messages.shown.size(), 4);
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.text, notImplemented);
        EXPECT_EQ(m.buttons, MessageService::OkOnly);
        EXPECT_TRUE(m.title.isEmpty());
    }
    messages.shown.clear();
    form->mnuBearbeitenInfoDiagramm->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("1100")));
    EXPECT_EQ(messages.shown[0].icon, MessageService::Information);
    EXPECT_EQ(messages.shown[0].title, getResource(QStringLiteral("0410")));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MainMenuTest, WindowArrangementsFollowChannelOrderAndSkipClosedWindows)
{
    form->kanalSubWindow(3)->close(); // the user closes channel 3: it is only hidden
    ASSERT_FALSE(form->isKanalShown(3));
    const QRect space = form->mdiArea()->viewport()->rect();

    form->mnuFensterUebereinander->trigger();
    EXPECT_EQ(frame(1).top(), 0);
    EXPECT_LT(frame(1).top(), frame(2).top());
    EXPECT_LT(frame(2).top(), frame(4).top());
    for (int n : {1, 2, 4})
        EXPECT_EQ(frame(n).width(), space.width()) << n;
    EXPECT_FALSE(form->isKanalShown(3));

    form->mnuFensterNebeneinander->trigger();
    EXPECT_EQ(frame(1).left(), 0);
    EXPECT_LT(frame(1).left(), frame(2).left());
    EXPECT_LT(frame(2).left(), frame(4).left());
    for (int n : {1, 2, 4})
        EXPECT_EQ(frame(n).height(), space.height()) << n;

    form->mnuFensterUeberlappend->trigger();
    EXPECT_LT(frame(1).top(), frame(2).top());
    EXPECT_LT(frame(1).left(), frame(2).left());

    form->kanalSubWindow(2)->showMinimized();
    form->mnuFensterSymboleAnordnen->trigger();
    EXPECT_EQ(frame(2).bottom(), space.bottom());
    EXPECT_FALSE(form->isKanalShown(3));
}

TEST_F(MainMenuTest, ChannelItemShowsOrBringsToFrontAndNeverHides)
{
    form->kanalSubWindow(2)->close();
    EXPECT_FALSE(form->mnuEinstellungenKanaeleKanal2->isChecked());
    form->mnuEinstellungenKanaeleKanal2->trigger();
    EXPECT_TRUE(form->mnuEinstellungenKanaeleKanal2->isChecked());
    EXPECT_TRUE(form->isKanalShown(2));

    form->mdiArea()->setActiveSubWindow(form->kanalSubWindow(1));
    form->mnuEinstellungenKanaeleKanal2->trigger();
    EXPECT_TRUE(form->mnuEinstellungenKanaeleKanal2->isChecked());
    EXPECT_TRUE(form->isKanalShown(2));
    EXPECT_EQ(form->mdiArea()->activeSubWindow(), form->kanalSubWindow(2));
}

TEST_F(MainMenuTest, PortAndLanguageOpenModallyOverTheMainWindow)
{
    FakeCharger fake(2);
    ASSERT_TRUE(fake.start());
    setSetting("ComPort", fake.portPath());
    dialogs.then(as<dlgComPortSelection>([this](dlgComPortSelection& d) {
        EXPECT_EQ(d.parentWidget(), form.get());
        EXPECT_FALSE(d.bStartup);
        d.cmdOk_Click(); // a device path stays as it is
    }));
    form->mnuEinstellungenCOMPort->trigger();
    ASSERT_NE(objComCommunication, nullptr);
    EXPECT_TRUE(objComCommunication->isComPortOpen());
    EXPECT_EQ(objComCommunication->getStatus(QStringLiteral("001")), QStringLiteral("001,M,SA,"));

    dialogs.then(as<dlgSprache>([this](dlgSprache& d) {
        EXPECT_EQ(d.parentWidget(), form.get());
        d.btnCancel->click();
    }));
    form->mnuEinstellungenSprache->trigger();
    EXPECT_EQ(dialogs.shown, (QStringList{"dlgComPortSelection", "dlgSprache"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainMenuTest, ChargerDialogAndAboutBoxAreModelessAndExistOnce)
{
    form->mnuEinstellungenLadegeraet->trigger();
    dlgFirstCharger* charger = form->chargerDialog();
    ASSERT_NE(charger, nullptr);
    EXPECT_EQ(charger->parentWidget(), nullptr);
    EXPECT_TRUE(charger->isVisible());
    EXPECT_FALSE(charger->isModal());
    form->mnuEinstellungenLadegeraet->trigger();
    EXPECT_EQ(form->chargerDialog(), charger);
    // Unchanged OK closes it; the next command opens a new one.
    charger->btnOk->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->chargerDialog(), nullptr);

    form->mnuHelpInfo->trigger();
    frmAbout* about = form->aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), nullptr);
    EXPECT_TRUE(about->isVisible());
    form->mnuHelpInfo->trigger();
    EXPECT_EQ(form->aboutBox(), about);
    about->cmdOk->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->aboutBox(), nullptr);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(terminator.calls, 0);
}

TEST_F(MainMenuTest, CommonDialogsOnlyShowThemselves)
{
    auto cancelFile = [](QFileDialog::AcceptMode mode) {
        return as<QFileDialog>([mode](QFileDialog& d) {
            EXPECT_EQ(d.acceptMode(), mode);
            d.reject();
        });
    };
    auto cancelPrint = as<QPrintDialog>([](QPrintDialog& d) { d.reject(); });
    dialogs.then(cancelFile(QFileDialog::AcceptOpen));
    dialogs.then(cancelFile(QFileDialog::AcceptSave));
    dialogs.then(cancelPrint);
    dialogs.then(cancelPrint);
    form->mnuDateiImportVelmoro20_Click();
    form->mnuDateiExport_Click();
    form->mnuDateiConfigurePrinter->trigger();
    form->mnuDateiPrint_Click();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(dialogs.shown.size(), 4);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainMenuTest, HelpAndCompactionFromTheMenu)
{
    UrlCatcher browser;
    form->mnuHelpInhalt->trigger();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_TRUE(browser.opened[0].toLocalFile().endsWith(QStringLiteral("velmoro-en.html")));

    messages.answer(MessageService::No);
    form->mnuBearbeitenDBKomprimieren->trigger();
    EXPECT_EQ(messages.texts(), QStringList{getResource(QStringLiteral("1028"))});
    EXPECT_TRUE(dbVeluser.isOpen());
    EXPECT_EQ(terminator.calls, 0);
}
