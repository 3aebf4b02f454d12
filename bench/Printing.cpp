// Printing a channel report with 100 end values in each list and a remark,
// and its diagram page, to PDF files: layout, drawing and writing the file.
#include "printing/ControlReader.h"
#include "printing/ReportLayout.h"
#include "printing/VelmoroPrinting.h"

#include "QtBenchmarkMain.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
class Window : public ControlReader {
public:
    Window()
    {
        for (const char* name : {"frameAkkuprogramm",
                                 "lblAkkutyp",
                                 "lblMode",
                                 "lblNennkapazitaet",
                                 "txtAkkuTyp",
                                 "frameAkkumesswerte",
                                 "lblMesswerteNachLaden",
                                 "lblMesswerteNachEntladen",
                                 "lblLadenNr",
                                 "lblLadenAh",
                                 "lblLadenVolt",
                                 "lblLadenMin",
                                 "lblEntladenNr",
                                 "lblEntladenAh",
                                 "lblEntladenVolt",
                                 "lblEntladenMin",
                                 "lblAkkuzustand",
                                 "lblSelbstentladung",
                                 "lblBemerkungen",
                                 "txtAkkuzustand",
                                 "txtSelbstentladung",
                                 "txtBemerkung"})
            texts[QString::fromLatin1(name)] = QString::fromLatin1(name).mid(3) + QStringLiteral(":");
        for (int i = 1; i <= 100; ++i) {
            lists[QStringLiteral("lstEndwertLaden")] << QStringLiteral("%1.      1.234    12.345    95").arg(i, 2);
            lists[QStringLiteral("lstEndwertEntladen")] << QStringLiteral("%1.      1.100    10.800   120").arg(i, 2);
        }
    }
    bool hasControl(const QString& n) const override { return texts.contains(n) || lists.contains(n); }
    QString controlText(const QString& n) const override { return texts.value(n); }
    bool isControlVisible(const QString&) const override { return true; }
    int controlValue(const QString&) const override { return 0; }
    int listCount(const QString& n) const override { return int(lists.value(n).size()); }
    QString listItem(const QString& n, int row) const override { return lists.value(n).value(row); }
    QString windowCaption() const override { return QStringLiteral("Channel 1"); }

    QHash<QString, QString> texts;
    QHash<QString, QStringList> lists;
};

QPixmap diagramPicture()
{
    QPixmap p(1000, 700);
    p.fill(Qt::white);
    QPainter painter(&p);
    for (int x = 0; x < 1000; x += 4)
        painter.drawLine(x, 700 - (x * 7) % 650, x + 4, 700 - ((x + 4) * 7) % 650);
    return p;
}

void BM_ReportAndDiagramPageToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const Window window;
    const QPixmap picture = diagramPicture();
    ReportLayout::ReportSettings settings;
    settings.title = QStringLiteral("velmoro battery report");
    settings.subTitle = QStringLiteral("Workshop");
    settings.date = QStringLiteral("08. December 2026   10:15");
    const QString remark =
        QStringLiteral("A remark of several words that runs over more than one row of the report. ").repeated(3)
        + QStringLiteral("\nand a second line");
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        const QSizeF portrait = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
        const auto report = ReportLayout::layoutChannelReport(window, nullptr, settings, remark, true, portrait);
        if (!VelmoroPrinting::printDocument(printer, report, &picture).isEmpty())
            state.SkipWithError("report not printed");
        pages = int(report.pages.size());

        QPrinter diagramPrinter(QPrinter::HighResolution);
        diagramPrinter.setOutputFormat(QPrinter::PdfFormat);
        diagramPrinter.setPageSize(QPageSize(QPageSize::A4));
        diagramPrinter.setPageOrientation(QPageLayout::Landscape);
        diagramPrinter.setOutputFileName(dir.filePath(QStringLiteral("diagram.pdf")));
        const auto page = ReportLayout::layoutDiagramPage(
            window.windowCaption(), diagramPrinter.pageLayout().paintRect(QPageLayout::Millimeter).size());
        if (!VelmoroPrinting::printDocument(diagramPrinter, page, &picture).isEmpty())
            state.SkipWithError("diagram not printed");
    }
    state.counters["report_pages"] = pages;
}
BENCHMARK(BM_ReportAndDiagramPageToPdf)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
