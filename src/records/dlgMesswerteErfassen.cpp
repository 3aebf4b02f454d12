#include "records/dlgMesswerteErfassen.h"

#include "core/ProgramResources.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "records/dlgNeueMessreihe.h"
#include "records/dlgNeuerAkku.h"
#include "records/frmKanalBearbeiten.h"
#include "wiring/ProgramServices.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

namespace {
QPointer<dlgMesswerteErfassen> g_manager;

template <class W>
W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

dlgMesswerteErfassen::dlgMesswerteErfassen(QWidget* parent, ProgramServices& services)
    : FormDialog(parent),
      m_services(services),
      m_logic(services.recordsHost(), services.recordsNotifier())
{
    setObjectName(QStringLiteral("dlgMesswerteErfassen"));
    buildControls();
    resize(560, 380);
    connect(&m_logic, &MesswerteErfassenLogic::changed, this, &dlgMesswerteErfassen::showState);
    m_logic.Form_Load();
}

dlgMesswerteErfassen::~dlgMesswerteErfassen() = default;

void dlgMesswerteErfassen::buildControls()
{
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    lblMesswerteErfassen = named<QLabel>(this, "lblMesswerteErfassen");
    cboAkkus = named<DataCombo>(this, "cboAkkus");
    cboAkkus->setMinimumContentsLength(24);
    top->addWidget(lblMesswerteErfassen);
    top->addWidget(cboAkkus, 1);
    cmdNeuerAkku = named<QPushButton>(this, "cmdNeuerAkku");
    top->addWidget(cmdNeuerAkku);
    root->addLayout(top);

    Frame1 = named<QGroupBox>(this, "Frame1");
    auto* gridBox = new QVBoxLayout(Frame1);
    dbGrid = named<QTableView>(Frame1, "dbGrid");
    dbGrid->setModel(&m_logic.seriesModel());
    dbGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    dbGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbGrid->verticalHeader()->hide();
    dbGrid->horizontalHeader()->setStretchLastSection(true);
    gridBox->addWidget(dbGrid);
    root->addWidget(Frame1, 1);

    auto* recording = new QHBoxLayout;
    cmdNeueMessreihe = named<QPushButton>(this, "cmdNeueMessreihe");
    cmdKeineErfassung = named<QPushButton>(this, "cmdKeineErfassung");
    frameErfassung = named<QGroupBox>(this, "frameErfassung");
    auto* options = new QHBoxLayout(frameErfassung);
    optSofort = named<QRadioButton>(frameErfassung, "optSofort");
    optNaechster = named<QRadioButton>(frameErfassung, "optNaechster");
    options->addWidget(optSofort);
    options->addWidget(optNaechster);
    recording->addWidget(cmdNeueMessreihe);
    recording->addWidget(cmdKeineErfassung);
    recording->addWidget(frameErfassung, 1);
    root->addLayout(recording);

    auto* management = new QHBoxLayout;
    lblMessVerwaltung = named<QLabel>(this, "lblMessVerwaltung");
    cmdAkkuLoeschen = named<QPushButton>(this, "cmdAkkuLoeschen");
    cmdMessReiheLoeschen = named<QPushButton>(this, "cmdMessReiheLoeschen");
    cmdMessReiheAnzeigen = named<QPushButton>(this, "cmdMessReiheAnzeigen");
    management->addWidget(lblMessVerwaltung);
    management->addWidget(cmdAkkuLoeschen);
    management->addWidget(cmdMessReiheLoeschen);
    management->addWidget(cmdMessReiheAnzeigen);
    management->addStretch(1);
    root->addLayout(management);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    cmdCancel = named<QPushButton>(this, "cmdCancel");
    bottom->addWidget(cmdCancel);
    root->addLayout(bottom);

    auto guarded = [this](void (MesswerteErfassenLogic::*handler)()) {
        return [this, handler] { m_logic.guarded([this, handler] { (m_logic.*handler)(); }); };
    };
    connect(cmdAkkuLoeschen, &QPushButton::clicked, this, guarded(&MesswerteErfassenLogic::cmdAkkuLoeschen_Click));
    connect(cmdMessReiheLoeschen, &QPushButton::clicked, this, &dlgMesswerteErfassen::cmdMessReiheLoeschen_Click);
    connect(cmdKeineErfassung, &QPushButton::clicked, this, guarded(&MesswerteErfassenLogic::cmdKeineErfassung_Click));
    connect(cmdNeuerAkku, &QPushButton::clicked, this, &dlgMesswerteErfassen::cmdNeuerAkku_Click);
    connect(cmdMessReiheAnzeigen, &QPushButton::clicked, this, &dlgMesswerteErfassen::cmdMessReiheAnzeigen_Click);
    connect(cmdNeueMessreihe, &QPushButton::clicked, this, &dlgMesswerteErfassen::cmdNeueMessreihe_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &dlgMesswerteErfassen::cmdCancel_Click);
    connect(optSofort, &QRadioButton::clicked, this, [this] { m_logic.optSofort_Click(); });
    connect(optNaechster, &QRadioButton::clicked, this, [this] { m_logic.optNaechster_Click(); });
    connect(cboAkkus, &DataCombo::selectionChanged, this,
            [this] { m_logic.guarded([this] { m_logic.cboAkkus_Click(cboAkkus->currentIndex()); }); });
    // Only a row the grid shows as selected is the target of show and delete:
    // tabbing into the grid makes its first row current without selecting it.
    connect(dbGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_showing)
            return;
        const QModelIndexList rows = dbGrid->selectionModel()->selectedRows();
        m_logic.selectSeriesRow(rows.isEmpty() ? -1 : rows.first().row());
    });
}

