#include "diagrams/frmDiagramm.h"

#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "diagrams/DiagramSampling.h"
#include "diagrams/DiagrammControlNames.h"
#include "diagrams/dlgDiagramOptions.h"
#include "platform/ControlNames.h"
#include "platform/ErrorGuard.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/OwnedWindow.h"
#include "platform/ScreenFit.h"
#include "printing/VelmoroPrinting.h"
#include "wiring/DiagramHost.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
using Curve = DiagrammLogic::Curve;

const QColor kColours[DiagrammLogic::kCurves] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
// The curve's pen is three times as wide as its minimum/maximum lines.
constexpr qreal kCurveWidth = 3.0;
constexpr qreal kStatWidth = 1.0;

QString r(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(r(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

frmDiagramm::frmDiagramm(QWidget* parent, DiagramHost* host, ProgramViewerSource* programViewer)
    : QWidget(parent, kOwnedWindowFlags),
      m_host(host),
      m_programViewer(programViewer),
      m_logic(objSettings())
{
    setObjectName(QStringLiteral("frmDiagramm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(r("2100"));
    buildControls();
    // 12390 x 6720 twips at design.
    resize(826, 448);
}

frmDiagramm::~frmDiagramm() = default;

void frmDiagramm::buildControls()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(buildViewStrip());
    buildChart();
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("auswertungsChart"));
    m_view->hide();
    root->addWidget(m_view, 1);

    m_lblLoading = new QLabel(r("2102"), this);
    m_lblLoading->setObjectName(QStringLiteral("lblLoading"));
    QFont big = m_lblLoading->font();
    big.setPointSize(24);
    big.setBold(true);
    m_lblLoading->setFont(big);
    m_lblLoading->setAlignment(Qt::AlignCenter);
    root->addWidget(m_lblLoading, 1);

    m_printPicture = new QLabel(this);
    m_printPicture->setObjectName(QStringLiteral("printPicture"));
    m_printPicture->hide();
}

QWidget* frmDiagramm::buildViewStrip()
{
    auto* ansicht = new QGroupBox(r("2110"), this);
    ansicht->setObjectName(QStringLiteral("frmAnsicht"));
    auto* strip = new QHBoxLayout(ansicht);

    auto* boxes = new QFrame(ansicht);
    boxes->setObjectName(QStringLiteral("frmCheckBoxes"));
    auto* bl = new QHBoxLayout(boxes);
    bl->setContentsMargins(0, 0, 0, 0);
    const char* names[] = {"chkSpannung", "chkStrom", "chkKapazitaet"};
    const char* captions[] = {"2112", "2114", "2116"};
    for (int c = 0; c < DiagrammLogic::kCurves; ++c) {
        auto* box = new QCheckBox(r(captions[c]), boxes);
        box->setObjectName(QString::fromLatin1(names[c]));
        box->setStyleSheet(QStringLiteral("QCheckBox { color: %1; }").arg(kColours[c].name()));
        bl->addWidget(box);
        m_check[c] = box;
    }
    connect(m_check[DiagrammLogic::Spannung], &QCheckBox::clicked, this, [this] { chkSpannung_Click(); });
    connect(m_check[DiagrammLogic::Strom], &QCheckBox::clicked, this, [this] { chkStrom_Click(); });
    connect(m_check[DiagrammLogic::Kapazitaet], &QCheckBox::clicked, this, [this] { chkKapazitaet_Click(); });
    strip->addWidget(boxes);
    strip->addStretch(1);

    auto* buttons = new QFrame(ansicht);
    buttons->setObjectName(QStringLiteral("frmButtons"));
    auto* btl = new QHBoxLayout(buttons);
    btl->setContentsMargins(0, 0, 0, 0);
    auto* print = button(buttons, "cmdPrint", "2120");
    auto* printDiagram = button(buttons, "cmdPrintDiagram", "2124");
    auto* options = button(buttons, "cmdEinstellungen", "2168");
    auto* ok = button(buttons, "cmdOk", "0100");
    for (QPushButton* b : {print, printDiagram, options, ok})
        btl->addWidget(b);
    connect(options, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdEinstellungen_Click(); }));
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(print, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdPrint_Click(); }));
    connect(printDiagram, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdPrintDiagram_Click(); }));
    strip->addWidget(buttons);
    return ansicht;
}

