// Each records window keeps one list of control names: the real window
// carries every name of it, and the test view refuses any other.
#include "RecordsFixture.h"

#include "ControlNameChecks.h"
#include "records/dlgMesswerteErfassen.h"
#include "records/frmKanalBearbeiten.h"

#include <functional>
#include <gtest/gtest-spi.h>
#include <memory>

namespace {

class RecordsControlNamesTest : public RecordsTest {};

TEST_F(RecordsControlNamesTest, EveryWindowCarriesEveryNameOfItsList)
{
    akku(QStringLiteral("Pack"));
    const struct {
        QString window;
        std::function<std::unique_ptr<QWidget>()> build;
        QStringList names;
    } windows[] = {
        {QStringLiteral("dlgMesswerteErfassen"),
         [this] { return std::make_unique<dlgMesswerteErfassen>(nullptr, services); }, messwerteErfassenControlNames()},
        {QStringLiteral("frmKanalBearbeiten"), [this] { return std::make_unique<frmKanalBearbeiten>(services); },
         kanalBearbeitenControlNames()},
    };
    for (const auto& w : windows) {
        const std::unique_ptr<QWidget> built = w.build();
        EXPECT_EQ(built->objectName(), w.window);
        EXPECT_TRUE(w.names.contains(w.window)) << w.window.toStdString();
        expectEveryControlBuilt(*built, w.names);
    }
}

TEST_F(RecordsControlNamesTest, AMisspeltNameFailsTheTestView)
{
    FakeMesswerteErfassenView view;
    view.setControlText(QStringLiteral("cmdNeuerAkku"), QStringLiteral("New"));
    EXPECT_EQ(view.controlText(QStringLiteral("cmdNeuerAkku")), QStringLiteral("New"));
    EXPECT_NONFATAL_FAILURE(view.setControlText(QStringLiteral("cmdNeuerAku"), QStringLiteral("New")),
                            "no control named \"cmdNeuerAku\"");
    EXPECT_NONFATAL_FAILURE(view.isControlEnabled(QStringLiteral("optSofrt")), "no control named \"optSofrt\"");

    FakeKanalBearbeitenView series;
    EXPECT_NONFATAL_FAILURE(series.addListItem(QStringLiteral("lstEndwertLaen"), QStringLiteral("1."), 7),
                            "no control named \"lstEndwertLaen\"");
    EXPECT_TRUE(series.listItems(QStringLiteral("lstEndwertLaden")).isEmpty());
}

} // namespace
