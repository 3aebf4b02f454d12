#include "diagrams/DiagramOpener.h"

#include "diagrams/dlgDiagrammLadeMeldung.h"
#include "diagrams/frmDiagramm.h"
#include "platform/ErrorGuard.h"

#include <QCoreApplication>

DiagramOpener& DiagramOpener::instance()
{
    static DiagramOpener opener;
    return opener;
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

bool DiagramOpener::open(const DiagramSource& source, QWidget* callerForm,
                         std::shared_ptr<CommunicationProgram> cProg)
{
    if (m_loading)
        return false;
    m_loading = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_loading};

    // Goes away with this call, on every road.
    dlgDiagrammLadeMeldung notice;
    notice.showNow();

    const bool created = m_window.isNull();
    if (created)
        m_window = new frmDiagramm;
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
    ErrorGuard::run([&] { shown = w->loadDiagramData(); });
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
    }
    return false;
}
