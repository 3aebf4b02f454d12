#include "printing/ReportLayout.h"

#include "printing/ControlReader.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <functional>

namespace ReportLayout {

namespace {

Font font(double points, bool bold, bool italic, bool underline = false)
{
    return Font{pointsToMm(points), bold, italic, underline};
}

// Rows of one font follow each other at this distance (4 mm for 10 points).
double lineStep(const Font& f)
{
    return f.sizeMm * 1.134;
}

QString text(const ControlReader& r, const char* name)
{
    return r.controlText(QString::fromLatin1(name));
}

void require(const ControlReader& r, const QStringList& names)
{
    for (const QString& name : names)
        if (!r.hasControl(name))
            throw MissingControl(name);
}

// One text of a row: where the Part puts it, and how wide it may grow.
struct Cell {
    double x;
    double y;
    double width;
    Font font;
    QString text;
    bool alignRight = false;
    bool wrap = true;
};

// Places rows top to bottom. Every row keeps its nominal position on the
// first page; a row that wraps pushes what follows down, and a row that would
// run below the frame goes to a new page.
class Flow {
public:
    Flow(Document& doc, QPointF origin, QSizeF size, std::function<void(Page&)> header)
        : m_doc(doc),
          m_origin(origin),
          m_size(size),
          m_header(std::move(header))
    {
        newPage();
    }

    double right() const { return m_size.width() - 1; }
    double bottom() const { return m_size.height() - 1; }
    // Where nominal y lies on the current page.
    double at(double y) const { return y + m_shift; }
    Page& page() { return m_doc.pages.last(); }

    // Called on every new page after the header; returns where rows go on.
    std::function<double()> onContinue;

    void row(QList<Cell> cells)
    {
        if (cells.isEmpty())
            return;
        double top = cells.first().y;
        double end = top;
        QList<QStringList> rows;
        int extraLines = 0;
        double extraStep = 0;
        for (const Cell& c : cells) {
            QStringList lines = c.wrap ? wrapText(c.text, c.font, std::max(c.width, 1.0)) : QStringList{c.text};
            if (lines.isEmpty())
                lines << QString();
            top = std::min(top, c.y);
            end = std::max(end, c.y + lines.size() * lineStep(c.font));
            if (lines.size() - 1 > extraLines) {
                extraLines = int(lines.size()) - 1;
                extraStep = lineStep(c.font);
            }
            rows << lines;
        }
        if (at(end) > bottom() && m_rowsOnPage > 0) {
            newPage();
            const double goOn = onContinue ? onContinue() : kContinuedTop;
            m_shift = goOn - top;
        }
        for (int i = 0; i < cells.size(); ++i) {
            const Cell& c = cells[i];
            for (int k = 0; k < rows[i].size(); ++k)
                page().texts << PlacedText{QPointF(c.x, at(c.y) + k * lineStep(c.font)), rows[i][k], c.font,
                                           c.alignRight};
        }
        m_shift += extraLines * extraStep;
        ++m_rowsOnPage;
    }

    void newPage()
    {
        Page p;
        p.origin = m_origin;
        m_doc.pages << p;
        m_rowsOnPage = 0;
        m_shift = 0;
        if (m_header)
            m_header(page());
    }

