#include "platform/ProgramPrinter.h"

#include <QPrintEngine>
#include <QPrinter>

namespace {
// The key under which the print dialog hands the job options it has no
// QPrinter property for (page set, pages per sheet, banners, priority) to a
// CUPS printer; other printers ignore it.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

void copyPrinterChoice(const QPrinter& from, QPrinter& to)
{
    // The format and the printer first: choosing them sets up the printer's
    // engine afresh, with its own defaults for everything below.
    if (from.outputFormat() == QPrinter::NativeFormat) {
        to.setOutputFormat(QPrinter::NativeFormat);
        to.setPrinterName(from.printerName());
    } else {
        to.setOutputFormat(QPrinter::PdfFormat);
    }
    // An empty name would switch the printer back to the native format.
    if (!from.outputFileName().isEmpty())
        to.setOutputFileName(from.outputFileName());
    to.setFullPage(from.fullPage());
    to.setPageLayout(from.pageLayout());
    to.setCopyCount(from.copyCount());
    to.setCollateCopies(from.collateCopies());
    to.setDuplex(from.duplex());
    to.setColorMode(from.colorMode());
    to.setPageOrder(from.pageOrder());
    to.setPaperSource(from.paperSource());
    to.setPrintRange(from.printRange());
    to.setFromTo(from.fromPage(), from.toPage());
    to.setDocName(from.docName());
    to.setCreator(from.creator());
    to.setFontEmbeddingEnabled(from.fontEmbeddingEnabled());
    to.setPdfVersion(from.pdfVersion());
    const QVariant jobOptions = from.printEngine()->property(kCupsOptions);
    if (jobOptions.isValid())
        to.printEngine()->setProperty(kCupsOptions, jobOptions);
}
} // namespace

QPrinter& programPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

std::unique_ptr<QPrinter> newProgramPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    copyPrinterChoice(programPrinter(), *printer);
    return printer;
}
