// The stored series window against a real user database: its lists, the
// texts of the last end value, a missing program, unreadable values, a
// series deleted meanwhile, and the diagram and printing it hands on.
#include "RecordsFixture.h"

#include "core/EndValueDisplay.h"
#include "core/MesswertStringError.h"
#include "core/velmoroLog.h"
#include "diagrams/DiagramOpener.h"
#include "diagrams/SeriesDiagramWindow.h"
#include "diagrams/frmDiagramm.h"
#include "link/CommunicationEndwert.h"
#include "link/CommunicationProgram.h"
#include "link/EntwertList.h"
#include "platform/ScreenFit.h"
#include "printing/ReportLayout.h"
#include "printing/WidgetControlReader.h"
#include "records/KanalBearbeitenLogic.h"
#include "records/UsedProgramViewer.h"
#include "records/dlgMesswerteErfassen.h"
#include "records/frmKanalBearbeiten.h"
#include "wiring/SeriesWindowServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

namespace {

// The diagram window as the series window sees it: notes each request.
class FakeDiagram : public SeriesDiagram {
public:
    std::vector<Request> requests;
    bool answer = true;
    std::function<void()> during;
    bool showDiagram(const Request& request) override
    {
        requests.push_back(request);
        if (during)
            during();
        return answer;
    }
};

class FakeViewer : public SeriesProgramViewer {
public:
    std::vector<std::shared_ptr<CommunicationProgram>> shown;
    void showProgram(QWidget*, const std::shared_ptr<CommunicationProgram>& program) override
    {
        shown.push_back(program);
    }
};

class SeriesWindowTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        openGlobalRecordsets();
        objLog = std::make_unique<velmoroLog>(folder.path());
        akkuId = akku(QStringLiteral("Pack"));
    }
    void TearDown() override
    {
        if (auto* w = frmKanalBearbeiten::current())
            delete w;
        objLog.reset();
        RecordsTest::TearDown();
    }

    // A series with its stored program and these end-value texts (in order).
    qint32 storedSeries(const QVariant& program, const QStringList& endValues, int plainValues = 0)
    {
        dbVeluser.exec(
            QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, bemerkung, Programm) VALUES (?, 1, 'r', ?)"),
            {akkuId, program});
        const qint32 id = dbVeluser.lastInsertId().toInt();
        for (int i = 0; i < plainValues; ++i)
            value(id, false, QStringLiteral("1;2;3;%1").arg(i));
        for (const QString& e : endValues)
            value(id, true, e);
        return id;
    }
    qint32 value(qint32 series, bool ew, const QString& text)
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (?, ?, ?)"),
                       {series, ew ? 1 : 0, text});
        return dbVeluser.lastInsertId().toInt();
    }
    KanalBearbeitenLogic& activate(qint32 id)
    {
        logic.lMessId = id;
        logic.strAkkuName = QStringLiteral("Pack");
        logic.strMessreihenNr = QStringLiteral("1");
        logic.strBemerkungstext = QStringLiteral("remark");
        EXPECT_TRUE(logic.Form_Activate());
        return logic;
    }
    static QStringList texts(const std::vector<EndValueDisplay::Row>& rows)
    {
        QStringList out;
        for (const auto& r : rows)
            out << r.text;
        return out;
    }
    QString errorLog() const
    {
        objLog.reset();
        QFile f(folder.path() + QStringLiteral("/error.log"));
        f.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(f.readAll());
        objLog = std::make_unique<velmoroLog>(folder.path());
        return text;
    }

    static QString charge(int mah, int mv, int min)
    {
        return QStringLiteral("2;%1;%2;600;%3").arg(mah).arg(mv).arg(min);
    }
    static QString discharge(int mah, int mv, int min)
    {
        return QStringLiteral("3;%1;%2;600;%3").arg(mah).arg(mv).arg(min);
    }

    FakeDiagram diagram;
    FakeViewer viewer;
    // The series windows of these tests draw in the fake diagram and show
    // their programs in the fake viewer.
    TestServices services{RecordsTest::services, {.seriesDiagram = &diagram, .seriesProgramViewer = &viewer}};
    KanalBearbeitenLogic logic{&diagram, &viewer};
    qint32 akkuId = -1;
};

