#include "printing/VelmoroPrinting.h"

#include "core/DateInWords.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "platform/FailureText.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/ProgramPrinter.h"
#include "printing/ControlReader.h"
#include "printing/PrintSettings.h"
#include "printing/ReportPainter.h"
#include "printing/WidgetControlReader.h"
#include "printing/dlgBemerkung.h"
#include "wiring/ProgramViewerSource.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <exception>

namespace VelmoroPrinting {

namespace {
QString g_remark;
bool g_remarkConfirmed = false;

QString failureText(const QString& id, const QString& detail = QString())
{
    return FailureText::compose(getResource(id), detail);
}

void tellText(const QString& text)
{
    msgBox(text, MessageService::OkOnly, MessageService::Critical, getResource(QStringLiteral("0410")));
}

void tell(const QString& id, const QString& detail = QString())
{
    tellText(failureText(id, detail));
}

// Puts the printer's orientation back however the printout ends.
class OrientationGuard {
public:
    explicit OrientationGuard(QPrinter& printer) : m_printer(printer), m_saved(printer.pageLayout().orientation()) {}
    ~OrientationGuard() { m_printer.setPageOrientation(m_saved); }
    OrientationGuard(const OrientationGuard&) = delete;
    OrientationGuard& operator=(const OrientationGuard&) = delete;

private:
    QPrinter& m_printer;
    QPageLayout::Orientation m_saved;
};

void printChosen(const ControlReader& window, const CommunicationProgram* program, const QPixmap* diagram,
                 bool diagramOnly, ProgramViewerSource* programViewer)
{
    const std::unique_ptr<QPrinter> ownPrinter = newProgramPrinter();
    QPrinter& printer = *ownPrinter;
    // The layout is made for A4: on other paper it would be cut or misplaced.
    if (printer.pageLayout().pageSize().id() != QPageSize::A4) {
        tell(QStringLiteral("9033"));
        return;
    }
    printer.setPageOrientation(diagramOnly ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QSizeF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const QSizeF pictureSize = diagram ? QSizeF(diagram->size()) : QSizeF();

    ReportLayout::Document document;
    if (diagramOnly) {
        document = ReportLayout::layoutDiagramPage(window.windowCaption(), printable, pictureSize);
    } else {
        const auto head = PrintSettings::headAreaCm();
        if (!head) {
            tell(QStringLiteral("9031"));
            return;
        }
        // The program values come from a hidden viewer of the printout's own,
        // unloaded as soon as the layout has read it.
        std::unique_ptr<ControlReader> viewer;
        const QString batteryType = window.hasControl(QStringLiteral("txtAkkuTyp"))
                                        ? window.controlText(QStringLiteral("txtAkkuTyp"))
                                        : QString();
        if (program && !batteryType.trimmed().isEmpty())
            if (programViewer)
                viewer = programViewer->openFilled(*program);
        document = ReportLayout::layoutChannelReport(window, viewer.get(), currentSettings(*head), g_remark,
                                                     diagram != nullptr, printable, pictureSize);
    }
    const QString failure = printDocument(printer, document, diagram);
    if (!failure.isEmpty())
        tellText(failure);
}
} // namespace

void setPrintRemark(const QString& remark, bool confirmed)
{
    g_remark = remark;
    g_remarkConfirmed = confirmed;
}

QString printRemark()
{
    return g_remark;
}

bool printRemarkConfirmed()
{
    return g_remarkConfirmed;
}

float mmToTwips(qint16 mm)
{
    return float(mm) * 56.7f;
}

QPixmap captureForm(QWidget& window)
{
    return window.grab();
}

ReportLayout::ReportSettings currentSettings(double headAreaCm)
{
    ReportLayout::ReportSettings s;
    s.headAreaCm = headAreaCm;
    s.title = getResource(QStringLiteral("0010"));
    s.subTitle = PrintSettings::subTitle();
    if (PrintSettings::printDate())
        s.date = dateInWords(QDateTime::currentDateTime(), QStringLiteral("dd. MMMM yyyy   hh:mm"));
    s.chargeCurrentLabel = getResource(QStringLiteral("0860"));
    s.dischargeCurrentLabel = getResource(QStringLiteral("0862"));
    return s;
}

namespace {
// What the user is told when the printer itself failed. Never empty: an
// empty text would read as success.
QString printerFailure(const QPrinter& printer)
{
    if (!printer.printerName().isEmpty())
        return failureText(QStringLiteral("9034"), printer.printerName());
    return failureText(QStringLiteral("9034"), QStringLiteral("no printer"));
}

QString fileFailure(const QString& file)
{
    return failureText(QStringLiteral("9035"), QDir::toNativeSeparators(file));
}

// The printer writes a file without reporting a write that failed, so the
// file itself is looked at: a printout cut short by a full disk is empty or
// lacks the end mark a PDF closes with.
bool fileWhole(const QPrinter& printer)
{
    QFile file(printer.outputFileName());
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return true;
    constexpr qint64 kTail = 1024;
    file.seek(std::max<qint64>(0, file.size() - kTail));
    return file.read(kTail).contains("%%EOF");
}
} // namespace

QString printDocument(QPrinter& printer, const ReportLayout::Document& document, const QPixmap* picture)
{
    OrientationGuard guard(printer);
    printer.setPageOrientation(document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QString file = printer.outputFileName();
    QPainter painter;
    if (!painter.begin(&printer))
        return file.isEmpty() ? printerFailure(printer) : fileFailure(file);
    QString failure;
    try {
        for (int i = 0; i < document.pages.size(); ++i) {
            if (i > 0 && !printer.newPage())
                throw std::runtime_error("new page refused");
            paintPage(painter, document.pages[i], picture);
            if (printer.printerState() == QPrinter::Error)
                throw std::runtime_error("printer error");
        }
    } catch (const std::exception& e) {
        printer.abort();
        failure = failureText(QStringLiteral("9034"), QString::fromLocal8Bit(e.what()));
    }
    const bool ended = painter.end();
    if (failure.isEmpty() && !ended)
        failure = file.isEmpty() ? printerFailure(printer) : fileFailure(file);
    // Only a plain file can be looked at and taken away: a device or a pipe
    // the user printed to is neither read back nor removed.
    const bool plainFile = !file.isEmpty() && QFileInfo(file).isFile();
    if (failure.isEmpty() && plainFile && !fileWhole(printer))
        failure = fileFailure(file);
    // A broken file is not left behind to pass for the printout.
    if (!failure.isEmpty() && plainFile)
        QFile::remove(file);
    return failure;
}

void printReport(const ControlReader& reportWindow, const CommunicationProgram* program, const QPixmap* diagram,
                 bool diagramOnly, ProgramViewerSource* programViewer)
{
    QWidget* owner = QApplication::activeWindow();
    try {
        if (!diagramOnly) {
            // Every report asks afresh: no remark of an earlier one comes along.
            setPrintRemark(QString(), false);
            dlgBemerkung remarkDialog(owner);
            execModal(remarkDialog);
            if (!g_remarkConfirmed)
                return;
        }
        QPrintDialog printDialog(&programPrinter(), owner);
        printDialog.setObjectName(QStringLiteral("commonDialogMain"));
        if (execModal(printDialog) != QDialog::Accepted)
            return;
        printChosen(reportWindow, program, diagram, diagramOnly, programViewer);
    } catch (const ReportLayout::MissingControl& e) {
        tell(QStringLiteral("9034"), e.control);
    } catch (const std::exception& e) {
        tell(QStringLiteral("9034"), QString::fromLocal8Bit(e.what()));
    }
}

void printReport(const QWidget& reportWindow, const CommunicationProgram* program, const QPixmap* diagram,
                 bool diagramOnly, ProgramViewerSource* programViewer)
{
    printReport(WidgetControlReader(reportWindow), program, diagram, diagramOnly, programViewer);
}

} // namespace VelmoroPrinting
