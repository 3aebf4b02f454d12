#include "printing/ReportPainter.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPixmap>

void paintPage(QPainter& painter, const ReportLayout::Page& page, const QPixmap* picture)
{
    const QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / 25.4;
    const double sy = device->logicalDpiY() / 25.4;
    const auto point = [&](QPointF mm) {
        return QPointF((page.origin.x() + mm.x()) * sx, (page.origin.y() + mm.y()) * sy);
    };
    const auto rect = [&](const QRectF& mm) { return QRectF(point(mm.topLeft()), point(mm.bottomRight())); };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidthF(0.2 * sx);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const QRectF& frame : page.frames)
        painter.drawRect(rect(frame));
    for (const QLineF& line : page.lines)
        painter.drawLine(point(line.p1()), point(line.p2()));

    if (picture && page.picture && !picture->isNull())
        painter.drawPixmap(rect(*page.picture), *picture, QRectF(picture->rect()));

    for (const ReportLayout::PlacedText& t : page.texts) {
        if (t.text.isEmpty())
            continue;
        QFont font(QString::fromLatin1(ReportLayout::kFontFamily));
        // Points follow the device's own resolution, so the size comes out
        // in millimetres on paper and image alike.
        font.setPointSizeF(t.font.sizeMm * 72.0 / 25.4);
        font.setBold(t.font.bold);
        font.setItalic(t.font.italic);
        font.setUnderline(t.font.underline);
        font.setHintingPreference(QFont::PreferNoHinting);
        painter.setFont(font);
        const QPointF at = point(t.pos);
        constexpr double kRoom = 1e5;
        const QRectF box =
            t.alignRight ? QRectF(at.x() - kRoom, at.y(), kRoom, kRoom) : QRectF(at.x(), at.y(), kRoom, kRoom);
        painter.drawText(box, (t.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine,
                         t.text);
    }
    painter.restore();
}