void frmDiagramm::buildChart()
{
    m_chart = new QChart;
    m_chart->legend()->hide();
    // Axis labels are numbers like every other the user reads.
    m_chart->setLocalizeNumbers(true);
    m_axisX = new QValueAxis(m_chart);
    m_axisX->setTitleText(r("9050"));
    m_axisY = new QValueAxis(m_chart);
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    const QPen grid(QColor(128, 128, 128), 1.0, Qt::DotLine);
    m_axisX->setGridLinePen(grid);
    m_axisY->setGridLinePen(grid);
    for (int c = 0; c < DiagrammLogic::kCurves; ++c) {
        m_curve[c] = new QLineSeries(m_chart);
        m_curve[c]->setPen(QPen(kColours[c], kCurveWidth, Qt::SolidLine));
        m_minLine[c] = new QLineSeries(m_chart);
        m_maxLine[c] = new QLineSeries(m_chart);
        for (QLineSeries* s : {m_curve[c], m_minLine[c], m_maxLine[c]}) {
            if (s != m_curve[c])
                s->setPen(QPen(kColours[c], kStatWidth, Qt::DotLine));
            s->setPointsVisible(false);
            m_chart->addSeries(s);
            s->attachAxis(m_axisX);
            s->attachAxis(m_axisY);
            s->setVisible(false);
        }
    }
}

bool frmDiagramm::loadDiagramData(const std::function<void()>& beforeMessage)
{
    if (!m_logic.loadDiagramData(dbVeluser.handle(), DiagramSampling::diagramPointsRows())) {
        if (beforeMessage)
            beforeMessage();
        msgBox(r("0848"), MessageService::OkOnly, MessageService::NoIcon, r("0410"));
        return false;
    }
    // Set only when it changed: the chart lays out its labels anew for it.
    if (const QLocale locale = numberLocale(); m_chart->locale() != locale)
        m_chart->setLocale(locale);
    fillCurves();
    showState();
    m_lblLoading->hide();
    m_view->show();
    if (!m_shownOnce) {
        m_shownOnce = true;
        // Centred on the screen of the window it belongs to, and all of it
        // on that screen's free area, however small the screen.
        const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            move(screen->availableGeometry().center() - rect().center());
        keepOnScreen(this);
    }
    show();
    return true;
}

