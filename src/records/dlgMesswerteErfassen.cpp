#include "records/dlgMesswerteErfassen.h"

#include "core/ProgramResources.h"
#include "platform/DataCombo.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "records/MesswerteErfassenControlNames.h"
#include "records/dlgNeueMessreihe.h"
#include "records/dlgNeuerAkku.h"
#include "records/frmKanalBearbeiten.h"
#include "wiring/ProgramServices.h"

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
      m_controls(*this, messwerteErfassenControlNames()),
      m_logic(this, services.recordsHost(), services.recordsNotifier())
{
    setObjectName(QStringLiteral("dlgMesswerteErfassen"));
    buildControls();
    resize(560, 380);
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

    buildRecordingRow(root);
    buildManagementRow(root);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    cmdCancel = named<QPushButton>(this, "cmdCancel");
    bottom->addWidget(cmdCancel);
    root->addLayout(bottom);
    connectHandlers();
}

void dlgMesswerteErfassen::buildRecordingRow(QBoxLayout* root)
{
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
}

void dlgMesswerteErfassen::buildManagementRow(QBoxLayout* root)
{
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
}

void dlgMesswerteErfassen::connectHandlers()
{
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
        m_logic.selectSeriesRow(listIndex(QStringLiteral("dbGrid")));
    });
}

// --- controls by name -----------------------------------------------------------

QString dlgMesswerteErfassen::captionHolder(const QString& name) const
{
    return name == QLatin1String("dbGrid") ? QStringLiteral("Frame1") : name;
}

void dlgMesswerteErfassen::setControlText(const QString& name, const QString& text)
{
    m_controls.setText(captionHolder(name), text);
}

QString dlgMesswerteErfassen::controlText(const QString& name) const
{
    return m_controls.text(captionHolder(name));
}

void dlgMesswerteErfassen::setControlToolTip(const QString& name, const QString& text)
{
    m_controls.setToolTip(name, text);
}

QString dlgMesswerteErfassen::controlToolTip(const QString& name) const
{
    return m_controls.toolTip(name);
}

void dlgMesswerteErfassen::setControlVisible(const QString& name, bool visible)
{
    m_controls.setVisible(name, visible);
}

bool dlgMesswerteErfassen::isControlVisible(const QString& name) const
{
    return m_controls.isVisible(name);
}

void dlgMesswerteErfassen::setControlEnabled(const QString& name, bool enabled)
{
    m_controls.setEnabled(name, enabled);
}

bool dlgMesswerteErfassen::isControlEnabled(const QString& name) const
{
    return m_controls.isEnabled(name);
}

void dlgMesswerteErfassen::setChecked(const QString& name, bool checked)
{
    m_controls.setChecked(name, checked);
}

bool dlgMesswerteErfassen::isChecked(const QString& name) const
{
    return m_controls.isChecked(name);
}

void dlgMesswerteErfassen::setBoundEntries(const QString& name, const QVector<ListEntry>& entries)
{
    if (auto* combo = m_controls.find<DataCombo>(name))
        combo->setEntries(entries);
}

void dlgMesswerteErfassen::setBoundText(const QString& name, const QString& value)
{
    if (auto* combo = m_controls.find<DataCombo>(name))
        combo->selectValue(value);
}

QString dlgMesswerteErfassen::boundText(const QString& name) const
{
    const auto* combo = m_controls.find<DataCombo>(name);
    return combo ? combo->currentValue() : QString();
}

void dlgMesswerteErfassen::setListIndex(const QString& name, int row)
{
    auto* grid = m_controls.find<QTableView>(name);
    if (!grid)
        return;
    m_showing = true;
    if (row >= 0)
        grid->selectRow(row);
    else
        grid->clearSelection();
    m_showing = false;
}

int dlgMesswerteErfassen::listIndex(const QString& name) const
{
    const auto* grid = m_controls.find<QTableView>(name);
    if (!grid)
        return -1;
    const QModelIndexList rows = grid->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void dlgMesswerteErfassen::hideColumn(const QString& name, int column)
{
    if (auto* grid = m_controls.find<QTableView>(name))
        grid->setColumnHidden(column, true);
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
