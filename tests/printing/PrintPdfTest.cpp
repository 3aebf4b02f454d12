// Printouts to PDF, read back: where the texts land on paper, how many pages,
// which orientation, the diagram's picture, and what a cancelled or failed
// printout leaves behind.
#include "../mainwindow/DialogFixture.h"
#include "FakeControls.h"
#include "PdfText.h"
#include "QuietKanalHost.h"

#include "channels/frmKanal.h"
#include "core/DatabaseModul.h"
#include "link/CommunicationProgram.h"
#include "platform/ProgramPrinter.h"
#include "printing/ReportPainter.h"
#include "printing/VelmoroPrinting.h"
#include "printing/dlgBemerkung.h"
#include "programs/dlgUsedProgram.h"
#include "wiring/ProgramViewerSource.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinter>
#include <csignal>
#include <sys/resource.h>

namespace {
constexpr double kMargin = 10;
const double kOriginX = kMargin + 1000 / 56.7;

class PrintPdfTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        setSetting("HeadArea", QStringLiteral("2"));
        setSetting("PrintDate", QStringLiteral("NO"));
        setSetting("PrintingSubTitle", QStringLiteral("Workshop"));
        window = std::make_unique<frmKanal>(1, host, services);
        window->setWindowTitle(QStringLiteral("Channel-1"));
        const char* const captions[][2] = {
            {"frameAkkuprogramm", "Program"},
            {"lblAkkutyp", "Type:"},
            {"lblMode", "Mode:"},
            {"lblNennkapazitaet", "Capacity:"},
            {"frameAkkumesswerte", "Values"},
            {"lblMesswerteNachLaden", "Charged"},
            {"lblMesswerteNachEntladen", "Discharged"},
            {"lblLadenNr", "No"},
            {"lblLadenAh", "Ah"},
            {"lblLadenVolt", "Volt"},
            {"lblLadenMin", "Min"},
            {"lblEntladenNr", "No"},
            {"lblEntladenAh", "Ah"},
            {"lblEntladenVolt", "Volt"},
            {"lblEntladenMin", "Min"},
            {"lblAkkuzustand", "Condition:"},
            {"txtAkkuzustand", "good"},
            {"lblSelbstentladung", "Loss:"},
            {"txtSelbstentladung", "12"},
            {"lblBemerkungen", "Remarks:"},
        };
        for (const auto& c : captions)
            window->setControlText(QString::fromLatin1(c[0]), QString::fromLatin1(c[1]));
        printer().setPageOrientation(QPageLayout::Portrait);
    }
    void TearDown() override
    {
        window.reset();
        DialogFixture::TearDown();
    }

    static QPrinter& printer() { return programPrinter(); }

    void addRows(const char* list, int n, int first)
    {
        for (int i = first; i < first + n; ++i)
            window->addListItem(QString::fromLatin1(list), QStringLiteral("%1.      1.234    12.345    95").arg(i, 2),
                                i);
    }

    // The remark dialog answered with OK and the text.
    void remark(const QString& text)
    {
        dialogs.then(as<dlgBemerkung>([text](dlgBemerkung& d) {
            d.txtBemerkung->setPlainText(text);
            d.cmdOk_Click();
        }));
    }
    // The printer dialog: a PDF file on A4 chosen, or cancelled.
    void printTo(const QString& file, QPageSize::PageSizeId paper = QPageSize::A4)
    {
        dialogs.then([file, paper](QDialog& d) {
            EXPECT_EQ(d.objectName(), "commonDialogMain");
            QPrinter& p = programPrinter();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            p.setPageSize(QPageSize(paper));
            p.setPageMargins(QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter);
            d.setResult(QDialog::Accepted);
        });
    }
    QString pdf(const char* name) const { return folder.path() + QLatin1Char('/') + QLatin1String(name); }

    void print(const QPixmap* diagram = nullptr, bool diagramOnly = false)
    {
        VelmoroPrinting::printReport(static_cast<const QWidget&>(*window), nullptr, diagram, diagramOnly, nullptr);
    }

    QuietKanalHost host;
    std::unique_ptr<frmKanal> window;
};

