#pragma once

#include "prepared_report.h"

#include <QList>
#include <QPointF>
#include <QRectF>

class QPainter;

// Draws a prepared page on any painter: preview, printer, PDF and PNG alike. The page's
// millimetres become device pixels at `pxPerMm`, from `origin` (device pixels). Line breaks
// come from the prepared page, never from the device, so every device shows the same lines.
class PagePainter {
public:
    static void paint(QPainter& painter, const PreparedPage& page, double pxPerMm, QPointF origin = {},
                      const QList<QRectF>& highlights = {});
};
