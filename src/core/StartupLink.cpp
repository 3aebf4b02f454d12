#include "core/ComPortDialogRunner.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/StartupServices.h"
#include "link/VelmoroComCommunication.h"
#include "platform/Database.h"
#include "platform/MessageService.h"
#include "platform/Terminator.h"

#include <exception>
#include <vector>

namespace {
// Links replaced while one of their conversations was still waiting (a new
// port was chosen from an event run during that wait). They stay alive, with
// their port closed, until that conversation has returned.
std::vector<std::unique_ptr<VelmoroComCommunication>> g_retiredLinks;

void replaceLink(std::unique_ptr<VelmoroComCommunication> link)
{
    std::erase_if(g_retiredLinks, [](const auto& old) { return !old->isBusy(); });
    if (objComCommunication && objComCommunication->isBusy()) {
        objComCommunication->closeComPort();
        g_retiredLinks.push_back(std::move(objComCommunication));
    }
    objComCommunication = std::move(link);
}

enum class OpenResult { Opened, NotOpened, Error };

OpenResult createAndOpenLink()
{
    try {
        replaceLink(std::make_unique<VelmoroComCommunication>());
        return objComCommunication->openComPort() ? OpenResult::Opened : OpenResult::NotOpened;
    } catch (const std::exception& e) {
        // Nothing in here can end the program, so no terminator exception
        // passes through this handler.
        const auto* dbError = dynamic_cast<const DatabaseError*>(&e);
        msgBox(QStringLiteral("errhandler von generate serial connection"));
        msgBox(dbError ? dbError->description() : QString::fromLocal8Bit(e.what()));
        // Callers always find a link; this one names no port and answers
        // "no reply" without further messages.
        if (!objComCommunication) {
            objComCommunication = std::make_unique<VelmoroComCommunication>(QString());
            objComCommunication->openComPort();
        }
        return OpenResult::Error;
    }
}
} // namespace

void openComCommunication()
{
    // The port is closed on whatever road the program ends.
    Terminator::setCleanup("link", [] {
        if (objComCommunication)
            objComCommunication->closeComPort();
    });
    // Message, dialog, new attempt: repeated until a port opens or the user
    // gives up, without nesting one attempt inside the dialog of the last.
    for (;;) {
        if (createAndOpenLink() != OpenResult::NotOpened)
            return;
        msgBox(getResource(QStringLiteral("1092")), MessageService::OkOnly, MessageService::Critical,
               getResource(QStringLiteral("0120")));
        ComPortDialogRunner* dialog = StartupServices::current().comPortDialog;
        if (!dialog)
            return; // no dialog to ask: the program runs without a link
        if (!dialog->runAfterFailedOpen())
            endProgram(0);
    }
}

void reopenComCommunication()
{
    // The old port is closed first, so the new link can open the same one.
    if (objComCommunication && objComCommunication->isComPortOpen())
        objComCommunication->closeComPort();
    openComCommunication();
}