const QString kProgram = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01500,E00500,V07200,D05400,G1,");

TEST_F(SeriesWindowTest, RowsOfBothListsBelongToTheSameCycle)
{
    struct Case {
        QStringList stored;
        QStringList laden;
        QStringList entladen;
    };
    const Case cases[] = {
        {{discharge(1000, 1000, 10), charge(2000, 1400, 20), discharge(1100, 1001, 11), charge(2100, 1401, 21)},
         {QStringLiteral("---"), QStringLiteral(" 2.      2.000     1.400    20"),
          QStringLiteral(" 3.      2.100     1.401    21")},
         {QStringLiteral(" 1.      1.000     1.000    10"), QStringLiteral(" 2.      1.100     1.001    11")}},
        {{charge(2000, 1400, 20), discharge(1000, 1000, 10), charge(2100, 1401, 21)},
         {QStringLiteral(" 1.      2.000     1.400    20"), QStringLiteral(" 2.      2.100     1.401    21")},
         {QStringLiteral(" 1.      1.000     1.000    10")}},
    };
    for (const auto& c : cases) {
        const qint32 id = storedSeries(kProgram, c.stored);
        const auto& shown = activate(id).shown();
        EXPECT_EQ(texts(shown.lists.laden), c.laden);
        EXPECT_EQ(texts(shown.lists.entladen), c.entladen);
        // Each row carries its stored row; the placeholder 0.
        const auto& endValues = *logic.seriesEndValues();
        ASSERT_EQ(endValues.Count(), c.stored.size());
        if (c.laden.first() == QStringLiteral("---")) {
            EXPECT_EQ(shown.lists.laden.front().itemData, 0);
            EXPECT_EQ(shown.lists.laden[1].itemData, endValues.Item(2)->lMesswertId);
        }
        EXPECT_EQ(shown.lists.entladen.front().itemData,
                  endValues.Item(c.laden.first() == QStringLiteral("---") ? 1 : 2)->lMesswertId);
    }
}

TEST_F(SeriesWindowTest, ASeriesShowsItsProgramConditionSelfDischargeAndRemark)
{
    const qint32 id = storedSeries(kProgram, {QStringLiteral("2;1234;12345;600;95;T;87;12")}, 5);
    const auto& shown = activate(id).shown();
    EXPECT_EQ(shown.heading, r("0818") + QStringLiteral(" - Pack / 1"));
    EXPECT_EQ(texts(shown.lists.laden), QStringList{QStringLiteral(" 1.      1.234    12.345    95")});
    EXPECT_TRUE(shown.lists.entladen.empty());
    EXPECT_TRUE(shown.lists.conditionVisible);
    EXPECT_EQ(shown.lists.conditionText, r("0847") + QStringLiteral(" (87%)"));
    EXPECT_TRUE(shown.lists.selfDischargeVisible);
    EXPECT_EQ(shown.lists.selfDischargeText, QStringLiteral("12 mAh"));
    EXPECT_EQ(shown.bemerkung, QStringLiteral("remark"));
    EXPECT_EQ(logic.seriesProgram()->iAkkuTyp, 2);
    EXPECT_FALSE(shown.akkuTyp.isEmpty());
    EXPECT_EQ(shown.mode, r("3101"));
    EXPECT_EQ(shown.nennKapazitaet, QStringLiteral("---"));
    // The program read once per activation, a new object each time: a
    // diagram or viewer keeps the one it was given.
    const auto before = logic.seriesProgram();
    activate(id);
    EXPECT_NE(logic.seriesProgram(), before);
}

