// The stored series window's reading of a series: its lists, the texts of
// the last end value, a missing program, unreadable values and what is
// logged of them, shown through the window's view.
#include "SeriesWindowFixture.h"

namespace {

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

TEST_F(SeriesWindowTest, ControlCharactersOfAStoredTextReachTheLogEscapedOnOneLine)
{
    // In the middle of the stored texts, where trimming does not reach them.
    const QString program = QStringLiteral("bad") + QChar(0) + QStringLiteral("\x1b[2Jx\ty\r\nz") + QChar(0x7f)
                            + QChar(0x85) + QChar(0x2028) + QStringLiteral("Größe C:\\x00 🔋 end");
    const QString endValue = QStringLiteral("2;\x1b") + QChar(0) + QStringLiteral("1;2;3;4");
    const qint32 id = storedSeries(program, {endValue});
    activate(id);
    const qint32 valueId =
        dbVeluser.scalar(QStringLiteral("SELECT MessWertId FROM MessWerte WHERE MessReiheID=?"), {id}).toInt();

    const QByteArray log = errorLog().toUtf8();
    // Lines end only where the log ends them; no other control byte is left.
    const QList<QByteArray> lines = log.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray body = line.endsWith('\r') ? line.chopped(1) : line;
        for (const char byte : body)
            EXPECT_FALSE(quint8(byte) < 0x20 || byte == 0x7f) << int(byte) << " in " << body.toStdString();
    }
    // Line breaks of a stored text are blanks (as before); every other control
    // character is its bytes as \xNN; ordinary text, a backslash included, is
    // written byte for byte.
    const QByteArray programLine = QStringLiteral("Current RowId: %1, Programm \"").arg(id).toUtf8()
                                   + "bad\\x00\\x1b[2Jx\\x09y  z\\x7f\\xc2\\x85\\xe2\\x80\\xa8"
                                   + QStringLiteral("Größe C:\\x00 🔋 end").toUtf8() + "\"\r";
    EXPECT_EQ(lines.count(programLine), 1) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("MessWertId %1 skipped: ").arg(valueId).toUtf8())) << log.toStdString();
    EXPECT_TRUE(log.contains("\"2;\\x1b\\x001;2;3;4\"")) << log.toStdString();
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

TEST_F(SeriesWindowTest, TheLogicShowsTheSeriesThroughTheWindowsViewAndOpensTheChosenPhase)
{
    logic.Form_Load();
    EXPECT_EQ(view.controlText(QStringLiteral("lblLadenAh")), r("0836"));
    const qint32 id = storedSeries(kProgram, {discharge(900, 1000, 18), QStringLiteral("2;1234;12345;600;95;F;40;12")});
    activate(id);
    EXPECT_EQ(view.controlText(QStringLiteral("frmKanalBearbeiten")), r("0818") + QStringLiteral(" - Pack / 1"));
    EXPECT_EQ(view.controlText(QStringLiteral("frameAkkumesswerte")), r("0818") + QStringLiteral(" - Pack / 1"));
    EXPECT_EQ(view.listItems(QStringLiteral("lstEndwertLaden")),
              (QStringList{QStringLiteral("---"), QStringLiteral(" 2.      1.234    12.345    95")}));
    EXPECT_EQ(view.listItems(QStringLiteral("lstEndwertEntladen")).size(), 1);
    EXPECT_TRUE(view.isControlVisible(QStringLiteral("txtAkkuzustand")));
    EXPECT_EQ(view.controlText(QStringLiteral("txtAkkuzustand")), r("0846") + QStringLiteral(" (40%)"));
    EXPECT_EQ(view.controlText(QStringLiteral("txtSelbstentladung")), QStringLiteral("12 mAh"));
    EXPECT_EQ(view.controlText(QStringLiteral("txtBemerkung")), QStringLiteral("remark"));

    // No row chosen: no diagram; the chosen row's end value names the phase.
    EXPECT_FALSE(logic.openPhase(QStringLiteral("lstEndwertEntladen"), nullptr));
    view.controls[QStringLiteral("lstEndwertEntladen")].row = 0;
    EXPECT_TRUE(logic.openPhase(QStringLiteral("lstEndwertEntladen"), nullptr));
    ASSERT_EQ(diagram.requests.size(), 1u);
    EXPECT_EQ(diagram.requests[0].lEndWertId, logic.seriesEndValues()->Item(1)->lMesswertId);
}

} // namespace