void expectAt(const PdfText& t, const char* word, double x, double y)
{
    SCOPED_TRACE(word);
    const auto found = t.find(QString::fromLatin1(word));
    ASSERT_EQ(found.size(), 1);
    EXPECT_NEAR(found[0].left, x, 1.0);
    EXPECT_NEAR(found[0].top, y, 1.0);
}
} // namespace

TEST_F(PrintPdfTest, ChannelReportLandsOnA4WhereTheLayoutPutsIt)
{
    addRows("lstEndwertLaden", 3, 1);
    remark(QStringLiteral("first\nsecond"));
    printTo(pdf("report.pdf"));
    print();
    ASSERT_TRUE(dialogs.allUsed());
    EXPECT_EQ(dialogs.shown, QStringList({"dlgBemerkung", "commonDialogMain"}));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.texts().join(QLatin1Char('|')).toStdString();

    const PdfText t = PdfText::read(pdf("report.pdf"));
    ASSERT_EQ(t.pages.size(), 1);
    EXPECT_NEAR(t.pages[0].width(), 210, 0.5);
    EXPECT_NEAR(t.pages[0].height(), 297, 0.5);
    const double top = kMargin + 20;
    expectAt(t, "Workshop", kOriginX + 2, top + 8);
    expectAt(t, "Program", kOriginX + 2, top + 18);
    expectAt(t, "Charged", kOriginX + 40, top + 61);
    expectAt(t, "Discharged", kOriginX + 95, top + 61);
    // Three rows: the condition below them at 70 + 12 + 10 mm.
    expectAt(t, "Condition:", kOriginX + 2, top + 92);
    expectAt(t, "good", kOriginX + 40, top + 91);
    expectAt(t, "Loss:", kOriginX + 95, top + 92);
    expectAt(t, "Remarks:", kOriginX + 2, top + 102);
    expectAt(t, "first", kOriginX + 40, top + 111);
    expectAt(t, "second", kOriginX + 40, top + 115);
    // The rows' pieces stand under their columns.
    const auto minutes = t.find(QStringLiteral("95"));
    ASSERT_EQ(minutes.size(), 3);
    for (const PdfWord& w : minutes)
        EXPECT_NEAR(w.right, minutes[0].right, 0.2);
    EXPECT_NEAR(minutes[0].top, top + 70, 1.0);
    EXPECT_NEAR(minutes[2].top, top + 78, 1.0);
}

