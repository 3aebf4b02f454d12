// The program windows and their lists of control names: every name of a
// list is built, the printout finds in the viewer what it reads, and a
// misspelt name fails the logic's test view.
#include "ControlNameChecks.h"
#include "FakeEditorView.h"
#include "TestSupport.h"

#include "core/DatabaseModul.h"
#include "printing/ReportLayout.h"
#include "programs/ProgramControlNames.h"
#include "programs/dlgErweiterterProgrammiermodus.h"
#include "programs/dlgUsedProgram.h"
#include "programs/dlgVelmoroProgram.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
class ControlNamesTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        openGlobalRecordsets();
    }
};
} // namespace

TEST_F(ControlNamesTest, EveryWindowBuildsEveryControlOfItsList)
{
    dlgVelmoroProgram editor;
    expectEveryControlBuilt(editor, programEditorControlNames());
    dlgUsedProgram viewer;
    expectEveryControlBuilt(viewer, programViewerControlNames());
    dlgErweiterterProgrammiermodus options;
    expectEveryControlBuilt(options, extendedOptionsControlNames());
}

TEST_F(ControlNamesTest, TheViewerCarriesWhatTheReportReadsOfIt)
{
    for (const QString& name : ReportLayout::viewerControlNames())
        EXPECT_TRUE(programViewerControlNames().contains(name)) << name.toStdString();
}

TEST_F(ControlNamesTest, AMisspeltNameFailsTheTestView)
{
    FakeEditorView view;
    EXPECT_NONFATAL_FAILURE(view.setControlVisible(QStringLiteral("txtLadeStrom"), false),
                            "no control named \"txtLadeStrom\"");
    // The window's own list is what the view accepts.
    view.setControlVisible(QStringLiteral("txtLadestrom"), false);
    EXPECT_FALSE(view.isControlVisible(QStringLiteral("txtLadestrom")));
}
