#include "records/UsedProgramViewer.h"

#include "platform/ModalDialogRunner.h"
#include "programs/dlgUsedProgram.h"

void UsedProgramViewer::showProgram(QWidget* owner, const std::shared_ptr<CommunicationProgram>& program)
{
    dlgUsedProgram viewer(owner);
    viewer.setProgram(program);
    execModal(viewer);
}
