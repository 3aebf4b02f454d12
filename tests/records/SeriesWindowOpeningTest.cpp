// The stored series window on screen: a series renumbered or deleted
// meanwhile, a failed read, what the printout reads, and the diagrams, the
// program viewer and the records dialog it works with.
#include "OwnedWindowChecks.h"
#include "SeriesWindowFixture.h"

namespace {

TEST_F(SeriesWindowTest, TheWindowFollowsARenumberingAndGoesWithItsSeries)
{
    for (int n = 1; n <= 3; ++n)
        series(akkuId, n);
    const qint32 third = dbVeluser.scalar(QStringLiteral("SELECT MessReiheID FROM MessReihen WHERE Nummer=3")).toInt();
    QPointer<frmKanalBearbeiten> window = frmKanalBearbeiten::openSeries(
        services, nullptr, third, QStringLiteral("Pack"), QStringLiteral("3"), QString());
    ASSERT_TRUE(window);
    auto d = manager();
    selectNummer(*d, 1);
    d->cmdMessReiheLoeschen_Click();
    ASSERT_EQ(messages.texts(), QStringList(r("0744") + "\r\r" + r("0742")));
    // The window and the report it prints show the new number at once.
    WidgetControlReader reader(*window);
    EXPECT_EQ(reader.windowCaption(), r("0818") + QStringLiteral(" - Pack / 2"));
    EXPECT_EQ(reader.controlText(QStringLiteral("frameAkkumesswerte")), reader.windowCaption());
    EXPECT_EQ(window->logic().strMessreihenNr, QStringLiteral("2"));

    // Deleting the series it shows closes it, with a word.
    selectNummer(*d, 2);
    d->cmdMessReiheLoeschen_Click();
    EXPECT_EQ(messages.texts().last(), r("0852"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
}

TEST_F(SeriesWindowTest, TheWindowOpensWhollyOnTheScreen)
{
    const qint32 id = storedSeries(kProgram, {charge(1000, 1400, 20)});
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // An owner standing low on the screen: the window over it would run off the bottom.
    QWidget owner;
    owner.setGeometry(area.left() + area.width() - 200, area.bottom() - 100, 400, 400);
    auto inside = [&](QWidget* w) {
        const QRect frame = w->geometry().marginsAdded(windowFrameMargins(w));
        EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                          << frame.height() << " in " << area.width() << "x" << area.height();
    };
    frmKanalBearbeiten* window =
        frmKanalBearbeiten::openSeries(services, &owner, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    inside(window);
    // Moved off meanwhile, it comes back when it shows the next series.
    window->move(area.right() - 50, area.bottom() - 50);
    frmKanalBearbeiten::openSeries(services, &owner, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    inside(window);
}

TEST_F(SeriesWindowTest, TheWindowStaysInFrontOfTheMainWindowWithoutBlockingIt)
{
    const qint32 id = storedSeries(kProgram, {charge(1000, 1400, 20)});
    QWidget mainWindow;
    mainWindow.show();
    frmKanalBearbeiten* window = frmKanalBearbeiten::openSeries(services, &mainWindow, id, QStringLiteral("Pack"),
                                                                QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    expectOwnedWindow(*window, mainWindow);
}

TEST_F(SeriesWindowTest, ADeletedSeriesIsToldAndClosesTheWindow)
{
    const qint32 id = storedSeries(kProgram, {charge(1000, 1400, 20)});
    QPointer<frmKanalBearbeiten> window =
        frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"))->count(), 1);

    dbVeluser.exec(QStringLiteral("DELETE FROM MessWerte WHERE MessReiheID=?"), {id});
    dbVeluser.exec(QStringLiteral("DELETE FROM MessReihen WHERE MessReiheID=?"), {id});
    EXPECT_FALSE(window->Form_Activate());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, r("0852"));
    EXPECT_EQ(messages.shown[0].title, r("0410"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);

    // Opening it directly for a deleted series shows nothing either.
    EXPECT_EQ(frmKanalBearbeiten::openSeries(services, nullptr, id, QString(), QString(), QString()), nullptr);
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(SeriesWindowTest, ADatabaseFailureIsShownAndLeavesNothingOfTheSeriesBefore)
{
    const qint32 id = storedSeries(kProgram, {QStringLiteral("2;1234;12345;600;95;T;87;12")});
    frmKanalBearbeiten* window =
        frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    dbVeluser.exec(QStringLiteral("ALTER TABLE MessWerte RENAME TO Gone"));
    EXPECT_TRUE(window->Form_Activate());
    dbVeluser.exec(QStringLiteral("ALTER TABLE Gone RENAME TO MessWerte"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"))->count(), 0);
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtAkkuzustand"))->text(), QString());

    // The activation that closing the error box brings reads nothing again.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window, &activate);
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"))->count(), 0);
    EXPECT_EQ(messages.shown.size(), 1);
    // Opening it again reads it.
    frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"))->count(), 1);
}

TEST_F(SeriesWindowTest, TheWindowCarriesWhatThePrintoutReads)
{
    const qint32 id = storedSeries(kProgram, {discharge(900, 1000, 18), QStringLiteral("2;1234;12345;600;95;F;40;12")});
    dbVeluser.exec(QStringLiteral("UPDATE MessReihen SET Nummer=7 WHERE MessReiheID=?"), {id});
    frmKanalBearbeiten* window = frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"),
                                                                QStringLiteral("7"), QStringLiteral("old"));
    ASSERT_TRUE(window);
    WidgetControlReader reader(*window);
    for (const char* name : {"frameAkkuprogramm",
                             "lblAkkutyp",
                             "lblMode",
                             "lblNennkapazitaet",
                             "txtAkkuTyp",
                             "frameAkkumesswerte",
                             "lblMesswerteNachLaden",
                             "lblMesswerteNachEntladen",
                             "lblLadenNr",
                             "lblLadenAh",
                             "lblLadenVolt",
                             "lblLadenMin",
                             "lblEntladenNr",
                             "lblEntladenAh",
                             "lblEntladenVolt",
                             "lblEntladenMin",
                             "lstEndwertLaden",
                             "lstEndwertEntladen",
                             "lblAkkuzustand",
                             "lblSelbstentladung",
                             "lblBemerkungen",
                             "txtAkkuzustand",
                             "txtSelbstentladung",
                             "txtBemerkung"})
        EXPECT_TRUE(reader.hasControl(QString::fromLatin1(name))) << name;
    EXPECT_EQ(reader.windowCaption(), r("0818") + QStringLiteral(" - Pack / 7"));
    EXPECT_EQ(reader.controlText(QStringLiteral("frameAkkumesswerte")), reader.windowCaption());
    EXPECT_EQ(reader.controlText(QStringLiteral("lblLadenAh")), r("0836"));
    EXPECT_EQ(reader.listCount(QStringLiteral("lstEndwertLaden")), 2);
    EXPECT_EQ(reader.listItem(QStringLiteral("lstEndwertLaden"), 1), QStringLiteral(" 2.      1.234    12.345    95"));
    EXPECT_EQ(reader.controlText(QStringLiteral("txtAkkuzustand")), r("0846") + QStringLiteral(" (40%)"));
    EXPECT_EQ(reader.controlText(QStringLiteral("txtBemerkung")), QStringLiteral("old"));
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("cmdOk"))->text(), r("0100"));

    // The report lays the window out as it shows it.
    ReportLayout::Document doc;
    ASSERT_NO_THROW(doc = ReportLayout::layoutChannelReport(reader, nullptr, ReportLayout::ReportSettings{}, QString(),
                                                            false, QSizeF(190, 277)));
    QStringList printed;
    for (const auto& page : doc.pages)
        for (const auto& t : page.texts)
            printed << t.text;
    // The report prints the rows' columns each in its place.
    const QString all = printed.join(QLatin1Char('|'));
    EXPECT_TRUE(all.contains(QStringLiteral("|---|1.|0.900|1.000|18|2.|1.234|12.345|95|"))) << all.toStdString();
    EXPECT_TRUE(printed.join(QLatin1Char('|')).contains(r("0846") + QStringLiteral(" (40%)")));
}

TEST_F(SeriesWindowTest, DiagramsOfTheSeriesAndOfItsPhases)
{
    const qint32 id = storedSeries(kProgram, {discharge(900, 1000, 18), charge(1000, 1400, 20)}, 10);
    frmKanalBearbeiten* window =
        frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    auto* laden = window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"));
    auto* entladen = window->findChild<QListWidget*>(QStringLiteral("lstEndwertEntladen"));

    // No row chosen: nothing.
    window->lstEndwertEntladen_DblClick();
    EXPECT_TRUE(diagram.requests.empty());

    window->cmdDiagramme_Click();
    entladen->setCurrentRow(0);
    window->lstEndwertEntladen_DblClick();
    laden->setCurrentRow(0);
    window->lstEndwertLaden_DblClick();
    ASSERT_EQ(diagram.requests.size(), 3u);
    EXPECT_EQ(diagram.requests[0].lEndWertId, 0);
    EXPECT_EQ(diagram.requests[1].lEndWertId, window->logic().seriesEndValues()->Item(1)->lMesswertId);
    EXPECT_EQ(diagram.requests[2].lEndWertId, 0); // the placeholder draws the whole series
    for (const auto& rq : diagram.requests) {
        EXPECT_EQ(rq.lMessReiheId, id);
        EXPECT_EQ(rq.callerForm, window);
    }

    // A second request while one loads is refused.
    diagram.during = [window] { window->cmdDiagramme_Click(); };
    window->cmdDiagramme_Click();
    EXPECT_EQ(diagram.requests.size(), 4u);
    EXPECT_FALSE(window->logic().bLoadingDiagram());

    // The program the diagram was given outlives the window.
    const std::weak_ptr<CommunicationProgram> program = diagram.requests.back().cProg;
    QPointer<QWidget> caller = diagram.requests.back().callerForm;
    window->cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(caller);
    EXPECT_FALSE(program.expired());
    EXPECT_EQ(program.lock()->iAkkuTyp, 2);
}

TEST_F(SeriesWindowTest, TheProgramButtonHandsTheStoredProgramToTheViewer)
{
    const qint32 id = storedSeries(QVariant(), {});
    frmKanalBearbeiten* window =
        frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    window->cmdProgram_Click();
    ASSERT_EQ(viewer.shown.size(), 1u);
    EXPECT_EQ(viewer.shown[0]->iAkkuTyp, -3);
}

TEST_F(SeriesWindowTest, TheDiagramWindowDrawsTheStoredSeriesAndOutlivesTheSeriesWindow)
{
    DiagramOpener opener(nullptr, nullptr);
    SeriesDiagramWindow seriesDiagrams(opener);
    TestServices drawing(services, {.seriesDiagram = &seriesDiagrams});
    const qint32 id = storedSeries(kProgram, {}, 12);
    const qint32 end = value(id, true, charge(1000, 1400, 20));
    for (int i = 0; i < 12; ++i)
        value(id, false, QStringLiteral("1;1300;500;%1").arg(800 + i * 60));
    frmKanalBearbeiten* window =
        frmKanalBearbeiten::openSeries(drawing, nullptr, id, QStringLiteral("Pack"), QStringLiteral("1"), QString());
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->findChild<QPushButton*>(QStringLiteral("cmdDiagramme"))->isEnabled());

    window->cmdDiagramme_Click();
    QPointer<frmDiagramm> diagramWindow = opener.window();
    ASSERT_TRUE(diagramWindow);
    EXPECT_EQ(diagramWindow->logic().lMessReiheId, id);
    EXPECT_FALSE(diagramWindow->logic().bTempCreated);
    EXPECT_EQ(diagramWindow->logic().lEndWertId, 0);
    EXPECT_EQ(diagramWindow->callerForm.data(), window);

    auto* laden = window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"));
    laden->setCurrentRow(0);
    window->lstEndwertLaden_DblClick();
    ASSERT_EQ(opener.window(), diagramWindow.data());
    EXPECT_EQ(diagramWindow->logic().lEndWertId, end);

    window->cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(diagramWindow);
    EXPECT_TRUE(diagramWindow->callerForm.isNull());
    ASSERT_TRUE(diagramWindow->cProg);
    EXPECT_EQ(diagramWindow->cProg->iAkkuTyp, 2);
    delete diagramWindow.data();
}

TEST_F(SeriesWindowTest, TheProgramButtonShowsTheViewerModal)
{
    UsedProgramViewer programViewer;
    ScriptedDialogs dialogs;
    TestServices scripted(services, {.dialogs = &dialogs, .seriesProgramViewer = &programViewer});
    for (const QVariant& program : {QVariant(kProgram), QVariant()}) {
        const qint32 id = storedSeries(program, {});
        frmKanalBearbeiten* window = frmKanalBearbeiten::openSeries(scripted, nullptr, id, QStringLiteral("Pack"),
                                                                    QStringLiteral("1"), QString());
        ASSERT_TRUE(window);
        EXPECT_TRUE(window->findChild<QPushButton*>(QStringLiteral("cmdProgram"))->isEnabled());
        QWidget* owner = nullptr;
        dialogs.then([&](QDialog& d) { owner = d.parentWidget(); });
        window->cmdProgram_Click();
        EXPECT_EQ(owner, window);
    }
    EXPECT_EQ(dialogs.shown, (QStringList{QStringLiteral("dlgUsedProgram"), QStringLiteral("dlgUsedProgram")}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SeriesWindowTest, TheRecordsDialogShowsTheChosenSeries)
{
    const qint32 id = storedSeries(kProgram, {charge(1000, 1400, 20)});
    QWidget mainWindow; // stands in for the main window, the dialog's owner
    auto* dialog = new dlgMesswerteErfassen(&mainWindow, services);
    dialog->logic().bEditMode = true;
    bool bShow = false;
    dialog->initializeDialog(bShow);
    EXPECT_TRUE(dialog->cmdMessReiheAnzeigen->isEnabled());
    dialog->cmdMessReiheAnzeigen_Click(); // nothing chosen: the user is told
    EXPECT_EQ(frmKanalBearbeiten::current(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, r("0757"));

    dialog->dbGrid->selectRow(0);
    dialog->cmdMessReiheAnzeigen_Click();
    QPointer<frmKanalBearbeiten> window = frmKanalBearbeiten::current();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->logic().lMessId, id);
    EXPECT_EQ(window->logic().strAkkuName, QStringLiteral("Pack"));
    EXPECT_EQ(window->logic().strMessreihenNr, QStringLiteral("1"));
    EXPECT_EQ(window->logic().strBemerkungstext, QStringLiteral("r"));
    // It belongs to the main window, in front of it, and outlives the dialog.
    EXPECT_EQ(window->parentWidget(), &mainWindow);
    EXPECT_TRUE(window->isWindow());
    delete dialog;
    EXPECT_TRUE(window);
    delete window.data();
}

} // namespace
