#include "records/frmKanalBearbeiten.h"

#include "platform/ErrorGuard.h"
#include "platform/OwnedWindow.h"
#include "platform/ScreenFit.h"
#include "printing/VelmoroPrinting.h"
#include "records/KanalBearbeitenControlNames.h"
#include "widgets/SeriesFrames.h"
#include "wiring/ProgramServices.h"
#include "wiring/RecordsHost.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QPointer<frmKanalBearbeiten> g_window;
} // namespace

frmKanalBearbeiten::frmKanalBearbeiten(ProgramServices& services, QWidget* owner)
    : QWidget(owner, kOwnedWindowFlags),
      m_services(services),
      m_controls(*this, kanalBearbeitenControlNames()),
      m_logic(this, services.seriesDiagram(), services.seriesProgramViewer())
{
    setObjectName(KanalBearbeitenLogic::windowName());
    buildControls();
    m_logic.Form_Load();
    resize(520, 560);
    // A delete in a records dialog may renumber the series shown here or take
    // it away: the window and its report follow at once.
    connect(&m_services.recordsNotifier(), &RecordsNotifier::recordsChanged, this, [this] {
        if (isVisible())
            readSeries();
    });
}

frmKanalBearbeiten::~frmKanalBearbeiten() = default;

void frmKanalBearbeiten::buildControls()
{
    auto* root = new QVBoxLayout(this);

    auto* buttons = new QHBoxLayout;
    for (const char* name : {"cmdProgram", "cmdDruck", "cmdDiagramme"}) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    root->addLayout(buttons);

    root->addWidget(SeriesFrames::programFrame(this));

    root->addWidget(SeriesFrames::endValueFrame(this, false), 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    bottom->addWidget(ok);
    root->addLayout(bottom);

    auto* cmdProgram = m_controls.find<QPushButton>(QStringLiteral("cmdProgram"));
    auto* cmdDiagramme = m_controls.find<QPushButton>(QStringLiteral("cmdDiagramme"));
    // Without a viewer or a diagram window in the program their buttons do nothing.
    cmdProgram->setEnabled(m_logic.hasViewer());
    cmdDiagramme->setEnabled(m_logic.hasDiagram());
    connect(cmdProgram, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdProgram_Click(); }));
    connect(cmdDiagramme, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdDiagramme_Click(); }));
    connect(m_controls.find<QPushButton>(QStringLiteral("cmdDruck")), &QPushButton::clicked, this,
            ErrorGuard::slot([this] { cmdDruck_Click(); }));
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(m_controls.find<QListWidget>(QStringLiteral("lstEndwertLaden")), &QListWidget::itemDoubleClicked, this,
            ErrorGuard::slot([this] { lstEndwertLaden_DblClick(); }));
    connect(m_controls.find<QListWidget>(QStringLiteral("lstEndwertEntladen")), &QListWidget::itemDoubleClicked, this,
            ErrorGuard::slot([this] { lstEndwertEntladen_DblClick(); }));
}

frmKanalBearbeiten* frmKanalBearbeiten::current()
{
    return g_window.data();
}

frmKanalBearbeiten* frmKanalBearbeiten::openSeries(ProgramServices& services, QWidget* owner, qint32 lMessId,
                                                   const QString& strAkkuName, const QString& strMessreihenNr,
                                                   const QString& strBemerkungstext)
{
    if (!g_window) {
        g_window = new frmKanalBearbeiten(services, owner);
        g_window->setAttribute(Qt::WA_DeleteOnClose);
        // A new window stands over its owner (keepOnScreen below moves it onto the screen).
        const QRect over = owner ? owner->window()->geometry() : g_window->screen()->availableGeometry();
        g_window->setGeometry(QRect(over.center() - g_window->rect().center(), g_window->size()));
    }
    QPointer<frmKanalBearbeiten> window = g_window;
    auto& logic = window->m_logic;
    logic.lMessId = lMessId;
    logic.strAkkuName = strAkkuName;
    logic.strMessreihenNr = strMessreihenNr;
    logic.strBemerkungstext = strBemerkungstext;
    logic.beginOpening();
    if (!window->Form_Activate())
        return nullptr;
    keepOnScreen(window);
    window->show();
    // Now the window system has told its frame.
    keepOnScreen(window);
    window->raise();
    window->activateWindow();
    return window;
}

bool frmKanalBearbeiten::event(QEvent* e)
{
    // After a failed read the window waits to be opened again: reading again
    // on the activation that closing the error box brings would show the
    // box for ever.
    if (e->type() == QEvent::WindowActivate && isVisible() && !m_closing && !m_readFailed)
        Form_Activate();
    return QWidget::event(e);
}

bool frmKanalBearbeiten::Form_Activate()
{
    // A message box or the viewer shown from here activates the window again.
    if (m_activating || m_closing)
        return !m_closing;
    m_services.recordsHost().seriesWindowActivated(this);
    return readSeries();
}

bool frmKanalBearbeiten::readSeries()
{
    if (m_activating || m_closing)
        return !m_closing;
    m_activating = true;
    bool exists = true;
    m_readFailed = !ErrorGuard::run([&] { exists = m_logic.Form_Activate(); });
    m_activating = false;
    if (!exists) {
        cmdOk_Click();
        return false;
    }
    // After a failed read the window shows nothing of the series it showed before.
    if (m_readFailed)
        m_logic.showState();
    return true;
}

void frmKanalBearbeiten::cmdOk_Click()
{
    close();
}

void frmKanalBearbeiten::closeEvent(QCloseEvent* e)
{
    m_closing = true;
    m_services.recordsHost().seriesWindowActivated(nullptr);
    QWidget::closeEvent(e);
}

void frmKanalBearbeiten::cmdProgram_Click()
{
    m_logic.showProgram(this);
}

void frmKanalBearbeiten::cmdDiagramme_Click()
{
    m_logic.showDiagram(0, this);
}

void frmKanalBearbeiten::lstEndwertLaden_DblClick()
{
    m_logic.openPhase(QStringLiteral("lstEndwertLaden"), this);
}

void frmKanalBearbeiten::lstEndwertEntladen_DblClick()
{
    m_logic.openPhase(QStringLiteral("lstEndwertEntladen"), this);
}

void frmKanalBearbeiten::cmdDruck_Click()
{
    VelmoroPrinting::printReport(static_cast<const QWidget&>(*this), m_logic.seriesProgram().get(), nullptr, false,
                                 m_services.programViewerSource());
}

// --- controls by name -----------------------------------------------------------

void frmKanalBearbeiten::setControlText(const QString& name, const QString& text)
{
    m_controls.setText(name, text);
}

QString frmKanalBearbeiten::controlText(const QString& name) const
{
    return m_controls.text(name);
}

void frmKanalBearbeiten::setControlVisible(const QString& name, bool visible)
{
    m_controls.setVisible(name, visible);
}

bool frmKanalBearbeiten::isControlVisible(const QString& name) const
{
    return m_controls.isVisible(name);
}

void frmKanalBearbeiten::clearList(const QString& name)
{
    m_controls.clearList(name);
}

void frmKanalBearbeiten::addListItem(const QString& name, const QString& text, qint32 itemData)
{
    m_controls.addListItem(name, text, itemData);
}

QStringList frmKanalBearbeiten::listItems(const QString& name) const
{
    return m_controls.listItems(name);
}

qint32 frmKanalBearbeiten::listItemData(const QString& name, int row) const
{
    return m_controls.listItemData(name, row);
}

int frmKanalBearbeiten::selectedListRow(const QString& name) const
{
    return m_controls.selectedListRow(name);
}
