#pragma once

#include "diagrams/DiagramRefresh.h"
#include "diagrams/DiagrammLogic.h"

#include <QLocale>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class CommunicationProgram;
class DiagramHost;
class ProgramViewerSource;
class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

// The diagram window: voltage, current and capacity of one series or phase
// over time in minutes, with check boxes for the curves, the options button,
// print buttons and OK. A top-level window of its own; what it shows is kept
// in DiagrammLogic.
class frmDiagramm : public QWidget, public DiagramRefresh {
    Q_OBJECT
public:
    // Form_Load: captions, automatic ranges, the chart hidden behind the
    // loading label. host: the main window, told of the window's activation
    // and its end; programViewer: where a printed report reads its program
    // values (either nullptr: none).
    explicit frmDiagramm(QWidget* parent = nullptr, DiagramHost* host = nullptr,
                         ProgramViewerSource* programViewer = nullptr);
    ~frmDiagramm() override;

    DiagrammLogic& logic() { return m_logic; }
    const DiagrammLogic& logic() const { return m_logic; }

    // Kept for printing: the window that opened the diagram and the program
    // of the shown series.
    QPointer<QWidget> callerForm;
    std::shared_ptr<CommunicationProgram> cProg;

    // Loads the series the logic's members name into the chart and shows the
    // window. With too few values it calls beforeMessage (the opener closes
    // its loading notice there), tells the user and returns false; the chart
    // keeps what it showed. Raises DatabaseError.
    bool loadDiagramData(const std::function<void()>& beforeMessage = {});
    // The locale of the axis labels: the user's, without digit grouping.
    static QLocale numberLocale();

    // DiagramRefresh (called by the options dialog).
    void refreshXYRanges(const velmoroAxisRange& yAx, const velmoroAxisRange& xAx) override;
    void refreshMinMaxStatLines() override;
    void refreshGrids() override;

    // Handlers.
    void chkSpannung_Click();
    void chkStrom_Click();
    void chkKapazitaet_Click();
    void cmdEinstellungen_Click();
    void cmdOk_Click();
    // The report of the window that opened the diagram, with the diagram below it.
    void cmdPrint_Click();
    // The diagram page alone.
    void cmdPrintDiagram_Click();
    void Form_Activate();
    void Form_Unload();

    QChart* chart() const { return m_chart; }
    QChartView* chartView() const { return m_view; }
    QLineSeries* curve(DiagrammLogic::Curve c) const { return m_curve[c]; }
    QLineSeries* minLine(DiagrammLogic::Curve c) const { return m_minLine[c]; }
    QLineSeries* maxLine(DiagrammLogic::Curve c) const { return m_maxLine[c]; }
    QValueAxis* axisX() const { return m_axisX; }
    QValueAxis* axisY() const { return m_axisY; }
    QCheckBox* checkBox(DiagrammLogic::Curve c) const { return m_check[c]; }

protected:
    bool event(QEvent* event) override;

private:
    void printWithPicture(bool diagramOnly);
    void setButtonsVisible(bool visible);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // The strip above the chart: the curves' check boxes and the buttons.
    QWidget* buildViewStrip();
    void buildChart();
    void checkBoxClick(DiagrammLogic::Curve c);
    // Draws the logic's state: boxes, curves shown, lines, grids and axes.
    void showState();
    void fillCurves();
    void fillCurve(DiagrammLogic::Curve c);
    static void setTicks(QValueAxis* axis, const DiagrammLogic::RoundTicks& ticks);

    DiagramHost* m_host;
    ProgramViewerSource* m_programViewer;
    DiagrammLogic m_logic;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QValueAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    std::array<QLineSeries*, DiagrammLogic::kCurves> m_curve{};
    std::array<QLineSeries*, DiagrammLogic::kCurves> m_minLine{};
    std::array<QLineSeries*, DiagrammLogic::kCurves> m_maxLine{};
    std::array<QCheckBox*, DiagrammLogic::kCurves> m_check{};
    // The curve does not hold the loaded points yet.
    std::array<bool, DiagrammLogic::kCurves> m_curveStale{};
    QLabel* m_lblLoading = nullptr;
    QLabel* m_printPicture = nullptr;
    bool m_shownOnce = false;
    bool m_unloaded = false;
};
