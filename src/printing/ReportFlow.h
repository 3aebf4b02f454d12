#pragma once

#include "printing/ReportLayout.h"

#include <QList>
#include <QString>
#include <functional>

// How the report's rows are placed on its pages: the cells of a row, the
// flow of rows from page to page, and the fitting of texts to their room.
namespace ReportLayout {

constexpr Font font(double points, bool bold, bool italic, bool underline = false)
{
    return Font{pointsToMm(points), bold, italic, underline};
}

// Rows of one font follow each other at this distance (4 mm for 10 points).
double lineStep(const Font& f);

// One text of a row: where the report puts it, and how wide it may grow.
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
    Flow(Document& doc, QPointF origin, QSizeF size, std::function<void(Page&)> header);

    double right() const { return m_size.width() - 1; }
    double bottom() const { return m_size.height() - 1; }
    // Where nominal y lies on the current page.
    double at(double y) const { return y + m_shift; }
    Page& page() { return m_doc.pages.last(); }

    // Called on every new page after the header; returns where rows go on.
    std::function<double()> onContinue;

    void row(QList<Cell> cells);
    void newPage();

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

// An end-value row as the list shows it. Its four pieces are placed at their
// columns, so neither the proportional font nor a piece wider than its column
// moves the others off their headings; any other row goes as it stands.
QList<Cell> endValueCells(double x, double y, double width, const QString& row, const Font& f);

// A single-row text in a band of the frame: made smaller until it fits.
Font fitted(const QString& s, Font f, double width);

} // namespace ReportLayout
