// Each diagram window keeps one list of control names: the real window
// carries every name of it, and the test view refuses any other.
#include "DiagramFixture.h"
#include "FakeDiagramViews.h"

#include "ControlNameChecks.h"
#include "diagrams/DiagrammControlNames.h"
#include "diagrams/dlgDiagramOptions.h"
#include "diagrams/frmDiagramm.h"

#include <functional>
#include <gtest/gtest-spi.h>
#include <memory>

namespace {

class DiagramControlNamesTest : public DiagramFixture {};

TEST_F(DiagramControlNamesTest, EveryWindowCarriesEveryNameOfItsList)
{
    const struct {
        QString window;
        std::function<std::unique_ptr<QWidget>()> build;
        QStringList names;
    } windows[] = {
        {QStringLiteral("frmDiagramm"), [] { return std::make_unique<frmDiagramm>(); }, diagrammControlNames()},
        {QStringLiteral("dlgDiagramOptions"), [] { return std::make_unique<dlgDiagramOptions>(); },
         diagramOptionsControlNames()},
    };
    for (const auto& w : windows) {
        const std::unique_ptr<QWidget> built = w.build();
        EXPECT_EQ(built->objectName(), w.window);
        EXPECT_TRUE(w.names.contains(w.window)) << w.window.toStdString();
        expectEveryControlBuilt(*built, w.names);
    }
}

TEST_F(DiagramControlNamesTest, AMisspeltNameFailsTheTestView)
{
    FakeDiagramOptionsView view;
    view.setChecked(QStringLiteral("chkXAutomatisch"), true);
    EXPECT_TRUE(view.isChecked(QStringLiteral("chkXAutomatisch")));
    EXPECT_NONFATAL_FAILURE(view.setChecked(QStringLiteral("chkXAutomatish"), true),
                            "no control named \"chkXAutomatish\"");
    EXPECT_NONFATAL_FAILURE(view.setFocusTo(QStringLiteral("txtXvon")), "no control named \"txtXvon\"");
}

} // namespace