TEST_F(PrintPdfTest, LongReportWithDiagramGoesOverSeveralPortraitPages)
{
    addRows("lstEndwertLaden", 100, 1);
    addRows("lstEndwertEntladen", 100, 101);
    QPixmap diagram(400, 300);
    diagram.fill(Qt::red);
    printer().setPageOrientation(QPageLayout::Landscape);
    remark(QStringLiteral("remark"));
    printTo(pdf("long.pdf"));
    print(&diagram);
    EXPECT_TRUE(messages.shown.isEmpty());
    const PdfText t = PdfText::read(pdf("long.pdf"));
    ASSERT_GE(t.pages.size(), 3);
    for (const QSizeF& page : t.pages)
        EXPECT_GT(page.height(), page.width());
    for (const PdfWord& w : t.words)
        EXPECT_LE(w.bottom, 297 - kMargin - 10 + 0.5) << w.text.toStdString();
    EXPECT_EQ(t.find(QStringLiteral("200.")).size(), 1);
    EXPECT_EQ(t.find(QStringLiteral("remark")).size(), 1);
    // The printer's own orientation is back.
    EXPECT_EQ(printer().pageLayout().orientation(), QPageLayout::Landscape);

    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf("long.pdf")});
    images.waitForFinished(30000);
    const QStringList lines =
        QString::fromUtf8(images.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size() - 2, 1) << lines.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PrintPdfTest, DiagramPageIsLandscapeWithTitleAndPicture)
{
    // The diagram as its window shows it.
    QWidget diagramWindow;
    diagramWindow.resize(600, 400);
    diagramWindow.setStyleSheet(QStringLiteral("background: blue"));
    const QPixmap diagram = VelmoroPrinting::captureForm(diagramWindow);
    printTo(pdf("diagram.pdf"));
    print(&diagram, true);
    // No remark is asked for the diagram alone.
    EXPECT_EQ(dialogs.shown, QStringList({"commonDialogMain"}));
    const PdfText t = PdfText::read(pdf("diagram.pdf"));
    ASSERT_EQ(t.pages.size(), 1);
    EXPECT_NEAR(t.pages[0].width(), 297, 0.5);
    EXPECT_NEAR(t.pages[0].height(), 210, 0.5);
    expectAt(t, "Channel-1", kMargin + 500 / 56.7 + 2, kMargin + 500 / 56.7 + 1);
    EXPECT_EQ(printer().pageLayout().orientation(), QPageLayout::Portrait);

    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf("diagram.pdf")});
    images.waitForFinished(30000);
    const QStringList lines =
        QString::fromUtf8(images.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].contains(QRegularExpression(QStringLiteral(" 600 +400 ")))) << lines[2].toStdString();
}

TEST_F(PrintPdfTest, CancelledRemarkOrPrinterDialogPrintsNothing)
{
    dialogs.then(as<dlgBemerkung>([](dlgBemerkung& d) {
        d.txtBemerkung->setPlainText(QStringLiteral("x"));
        d.close();
    }));
    print();
    EXPECT_EQ(dialogs.shown, QStringList({"dlgBemerkung"}));
    remark(QString());
    dialogs.then([](QDialog& d) { d.setResult(QDialog::Rejected); });
    print();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PrintPdfTest, FailuresAreToldAndTheNextPrintoutStandsAlone)
{
    // Paper the report is not laid out for.
    remark(QStringLiteral("letter"));
    printTo(pdf("letter.pdf"), QPageSize::Letter);
    print();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, getResource(QStringLiteral("9033")));
    EXPECT_FALSE(QFile::exists(pdf("letter.pdf")));

    // A file that cannot be written.
    remark(QStringLiteral("lost"));
    printTo(folder.path() + QStringLiteral("/missing/folder/x.pdf"));
    print();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[1].text.startsWith(getResource(QStringLiteral("9035"))));

    // A header height no longer usable.
    setSetting("HeadArea", QStringLiteral("abc"));
    remark(QStringLiteral("lost"));
    printTo(pdf("nohead.pdf"));
    print();
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[2].text, getResource(QStringLiteral("9031")));
    setSetting("HeadArea", QStringLiteral("2"));

    // The next printout has its own remark only, on its own page.
    remark(QString());
    printTo(pdf("next.pdf"));
    print();
    EXPECT_EQ(messages.shown.size(), 3);
    const PdfText t = PdfText::read(pdf("next.pdf"));
    EXPECT_EQ(t.pages.size(), 1);
    EXPECT_TRUE(t.find(QStringLiteral("lost")).isEmpty());
    EXPECT_TRUE(t.find(QStringLiteral("letter")).isEmpty());
}

namespace {
// Every write that would grow a file past a few hundred bytes fails, as on a
// full disk, while the returned handle lives.
std::shared_ptr<void> fullDisk()
{
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 500;
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tight);
    return std::shared_ptr<void>(nullptr, [old, oldSignal](void*) {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);
    });
}
} // namespace

