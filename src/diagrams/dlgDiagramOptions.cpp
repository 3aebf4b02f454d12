#include "diagrams/dlgDiagramOptions.h"

#include "core/programSettings.h"
#include "core/utilitiesModul.h"
#include "diagrams/DiagramOptionsControlNames.h"
#include "diagrams/DiagramRefresh.h"
#include "platform/ErrorGuard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <class W>
W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

dlgDiagramOptions::dlgDiagramOptions(QWidget* parent)
    : FormDialog(parent),
      m_controls(*this, diagramOptionsControlNames()),
      m_logic(*this, objSettings())
{
    setObjectName(QStringLiteral("dlgDiagramOptions"));
    buildControls();
    m_logic.Form_Load();
}

void dlgDiagramOptions::buildControls()
{
    auto* root = new QVBoxLayout(this);
    buildSwitchFrames(root);
    root->addWidget(buildRangeFrame());
    buildButtons(root);
}

void dlgDiagramOptions::buildSwitchFrames(QBoxLayout* root)
{
    auto* minMax = named<QGroupBox>(this, "frameMinimaMaxima");
    auto* mm = new QVBoxLayout(minMax);
    for (const char* name : {"chkSpannung", "chkStrom", "chkKapazitaet"})
        mm->addWidget(named<QCheckBox>(minMax, name));
    auto* grid = named<QGroupBox>(this, "frameGrid");
    auto* gg = new QVBoxLayout(grid);
    for (const char* name : {"chkXGrid", "chkYGrid"})
        gg->addWidget(named<QCheckBox>(grid, name));
    auto* top = new QHBoxLayout;
    top->addWidget(minMax);
    top->addWidget(grid);
    root->addLayout(top);
}

QWidget* dlgDiagramOptions::buildRangeFrame()
{
    auto* ranges = named<QGroupBox>(this, "frmAutoCalculate");
    auto* rg = new QGridLayout(ranges);
    const struct {
        const char* automatic;
        const char* names[4];
        void (*filter)(QLineEdit*);
        void (dlgDiagramOptions::*handler)();
    } axes[] = {
        {"chkXAutomatisch",
         {"lblXVon", "txtXVon", "lblXBis", "txtXBis"},
         connectIntegerInputFilter,
         &dlgDiagramOptions::chkXAutomatisch_Click},
        {"chkYAutomatisch",
         {"lblYVon", "txtYVon", "lblYBis", "txtYBis"},
         connectDecimalInputFilter,
         &dlgDiagramOptions::chkYAutomatisch_Click},
    };
    int row = 0;
    for (const auto& axis : axes) {
        auto* automatic = named<QCheckBox>(ranges, axis.automatic);
        rg->addWidget(automatic, row++, 0, 1, 4);
        for (int column = 0; column < 4; ++column) {
            QWidget* w = column % 2 == 0 ? static_cast<QWidget*>(named<QLabel>(ranges, axis.names[column]))
                                         : named<QLineEdit>(ranges, axis.names[column]);
            rg->addWidget(w, row, column);
            if (auto* box = qobject_cast<QLineEdit*>(w))
                axis.filter(box);
        }
        ++row;
        connect(automatic, &QCheckBox::toggled, this, [this, handler = axis.handler] { (this->*handler)(); });
    }
    return ranges;
}

void dlgDiagramOptions::buildButtons(QBoxLayout* root)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = named<QPushButton>(this, "OKButton");
    ok->setDefault(true);
    auto* cancel = named<QPushButton>(this, "CancelButton");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, ErrorGuard::slot([this] { OKButton_Click(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void dlgDiagramOptions::initializeDialog()
{
    m_logic.initializeDialog(xAx, yAx);
}

void dlgDiagramOptions::chkXAutomatisch_Click()
{
    m_logic.chkXAutomatisch_Click();
}

void dlgDiagramOptions::chkYAutomatisch_Click()
{
    m_logic.chkYAutomatisch_Click();
}

DiagramRangeInput dlgDiagramOptions::rangeInput() const
{
    return m_logic.rangeInput();
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
    if (!m_logic.OKButton_Click())
        return;
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

// --- controls by name -----------------------------------------------------------

void dlgDiagramOptions::setControlText(const QString& name, const QString& text)
{
    m_controls.setText(name, text);
}

QString dlgDiagramOptions::controlText(const QString& name) const
{
    return m_controls.text(name);
}

void dlgDiagramOptions::setControlVisible(const QString& name, bool visible)
{
    m_controls.setVisible(name, visible);
}

bool dlgDiagramOptions::isControlVisible(const QString& name) const
{
    return m_controls.isVisible(name);
}

void dlgDiagramOptions::setChecked(const QString& name, bool checked)
{
    m_controls.setChecked(name, checked);
}

bool dlgDiagramOptions::isChecked(const QString& name) const
{
    return m_controls.isChecked(name);
}

void dlgDiagramOptions::setFocusTo(const QString& name)
{
    m_controls.setFocus(name);
}
