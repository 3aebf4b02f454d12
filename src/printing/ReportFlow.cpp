#include "printing/ReportFlow.h"

#include <QHash>
#include <algorithm>

namespace ReportLayout {

namespace {

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

} // namespace

double lineStep(const Font& f)
{
    return f.sizeMm * 1.134;
}

Flow::Flow(Document& doc, QPointF origin, QSizeF size, std::function<void(Page&)> header)
    : m_doc(doc),
      m_origin(origin),
      m_size(size),
      m_header(std::move(header))
{
    newPage();
}

void Flow::row(QList<Cell> cells)
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
            page().texts << PlacedText{QPointF(c.x, at(c.y) + k * lineStep(c.font)), rows[i][k], c.font, c.alignRight};
    }
    m_shift += extraLines * extraStep;
    ++m_rowsOnPage;
}

void Flow::newPage()
{
    Page p;
    p.origin = m_origin;
    m_doc.pages << p;
    m_rowsOnPage = 0;
    m_shift = 0;
    if (m_header)
        m_header(page());
}

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

Font fitted(const QString& s, Font f, double width)
{
    const double smallest = pointsToMm(5);
    const double w = textWidth(s, f);
    if (w > width && w > 0)
        f.sizeMm = std::max(smallest, f.sizeMm * width / w);
    return f;
}

} // namespace ReportLayout