TEST_F(PrintPdfTest, AFileLeftUnwrittenIsToldAndTheNextPrintoutIsWhole)
{
    addRows("lstEndwertLaden", 2, 1);
    {
        const auto full = fullDisk();
        remark(QStringLiteral("lost"));
        printTo(pdf("full.pdf"));
        print();
    }
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(getResource(QStringLiteral("9035"))));
    EXPECT_TRUE(messages.shown[0].text.endsWith(QDir::toNativeSeparators(pdf("full.pdf"))));
    // No empty or cut-off file stays behind as if it were the printout.
    EXPECT_FALSE(QFile::exists(pdf("full.pdf")));

    // The disk has room again: the next printouts, the diagram page and a
    // report in another folder, are whole.
    QTemporaryDir other;
    QPixmap diagram(300, 200);
    diagram.fill(Qt::blue);
    printTo(pdf("page.pdf"));
    print(&diagram, true);
    remark(QString());
    printTo(other.filePath(QStringLiteral("report.pdf")));
    print();
    EXPECT_EQ(messages.shown.size(), 1) << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(PdfText::read(pdf("page.pdf")).find(QStringLiteral("Channel-1")).size(), 1);
    const PdfText t = PdfText::read(other.filePath(QStringLiteral("report.pdf")));
    EXPECT_EQ(t.pages.size(), 1);
    EXPECT_EQ(t.find(QStringLiteral("Condition:")).size(), 1);
    EXPECT_EQ(t.find(QStringLiteral("95")).size(), 2);
}

TEST_F(PrintPdfTest, EachPrintoutHasAPrinterOfItsOwnWithTheUsersChoice)
{
    QPrinter& chosen = printer();
    chosen.setOutputFormat(QPrinter::PdfFormat);
    chosen.setOutputFileName(pdf("chosen.pdf"));
    chosen.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 14, 16, 18),
                                     QPageLayout::Millimeter));
    chosen.setCopyCount(3);
    chosen.setColorMode(QPrinter::GrayScale);
    const auto own = newProgramPrinter();
    EXPECT_NE(own.get(), &chosen);
    EXPECT_EQ(own->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(own->outputFileName(), pdf("chosen.pdf"));
    EXPECT_TRUE(own->pageLayout().isEquivalentTo(chosen.pageLayout()));
    EXPECT_EQ(own->copyCount(), 3);
    EXPECT_EQ(own->colorMode(), QPrinter::GrayScale);

    // A printout changes nothing of the choice: the report is portrait on
    // its own printer, the chosen landscape stays.
    remark(QString());
    dialogs.then([](QDialog& d) { d.setResult(QDialog::Accepted); });
    print();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.texts().join(QLatin1Char('|')).toStdString();
    const PdfText t = PdfText::read(pdf("chosen.pdf"));
    ASSERT_EQ(t.pages.size(), 1);
    EXPECT_GT(t.pages[0].height(), t.pages[0].width());
    EXPECT_EQ(chosen.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(chosen.printerState(), QPrinter::Idle);
}

TEST_F(PrintPdfTest, WindowWithoutAReportControlIsToldNotPrinted)
{
    delete window->findChild<QWidget*>(QStringLiteral("txtSelbstentladung"));
    remark(QString());
    printTo(pdf("broken.pdf"));
    print();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QLatin1String("txtSelbstentladung")));
    EXPECT_FALSE(QFile::exists(pdf("broken.pdf")));
}

namespace {
// A viewer source that hands out a filled viewer and counts its unloading.
class FakeViewerSource : public ProgramViewerSource {
public:
    struct Viewer : FakeControls {
        explicit Viewer(int& unloaded) : m_unloaded(unloaded) {}
        ~Viewer() override { ++m_unloaded; }
        int& m_unloaded;
    };
    std::unique_ptr<ControlReader> openFilled(const CommunicationProgram&) override
    {
        ++opened;
        auto v = std::make_unique<Viewer>(unloaded);
        static_cast<FakeControls&>(*v) = programViewer();
        return v;
    }
    int opened = 0;
    int unloaded = 0;
};
} // namespace

