#pragma once

#include "printing/ReportLayout.h"

class QPainter;
class QPixmap;

// Draws one laid-out page onto whatever the painter paints on (printer, PDF,
// image): millimetres from the top-left of the painter's area, scaled once
// by the device's resolution. picture: the diagram, when the page has room
// for it.
void paintPage(QPainter& painter, const ReportLayout::Page& page, const QPixmap* picture = nullptr);
