// The focus-change check of text boxes: a refused box keeps the focus, the
// control the user went for gets neither the focus nor the click, two refused
// boxes never trade the focus, the check's own message box is no move, and
// the Cancel button is exempt.
#include "platform/FocusValidator.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
class FocusValidatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (QLineEdit** box : {&a, &b, &c}) {
            *box = new QLineEdit(&dialog);
            layout->addWidget(*box);
        }
        send = new QPushButton(QStringLiteral("Send"), &dialog);
        cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
        layout->addWidget(send);
        layout->addWidget(cancel);
        QObject::connect(send, &QPushButton::clicked, [this] { ++sendClicks; });
        QObject::connect(cancel, &QPushButton::clicked, [this] { ++cancelClicks; });
        validator = new FocusValidator(&dialog);
        // A box accepts a text that is empty or "ok".
        for (QLineEdit* box : {a, b}) {
            validator->addBox(box, [this, box] {
                ++checks[box];
                if (duringCheck)
                    duringCheck();
                return box->text().isEmpty() || box->text() == QLatin1String("ok");
            });
        }
        validator->setCausesValidation(cancel, false);
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
        a->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(a->hasFocus()) << "no keyboard focus on this platform";
    }

    // The user clicks a control: the focus moves first, then the press and
    // the release arrive, as QApplication delivers a real click.
    void click(QWidget* w)
    {
        w->setFocus(Qt::MouseFocusReason);
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &release);
        QApplication::processEvents();
    }

    QDialog dialog;
    QLineEdit* a = nullptr;
    QLineEdit* b = nullptr;
    QLineEdit* c = nullptr;
    QPushButton* send = nullptr;
    QPushButton* cancel = nullptr;
    FocusValidator* validator = nullptr;
    QHash<QWidget*, int> checks;
    std::function<void()> duringCheck;
    int sendClicks = 0;
    int cancelClicks = 0;
};
} // namespace

TEST_F(FocusValidatorTest, AcceptedBoxLetsTheFocusGo)
{
    a->setText(QStringLiteral("ok"));
    c->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(c->hasFocus());
    EXPECT_EQ(checks[a], 1);
    click(send);
    EXPECT_EQ(sendClicks, 1);
}

TEST_F(FocusValidatorTest, RefusedBoxKeepsTheFocusAndTheButtonIsNotPressed)
{
    a->setText(QStringLiteral("bad"));
    c->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(checks[a], 1);
    click(send);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(sendClicks, 0);
    EXPECT_EQ(checks[a], 2);
    // Once the box holds something acceptable the same click goes through.
    a->setText(QStringLiteral("ok"));
    click(send);
    EXPECT_EQ(sendClicks, 1);
    EXPECT_TRUE(send->hasFocus());
}

TEST_F(FocusValidatorTest, TwoRefusedBoxesNeverTradeTheFocus)
{
    b->setText(QStringLiteral("bad too"));
    a->setText(QStringLiteral("bad"));
    b->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(checks[a], 1);
    EXPECT_EQ(checks[b], 0);
    EXPECT_EQ(validator->checksRun(), 1);
}

TEST_F(FocusValidatorTest, FocusMovesDuringTheCheckAreNotTheUsers)
{
    // A message box takes the focus and gives it back; here the check
    // moves it through the other boxes itself.
    a->setText(QStringLiteral("bad"));
    b->setText(QStringLiteral("bad"));
    duringCheck = [this] {
        b->setFocus();
        c->setFocus();
    };
    send->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(checks[a], 1);
    EXPECT_EQ(checks[b], 0);
}

TEST_F(FocusValidatorTest, CancelIsExemptAndEscapeChecksNothing)
{
    a->setText(QStringLiteral("bad"));
    click(cancel);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(checks[a], 0);

    a->setFocus();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(a, &escape);
    EXPECT_EQ(checks[a], 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FocusValidatorTest, ActionsCanAskForTheFocusedBoxsCheck)
{
    a->setText(QStringLiteral("bad"));
    EXPECT_FALSE(validator->validateFocused());
    a->setText(QStringLiteral("ok"));
    EXPECT_TRUE(validator->validateFocused());
    c->setFocus();
    EXPECT_TRUE(validator->validateFocused());
    EXPECT_EQ(checks[a], 3);
}