TEST_F(SeriesWindowTest, RowsUseTheUsersDecimalSeparatorAndOddValuesKeepTheColumns)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const qint32 id = storedSeries(kProgram, {charge(1234, 12345, 95), charge(-500, 0, 0), charge(123456, 99999, 12345),
                                              charge(2147483647, -2147483647 - 1, -7)});
    const auto shown = activate(id).shown();
    QLocale::setDefault(previous);
    EXPECT_EQ(texts(shown.lists.laden), (QStringList{QStringLiteral(" 1.      1,234    12,345    95"),
                                                     QStringLiteral(" 2.     -0,500     0,000     0"),
                                                     QStringLiteral(" 3.     123,456   99,999  12345"),
                                                     QStringLiteral(" 4.     ######    ######    -7")}));
    // Every column still starts where its heading is.
    for (const auto& row : shown.lists.laden) {
        EXPECT_GE(row.text.size(), 30);
        EXPECT_EQ(row.text.mid(17, 1), QStringLiteral(" ")) << row.text.toStdString();
        EXPECT_EQ(row.text.mid(25, 1), QStringLiteral(" ")) << row.text.toStdString();
    }
}

TEST_F(SeriesWindowTest, AMissingProgramIsShownEmptyAndLogged)
{
    for (const QVariant& program : {QVariant(), QVariant(QStringLiteral("   "))}) {
        const qint32 id = storedSeries(program, {charge(1000, 1400, 20)});
        const auto& shown = activate(id).shown();
        EXPECT_EQ(logic.seriesProgram()->iAkkuTyp, -3);
        EXPECT_EQ(shown.akkuTyp, QString());
        EXPECT_EQ(shown.mode, QString());
        EXPECT_EQ(shown.nennKapazitaet, QStringLiteral("---"));
        EXPECT_EQ(shown.lists.laden.size(), 1u);
        const QString log = errorLog();
        EXPECT_TRUE(log.contains(QStringLiteral("LogType: No Program Value for Current Measurementrow")));
        EXPECT_TRUE(log.contains(QStringLiteral("Current RowId: %1").arg(id))) << log.toStdString();
    }
    // An unusable stored text names no type or mode either.
    const qint32 id = storedSeries(QStringLiteral("garbage"), {});
    const auto& shown = activate(id).shown();
    EXPECT_EQ(shown.akkuTyp, QString());
    EXPECT_EQ(shown.mode, QString());
}

TEST_F(SeriesWindowTest, AnUnreadableValueIsSkippedAndLoggedTheOthersShown)
{
    const qint32 id = storedSeries(kProgram, {charge(1000, 1400, 20), QStringLiteral("2;abc;1;2;3"),
                                              QStringLiteral("3;1"), discharge(900, 1000, 18)});
    const auto& shown = activate(id).shown();
    EXPECT_EQ(texts(shown.lists.laden), QStringList{QStringLiteral(" 1.      1.000     1.400    20")});
    EXPECT_EQ(texts(shown.lists.entladen), QStringList{QStringLiteral(" 1.      0.900     1.000    18")});
    const QString log = errorLog();
    EXPECT_EQ(log.count(QStringLiteral("MessReiheID %1, MessWertId").arg(id)), 2) << log.toStdString();
}

