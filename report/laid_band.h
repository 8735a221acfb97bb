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

    // Where the band can be cut at most `limit` from its top without cutting through a line
    // of text: `limit`, or higher, at the top of the first text line that would not fit whole.
    double cutAt(double limit) const;
    // Takes off the part above `cut` and returns it; this band keeps the rest, moved up to its
    // own top. Texts are divided between their lines; frames and rules that cross the cut are
    // drawn on both sides of it, so a table's cells stay closed on each page.
    LaidBand takeTop(double cut);
};