TEST_F(PrintPdfTest, ProgramValuesComeFromAHiddenViewerUnloadedAfterTheLayout)
{
    FakeViewerSource source;
    const CommunicationProgram program;
    window->setControlText(QStringLiteral("txtAkkuTyp"), QStringLiteral("NiMH"));
    remark(QString());
    printTo(pdf("program.pdf"));
    VelmoroPrinting::printReport(static_cast<const QWidget&>(*window), &program, nullptr, false, &source);
    EXPECT_EQ(source.opened, 1);
    EXPECT_EQ(source.unloaded, 1);
    const PdfText t = PdfText::read(pdf("program.pdf"));
    expectAt(t, "2.300", kOriginX + 40, kMargin + 20 + 32);

    // An empty battery type leaves the viewer alone.
    window->setControlText(QStringLiteral("txtAkkuTyp"), QString());
    remark(QString());
    printTo(pdf("noprogram.pdf"));
    VelmoroPrinting::printReport(static_cast<const QWidget&>(*window), &program, nullptr, false, &source);
    EXPECT_EQ(source.opened, 1);
    EXPECT_TRUE(PdfText::read(pdf("noprogram.pdf")).find(QStringLiteral("2.300")).isEmpty());
}

TEST_F(PrintPdfTest, AProgramWithoutCapacityPrintsItsCapacityAsTheWindowsShowIt)
{
    openGlobalRecordsets();
    const std::unique_ptr<ProgramViewerSource> source = dlgUsedProgram::printingSource();
    struct Case {
        const char* program;
        const char* capacity;
    };
    const Case cases[] = {
        {"001,P,A02,M03,Z06,F0,W30,L01000,E00500,V07200,D05400", "---"},
        {"001,P,A02,M03,Z06,P080,F0,W30,K02000,L01000,E00500,V07200,D05400", "2.000"},
    };
    window->setControlText(QStringLiteral("txtAkkuTyp"), QStringLiteral("NiMH"));
    const QLocale saved;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.program) + " " + locale.name().toStdString());
            CommunicationProgram program;
            program.splitRecievedString(QString::fromLatin1(c.program), false);
            remark(QString());
            printTo(pdf("capacity.pdf"));
            VelmoroPrinting::printReport(static_cast<const QWidget&>(*window), &program, nullptr, false, source.get());
            const PdfText t = PdfText::read(pdf("capacity.pdf"));
            const QString capacity = QString::fromLatin1(c.capacity).replace(QLatin1Char('.'), locale.decimalPoint());
            expectAt(t, capacity.toLatin1().constData(), kOriginX + 40, kMargin + 20 + 32);
            EXPECT_TRUE(t.find(QStringLiteral("0%1000").arg(locale.decimalPoint())).isEmpty());
        }
    }
    QLocale::setDefault(saved);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.texts().join(QLatin1Char('|')).toStdString();
}

TEST(PaintPageTest, AnImageTakesThePageInItsOwnResolution)
{
    // A4 at 100 dots per inch; the diagram page drawn with a black frame and
    // a red picture.
    QImage image(827, 1169, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    const auto doc = ReportLayout::layoutDiagramPage(QStringLiteral("Title"), QSizeF(210, 297));
    QPixmap picture(50, 50);
    picture.fill(Qt::red);
    QPainter painter(&image);
    paintPage(painter, doc.pages[0], &picture);
    painter.end();
    const double px = 100 / 25.4;
    const auto at = [&](double xMm, double yMm) { return image.pixelColor(int(xMm * px), int(yMm * px)); };
    const double o = 500 / 56.7;
    // The frame's left edge, the picture's middle, white outside the frame.
    EXPECT_LT(at(o, 100).lightness(), 100);
    EXPECT_EQ(at(o + 100, 150), QColor(Qt::red));
    EXPECT_EQ(at(3, 3), QColor(Qt::white));
}
