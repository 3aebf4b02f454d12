#include "diagrams/dlgDiagramOptions.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "core/utilitiesModul.h"
#include "diagrams/DiagramRefresh.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kMinMaxKeys[] = {"MinMaxSpannungVisible", "MinMaxStromVisible", "MinMaxKapazitaetVisible"};

QString r(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

template <class W>
W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

bool settingOn(const char* key)
{
    return objSettings().getSetting(QString::fromLatin1(key)) == QLatin1String("YES");
}

void saveSwitch(const char* key, const QCheckBox* box)
{
    objSettings().setSetting(QString::fromLatin1(key), box->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO"));
}
} // namespace

dlgDiagramOptions::dlgDiagramOptions(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgDiagramOptions"));
    setWindowTitle(r("2130"));
    auto* root = new QVBoxLayout(this);

    auto* minMax = named<QGroupBox>(this, "frameMinimaMaxima");
    minMax->setTitle(r("2132"));
    auto* mm = new QVBoxLayout(minMax);
    m_chkSpannung = named<QCheckBox>(minMax, "chkSpannung");
    m_chkSpannung->setText(r("2134"));
    m_chkStrom = named<QCheckBox>(minMax, "chkStrom");
    m_chkStrom->setText(r("2136"));
    m_chkKapazitaet = named<QCheckBox>(minMax, "chkKapazitaet");
    m_chkKapazitaet->setText(r("2138"));
    for (QCheckBox* b : {m_chkSpannung, m_chkStrom, m_chkKapazitaet})
        mm->addWidget(b);

    auto* grid = named<QGroupBox>(this, "frameGrid");
    grid->setTitle(r("2140"));
    auto* gg = new QVBoxLayout(grid);
    m_chkXGrid = named<QCheckBox>(grid, "chkXGrid");
    m_chkXGrid->setText(r("2144"));
    m_chkYGrid = named<QCheckBox>(grid, "chkYGrid");
    m_chkYGrid->setText(r("2142"));
    gg->addWidget(m_chkXGrid);
    gg->addWidget(m_chkYGrid);

    auto* ranges = named<QGroupBox>(this, "frmAutoCalculate");
    ranges->setTitle(r("2145"));
    auto* rg = new QGridLayout(ranges);
    m_chkXAutomatisch = named<QCheckBox>(ranges, "chkXAutomatisch");
    m_chkXAutomatisch->setText(r("2148"));
    m_lblXVon = named<QLabel>(ranges, "lblXVon");
    m_lblXVon->setText(r("2150"));
    m_txtXVon = named<QLineEdit>(ranges, "txtXVon");
    m_lblXBis = named<QLabel>(ranges, "lblXBis");
    m_lblXBis->setText(r("2152"));
    m_txtXBis = named<QLineEdit>(ranges, "txtXBis");
    m_chkYAutomatisch = named<QCheckBox>(ranges, "chkYAutomatisch");
    m_chkYAutomatisch->setText(r("2146"));
    m_lblYVon = named<QLabel>(ranges, "lblYVon");
    m_lblYVon->setText(r("2150"));
    m_txtYVon = named<QLineEdit>(ranges, "txtYVon");
    m_lblYBis = named<QLabel>(ranges, "lblYBis");
    m_lblYBis->setText(r("2152"));
    m_txtYBis = named<QLineEdit>(ranges, "txtYBis");
    rg->addWidget(m_chkXAutomatisch, 0, 0, 1, 4);
    rg->addWidget(m_lblXVon, 1, 0);
    rg->addWidget(m_txtXVon, 1, 1);
    rg->addWidget(m_lblXBis, 1, 2);
    rg->addWidget(m_txtXBis, 1, 3);
    rg->addWidget(m_chkYAutomatisch, 2, 0, 1, 4);
    rg->addWidget(m_lblYVon, 3, 0);
    rg->addWidget(m_txtYVon, 3, 1);
    rg->addWidget(m_lblYBis, 3, 2);
    rg->addWidget(m_txtYBis, 3, 3);

    auto* top = new QHBoxLayout;
    top->addWidget(minMax);
    top->addWidget(grid);
    root->addLayout(top);
    root->addWidget(ranges);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = named<QPushButton>(this, "OKButton");
    ok->setText(r("0100"));
    ok->setDefault(true);
    auto* cancel = named<QPushButton>(this, "CancelButton");
    cancel->setText(r("0101"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);

    connectIntegerInputFilter(m_txtXVon);
    connectIntegerInputFilter(m_txtXBis);
    connectDecimalInputFilter(m_txtYVon);
    connectDecimalInputFilter(m_txtYBis);
    connect(m_chkXAutomatisch, &QCheckBox::toggled, this, [this] { chkXAutomatisch_Click(); });
    connect(m_chkYAutomatisch, &QCheckBox::toggled, this, [this] { chkYAutomatisch_Click(); });
    connect(ok, &QPushButton::clicked, this, ErrorGuard::slot([this] { OKButton_Click(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    loadMinMaxCheckBoxes();
    loadGridCheckBoxes();
    // Both axes start manual, their boxes shown, until initializeDialog.
    chkXAutomatisch_Click();
    chkYAutomatisch_Click();
}

void dlgDiagramOptions::loadMinMaxCheckBoxes()
{
    m_chkSpannung->setChecked(settingOn(kMinMaxKeys[0]));
    m_chkStrom->setChecked(settingOn(kMinMaxKeys[1]));
    m_chkKapazitaet->setChecked(settingOn(kMinMaxKeys[2]));
}

void dlgDiagramOptions::loadGridCheckBoxes()
{
    m_chkXGrid->setChecked(settingOn("xGridVisible"));
    m_chkYGrid->setChecked(settingOn("yGridVisible"));
}

void dlgDiagramOptions::saveMinMaxSettings()
{
    saveSwitch(kMinMaxKeys[0], m_chkSpannung);
    saveSwitch(kMinMaxKeys[1], m_chkStrom);
    saveSwitch(kMinMaxKeys[2], m_chkKapazitaet);
}

void dlgDiagramOptions::saveGridSettings()
{
    saveSwitch("xGridVisible", m_chkXGrid);
    saveSwitch("yGridVisible", m_chkYGrid);
}

void dlgDiagramOptions::initializeDialog()
{
    fillAxisRangeFields();
}

void dlgDiagramOptions::fillAxisRangeFields()
{
    const struct {
        const velmoroAxisRange& range;
        QCheckBox* automatic;
        QLineEdit* von;
        QLineEdit* bis;
    } axes[] = {{xAx, m_chkXAutomatisch, m_txtXVon, m_txtXBis}, {yAx, m_chkYAutomatisch, m_txtYVon, m_txtYBis}};
    for (const auto& a : axes) {
        if (a.range.bAutomatic) {
            a.automatic->setChecked(true);
        } else {
            a.automatic->setChecked(false);
            a.von->setText(DiagramOptionsLogic::numberText(a.range.dMinValue));
            a.bis->setText(DiagramOptionsLogic::numberText(a.range.dMaxValue));
        }
    }
}

void dlgDiagramOptions::chkXAutomatisch_Click()
{
    const bool manual = !m_chkXAutomatisch->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblXVon, m_lblXBis, m_txtXVon, m_txtXBis})
        w->setVisible(manual);
}

void dlgDiagramOptions::chkYAutomatisch_Click()
{
    const bool manual = !m_chkYAutomatisch->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblYVon, m_lblYBis, m_txtYVon, m_txtYBis})
        w->setVisible(manual);
}

DiagramRangeInput dlgDiagramOptions::rangeInput() const
{
    DiagramRangeInput in;
    in.xAutomatic = m_chkXAutomatisch->isChecked();
    in.xVon = m_txtXVon->text();
    in.xBis = m_txtXBis->text();
    in.yAutomatic = m_chkYAutomatisch->isChecked();
    in.yVon = m_txtYVon->text();
    in.yBis = m_txtYBis->text();
    return in;
}

bool dlgDiagramOptions::validateRanges()
{
    const std::optional<DiagramRangeFault> fault = DiagramOptionsLogic::validateRanges(rangeInput());
    if (!fault)
        return true;
    msgBox(getResource(fault->messageId), MessageService::OkOnly, MessageService::Information, r("0410"));
    if (auto* box = findChild<QLineEdit*>(fault->focus))
        box->setFocus();
    return false;
}

void dlgDiagramOptions::applyAxisRanges()
{
    const DiagramRangeInput in = rangeInput();
    xAx = DiagramOptionsLogic::xRange(in);
    yAx = DiagramOptionsLogic::yRange(in);
    if (parentWin)
        parentWin->refreshXYRanges(yAx, xAx);
}

void dlgDiagramOptions::OKButton_Click()
{
    if (!validateRanges())
        return;
    saveMinMaxSettings();
    saveGridSettings();
    applyAxisRanges();
    if (parentWin) {
        parentWin->refreshMinMaxStatLines();
        parentWin->refreshGrids();
    }
    done(Accepted);
}

void dlgDiagramOptions::CancelButton_Click()
{
    done(Rejected);
}

void dlgDiagramOptions::cancelButton()
{
    CancelButton_Click();
}
