#pragma once

#include "prepared_report.h"

#include <QPointF>

// A band laid out for one occurrence: its final height and its primitives relative to the
// band's top left corner.
struct LaidBand {
    double height = 0;
    QList<PreparedFrame> frames;
    QList<PreparedLine> lines;
    QList<PreparedText> texts;

    // Moves the primitives by `offset` onto the page.
    void appendTo(PreparedPage& page, QPointF offset) const;
};
