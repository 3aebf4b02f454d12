// Number formatting in two locales and the keystroke filters on real boxes.
#include "core/utilitiesModul.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <limits>

namespace {

class LocaleTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    static void english() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    static void german() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
};

using Formatting = LocaleTest;
using InputAcceptance = LocaleTest;

} // namespace

TEST_F(Formatting, MilliUnitsWithThreeDecimalsAndNoGrouping)
{
    english();
    EXPECT_EQ(formatVoltage(1234), QStringLiteral("1.234 V"));
    EXPECT_EQ(formatCurrent(500), QStringLiteral("0.500 A"));
    EXPECT_EQ(formatCurrent(-20), QStringLiteral("-0.020 A"));
    EXPECT_EQ(formatCapacity(0), QStringLiteral("0.000 Ah"));
    EXPECT_EQ(formatCapacity(1), QStringLiteral("0.001 Ah"));
    EXPECT_EQ(formatCapacity(-1500), QStringLiteral("-1.500 Ah"));
    EXPECT_EQ(formatVoltage(1234567), QStringLiteral("1234.567 V"));
    EXPECT_EQ(formatVoltage(std::numeric_limits<qint32>::min()), QStringLiteral("-2147483.648 V"));
    EXPECT_EQ(formatVoltage(std::numeric_limits<qint32>::max()), QStringLiteral("2147483.647 V"));

    german();
    EXPECT_EQ(formatVoltage(1234), QStringLiteral("1,234 V"));
    EXPECT_EQ(formatCurrent(-20), QStringLiteral("-0,020 A"));
    EXPECT_EQ(formatCapacity(1234567), QStringLiteral("1234,567 Ah"));
}

TEST_F(Formatting, ThreeDecimalsOfATextThatReadsAsANumber)
{
    const struct {
        bool german;
        const char* in;
        const char* out;
    } cases[] = {
        {false, "1.23456", "1.235"},
        {false, "2", "2.000"},
        {false, "-0.5", "-0.500"},
        {false, "1234567.5", "1234567.500"},
        {false, "0.0004", "0.000"},
        {false, "abc", "abc"},
        {false, "", ""},
        {false, "1,5", "1,5"},
        {false, "inf", "inf"},
        {false, "nan", "nan"},
        {true, "1,5", "1,500"},
        {true, "2,0005", "2,001"},
        {true, "1.234,5", "1234,500"},
        {true, "1.5", "1.5"},
        {true, "x", "x"},
    };
    for (const auto& c : cases) {
        c.german ? german() : english();
        EXPECT_EQ(formatThreeDecimals(QLatin1String(c.in)), QLatin1String(c.out)) << c.in;
    }
}

TEST_F(InputAcceptance, DecimalAndIntegerTextsInBothLocales)
{
    const struct {
        bool german;
        const char* text;
        bool decimal;
        bool integer;
    } cases[] = {
        {false, "12", true, true},
        {false, "1.", true, false},
        {false, "1.5", true, false},
        {false, "-1.5", true, false},
        {false, "1,5", false, false},
        {false, "1x", false, false},
        {false, "", false, false},
        {false, "-", false, false},
        {false, "+", false, false},
        {false, "40000", true, false},
        {false, "32767", true, true},
        {false, "-32768", true, true},
        {false, "32768", true, false},
        {false, "1,000", false, false},
        {false, "inf", false, false},
        {false, "1e39", false, false},
        {false, "1e3", false, false},
        {true, "1,", true, false},
        {true, "1,5", true, false},
        {true, "1.", false, false},
        {true, "1.000", false, false},
        {true, "12", true, true},
        {true, "-", false, false},
        // Exponents, blanks, grouping and words the locale would read are refused.
        {false, "1E1", false, false},
        {false, " 1", false, true},
        {false, "1 5", false, false},
        {false, "nan", false, false},
        {false, "+1", false, true},
        {false, ".5", true, false},
        {true, "1,5e2", false, false},
        {true, "-1,5", true, false},
        {true, "1.000,5", false, false},
    };
    for (const auto& c : cases) {
        c.german ? german() : english();
        EXPECT_EQ(isDecimalInputAccepted(QLatin1String(c.text)), c.decimal) << c.german << " '" << c.text << "'";
        EXPECT_EQ(isIntegerInputAccepted(QLatin1String(c.text)), c.integer) << c.german << " '" << c.text << "'";
    }
}

namespace {

class FilterTest : public LocaleTest {
protected:
    void SetUp() override { english(); }

    // What the user types: one key press carrying its text into the box.
    static void type(QLineEdit& box, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(&box, &press);
    }
    // Lets the take-back that was queued behind the key run.
    static void settle() { QCoreApplication::sendPostedEvents(); }
};

} // namespace