QLocale frmDiagramm::numberLocale()
{
    // As the program writes numbers elsewhere: the user's decimal separator,
    // no grouping of thousands (a German "1.000" minutes would read as one).
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

void frmDiagramm::fillCurves()
{
    const DiagramValues& v = m_logic.values();
    // A hidden curve gets its points when its box shows it.
    for (int c = 0; c < DiagrammLogic::kCurves; ++c) {
        m_curveStale[c] = true;
        if (m_logic.isSeriesShown(Curve(c)))
            fillCurve(Curve(c));
        else
            m_curve[c]->clear();
    }

    double x0 = 0.0;
    double x1 = 0.0;
    for (int i = 0; i < v.spannung.size(); ++i) {
        const double x = v.spannung[i].x();
        if (i == 0 || x < x0)
            x0 = x;
        if (i == 0 || x > x1)
            x1 = x;
    }
    const VelmoroMinMaxWerte& m = v.minMax;
    const std::pair<qint32, qint32> bounds[] = {
        {m.MinSpannung, m.MaxSpannung}, {m.MinStrom, m.MaxStrom}, {m.MinKapazitaet, m.MaxKapazitaet}};
    for (int c = 0; c < DiagrammLogic::kCurves; ++c) {
        const double lo = bounds[c].first / 1000.0;
        const double hi = bounds[c].second / 1000.0;
        m_minLine[c]->replace(QList<QPointF>{QPointF(x0, lo), QPointF(x1, lo)});
        m_maxLine[c]->replace(QList<QPointF>{QPointF(x0, hi), QPointF(x1, hi)});
    }
}

void frmDiagramm::fillCurve(Curve c)
{
    const DiagramValues& v = m_logic.values();
    const QVector<QPointF>* points[] = {&v.spannung, &v.strom, &v.kapazitaet};
    m_curve[c]->replace(*points[c]);
    m_curveStale[c] = false;
}

void frmDiagramm::showState()
{
    // Every change below makes the chart map its curves' points anew: only
    // what differs is set.
    const auto visible = [](QLineSeries* s, bool v) {
        if (s->isVisible() != v)
            s->setVisible(v);
    };
    for (int c = 0; c < DiagrammLogic::kCurves; ++c) {
        const auto curve = Curve(c);
        const QSignalBlocker block(m_check[c]);
        m_check[c]->setChecked(m_logic.isChecked(curve));
        const bool shown = m_logic.loaded() && m_logic.isSeriesShown(curve);
        if (shown && m_curveStale[c])
            fillCurve(curve);
        visible(m_curve[c], shown);
        visible(m_minLine[c], shown && m_logic.statLines(curve));
        visible(m_maxLine[c], shown && m_logic.statLines(curve));
    }
    m_axisX->setGridLineVisible(m_logic.xGrid());
    m_axisY->setGridLineVisible(m_logic.yGrid());

    const DiagrammLogic::Axis& y = m_logic.yAxis;
    if (y.fixedTicks.interval <= 0.0 && m_axisY->tickCount() != y.majorDivision + 1)
        m_axisY->setTickCount(y.majorDivision + 1);
    setTicks(m_axisY, y.fixedTicks);
    if (m_axisY->min() != y.minimum || m_axisY->max() != y.maximum)
        m_axisY->setRange(y.minimum, y.maximum);
    const DiagrammLogic::Axis& x = m_logic.xAxis;
    setTicks(m_axisX, x.fixedTicks);
    double x0 = x.minimum;
    double x1 = x.maximum;
    if (x.automatic) {
        // Round bounds from the data, worked out apart from the chart.
        QValueAxis nice;
        nice.setTickCount(m_axisX->tickCount());
        nice.setRange(x0, x1);
        nice.applyNiceNumbers();
        x0 = nice.min();
        x1 = nice.max();
    }
    if (m_axisX->min() != x0 || m_axisX->max() != x1)
        m_axisX->setRange(x0, x1);
}

void frmDiagramm::setTicks(QValueAxis* axis, const DiagrammLogic::RoundTicks& ticks)
{
    const auto type = ticks.interval > 0.0 ? QValueAxis::TicksDynamic : QValueAxis::TicksFixed;
    if (type == QValueAxis::TicksDynamic) {
        if (axis->tickInterval() != ticks.interval)
            axis->setTickInterval(ticks.interval);
        if (axis->tickAnchor() != ticks.anchor)
            axis->setTickAnchor(ticks.anchor);
    }
    if (axis->tickType() != type)
        axis->setTickType(type);
}

void frmDiagramm::checkBoxClick(Curve c)
{
    m_logic.checkBoxClicked(c, m_check[c]->isChecked());
    showState();
}

void frmDiagramm::chkSpannung_Click()
{
    checkBoxClick(DiagrammLogic::Spannung);
}

void frmDiagramm::chkStrom_Click()
{
    checkBoxClick(DiagrammLogic::Strom);
}

void frmDiagramm::chkKapazitaet_Click()
{
    checkBoxClick(DiagrammLogic::Kapazitaet);
}

void frmDiagramm::refreshXYRanges(const velmoroAxisRange& yAx, const velmoroAxisRange& xAx)
{
    m_logic.refreshXYRanges(yAx, xAx);
    showState();
}

void frmDiagramm::refreshMinMaxStatLines()
{
    m_logic.refreshMinMaxStatLines();
    showState();
}

void frmDiagramm::refreshGrids()
{
    m_logic.refreshGrids();
    showState();
}

void frmDiagramm::cmdEinstellungen_Click()
{
    dlgDiagramOptions dialog(this);
    dialog.parentWin = this;
    dialog.xAx = m_logic.xAxisRange;
    dialog.yAx = m_logic.yAxisRange;
    dialog.initializeDialog();
    execModal(dialog);
}

void frmDiagramm::cmdOk_Click()
{
    close();
}

void frmDiagramm::cmdPrint_Click()
{
    printWithPicture(false);
}

void frmDiagramm::cmdPrintDiagram_Click()
{
    printWithPicture(true);
}

void frmDiagramm::setButtonsVisible(bool visible)
{
    for (const char* name : {"cmdEinstellungen", "cmdOk", "cmdPrint", "cmdPrintDiagram"})
        if (QWidget* b = namedControl(*this, diagrammControlNames(), QString::fromLatin1(name)))
            b->setVisible(visible);
}

void frmDiagramm::printWithPicture(bool diagramOnly)
{
    if (objSettings().getSetting(QStringLiteral("PrintingLook")).trimmed() != QLatin1String("1"))
        return;
    // The picture shows the diagram as on screen, without the window's own buttons.
    setButtonsVisible(false);
    const QPixmap picture = VelmoroPrinting::captureForm(*this);
    setButtonsVisible(true);
    // Both are kept for the whole printout: the poll or the user may replace
    // or close them while the remark and printer dialogs are open.
    const std::shared_ptr<CommunicationProgram> program = cProg;
    QPointer<QWidget> caller = callerForm;
    if (!caller) {
        // The window that opened the diagram is gone, and the report is made
        // of what that window showed: the diagram still prints, under this
        // window's caption, and a user who asked for the report is told why
        // it alone comes out.
        if (!diagramOnly)
            msgBox(r("9036"), MessageService::OkOnly, MessageService::Information, r("0410"));
        VelmoroPrinting::printReport(static_cast<const QWidget&>(*this), program.get(), &picture, true,
                                     m_programViewer);
        return;
    }
    VelmoroPrinting::printReport(static_cast<const QWidget&>(*caller), program.get(), &picture, diagramOnly,
                                 m_programViewer);
}

void frmDiagramm::Form_Activate()
{
    if (!m_host)
        return;
    m_host->setVelmoroActiveForm(this);
    m_host->checkAndSetPrintItem(false);
}

void frmDiagramm::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_host)
        m_host->checkAndSetPrintItem(false);
}

bool frmDiagramm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmDiagramm::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
