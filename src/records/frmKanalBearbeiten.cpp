#include "records/frmKanalBearbeiten.h"

#include "platform/ErrorGuard.h"
#include "platform/ScreenFit.h"
#include "printing/VelmoroPrinting.h"
#include "widgets/SeriesFrames.h"
#include "wiring/ProgramServices.h"
#include "wiring/RecordsHost.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QPointer<frmKanalBearbeiten> g_window;

void fillList(QListWidget* list, const std::vector<EndValueDisplay::Row>& rows)
{
    list->clear();
    for (const auto& row : rows) {
        auto* item = new QListWidgetItem(row.text, list);
        item->setData(Qt::UserRole, row.itemData);
    }
}
} // namespace

frmKanalBearbeiten::frmKanalBearbeiten(ProgramServices& services, QWidget* owner)
    : QWidget(owner, Qt::Window),
      m_services(services),
      m_logic(services.seriesDiagram(), services.seriesProgramViewer())
{
    setObjectName(KanalBearbeitenLogic::windowName());
    buildControls();
    // Loading sets the captions only; the series is read on activation.
    for (const auto& [name, caption] : KanalBearbeitenLogic::captions()) {
        if (name == objectName()) {
            setWindowTitle(caption);
        } else if (auto* box = findChild<QGroupBox*>(name)) {
            box->setTitle(caption);
        } else if (auto* button = findChild<QPushButton*>(name)) {
            button->setText(caption);
        } else if (auto* l = findChild<QLabel*>(name)) {
            l->setText(caption);
        }
    }
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

    auto* cmdProgram = findChild<QPushButton*>(QStringLiteral("cmdProgram"));
    auto* cmdDiagramme = findChild<QPushButton*>(QStringLiteral("cmdDiagramme"));
    // Without a viewer or a diagram window in the program their buttons do nothing.
    cmdProgram->setEnabled(m_logic.hasViewer());
    cmdDiagramme->setEnabled(m_logic.hasDiagram());
    connect(cmdProgram, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdProgram_Click(); }));
    connect(cmdDiagramme, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdDiagramme_Click(); }));
    connect(findChild<QPushButton*>(QStringLiteral("cmdDruck")), &QPushButton::clicked, this,
            ErrorGuard::slot([this] { cmdDruck_Click(); }));
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(findChild<QListWidget*>(QStringLiteral("lstEndwertLaden")), &QListWidget::itemDoubleClicked, this,
            ErrorGuard::slot([this] { lstEndwertLaden_DblClick(); }));
    connect(findChild<QListWidget*>(QStringLiteral("lstEndwertEntladen")), &QListWidget::itemDoubleClicked, this,
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
    showState();
    return true;
}

void frmKanalBearbeiten::showState()
{
    const auto& s = m_logic.shown();
    setWindowTitle(s.heading);
    findChild<QGroupBox*>(QStringLiteral("frameAkkumesswerte"))->setTitle(s.heading);
    auto text = [this](const char* name, const QString& value) {
        findChild<QLineEdit*>(QString::fromLatin1(name))->setText(value);
    };
    auto visible = [this](const char* name, bool shown) {
        findChild<QWidget*>(QString::fromLatin1(name))->setVisible(shown);
    };
    text("txtAkkuTyp", s.akkuTyp);
    text("txtMode", s.mode);
    text("txtNennKapazitaet", s.nennKapazitaet);
    fillList(findChild<QListWidget*>(QStringLiteral("lstEndwertLaden")), s.lists.laden);
    fillList(findChild<QListWidget*>(QStringLiteral("lstEndwertEntladen")), s.lists.entladen);
    visible("lblAkkuzustand", s.lists.conditionVisible);
    visible("txtAkkuzustand", s.lists.conditionVisible);
    text("txtAkkuzustand", s.lists.conditionText);
    visible("lblSelbstentladung", s.lists.selfDischargeVisible);
    visible("txtSelbstentladung", s.lists.selfDischargeVisible);
    text("txtSelbstentladung", s.lists.selfDischargeText);
    text("txtBemerkung", s.bemerkung);
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

void frmKanalBearbeiten::openPhase(QListWidget* list)
{
    QListWidgetItem* item = list ? list->currentItem() : nullptr;
    if (!item || !item->isSelected())
        return;
    m_logic.showDiagram(item->data(Qt::UserRole).toInt(), this);
}

void frmKanalBearbeiten::lstEndwertLaden_DblClick()
{
    openPhase(findChild<QListWidget*>(QStringLiteral("lstEndwertLaden")));
}

void frmKanalBearbeiten::lstEndwertEntladen_DblClick()
{
    openPhase(findChild<QListWidget*>(QStringLiteral("lstEndwertEntladen")));
}

void frmKanalBearbeiten::cmdDruck_Click()
{
    VelmoroPrinting::printReport(static_cast<const QWidget&>(*this), m_logic.seriesProgram().get(), nullptr, false,
                                 m_services.programViewerSource());
}