TEST_F(FilterTest, AWrongKeyIsTakenBackAndEveryoneSeesTheFinalTextLast)
{
    QLineEdit box;
    connectDecimalInputFilter(&box);
    QStringList changes;
    QObject::connect(&box, &QLineEdit::textChanged, [&](const QString& t) { changes << t; });
    box.setText(QStringLiteral("12"));
    type(box, QStringLiteral("x"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("12"));
    EXPECT_EQ(changes.last(), QStringLiteral("12"));

    type(box, QStringLiteral("."));
    type(box, QStringLiteral("5"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("12.5"));

    // A paste keeps what is good of it.
    type(box, QStringLiteral("5ab"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("12.55"));

    // A lone minus typed first goes back; the empty box then stays empty.
    box.setText(QString());
    type(box, QStringLiteral("-"));
    settle();
    EXPECT_EQ(box.text(), QString());

    // Two wrong keys that arrive before the first take-back runs.
    box.setText(QStringLiteral("7"));
    type(box, QStringLiteral("x"));
    type(box, QStringLiteral("y"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("7"));
}

TEST_F(FilterTest, IntegerBoxesRefuseSeparatorsAndValuesBeyondSixteenBits)
{
    german();
    QLineEdit box;
    connectIntegerInputFilter(&box);
    box.setText(QStringLiteral("4000"));
    for (const char* key : {",", ".", "0", "a"}) {
        type(box, QLatin1String(key));
        settle();
        EXPECT_EQ(box.text(), QStringLiteral("4000")) << key;
    }
    type(box, QStringLiteral("-")); // "4000-"
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("4000"));
    box.setCursorPosition(0);
    type(box, QStringLiteral("-"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("-4000"));
}

TEST_F(FilterTest, TextSetByTheProgramIsNeverAltered)
{
    QLineEdit box;
    connectDecimalInputFilter(&box);
    box.setText(QStringLiteral("abc"));
    settle();
    checkDecimalInput(&box); // even when asked to
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("abc"));

    // The user's key is taken back, what the program put there stays.
    type(box, QStringLiteral("1"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("abc"));

    // Wired twice (connected and called from a handler): still only the user's key goes.
    QObject::connect(&box, &QLineEdit::textEdited, &box, [&box] { checkDecimalInput(&box); });
    type(box, QStringLiteral("2"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("abc"));
    // A check the program asks for in between does not hide the user's next key.
    box.setText(QStringLiteral("5"));
    type(box, QStringLiteral("1"));
    settle();
    checkDecimalInput(&box);
    type(box, QStringLiteral("q"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("51"));

    // The program replaces the text before the take-back runs: the new text stays whole.
    box.setText(QStringLiteral("12"));
    type(box, QStringLiteral("x"));
    box.setText(QStringLiteral("9x"));
    settle();
    EXPECT_EQ(box.text(), QStringLiteral("9x"));
}

TEST_F(FilterTest, OnlyTheCheckedBoxIsTouchedWhateverHasTheFocus)
{
    QWidget window;
    auto* a = new QLineEdit(&window);
    auto* b = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(a);
    layout->addWidget(b);
    window.show();
    b->setText(QStringLiteral("345"));
    b->setFocus();
    // Wired by hand, as a dialog does from its change handler.
    QObject::connect(a, &QLineEdit::textEdited, a, [a] { checkIntegerInput(a); });
    a->setText(QStringLiteral("1"));
    type(*a, QStringLiteral("x"));
    settle();
    EXPECT_EQ(a->text(), QStringLiteral("1"));
    EXPECT_EQ(b->text(), QStringLiteral("345"));

    // A box the filter follows is taken back in its own place, not where the focus is.
    type(*a, QStringLiteral("2"));
    a->setCursorPosition(1);
    type(*a, QStringLiteral("z"));
    settle();
    EXPECT_EQ(a->text(), QStringLiteral("12"));
    EXPECT_EQ(b->text(), QStringLiteral("345"));
}

TEST_F(FilterTest, ABoxDestroyedBeforeTheTakeBackIsNoProblem)
{
    auto* box = new QLineEdit;
    connectDecimalInputFilter(box);
    type(*box, QStringLiteral("x"));
    delete box;
    settle();
    SUCCEED();
}

// The keyboard's own road into a box: QTest delivers the key press with the
// text the key types, modifiers included, as the window system would.
TEST_F(LocaleTest, EitherDecimalKeyTypesTheLocalesSeparatorOnceAndIntegerBoxesRefuseBoth)
{
    auto typed = [](bool decimal, Qt::Key separatorKey, Qt::KeyboardModifiers modifiers) {
        QLineEdit box;
        decimal ? connectDecimalInputFilter(&box) : connectIntegerInputFilter(&box);
        box.show();
        const Qt::Key other = separatorKey == Qt::Key_Period ? Qt::Key_Comma : Qt::Key_Period;
        for (const auto& [key, mod] : {std::pair{Qt::Key_1, Qt::KeyboardModifiers()},
                                       {separatorKey, modifiers},
                                       {Qt::Key_5, Qt::KeyboardModifiers()},
                                       {separatorKey, modifiers},
                                       {other, modifiers}}) {
            QTest::keyClick(&box, key, mod);
            QCoreApplication::sendPostedEvents();
        }
        return box.text();
    };
    for (const bool isGerman : {false, true}) {
        isGerman ? german() : QLocale::setDefault(QLocale::c());
        for (const Qt::Key key : {Qt::Key_Period, Qt::Key_Comma}) {
            for (const Qt::KeyboardModifiers mod :
                 {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
                const std::string label =
                    std::to_string(isGerman) + " " + std::to_string(key) + " " + std::to_string(mod);
                EXPECT_EQ(typed(true, key, mod), isGerman ? QStringLiteral("1,5") : QStringLiteral("1.5")) << label;
                EXPECT_EQ(typed(false, key, mod), QStringLiteral("15")) << label;
            }
        }
    }
}
