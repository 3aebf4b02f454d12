#include "mainwindow/ProgramLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

void paintProgramLogo(QWidget& widget, const QRect& picture, int namePointSize, int textTop, const QString& text)
{
    QPainter p(&widget);
    QLinearGradient g(0, 0, 0, widget.height());
    g.setColorAt(0, QColor(24, 64, 120));
    g.setColorAt(1, QColor(8, 24, 48));
    p.fillRect(widget.rect(), g);
    p.setPen(Qt::white);
    QFont f = widget.font();
    f.setPointSize(namePointSize);
    f.setBold(true);
    p.setFont(f);
    p.drawText(picture.adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("velmoro"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(picture.adjusted(0, textTop, 0, 0), Qt::AlignCenter, text);
}
