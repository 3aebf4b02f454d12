// The diagram options' logic behind a test view: the switches read from and
// saved to the settings, the range boxes of a manual axis, and a range that
// fails its test keeping the dialog open with the focus in its box.
#include "DiagramFixture.h"
#include "FakeDiagramViews.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "diagrams/DiagramOptionsLogic.h"

namespace {

class DiagramOptionsTest : public DiagramFixture {
protected:
    void SetUp() override
    {
        DiagramFixture::SetUp();
        view.toggled = [this](const QString& name) {
            if (name == QLatin1String("chkXAutomatisch"))
                logic.chkXAutomatisch_Click();
            else if (name == QLatin1String("chkYAutomatisch"))
                logic.chkYAutomatisch_Click();
        };
    }
    static QString setting(const char* key) { return objSettings().getSetting(QString::fromLatin1(key)); }

    FakeDiagramOptionsView view;
    DiagramOptionsLogic logic{view, objSettings()};
};

TEST_F(DiagramOptionsTest, TheSwitchesComeFromTheSettingsAndAManualAxisShowsItsBoxes)
{
    objSettings().setSetting(QStringLiteral("MinMaxStromVisible"), QStringLiteral("YES"));
    objSettings().setSetting(QStringLiteral("xGridVisible"), QStringLiteral("yes"));
    logic.Form_Load();
    EXPECT_EQ(view.controlText(QStringLiteral("dlgDiagramOptions")), getResource(QStringLiteral("2130")));
    EXPECT_EQ(view.controlText(QStringLiteral("chkXGrid")), getResource(QStringLiteral("2144")));
    EXPECT_FALSE(view.isChecked(QStringLiteral("chkSpannung")));
    EXPECT_TRUE(view.isChecked(QStringLiteral("chkStrom")));
    EXPECT_FALSE(view.isChecked(QStringLiteral("chkXGrid"))); // only "YES" is on
    EXPECT_TRUE(view.isChecked(QStringLiteral("chkYGrid")));
    EXPECT_TRUE(view.isControlVisible(QStringLiteral("txtXVon")));
    EXPECT_TRUE(view.isControlVisible(QStringLiteral("lblYBis")));

    logic.initializeDialog(velmoroAxisRange(), velmoroAxisRange::fixed(-1.5, 2));
    EXPECT_FALSE(view.isControlVisible(QStringLiteral("txtXVon")));
    EXPECT_FALSE(view.isControlVisible(QStringLiteral("lblXBis")));
    EXPECT_TRUE(view.isControlVisible(QStringLiteral("txtYVon")));
    EXPECT_EQ(view.controlText(QStringLiteral("txtYVon")), DiagramOptionsLogic::numberText(-1.5));
    EXPECT_EQ(view.controlText(QStringLiteral("txtYBis")), QStringLiteral("2"));
}

TEST_F(DiagramOptionsTest, AFailedTestKeepsTheSwitchesAndPutsTheFocusInItsBox)
{
    logic.Form_Load();
    logic.initializeDialog(velmoroAxisRange(), velmoroAxisRange());
    view.setChecked(QStringLiteral("chkSpannung"), true);
    view.setChecked(QStringLiteral("chkXAutomatisch"), false);
    EXPECT_TRUE(view.isControlVisible(QStringLiteral("txtXBis")));
    view.setControlText(QStringLiteral("txtXVon"), QStringLiteral("10"));
    view.setControlText(QStringLiteral("txtXBis"), QStringLiteral("10"));
    EXPECT_FALSE(logic.OKButton_Click());
    EXPECT_EQ(messages.texts(), QStringList{getResource(QStringLiteral("2160"))});
    EXPECT_EQ(view.controls.focus, QStringLiteral("txtXBis"));
    EXPECT_EQ(setting("MinMaxSpannungVisible"), QStringLiteral("NO"));

    view.setControlText(QStringLiteral("txtXBis"), QStringLiteral("30"));
    EXPECT_TRUE(logic.OKButton_Click());
    EXPECT_EQ(setting("MinMaxSpannungVisible"), QStringLiteral("YES"));
    EXPECT_EQ(setting("yGridVisible"), QStringLiteral("YES"));
    EXPECT_EQ(DiagramOptionsLogic::xRange(logic.rangeInput()), velmoroAxisRange::fixed(10, 30));
    EXPECT_EQ(DiagramOptionsLogic::yRange(logic.rangeInput()), velmoroAxisRange());
}

} // namespace
