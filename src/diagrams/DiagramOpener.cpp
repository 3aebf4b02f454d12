#include "diagrams/DiagramOpener.h"

#include "diagrams/dlgDiagrammLadeMeldung.h"
#include "diagrams/frmDiagramm.h"
#include "platform/ErrorGuard.h"

#include <QCoreApplication>
#include <memory>

QWidget* DiagramOpener::ownerOf(QWidget* callerForm)
{
    if (!callerForm)
        return nullptr;
    // A caller that is a window of its own (the stored series window) is not
    // the owner: the diagram outlives it, and is printed without it.
    QWidget* w = callerForm->isWindow() ? callerForm->parentWidget() : callerForm;
    if (!w)
        return nullptr;
    w = w->window();
    while (QWidget* above = w->parentWidget())
        w = above->window();
    return w;
}

DiagramOpener::DiagramOpener(DiagramHost* host, ProgramViewerSource* programViewer)
    : m_host(host),
      m_programViewer(programViewer)
{
}

DiagramOpener::~DiagramOpener()
{
    // A window left open when the run ends goes with the process.
    if (QCoreApplication::instance())
        delete m_window.data();
}

bool DiagramOpener::showDiagram(const Request& request)
{
    DiagramSource source;
    source.lMessReiheId = request.lMessReiheId;
    source.bTempCreated = request.bTempCreated;
    source.lEndWertId = request.lEndWertId;
    return open(source, request.callerForm, request.cProg);
}

bool DiagramOpener::open(const DiagramSource& source, QWidget* callerForm, std::shared_ptr<CommunicationProgram> cProg)
{
    if (m_loading)
        return false;
    m_loading = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_loading};

    // Goes away before any message the load ends with, and with this call
    // on every road.
    auto notice = std::make_unique<dlgDiagrammLadeMeldung>();
    notice->showNow();
    const auto closeNotice = [&notice] { notice.reset(); };

    // The window belongs to the main window, so it stays in front of it
    // whichever of its windows the user clicks.
    QWidget* owner = ownerOf(callerForm);
    const bool created = m_window.isNull();
    bool hiddenByMove = false;
    if (created) {
        m_window = new frmDiagramm(owner, m_host, m_programViewer);
    } else if (owner && m_window->parentWidget() != owner) {
        // A window opened earlier without an owner; moving it hides it.
        hiddenByMove = m_window->isVisible();
        m_window->setParent(owner, m_window->windowFlags());
    }
    frmDiagramm* w = m_window;
    const DiagramSource before{w->logic().lMessReiheId, w->logic().bTempCreated, w->logic().lEndWertId};
    const QPointer<QWidget> callerBefore = w->callerForm;
    const std::shared_ptr<CommunicationProgram> programBefore = w->cProg;
    // Every member anew: a reused window keeps no phase of an earlier opener.
    w->logic().lMessReiheId = source.lMessReiheId;
    w->logic().bTempCreated = source.bTempCreated;
    w->logic().lEndWertId = source.lEndWertId;
    w->callerForm = callerForm;
    w->cProg = std::move(cProg);

    bool shown = false;
    ErrorGuard::run([&] {
        try {
            shown = w->loadDiagramData(closeNotice);
        } catch (...) {
            closeNotice();
            throw;
        }
    });
    closeNotice();
    if (shown) {
        w->raise();
        w->activateWindow();
        return true;
    }
    if (created) {
        if (m_window) {
            m_window->Form_Unload();
            delete m_window.data();
        }
    } else if (m_window) {
        // The reused window goes on showing, and naming, what it showed.
        m_window->logic().lMessReiheId = before.lMessReiheId;
        m_window->logic().bTempCreated = before.bTempCreated;
        m_window->logic().lEndWertId = before.lEndWertId;
        m_window->callerForm = callerBefore;
        m_window->cProg = programBefore;
        if (hiddenByMove)
            m_window->show();
    }
    return false;
}
