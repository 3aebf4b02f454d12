#include "wiring/ProgramServices.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "link/VelmoroComCommunication.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/Terminator.h"
#include "platform/UrlOpener.h"
#include "wiring/MainWindowHosts.h"

// The parts this root makes itself where nobody gave one.
struct ProgramServices::Own {
    QtMessageService messages;
    ExecDialogRunner dialogs;
    ProcessTerminator terminator;
    MainWindowHosts mainWindow;
    RecordsNotifier recordsNotifier;
    UrlOpener urlOpener;
};

ProgramServices::ProgramServices() : ProgramServices(Parts{})
{
}

ProgramServices::ProgramServices(const Parts& parts) : m_own(std::make_unique<Own>()), m_parts(parts)
{
    if (!m_parts.messages)
        m_parts.messages = &m_own->messages;
    if (!m_parts.dialogs)
        m_parts.dialogs = &m_own->dialogs;
    if (!m_parts.terminator)
        m_parts.terminator = &m_own->terminator;
    if (!m_parts.mainWindow)
        m_parts.mainWindow = &m_own->mainWindow;
    if (!m_parts.recordsHost)
        m_parts.recordsHost = m_parts.mainWindow;
    if (!m_parts.recordsNotifier)
        m_parts.recordsNotifier = &m_own->recordsNotifier;
    if (!m_parts.urlOpener)
        m_parts.urlOpener = &m_own->urlOpener;

    m_startup.mainForm = m_parts.mainWindow;
    m_startup.comPortDialog = m_parts.comPortDialog;
    m_startup.firstStartDialogs = m_parts.firstStartDialogs;

    m_previousMessages = MessageService::install(m_parts.messages);
    m_previousDialogs = ModalDialogRunner::install(m_parts.dialogs);
    m_previousTerminator = Terminator::install(m_parts.terminator);
    m_previousStartup = StartupServices::install(&m_startup);
}

ProgramServices::~ProgramServices()
{
    StartupServices::install(m_previousStartup);
    Terminator::install(m_previousTerminator);
    ModalDialogRunner::install(m_previousDialogs);
    MessageService::install(m_previousMessages);
}

VelmoroComCommunication* ProgramServices::link() const
{
    return objComCommunication.get();
}

Database& ProgramServices::velmoro() const
{
    return dbVelmoro;
}

Database& ProgramServices::veluser() const
{
    return dbVeluser;
}

programSettings& ProgramServices::settings() const
{
    return objSettings();
}

ProgramResources& ProgramServices::texts() const
{
    return objResources();
}