TEST_F(SeriesWindowTest, EachBadStoredTextIsLoggedOncePerOpeningAndCutToAReadableLength)
{
    const QString huge = QStringLiteral("2;") + QString(1024 * 1024, QLatin1Char('9')) + QStringLiteral("x;1;2;3");
    const qint32 id = storedSeries(QStringLiteral("garbage that is no program"),
                                   {charge(1000, 1400, 20), huge, QStringLiteral("3;1")});
    const qint32 hugeId =
        dbVeluser.scalar(QStringLiteral("SELECT min(MessWertId) + 1 FROM MessWerte WHERE MessReiheID=?"), {id}).toInt();
    for (int opening = 1; opening <= 2; ++opening) {
        frmKanalBearbeiten* window = frmKanalBearbeiten::openSeries(services, nullptr, id, QStringLiteral("Pack"),
                                                                    QStringLiteral("1"), QString());
        ASSERT_TRUE(window);
        // Every activation reads the series again; it logs nothing new.
        window->Form_Activate();
        window->Form_Activate();
        EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("lstEndwertLaden"))->count(), 1);
        EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtAkkuTyp"))->text(), QString());

        const QString log = errorLog();
        EXPECT_EQ(log.count(QStringLiteral("LogType: Stored series: end value skipped")), opening);
        EXPECT_EQ(log.count(QStringLiteral("MessWertId %1 skipped").arg(hugeId)), opening);
        EXPECT_EQ(log.count(QStringLiteral("MessWertId %1 skipped").arg(hugeId + 1)), opening);
        EXPECT_EQ(log.count(QStringLiteral("LogType: Program Value not readable for Current Measurementrow")), opening);
        EXPECT_EQ(log.count(QStringLiteral("Current RowId: %1, Programm \"garbage that is no program\"").arg(id)),
                  opening);
        EXPECT_TRUE(log.contains(QStringLiteral("\"2;999") + QString(55, QLatin1Char('9'))
                                 + QStringLiteral("...\" (%1 characters)").arg(huge.size())))
            << log.left(2000).toStdString();
        for (const QString& line : log.split(QLatin1Char('\n')))
            EXPECT_LT(line.size(), 200) << line.left(200).toStdString();
    }
}

TEST_F(SeriesWindowTest, AStoredTextInAnErrorIsCutOnlyWhenLong)
{
    const QString sixty(60, QLatin1Char('7'));
    const struct {
        QString message;
        QString readable;
    } cases[] = {
        {QStringLiteral("Stored value \"1;2\" has 2 fields"), QStringLiteral("Stored value \"1;2\" has 2 fields")},
        {QStringLiteral("Stored value \"") + sixty + QStringLiteral("\": field 1"),
         QStringLiteral("Stored value \"") + sixty + QStringLiteral("\": field 1")},
        {QStringLiteral("Stored value \"") + sixty + QStringLiteral("8;\"9\": field 2 is no whole number"),
         QStringLiteral("Stored value \"") + sixty
             + QStringLiteral("...\" (64 characters): field 2 is no whole number")},
        {QStringLiteral("The start time of the series was never set"),
         QStringLiteral("The start time of the series was never set")},
    };
    for (const auto& c : cases) {
        const MesswertStringError e(c.message);
        EXPECT_EQ(e.description(), c.readable);
        EXPECT_EQ(QString::fromStdString(e.what()), c.readable);
    }
    // A character outside the basic plane is never cut in half.
    const QString wide = QString(59, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F50B") + QStringLiteral("tail");
    EXPECT_EQ(MesswertStringError::shortened(wide),
              QString(59, QLatin1Char('a')) + QStringLiteral("... (65 characters)"));
}

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

TEST_F(SeriesWindowTest, ConditionAndSelfDischargeNeverShowAnotherSeries)
{
    const qint32 full = storedSeries(kProgram, {QStringLiteral("2;1234;12345;600;95;T;87;12")});
    const qint32 empty = storedSeries(kProgram, {});
    const qint32 without = storedSeries(kProgram, {QStringLiteral("2;1234;12345;600;95;T;87;12"), charge(1, 2, 3)});
    for (qint32 other : {empty, without}) {
        activate(full);
        const auto& shown = activate(other).shown();
        EXPECT_FALSE(shown.lists.conditionVisible);
        EXPECT_EQ(shown.lists.conditionText, QString());
        EXPECT_FALSE(shown.lists.selfDischargeVisible);
        EXPECT_EQ(shown.lists.selfDischargeText, QString());
    }
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
