// Reading a window's controls by name, as the report reads the windows.
#include "printing/WidgetControlReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
template <class W>
W* named(QWidget& parent, const char* name)
{
    auto* w = new W(&parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

TEST(WidgetControlReaderTest, ReadsEveryKindOfControlByName)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Series 3"));
    named<QLabel>(window, "lblA")->setText(QStringLiteral("label"));
    named<QLineEdit>(window, "txtA")->setText(QStringLiteral("line"));
    named<QPlainTextEdit>(window, "txtB")->setPlainText(QStringLiteral("one\ntwo"));
    auto* group = named<QGroupBox>(window, "frameA");
    group->setTitle(QStringLiteral("frame"));
    // Controls inside frames are found too.
    auto* check = named<QCheckBox>(*group, "chkA");
    check->setText(QStringLiteral("check"));
    check->setChecked(true);
    named<QRadioButton>(*group, "optA")->setText(QStringLiteral("option"));
    auto* combo = named<QComboBox>(window, "cboA");
    combo->addItems({QStringLiteral("x"), QStringLiteral("y")});
    combo->setCurrentIndex(1);
    auto* list = named<QListWidget>(window, "lstA");
    list->addItems({QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r3")});
    named<QLabel>(window, "lblHidden")->setVisible(false);

    const WidgetControlReader r(window);
    EXPECT_EQ(r.windowCaption(), "Series 3");
    const std::pair<const char*, const char*> texts[] = {{"lblA", "label"},   {"txtA", "line"},  {"txtB", "one\ntwo"},
                                                         {"frameA", "frame"}, {"chkA", "check"}, {"optA", "option"},
                                                         {"cboA", "y"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(r.controlText(QString::fromLatin1(name)), QString::fromLatin1(text)) << name;
    EXPECT_EQ(r.controlValue(QStringLiteral("chkA")), 1);
    EXPECT_EQ(r.controlValue(QStringLiteral("optA")), 0);
    EXPECT_EQ(r.listCount(QStringLiteral("lstA")), 3);
    EXPECT_EQ(r.listItem(QStringLiteral("lstA"), 2), "r3");
    EXPECT_EQ(r.listItem(QStringLiteral("lstA"), 3), "");
    // The window itself is not shown, yet its controls count as visible.
    EXPECT_TRUE(r.isControlVisible(QStringLiteral("lblA")));
    EXPECT_FALSE(r.isControlVisible(QStringLiteral("lblHidden")));
    EXPECT_TRUE(r.hasControl(QStringLiteral("lstA")));
    EXPECT_FALSE(r.hasControl(QStringLiteral("lstMissing")));
    EXPECT_FALSE(r.isControlVisible(QStringLiteral("lstMissing")));
}
