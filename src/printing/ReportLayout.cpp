#include "printing/ReportLayout.h"

#include "printing/ControlReader.h"
#include "printing/ReportFlow.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <functional>

namespace ReportLayout {

namespace {

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

namespace {

constexpr Font kTitle = font(11, true, false);
constexpr Font kHeading = font(12, true, false, true);
constexpr Font kDate = font(10, true, false);
constexpr Font kLabel = font(7, false, true);
constexpr Font kValue = font(10, false, false);
constexpr Font kListHeading = font(10, false, true);

// The frame with its two bands, the title and the sub-title: on every page.
void channelPageHeader(Page& p, QSizeF frame, const ReportSettings& settings)
{
    p.frames << QRectF(QPointF(0, 0), frame);
    p.lines << QLineF(0, twipsToMm(380), frame.width(), twipsToMm(380))
            << QLineF(0, twipsToMm(760), frame.width(), twipsToMm(760));
    const double width = frame.width() - 2 * C1;
    // Title and sub-title stay in their bands of the frame.
    p.texts << PlacedText{QPointF(C1, 1), settings.title, fitted(settings.title, kTitle, width)};
    p.texts << PlacedText{QPointF(C1, 8), settings.subTitle, fitted(settings.subTitle, kTitle, width)};
}

// The program block: its heading with the date, the five rows of the
// program and its self-discharge test. viewer: nullptr when the report
// shows no program (the labels stand alone then).
void programBlock(Flow& flow, const ControlReader& w, const ControlReader* viewer, const ReportSettings& settings)
{
    const double right = flow.right();
    QList<Cell> programHeading{
        Cell{C1, 18, (settings.date.isEmpty() ? right : C2 - 1) - C1, kHeading, text(w, "frameAkkuprogramm")}};
    if (!settings.date.isEmpty())
        programHeading << Cell{C2, 18, right - C2, kDate, settings.date};
    flow.row(programHeading);

    QStringList values(5);
    if (viewer) {
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
        QList<Cell> cells{Cell{C1, 25.0 + 4 * i, C2 - C1 - 1, kLabel, labels[i]}};
        if (viewer)
            cells << Cell{C2, 24.0 + 4 * i, right - C2, kValue, values[i]};
        flow.row(cells);
    }
    if (viewer && viewer->controlValue(QStringLiteral("chkSelbstentladung")) == 1)
        flow.row({Cell{C1, 45, C2 - C1 - 1, kLabel, text(*viewer, "chkSelbstentladung")},
                  Cell{C2, 44, right - C2, kValue, selfDischargeText(*viewer)}});
}

// The captions of the two end-value lists at y, and the four column
// headings below each.
std::pair<QList<Cell>, QList<Cell>> listHeadings(const ControlReader& w, double y, double right)
{
    const QList<Cell> headings{Cell{C2, y, C3 - C2 - 1, kListHeading, text(w, "lblMesswerteNachLaden")},
                               Cell{C3, y, right - C3, kListHeading, text(w, "lblMesswerteNachEntladen")}};
    const double offsets[] = {0, twipsToMm(567), twipsToMm(1360), twipsToMm(1985)};
    const char* const charge[] = {"lblLadenNr", "lblLadenAh", "lblLadenVolt", "lblLadenMin"};
    const char* const discharge[] = {"lblEntladenNr", "lblEntladenAh", "lblEntladenVolt", "lblEntladenMin"};
    QList<Cell> columns;
    for (int i = 0; i < 4; ++i) {
        const double next = i < 3 ? offsets[i + 1] : C3 - C2;
        columns << Cell{C2 + offsets[i], y + 4, next - offsets[i] - 0.5, kListHeading, text(w, charge[i]),
                        false,           false};
        columns << Cell{C3 + offsets[i],
                        y + 4,
                        (i < 3 ? next - offsets[i] : right - C3 - offsets[i]) - 0.5,
                        kListHeading,
                        text(w, discharge[i]),
                        false,
                        false};
    }
    return std::make_pair(headings, columns);
}

// The end values: their heading and the two lists side by side. Returns the
// number of rows of the longer list.
int endValueBlock(Flow& flow, const ControlReader& w)
{
    const double right = flow.right();
    flow.row({Cell{C1, 52, right - C1, kHeading, text(w, "frameAkkumesswerte")}});
    {
        auto [headings, columns] = listHeadings(w, 61, right);
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
        auto [headings, columns] = listHeadings(w, kContinuedTop, right);
        for (const Cell& c : headings + columns)
            flow.page().texts << PlacedText{QPointF(c.x, c.y), c.text, c.font};
        return kContinuedTop + 9;
    };
    for (int i = 0; i < nRows; ++i) {
        const double y = 70.0 + 4 * i;
        QList<Cell> cells;
        if (i < nCharge)
            cells << endValueCells(C2, y, C3 - C2 - 1, w.listItem(charges, i), kValue);
        if (i < nDischarge)
            cells << endValueCells(C3, y, right - C3, w.listItem(discharges, i), kValue);
        flow.row(cells);
    }
    flow.onContinue = nullptr;
    return nRows;
}

// Below the longer of the two lists: the condition, the self-discharge, the
// window's remark and the remark typed for this printout. Returns the
// nominal position below them.
double closingBlock(Flow& flow, const ControlReader& w, const QString& remark, int nRows)
{
    const double right = flow.right();
    const double y = 70.0 + 4 * nRows + 10;
    flow.row({Cell{C1, y, C2 - C1 - 1, kLabel, text(w, "lblAkkuzustand")},
              Cell{C2, y - 1, C3 - C2 - 1, kValue, text(w, "txtAkkuzustand")},
              Cell{C3, y, C4 - C3 - 1, kLabel, text(w, "lblSelbstentladung")},
              Cell{C4, y - 1, right - C4, kValue, text(w, "txtSelbstentladung")}});
    // The window's remark box; its line breaks kept as rows.
    const QStringList box = splitRows(text(w, "txtBemerkung"));
    flow.row({Cell{C1, y + 10, C2 - C1 - 1, kLabel, text(w, "lblBemerkungen")},
              Cell{C2, y + 9, right - C2, kValue, box.first()}});
    double last = y + 10;
    for (int i = 1; i < box.size(); ++i)
        flow.row({Cell{C2, y + 9 + 4 * i, right - C2, kValue, box[i]}});
    last += 4 * (box.size() - 1);

    // The remark typed for this printout, a row per line.
    const QStringList rows = remarkRows(remark);
    if (!rows.isEmpty()) {
        double yRemark = last + 10;
        for (const QString& r : rows) {
            flow.row({Cell{C2, yRemark - 1, right - C2, kValue, r}});
            yRemark += 4;
        }
        last = yRemark;
    }
    return last;
}

// The picture takes the room below the report, inside the frame, on a page
// of its own when too little room is left.
void placePicture(Flow& flow, double last, QSizeF frame, QSizeF printable, QSizeF pictureSize)
{
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

} // namespace

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

    Document doc;
    doc.landscape = false;
    Flow flow(doc, origin, frame, [&](Page& p) { channelPageHeader(p, frame, settings); });
    programBlock(flow, w, withProgram ? viewer : nullptr, settings);
    const int nRows = endValueBlock(flow, w);
    const double last = closingBlock(flow, w, remark, nRows);
    if (withPicture)
        placePicture(flow, last, frame, printable, pictureSize);
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