void dlgMesswerteErfassen::showState()
{
    m_showing = true;
    for (auto it = m_logic.controls().cbegin(); it != m_logic.controls().cend(); ++it) {
        const auto& state = it.value();
        if (it.key() == objectName()) {
            setWindowTitle(state.text);
            continue;
        }
        // The grid's caption is the caption of its frame.
        QWidget* w = it.key() == QLatin1String("dbGrid") ? Frame1 : findChild<QWidget*>(it.key());
        if (!w)
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            button->setText(state.text);
            if (qobject_cast<QRadioButton*>(w))
                button->setChecked(state.checked);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(state.text);
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            box->setTitle(state.text);
        }
        w->setToolTip(state.toolTip);
        w->setHidden(!state.visible);
        w->setEnabled(state.enabled);
    }

    QVector<DataCombo::Entry> entries;
    for (const auto& a : m_logic.akkus())
        entries.push_back({QString::number(a.id), a.name});
    cboAkkus->setEntries(entries);
    cboAkkus->selectValue(m_logic.chosenAkkuId() == -1 ? QString() : QString::number(m_logic.chosenAkkuId()));

    const int idColumn = m_logic.seriesColumn("MessReiheID");
    if (idColumn >= 0)
        dbGrid->setColumnHidden(idColumn, true);
    const int row = m_logic.selectedSeriesRow();
    if (row >= 0)
        dbGrid->selectRow(row);
    else
        dbGrid->clearSelection();
    m_showing = false;
}

void dlgMesswerteErfassen::initializeDialog(bool& bShow)
{
    m_logic.initializeDialog(bShow);
}

void dlgMesswerteErfassen::cmdNeuerAkku_Click()
{
    if (m_logic.isLocked())
        return;
    dlgNeuerAkku dialog(&m_logic, this);
    execModal(dialog);
}

void dlgMesswerteErfassen::cmdNeueMessreihe_Click()
{
    bool allowed = false;
    m_logic.guarded([&] { allowed = m_logic.cmdNeueMessreihe_Allowed(); });
    if (!allowed)
        return;
    dlgNeueMessreihe dialog(&m_logic, this);
    execModal(dialog);
}

bool dlgMesswerteErfassen::seriesSelected()
{
    if (m_logic.selectedSeriesRow() >= 0)
        return true;
    msgBox(getResource(QStringLiteral("0757")), MessageService::OkOnly, MessageService::Information,
           getResource(QStringLiteral("0410")));
    return false;
}

void dlgMesswerteErfassen::cmdMessReiheLoeschen_Click()
{
    if (m_logic.seriesCount() == 0 || !seriesSelected())
        return;
    m_logic.guarded([this] { m_logic.cmdMessReiheLoeschen_Click(); });
}

void dlgMesswerteErfassen::cmdMessReiheAnzeigen_Click()
{
    if (m_logic.seriesCount() == 0 || !seriesSelected())
        return;
    const auto series = m_logic.seriesToShow();
    if (!series)
        return;
    // The series window belongs to the main window, whose child this dialog
    // is: it stays in front of it and outlives this dialog.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    frmKanalBearbeiten::openSeries(m_services, owner, series->lMessId, series->strAkkuName, series->strMessreihenNr,
                                   series->strBemerkungstext);
    // A series deleted meanwhile leaves the grid.
    if (!frmKanalBearbeiten::current())
        m_logic.guarded([] {});
}

void dlgMesswerteErfassen::cmdCancel_Click()
{
    done(Rejected);
}

dlgMesswerteErfassen* dlgMesswerteErfassen::manager()
{
    return g_manager.data();
}

dlgMesswerteErfassen* dlgMesswerteErfassen::openManager(QWidget* owner, ProgramServices& services)
{
    if (g_manager) {
        g_manager->m_logic.guarded([] {});
        g_manager->show();
        g_manager->raise();
        g_manager->activateWindow();
        return g_manager;
    }
    // Nothing is left behind when reading the lists fails.
    auto dialog = std::make_unique<dlgMesswerteErfassen>(owner, services);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto& d = dialog->logic();
    d.bEditMode = true;
    d.lActualAkkuId = -1;
    bool bShow = true;
    dialog->initializeDialog(bShow);
    dialog->setModal(false);
    g_manager = dialog.release();
    g_manager->show();
    return g_manager;
}