    double shift() const { return m_shift; }
    int rowsOnPage() const { return m_rowsOnPage; }

private:
    Document& m_doc;
    QPointF m_origin;
    QSizeF m_size;
    std::function<void(Page&)> m_header;
    double m_shift = 0;
    int m_rowsOnPage = 0;
};

// The right ends of the four columns of an end-value row (number, Ah, V,
// minutes) when the widest values stand in them.
QList<double> columnEnds(const Font& f)
{
    const QString widest = QStringLiteral("99.     99.999    99.999  9999");
    QList<double> ends;
    for (int last : {2, 13, 23, 29})
        ends << textWidth(widest.left(last + 1), f);
    return ends;
}

// An end-value row as the list shows it. Its four pieces are placed at their
// columns, so neither the proportional font nor a piece wider than its column
// moves the others off their headings; any other row goes as it stands.
QList<Cell> endValueCells(double x, double y, double width, const QString& row, const Font& f)
{
    const QStringList pieces = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pieces.size() != 4)
        return {Cell{x, y, width, f, row, false, false}};
    static QHash<double, QList<double>> cache;
    auto it = cache.find(f.sizeMm);
    if (it == cache.end())
        it = cache.insert(f.sizeMm, columnEnds(f));
    const QList<double>& ends = *it;
    const double gap = textWidth(QStringLiteral(" "), f);
    QList<Cell> cells;
    double previousEnd = x - gap;
    for (int i = 0; i < 4; ++i) {
        const double w = textWidth(pieces[i], f);
        // A piece too wide for its column starts after the one before it.
        const double end = std::max(x + ends[i], previousEnd + gap + w);
        cells << Cell{end, y, w, f, pieces[i], true, false};
        previousEnd = end;
    }
    return cells;
}

// A single-row text in a band of the frame: made smaller until it fits.
Font fitted(const QString& s, Font f, double width)
{
    const double smallest = pointsToMm(5);
    const double w = textWidth(s, f);
    if (w > width && w > 0)
        f.sizeMm = std::max(smallest, f.sizeMm * width / w);
    return f;
}

QStringList splitRows(const QString& textWithBreaks)
{
    QString t = textWithBreaks;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

} // namespace

const QStringList& windowControlNames()
{
    static const QStringList names{
        QStringLiteral("frameAkkuprogramm"),
        QStringLiteral("lblAkkutyp"),
        QStringLiteral("lblMode"),
        QStringLiteral("lblNennkapazitaet"),
        QStringLiteral("txtAkkuTyp"),
        QStringLiteral("frameAkkumesswerte"),
        QStringLiteral("lblMesswerteNachLaden"),
        QStringLiteral("lblMesswerteNachEntladen"),
        QStringLiteral("lblLadenNr"),
        QStringLiteral("lblLadenAh"),
        QStringLiteral("lblLadenVolt"),
        QStringLiteral("lblLadenMin"),
        QStringLiteral("lblEntladenNr"),
        QStringLiteral("lblEntladenAh"),
        QStringLiteral("lblEntladenVolt"),
        QStringLiteral("lblEntladenMin"),
        QStringLiteral("lstEndwertLaden"),
        QStringLiteral("lstEndwertEntladen"),
        QStringLiteral("lblAkkuzustand"),
        QStringLiteral("lblSelbstentladung"),
        QStringLiteral("lblBemerkungen"),
        QStringLiteral("txtAkkuzustand"),
        QStringLiteral("txtSelbstentladung"),
        QStringLiteral("txtBemerkung"),
    };
    return names;
}

const QStringList& viewerControlNames()
{
    static const QStringList names{
        QStringLiteral("optAkkuTyp"),
        QStringLiteral("optVorgSpannung"),
        QStringLiteral("cboAkkuType"),
        QStringLiteral("lblZellenzahl"),
        QStringLiteral("cboZellenzahl"),
        QStringLiteral("lblNennSpannung"),
        QStringLiteral("cboNennSpannung"),
        QStringLiteral("lblLadeSchlussSpannung"),
        QStringLiteral("txtLadeschlussSpannung"),
        QStringLiteral("lblEntladeschlussSpannung"),
        QStringLiteral("txtEntladeschlussSpannung"),
        QStringLiteral("cboGeraeteModi"),
        QStringLiteral("cboModeZyklus"),
        QStringLiteral("txtZeitraum"),
        QStringLiteral("lblZeitraum"),
        QStringLiteral("chkSollKapazitaet"),
        QStringLiteral("txtKapazitaetAh"),
        QStringLiteral("txtLadestrom"),
        QStringLiteral("txtEntladestrom"),
        QStringLiteral("chkSelbstentladung"),
        QStringLiteral("lblSelbstentladungNach"),
        QStringLiteral("txtSelbstentladungsZeitraum"),
        QStringLiteral("optSelbstentladungStunden"),
        QStringLiteral("optSelbstentladungTage"),
    };
    return names;
}

double textWidth(const QString& s, const Font& f)
{
    // Measured at a large size without hinting, so the width scales exactly
    // to whatever size the device draws.
    constexpr int kMeasureSize = 1000;
    static QHash<int, QFontMetricsF> metrics;
    const int style = (f.bold ? 1 : 0) | (f.italic ? 2 : 0);
    auto it = metrics.find(style);
    if (it == metrics.end()) {
        QFont qf(QString::fromLatin1(kFontFamily));
        qf.setPixelSize(kMeasureSize);
        qf.setBold(f.bold);
        qf.setItalic(f.italic);
        qf.setHintingPreference(QFont::PreferNoHinting);
        it = metrics.insert(style, QFontMetricsF(qf));
    }
    return it->horizontalAdvance(s) * f.sizeMm / kMeasureSize;
}

QStringList wrapText(const QString& s, const Font& f, double width)
{
    QStringList rows;
    QString current;
    auto flushWord = [&](QString word) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (textWidth(joined, f) <= width) {
            current = joined;
            return;
        }
        if (!current.isEmpty()) {
            rows << current;
            current.clear();
        }
        // A word wider than the row is broken at characters.
        while (textWidth(word, f) > width && word.size() > 1) {
            int n = 1;
            while (n < word.size() && textWidth(word.left(n + 1), f) <= width)
                ++n;
            rows << word.left(n);
            word = word.mid(n);
        }
        current = word;
    };
    if (textWidth(s, f) <= width)
        return {s};
    for (const QString& word : s.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        flushWord(word);
    if (!current.isEmpty() || rows.isEmpty())
        rows << current;
    return rows;
}

QStringList remarkRows(const QString& remark)
{
    if (remark.trimmed().isEmpty())
        return {};
    return splitRows(remark);
}

QString batteryTypeText(const ControlReader& v)
{
    if (v.controlValue(QStringLiteral("optAkkuTyp")) != 0)
        return text(v, "cboAkkuType") + QStringLiteral(", ") + text(v, "lblZellenzahl") + QLatin1Char(' ')
               + text(v, "cboZellenzahl") + QStringLiteral(", ") + text(v, "lblNennSpannung") + QLatin1Char(' ')
               + text(v, "cboNennSpannung");
    if (v.controlValue(QStringLiteral("optVorgSpannung")) != 0)
        return text(v, "optVorgSpannung") + QStringLiteral(", ") + text(v, "lblLadeSchlussSpannung") + QLatin1Char(' ')
               + text(v, "txtLadeschlussSpannung") + QStringLiteral(" V, ") + text(v, "lblEntladeschlussSpannung")
               + QLatin1Char(' ') + text(v, "txtEntladeschlussSpannung") + QStringLiteral(" V");
    return QString();
}

QString deviceModeText(const ControlReader& v)
{
    QString t = text(v, "cboGeraeteModi");
    if (v.isControlVisible(QStringLiteral("cboModeZyklus")))
        t += QStringLiteral(", ") + text(v, "cboModeZyklus");
    else if (v.isControlVisible(QStringLiteral("txtZeitraum")))
        t += QStringLiteral(", ") + text(v, "txtZeitraum") + text(v, "lblZeitraum");
    return t;
}

QString deviceModeLine(const ControlReader& v)
{
    const QString mode = deviceModeText(v);
    if (mode == QLatin1String("Formieren") || mode == QLatin1String("Conditioning"))
        return mode + QStringLiteral(" - ") + text(v, "cboModeZyklus");
    return mode;
}

QString selfDischargeText(const ControlReader& v)
{
    const char* unit = v.controlValue(QStringLiteral("optSelbstentladungStunden")) != 0 ? "optSelbstentladungStunden"
                                                                                        : "optSelbstentladungTage";
    return text(v, "lblSelbstentladungNach") + QLatin1Char(' ') + text(v, "txtSelbstentladungsZeitraum").trimmed()
           + QLatin1Char(' ') + text(v, unit);
}

Document layoutChannelReport(const ControlReader& w, const ControlReader* viewer, const ReportSettings& settings,
                             const QString& remark, bool withPicture, QSizeF printable, QSizeF pictureSize)
{
    require(w, windowControlNames());
    const bool withProgram = viewer && !text(w, "txtAkkuTyp").trimmed().isEmpty();
    if (withProgram)
        require(*viewer, viewerControlNames());

    // The origin lies 1000 twips right of the printable area's left edge and
    // the header area below its top; the frame ends 300 twips before the
    // right edge and 1 cm above the bottom edge.
    const QPointF origin(twipsToMm(1000), settings.headAreaCm * 10);
    const QSizeF frame(printable.width() - origin.x() - twipsToMm(300), printable.height() - origin.y() - 10);

    const Font title = font(11, true, false);
    const Font heading = font(12, true, false, true);
    const Font date = font(10, true, false);
    const Font label = font(7, false, true);
    const Font value = font(10, false, false);
    const Font listHeading = font(10, false, true);

    Document doc;
    doc.landscape = false;
    const auto header = [&](Page& p) {
        p.frames << QRectF(QPointF(0, 0), frame);
        p.lines << QLineF(0, twipsToMm(380), frame.width(), twipsToMm(380))
                << QLineF(0, twipsToMm(760), frame.width(), twipsToMm(760));
        const double width = frame.width() - 2 * C1;
        // Title and sub-title stay in their bands of the frame.
        p.texts << PlacedText{QPointF(C1, 1), settings.title, fitted(settings.title, title, width)};
        p.texts << PlacedText{QPointF(C1, 8), settings.subTitle, fitted(settings.subTitle, title, width)};
    };
    Flow flow(doc, origin, frame, header);
    const double right = flow.right();

    // Program block.
    QList<Cell> programHeading{
        Cell{C1, 18, (settings.date.isEmpty() ? right : C2 - 1) - C1, heading, text(w, "frameAkkuprogramm")}};
    if (!settings.date.isEmpty())
        programHeading << Cell{C2, 18, right - C2, date, settings.date};
    flow.row(programHeading);

    QStringList values(5);
    if (withProgram) {
        // For a program without a capacity the viewer leaves its capacity
        // box hidden with its initial zero; the windows show "---" then.
        const bool withCapacity = viewer->controlValue(QStringLiteral("chkSollKapazitaet")) != 0;
        values = {batteryTypeText(*viewer), deviceModeLine(*viewer),
                  withCapacity ? text(*viewer, "txtKapazitaetAh") + QStringLiteral(" Ah")
                               : QString::fromLatin1(kNoCapacity),
                  text(*viewer, "txtLadestrom") + QStringLiteral(" A"),
                  text(*viewer, "txtEntladestrom") + QStringLiteral(" A")};
    }
    const QString labels[] = {text(w, "lblAkkutyp"), text(w, "lblMode"), text(w, "lblNennkapazitaet"),
                              settings.chargeCurrentLabel, settings.dischargeCurrentLabel};
    for (int i = 0; i < 5; ++i) {
        QList<Cell> cells{Cell{C1, 25.0 + 4 * i, C2 - C1 - 1, label, labels[i]}};
        if (withProgram)
            cells << Cell{C2, 24.0 + 4 * i, right - C2, value, values[i]};
        flow.row(cells);
    }
    if (withProgram && viewer->controlValue(QStringLiteral("chkSelbstentladung")) == 1)
        flow.row({Cell{C1, 45, C2 - C1 - 1, label, text(*viewer, "chkSelbstentladung")},
                  Cell{C2, 44, right - C2, value, selfDischargeText(*viewer)}});

    // End values.
    flow.row({Cell{C1, 52, right - C1, heading, text(w, "frameAkkumesswerte")}});
    const auto listHeadings = [&](double y) {
        const QList<Cell> headings{Cell{C2, y, C3 - C2 - 1, listHeading, text(w, "lblMesswerteNachLaden")},
                                   Cell{C3, y, right - C3, listHeading, text(w, "lblMesswerteNachEntladen")}};
        const double offsets[] = {0, twipsToMm(567), twipsToMm(1360), twipsToMm(1985)};
        const char* const charge[] = {"lblLadenNr", "lblLadenAh", "lblLadenVolt", "lblLadenMin"};
        const char* const discharge[] = {"lblEntladenNr", "lblEntladenAh", "lblEntladenVolt", "lblEntladenMin"};
        QList<Cell> columns;
        for (int i = 0; i < 4; ++i) {
            const double next = i < 3 ? offsets[i + 1] : C3 - C2;
            columns << Cell{C2 + offsets[i], y + 4, next - offsets[i] - 0.5, listHeading, text(w, charge[i]),
                            false,           false};
            columns << Cell{C3 + offsets[i],
                            y + 4,
                            (i < 3 ? next - offsets[i] : right - C3 - offsets[i]) - 0.5,
                            listHeading,
                            text(w, discharge[i]),
                            false,
                            false};
        }
        return std::make_pair(headings, columns);
    };
    {
        auto [headings, columns] = listHeadings(61);
        flow.row(headings);
        flow.row(columns);
    }
    const QString charges = QStringLiteral("lstEndwertLaden");
    const QString discharges = QStringLiteral("lstEndwertEntladen");
    const int nCharge = w.listCount(charges);
    const int nDischarge = w.listCount(discharges);
    const int nRows = std::max(nCharge, nDischarge);
    // A list that goes on over a page break takes its headings along.
    flow.onContinue = [&]() {
        auto [headings, columns] = listHeadings(kContinuedTop);
        for (const Cell& c : headings + columns)
            flow.page().texts << PlacedText{QPointF(c.x, c.y), c.text, c.font};
        return kContinuedTop + 9;
    };
    for (int i = 0; i < nRows; ++i) {
        const double y = 70.0 + 4 * i;
        QList<Cell> cells;
        if (i < nCharge)
            cells << endValueCells(C2, y, C3 - C2 - 1, w.listItem(charges, i), value);
        if (i < nDischarge)
            cells << endValueCells(C3, y, right - C3, w.listItem(discharges, i), value);
        flow.row(cells);
    }
    flow.onContinue = nullptr;

    // Below the longer of the two lists.
    const double y = 70.0 + 4 * nRows + 10;
    flow.row({Cell{C1, y, C2 - C1 - 1, label, text(w, "lblAkkuzustand")},
              Cell{C2, y - 1, C3 - C2 - 1, value, text(w, "txtAkkuzustand")},
              Cell{C3, y, C4 - C3 - 1, label, text(w, "lblSelbstentladung")},
              Cell{C4, y - 1, right - C4, value, text(w, "txtSelbstentladung")}});
    // The window's remark box; its line breaks kept as rows.
    const QStringList box = splitRows(text(w, "txtBemerkung"));
    flow.row({Cell{C1, y + 10, C2 - C1 - 1, label, text(w, "lblBemerkungen")},
              Cell{C2, y + 9, right - C2, value, box.first()}});
    double last = y + 10;
    for (int i = 1; i < box.size(); ++i)
        flow.row({Cell{C2, y + 9 + 4 * i, right - C2, value, box[i]}});
    last += 4 * (box.size() - 1);

    // The remark typed for this printout, a row per line.
    const QStringList rows = remarkRows(remark);
    if (!rows.isEmpty()) {
        double yRemark = last + 10;
        for (const QString& r : rows) {
            flow.row({Cell{C2, yRemark - 1, right - C2, value, r}});
            yRemark += 4;
        }
        last = yRemark;
    }

    if (withPicture) {
        // The picture takes the room below the report, inside the frame, on
        // a page of its own when too little room is left.
        const double bottom = frame.height() - kPictureInset;
        double top = flow.at(last + 15);
        if (bottom - top < kMinPictureHeight && flow.rowsOnPage() > 0) {
            flow.newPage();
            top = kContinuedTop;
        }
        const double height = bottom - top;
        if (height > 0)
            flow.page().picture = fitPicture(QRectF(C1, top, printable.width() - twipsToMm(1701), height), pictureSize);
    }
    return doc;
}

QRectF fitPicture(const QRectF& room, QSizeF pictureSize)
{
    if (pictureSize.isEmpty() || room.isEmpty())
        return room;
    return QRectF(room.topLeft(), pictureSize.scaled(room.size(), Qt::KeepAspectRatio));
}

Document layoutDiagramPage(const QString& caption, QSizeF printable, QSizeF pictureSize)
{
    Document doc;
    doc.landscape = true;
    Page p;
    p.origin = QPointF(twipsToMm(500), twipsToMm(500));
    const double w = printable.width() - twipsToMm(1100);
    const double h = printable.height() - twipsToMm(1000);
    p.frames << QRectF(0, 0, w, h);
    p.lines << QLineF(0, twipsToMm(453), w, twipsToMm(453));
    const Font title = font(16, true, true);
    p.texts << PlacedText{QPointF(C1, 1), caption, fitted(caption, title, w - 2 * C1)};
    // Below the title's band and inside the frame, its lines left free.
    const double top = twipsToMm(850.5);
    const double height = h - kPictureInset - top;
    if (height > 0)
        p.picture = fitPicture(QRectF(C1, top, printable.width() - twipsToMm(1500), height), pictureSize);
    doc.pages << p;
    return doc;
}

} // namespace ReportLayout
